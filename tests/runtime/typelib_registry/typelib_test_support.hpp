// What the type library tests of the runtime share: a private registry and directory,
// library files built from raw images, and short forms for reading what a library or
// the registry answers.
#ifndef TESTS_RUNTIME_TYPELIB_TEST_SUPPORT_HPP
#define TESTS_RUNTIME_TYPELIB_TEST_SUPPORT_HPP

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "oleaut/bstr.hpp"
#include "oleaut/com_ptr.hpp"
#include "support/raw_resource_images.hpp"
#include "support/registry_access.hpp"
#include "support/temp_registry.hpp"

namespace typelib_test {

using bytes = std::vector<uint8_t>;

class TypeLibFixture : public ::testing::Test {
public:
    const std::string &dir() const { return registry_.dir(); }

    // A file in the test's directory; its absolute path.
    std::string write(const std::string &name, const bytes &contents) const
    {
        const std::string path = registry_.dir() + "/" + name;
        test_support::write_file(path, std::string(contents.begin(), contents.end()));
        return path;
    }

    // A shared library file whose resource section holds these resources.
    std::string write_library(const std::string &name, const std::vector<test_support::raw_resource> &resources) const
    {
        return write(name, test_support::build_elf({{".text", {0xC3}},
                                                    {".oleres", test_support::raw_resource_directory(resources)}}));
    }

    // A stand-alone image file holding the library.
    std::string write_image(const std::string &name, const test_support::raw_library &lib) const
    {
        return write(name, test_support::raw_typelib_image(lib));
    }

protected:
    test_support::temp_registry registry_;
};

inline test_support::raw_resource typelib_resource(uint16_t number, const test_support::raw_library &lib)
{
    return {{u"TYPELIB", 0}, {u"", number}, test_support::raw_typelib_image(lib)};
}

inline std::u16string u16(const std::string &s) { return oleaut::utf8_to_utf16(s); }

inline std::string library_name(ITypeLib *lib)
{
    oleaut::bstr name;
    if (FAILED(lib->GetDocumentation(-1, name.put(), nullptr, nullptr, nullptr)))
        return "<no name>";
    return name.utf8();
}

inline TLIBATTR library_attributes(ITypeLib *lib)
{
    TLIBATTR *raw = nullptr;
    EXPECT_EQ(lib->GetLibAttr(&raw), S_OK);
    TLIBATTR attr = raw ? *raw : TLIBATTR{};
    if (raw)
        lib->ReleaseTLibAttr(raw);
    return attr;
}

// The string value of HKCR\path (the default value when name is null), or nothing.
inline std::optional<std::u16string> registry_string(const std::u16string &path, const char16_t *name = nullptr)
{
    test_support::reg_key key;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return std::nullopt;
    std::u16string text;
    if (test_support::query_string(key.get(), name, &text) != ERROR_SUCCESS)
        return std::nullopt;
    return text;
}

inline bool registry_has_key(const std::u16string &path)
{
    test_support::reg_key key;
    return RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

}  // namespace typelib_test

#endif
