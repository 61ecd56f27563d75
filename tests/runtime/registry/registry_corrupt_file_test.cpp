// A registry file that does not parse: every call fails with ERROR_BADDB, says which
// file and which line, and the file is never written over.
#include <gtest/gtest.h>

#include <functional>

#include "support/registry_access.hpp"
#include "support/temp_registry.hpp"

using namespace test_support;

namespace {

struct corrupt_case {
    const char *label;
    const char *text;
    int line;
};

const corrupt_case kCorruptFiles[] = {
    {"garbage_line", "[CLSID]\n@=\"ok\"\nthis is not a registry line\n", 3},
    {"value_before_key", "; comment\n\"x\"=\"y\"\n", 2},
    {"unterminated_string", "[A]\n\n\"x\"=\"no end\n", 3},
    {"unknown_escape", "[A]\n\"x\"=\"bad \\q escape\"\n", 2},
    {"bad_dword", "[A]\n\"x\"=dword:123456789\n", 2},
    {"bad_hex", "[A]\n\"x\"=hex:1,zz\n", 2},
    {"unclosed_key", "[A]\n[B\n", 2},
    {"empty_key_name", "[A\\\\B]\n", 1},
    {"missing_equals", "[A]\n\"x\" \"y\"\n", 2},
    {"text_after_string", "[A]\n\"x\"=\"y\" z\n", 2},
    {"unknown_value_form", "[A]\n\"x\"=qword:1\n", 2},
};

// Every kind of registry call, each of which must refuse the damaged file.
const std::pair<const char *, std::function<LSTATUS()>> kCalls[] = {
    {"open",
     [] {
         reg_key k;
         return RegOpenKeyExW(HKEY_CLASSES_ROOT, u"A", 0, KEY_READ, k.put());
     }},
    {"create",
     [] {
         reg_key k;
         return create_key(u"New.Key", k);
     }},
    {"set", [] { return RegSetValueExW(HKEY_CLASSES_ROOT, u"v", 0, REG_DWORD, reinterpret_cast<const BYTE *>("abcd"), 4); }},
    {"query",
     [] {
         DWORD size = 0;
         return RegQueryValueExW(HKEY_CLASSES_ROOT, u"v", nullptr, nullptr, nullptr, &size);
     }},
    {"delete_tree", [] { return RegDeleteTreeW(HKEY_CLASSES_ROOT, u"A"); }},
};

class RegistryCorruptFile : public ::testing::TestWithParam<corrupt_case> {
protected:
    temp_registry registry;
};

TEST_P(RegistryCorruptFile, EveryCallFailsNamingFileAndLineAndTheFileIsUntouched)
{
    const corrupt_case &c = GetParam();
    registry.set_text(c.text);
    for (const auto &[name, call] : kCalls) {
        SCOPED_TRACE(name);
        SetErrorInfo(0, nullptr);
        EXPECT_EQ(call(), ERROR_BADDB);
        std::string description = error_info_description();
        EXPECT_NE(description.find(registry.path()), std::string::npos) << description;
        EXPECT_NE(description.find("line " + std::to_string(c.line) + ":"), std::string::npos) << description;
        EXPECT_EQ(registry.text(), c.text);
    }
    // No temporary file was left beside it either.
    size_t entries = 0;
    for (const auto &e : std::filesystem::directory_iterator(registry.dir()))
        entries += e.path().filename() != "registry.lock";
    EXPECT_EQ(entries, 1u);
}

INSTANTIATE_TEST_SUITE_P(Damaged, RegistryCorruptFile, ::testing::ValuesIn(kCorruptFiles),
                         [](const auto &info) { return std::string(info.param.label); });

TEST(RegistryUnusableFile, DirectoryInPlaceOfTheFileIsReportedWithItsPath)
{
    temp_registry registry;
    std::filesystem::create_directory(registry.path());
    DWORD size = 0;
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(RegQueryValueExW(HKEY_CLASSES_ROOT, u"v", nullptr, nullptr, nullptr, &size), 1012 /* ERROR_CANTREAD */);
    std::string description = error_info_description();
    EXPECT_NE(description.find(registry.path()), std::string::npos) << description;
    EXPECT_NE(description.find("directory"), std::string::npos) << description;
}

TEST(RegistryUnusableFile, UncreatableDirectoryIsReportedWithItsPath)
{
    temp_registry registry;
    write_file(registry.dir() + "/plain-file", "x");
    scoped_env env("OLEAUT_REGISTRY", registry.dir() + "/plain-file/sub/registry");
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(put_string(u"A", nullptr, u"x"), ERROR_CANTWRITE);
    std::string description = error_info_description();
    EXPECT_NE(description.find(registry.dir() + "/plain-file/sub"), std::string::npos) << description;
}

}  // namespace
