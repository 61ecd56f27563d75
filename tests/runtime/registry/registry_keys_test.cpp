// Keys in the file-backed registry: creation and opening, names without regard to
// case, handles, access rights and RegDeleteTree.
#include <gtest/gtest.h>

#include "support/registry_access.hpp"
#include "support/temp_registry.hpp"

using namespace test_support;

namespace {

constexpr LSTATUS kErrorBadPathname = 161;
constexpr LSTATUS kErrorKeyDeleted = 1018;

class RegistryKeys : public ::testing::Test {
protected:
    LSTATUS open(const char16_t *path, reg_key &key, REGSAM access = KEY_READ)
    {
        return RegOpenKeyExW(HKEY_CLASSES_ROOT, path, 0, access, key.put());
    }
    bool exists(const char16_t *path)
    {
        reg_key key;
        return open(path, key) == ERROR_SUCCESS;
    }
    temp_registry registry;
};

TEST_F(RegistryKeys, CreateTellsNewFromExisting)
{
    DWORD disposition = 0;
    reg_key first, second;
    ASSERT_EQ(create_key(u"Quillet.Thing", first, &disposition), ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    ASSERT_EQ(create_key(u"QUILLET.THING", second, &disposition), ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
}

TEST_F(RegistryKeys, CreateMakesMissingParentsAndEmptyKeysPersist)
{
    reg_key key;
    ASSERT_EQ(create_key(u"A\\B\\C", key), ERROR_SUCCESS);
    EXPECT_TRUE(exists(u"A"));
    EXPECT_TRUE(exists(u"A\\B"));
    EXPECT_TRUE(exists(u"a\\b\\c"));
    EXPECT_NE(registry.text().find("[A\\B\\C]\n"), std::string::npos) << registry.text();
}

TEST_F(RegistryKeys, NamesKeepTheCaseTheyWereCreatedWith)
{
    reg_key key;
    ASSERT_EQ(create_key(u"CLSID\\{ABCDEF00-0000-0000-0000-000000000000}", key), ERROR_SUCCESS);
    reg_key again;
    ASSERT_EQ(create_key(u"clsid\\{abcdef00-0000-0000-0000-000000000000}\\InprocServer32", again), ERROR_SUCCESS);
    std::string file = registry.text();
    EXPECT_NE(file.find("[CLSID\\{ABCDEF00-0000-0000-0000-000000000000}\\InprocServer32]"), std::string::npos) << file;
    EXPECT_EQ(file.find("clsid"), std::string::npos) << file;
}

TEST_F(RegistryKeys, OpenRelativeToAnOpenKey)
{
    reg_key parent, child;
    ASSERT_EQ(create_key(u"P\\Q", child), ERROR_SUCCESS);
    ASSERT_EQ(set_string(child.get(), nullptr, u"q"), ERROR_SUCCESS);
    ASSERT_EQ(open(u"P", parent), ERROR_SUCCESS);
    reg_key q;
    ASSERT_EQ(RegOpenKeyExW(parent.get(), u"q", 0, KEY_READ, q.put()), ERROR_SUCCESS);
    std::u16string text;
    ASSERT_EQ(query_string(q.get(), nullptr, &text), ERROR_SUCCESS);
    EXPECT_EQ(text, u"q");
}

TEST_F(RegistryKeys, OpeningAMissingKeyFailsAndClearsTheResult)
{
    HKEY h = reinterpret_cast<HKEY>(0x1234);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"No.Such.Key", 0, KEY_READ, &h), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(h, nullptr);
}

struct bad_path_case {
    const char *label;
    std::u16string path;
    LSTATUS expected;
};

class RegistryBadPaths : public RegistryKeys, public ::testing::WithParamInterface<bad_path_case> {};

TEST_P(RegistryBadPaths, CreateAndOpenRefuseThePath)
{
    reg_key created, opened;
    EXPECT_EQ(create_key(GetParam().path.c_str(), created), GetParam().expected);
    EXPECT_EQ(open(GetParam().path.c_str(), opened), GetParam().expected);
    EXPECT_FALSE(std::filesystem::exists(registry.path()));
}

INSTANTIATE_TEST_SUITE_P(
    Refused, RegistryBadPaths,
    ::testing::Values(bad_path_case{"leading_backslash", u"\\CLSID", kErrorBadPathname},
                      bad_path_case{"name_too_long", std::u16string(256, u'n'), ERROR_INVALID_PARAMETER},
                      bad_path_case{"control_character", u"A\nB", ERROR_INVALID_PARAMETER}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(RegistryKeys, LongestAllowedNameIsAccepted)
{
    reg_key key;
    EXPECT_EQ(create_key(std::u16string(255, u'n').c_str(), key), ERROR_SUCCESS);
}

TEST_F(RegistryKeys, HandlesCloseOnceAndPredefinedKeyAlways)
{
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u"K", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(h), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(h), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_CLASSES_ROOT), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(0xDEAD0)), ERROR_INVALID_HANDLE);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(h, nullptr, nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(set_string(h, nullptr, u"x"), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryKeys, AccessRightsOfTheHandleAreEnforced)
{
    reg_key created;
    ASSERT_EQ(create_key(u"K", created), ERROR_SUCCESS);
    ASSERT_EQ(set_string(created.get(), nullptr, u"x"), ERROR_SUCCESS);
    reg_key read_only, write_only;
    ASSERT_EQ(open(u"K", read_only, KEY_READ), ERROR_SUCCESS);
    ASSERT_EQ(open(u"K", write_only, KEY_SET_VALUE), ERROR_SUCCESS);
    EXPECT_EQ(set_string(read_only.get(), nullptr, u"y"), ERROR_ACCESS_DENIED);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(write_only.get(), nullptr, nullptr, nullptr, nullptr, &size), ERROR_ACCESS_DENIED);
    reg_key sub;
    EXPECT_EQ(RegCreateKeyExW(read_only.get(), u"Sub", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, sub.put(), nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(set_string(write_only.get(), nullptr, u"z"), ERROR_SUCCESS);
}

TEST_F(RegistryKeys, DeleteTreeRemovesTheSubtreeOnly)
{
    reg_key a, b;
    ASSERT_EQ(create_key(u"CLSID\\{1}\\InprocServer32", a), ERROR_SUCCESS);
    ASSERT_EQ(set_string(a.get(), nullptr, u"/lib.so"), ERROR_SUCCESS);
    ASSERT_EQ(create_key(u"CLSID\\{2}", b), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteTreeW(HKEY_CLASSES_ROOT, u"clsid\\{1}"), ERROR_SUCCESS);
    EXPECT_FALSE(exists(u"CLSID\\{1}"));
    EXPECT_FALSE(exists(u"CLSID\\{1}\\InprocServer32"));
    EXPECT_TRUE(exists(u"CLSID\\{2}"));
    EXPECT_EQ(registry.text().find("{1}"), std::string::npos) << registry.text();
}

TEST_F(RegistryKeys, DeleteTreeOfAMissingKeyIsFileNotFound)
{
    EXPECT_EQ(RegDeleteTreeW(HKEY_CLASSES_ROOT, u"Not.There"), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryKeys, DeleteTreeWithoutSubkeyEmptiesTheKeyButKeepsIt)
{
    reg_key key, child;
    ASSERT_EQ(create_key(u"Parent\\Child", child), ERROR_SUCCESS);
    ASSERT_EQ(create_key(u"Parent", key), ERROR_SUCCESS);
    ASSERT_EQ(set_dword(key.get(), u"n", 1), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteTreeW(key.get(), nullptr), ERROR_SUCCESS);
    EXPECT_TRUE(exists(u"Parent"));
    EXPECT_FALSE(exists(u"Parent\\Child"));
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key.get(), u"n", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryKeys, HandleToADeletedKeyReportsKeyDeleted)
{
    reg_key key;
    ASSERT_EQ(create_key(u"Doomed", key), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteTreeW(HKEY_CLASSES_ROOT, u"Doomed"), ERROR_SUCCESS);
    EXPECT_EQ(set_string(key.get(), nullptr, u"x"), kErrorKeyDeleted);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key.get(), nullptr, nullptr, nullptr, nullptr, &size), kErrorKeyDeleted);
    EXPECT_FALSE(exists(u"Doomed"));  // the failed set did not bring it back
}

}  // namespace
