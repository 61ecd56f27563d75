// Registering libquillet.so with regsvr, as an installer does: its class and its type
// library land in the registry, a client finds the library by LIBID and version, and
// unregistering leaves the registry byte for byte as it was.
#include <gtest/gtest.h>

#include "oleaut/bstr.hpp"
#include "oleaut/com_ptr.hpp"
#include "support/registry_access.hpp"
#include "support/run_process.hpp"

namespace {

const GUID kLibId = {0x5B0E7A31, 0x3C2D, 0x4F19, {0xA6, 0xE4, 0x71, 0xC2, 0xD9, 0xA0, 0xB0, 0x00}};
constexpr char16_t kVersionKey[] = u"TypeLib\\{5B0E7A31-3C2D-4F19-A6E4-71C2D9A0B000}\\11.0";
constexpr char16_t kInterfaceKey[] = u"Interface\\{5B0E7A31-3C2D-4F19-A6E4-71C2D9A0B001}";

// A registry as a machine has it: other classes, interfaces and libraries, and another
// version of Quillet's own library.
const char kSeed[] =
    "[CLSID\\{11111111-2222-3333-4444-555555555555}\\InprocServer32]\n@=\"/usr/lib/other.so\"\n\n"
    "[Interface\\{66666666-7777-8888-9999-AAAAAAAAAAAA}]\n@=\"IOther\"\n\n"
    "[TypeLib\\{5B0E7A31-3C2D-4F19-A6E4-71C2D9A0B000}\\10.0]\n@=\"Quillet (older)\"\n\n"
    "[TypeLib\\{5B0E7A31-3C2D-4F19-A6E4-71C2D9A0B000}\\10.0\\0\\win32]\n@=\"/opt/old/libquillet.so\"\n";

std::string library_path() { return std::filesystem::canonical(QUILLET_LIB).string(); }

class ComponentRegistration : public ::testing::Test {
protected:
    void SetUp() override
    {
        registry_.set_text(kSeed);
        // One change through the registry, so that the file is in the registry's own spelling.
        ASSERT_EQ(test_support::put_string(u"CLSID", u"Seeded", u"yes"), ERROR_SUCCESS);
        seeded_ = registry_.text();
    }

    void regsvr(const std::vector<std::string> &flags)
    {
        std::vector<std::string> argv = {REGSVR_PATH};
        argv.insert(argv.end(), flags.begin(), flags.end());
        argv.push_back(QUILLET_LIB);
        const test_support::process_result r = test_support::run_process(argv);
        ASSERT_EQ(r.exit_code, 0) << r.out << r.err;
    }

    std::optional<std::u16string> value(const std::u16string &path, const char16_t *name = nullptr)
    {
        test_support::reg_key key;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
            return std::nullopt;
        std::u16string text;
        if (test_support::query_string(key.get(), name, &text) != ERROR_SUCCESS)
            return std::nullopt;
        return text;
    }

    test_support::temp_registry registry_;
    std::string seeded_;
};

TEST_F(ComponentRegistration, WritesTheTypeLibraryKeys)
{
    regsvr({"-s"});
    const std::u16string version = kVersionKey;
    const std::string path = library_path();
    EXPECT_EQ(value(version), u"Quillet");
    EXPECT_EQ(value(version + u"\\409\\win32"), oleaut::utf8_to_utf16(path));
    EXPECT_EQ(value(version + u"\\FLAGS"), u"0");
    EXPECT_EQ(value(version + u"\\HELPDIR"), oleaut::utf8_to_utf16(path.substr(0, path.rfind('/'))));
}

TEST_F(ComponentRegistration, WritesTheInterfaceKeys)
{
    regsvr({"-s"});
    const std::u16string iface = kInterfaceKey;
    EXPECT_EQ(value(iface), u"_cQuillet");
    EXPECT_EQ(value(iface + u"\\ProxyStubClsid32"), u"{00020424-0000-0000-C000-000000000046}");
    EXPECT_EQ(value(iface + u"\\ProxyStubClsid"), u"{00020424-0000-0000-C000-000000000046}");
    EXPECT_EQ(value(iface + u"\\TypeLib"), u"{5B0E7A31-3C2D-4F19-A6E4-71C2D9A0B000}");
    EXPECT_EQ(value(iface + u"\\TypeLib", u"Version"), u"11.0");
}

TEST_F(ComponentRegistration, ClientsFindTheLibraryByIdAndVersion)
{
    regsvr({"-s"});
    oleaut::bstr path;
    ASSERT_EQ(QueryPathOfRegTypeLib(kLibId, 17, 0, 1033, path.put()), S_OK);
    EXPECT_EQ(path.utf8(), library_path());

    oleaut::com_ptr<ITypeLib> lib;
    ASSERT_EQ(LoadRegTypeLib(kLibId, 17, 0, 1033, lib.put()), S_OK) << test_support::error_info_description();
    oleaut::bstr name;
    ASSERT_EQ(lib->GetDocumentation(-1, name.put(), nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(name.utf8(), "Quillet");
    EXPECT_EQ(lib->GetTypeInfoCount(), 4u);

    EXPECT_EQ(LoadRegTypeLib(kLibId, 17, 1, 1033, lib.put()), TYPE_E_LIBNOTREGISTERED);
    EXPECT_EQ(LoadRegTypeLib(kLibId, 18, 0, 1033, lib.put()), TYPE_E_LIBNOTREGISTERED);
}

TEST_F(ComponentRegistration, UnregisteringLeavesTheRegistryAsItWas)
{
    regsvr({"-s"});
    ASSERT_NE(registry_.text(), seeded_);
    regsvr({"-u", "-s"});
    EXPECT_EQ(registry_.text(), seeded_);
}

TEST_F(ComponentRegistration, RegisteringTwiceAndUnregisteringTwiceIsLikeOnce)
{
    regsvr({"-s"});
    const std::string once = registry_.text();
    regsvr({"-s"});
    EXPECT_EQ(registry_.text(), once);
    regsvr({"-u", "-s"});
    regsvr({"-u", "-s"});
    EXPECT_EQ(registry_.text(), seeded_);
}

}  // namespace
