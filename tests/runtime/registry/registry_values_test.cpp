// Values in the file-backed registry: every type and shape survives the trip through
// the text file byte for byte, sizes are reported as RegQueryValueEx reports them,
// and the file reads as a person expects.
#include <gtest/gtest.h>

#include <vector>

#include "support/registry_access.hpp"
#include "support/temp_registry.hpp"

using namespace test_support;

namespace {

std::vector<BYTE> utf16_bytes(std::u16string_view s, bool terminated = true)
{
    std::vector<BYTE> out;
    for (char16_t c : s) {
        out.push_back(static_cast<BYTE>(c & 0xFF));
        out.push_back(static_cast<BYTE>(c >> 8));
    }
    if (terminated)
        out.insert(out.end(), {0, 0});
    return out;
}

class RegistryValues : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(create_key(u"CLSID\\{11111111-2222-3333-4444-555555555555}", key), ERROR_SUCCESS); }
    temp_registry registry;
    reg_key key;
};

struct round_trip_case {
    const char *label;
    DWORD type;
    std::vector<BYTE> data;
};

class RegistryRoundTrip : public RegistryValues, public ::testing::WithParamInterface<round_trip_case> {};

TEST_P(RegistryRoundTrip, ValueComesBackWithItsTypeAndBytes)
{
    const round_trip_case &c = GetParam();
    ASSERT_EQ(set_bytes(key.get(), u"v", c.type, c.data), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueExW(key.get(), u"v", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(size, c.data.size());
    std::vector<BYTE> back;
    ASSERT_EQ(query_bytes(key.get(), u"v", &type, &back), ERROR_SUCCESS);
    EXPECT_EQ(back, c.data);
}

INSTANTIATE_TEST_SUITE_P(
    AllShapes, RegistryRoundTrip,
    ::testing::Values(
        round_trip_case{"plain_string", REG_SZ, utf16_bytes(u"/usr/lib/quillet/libcounter.so")},
        round_trip_case{"empty_string", REG_SZ, utf16_bytes(u"")},
        round_trip_case{"escapes", REG_SZ, utf16_bytes(u"say \"hi\"\\ then\nnew line\r\tand ; # [x] = @")},
        round_trip_case{"non_ascii", REG_SZ, utf16_bytes(u"Gr\u00FC\u00DFe \u65E5\u672C \U0001F600")},
        round_trip_case{"control_chars", REG_SZ, utf16_bytes(u"bell\u0007 esc\u001B del\u007F")},
        round_trip_case{"unpaired_surrogate", REG_SZ, utf16_bytes(std::u16string(u"a") + char16_t(0xD800) + u"b")},
        round_trip_case{"embedded_nul", REG_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0}},
        round_trip_case{"dword", REG_DWORD, {0x78, 0x56, 0x34, 0x12}},
        round_trip_case{"dword_zero", REG_DWORD, {0, 0, 0, 0}},
        round_trip_case{"dword_odd_size", REG_DWORD, {1, 2}},
        round_trip_case{"binary", REG_BINARY, {0x00, 0xFF, 0x10, 0x7F}},
        round_trip_case{"binary_empty", REG_BINARY, {}},
        round_trip_case{"expand_string", REG_EXPAND_SZ, utf16_bytes(u"$HOME/lib")},
        round_trip_case{"qword", 11, {1, 2, 3, 4, 5, 6, 7, 8}},
        round_trip_case{"none", REG_NONE, {}}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(RegistryValues, StringSetWithoutItsTerminatorComesBackTerminated)
{
    ASSERT_EQ(set_bytes(key.get(), u"s", REG_SZ, utf16_bytes(u"abc", false)), ERROR_SUCCESS);
    std::vector<BYTE> back;
    DWORD type = 0;
    ASSERT_EQ(query_bytes(key.get(), u"s", &type, &back), ERROR_SUCCESS);
    EXPECT_EQ(back, utf16_bytes(u"abc"));
}

TEST_F(RegistryValues, SmallBufferGetsMoreDataAndTheNeededSize)
{
    ASSERT_EQ(set_string(key.get(), u"s", u"twelve chars"), ERROR_SUCCESS);
    std::vector<BYTE> buf(10, 0xAB);
    DWORD size = static_cast<DWORD>(buf.size()), type = 0;
    EXPECT_EQ(RegQueryValueExW(key.get(), u"s", nullptr, &type, buf.data(), &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 26u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    size = 26;
    buf.resize(26);
    EXPECT_EQ(RegQueryValueExW(key.get(), u"s", nullptr, nullptr, buf.data(), &size), ERROR_SUCCESS);
    EXPECT_EQ(buf, utf16_bytes(u"twelve chars"));
}

TEST_F(RegistryValues, LargerBufferReportsTheActualSize)
{
    ASSERT_EQ(set_dword(key.get(), u"d", 7), ERROR_SUCCESS);
    BYTE buf[64] = {};
    DWORD size = sizeof buf;
    ASSERT_EQ(RegQueryValueExW(key.get(), u"d", nullptr, nullptr, buf, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(buf[0], 7);
}

TEST_F(RegistryValues, TypeAloneCanBeAskedFor)
{
    ASSERT_EQ(set_dword(key.get(), u"d", 7), ERROR_SUCCESS);
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExW(key.get(), u"d", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
}

TEST_F(RegistryValues, RefusedQueries)
{
    DWORD size = 4, reserved = 0;
    BYTE buf[4];
    EXPECT_EQ(RegQueryValueExW(key.get(), u"missing", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(set_dword(key.get(), u"d", 1), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(key.get(), u"d", &reserved, nullptr, nullptr, &size), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExW(key.get(), u"d", nullptr, nullptr, buf, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueExW(key.get(), u"d", 0, REG_BINARY, nullptr, 3), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryValues, NullAndEmptyNameAreBothTheDefaultValue)
{
    ASSERT_EQ(set_string(key.get(), nullptr, u"default"), ERROR_SUCCESS);
    std::u16string text;
    ASSERT_EQ(query_string(key.get(), u"", &text), ERROR_SUCCESS);
    EXPECT_EQ(text, u"default");
    ASSERT_EQ(set_string(key.get(), u"", u"changed"), ERROR_SUCCESS);
    ASSERT_EQ(query_string(key.get(), nullptr, &text), ERROR_SUCCESS);
    EXPECT_EQ(text, u"changed");
}

TEST_F(RegistryValues, SettingAgainReplacesTypeAndData)
{
    ASSERT_EQ(set_string(key.get(), u"x", u"text"), ERROR_SUCCESS);
    ASSERT_EQ(set_dword(key.get(), u"x", 5), ERROR_SUCCESS);
    DWORD type = 0;
    std::vector<BYTE> back;
    ASSERT_EQ(query_bytes(key.get(), u"x", &type, &back), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(back, (std::vector<BYTE>{5, 0, 0, 0}));
}

TEST_F(RegistryValues, ValueNamesIgnoreCaseAndKeepTheirFirstSpelling)
{
    ASSERT_EQ(set_string(key.get(), u"ThreadingModel", u"Apartment"), ERROR_SUCCESS);
    ASSERT_EQ(set_string(key.get(), u"THREADINGMODEL", u"Both"), ERROR_SUCCESS);
    std::u16string text;
    ASSERT_EQ(query_string(key.get(), u"threadingmodel", &text), ERROR_SUCCESS);
    EXPECT_EQ(text, u"Both");
    std::string file = registry.text();
    EXPECT_NE(file.find("\"ThreadingModel\"=\"Both\""), std::string::npos) << file;
    EXPECT_EQ(file.find("THREADINGMODEL"), std::string::npos) << file;
}

struct file_line_case {
    const char *label;
    const char16_t *name;
    DWORD type;
    std::vector<BYTE> data;
    const char *line;
};

class RegistryFileLines : public RegistryValues, public ::testing::WithParamInterface<file_line_case> {};

TEST_P(RegistryFileLines, ValueIsWrittenAsThisLine)
{
    const file_line_case &c = GetParam();
    ASSERT_EQ(set_bytes(key.get(), c.name, c.type, c.data), ERROR_SUCCESS);
    std::string file = registry.text();
    EXPECT_NE(file.find("[CLSID\\{11111111-2222-3333-4444-555555555555}]\n"), std::string::npos) << file;
    EXPECT_NE(file.find(std::string("\n") + c.line + "\n"), std::string::npos) << file;
}

INSTANTIATE_TEST_SUITE_P(
    Readable, RegistryFileLines,
    ::testing::Values(
        file_line_case{"default", nullptr, REG_SZ, utf16_bytes(u"/opt/lib/a.so"), "@=\"/opt/lib/a.so\""},
        file_line_case{"named", u"ThreadingModel", REG_SZ, utf16_bytes(u"Apartment"), "\"ThreadingModel\"=\"Apartment\""},
        file_line_case{"escaped", u"q\"n", REG_SZ, utf16_bytes(u"a\\b\"c\nd"), "\"q\\\"n\"=\"a\\\\b\\\"c\\nd\""},
        file_line_case{"utf8", u"u", REG_SZ, utf16_bytes(u"\u00E9"), "\"u\"=\"\xC3\xA9\""},
        file_line_case{"control", u"c", REG_SZ, utf16_bytes(u"\u0001"), "\"c\"=\"\\u0001\""},
        file_line_case{"dword", u"x", REG_DWORD, {1, 0, 0, 0}, "\"x\"=dword:00000001"},
        file_line_case{"dword_high", u"x", REG_DWORD, {0xEF, 0xBE, 0xAD, 0xDE}, "\"x\"=dword:deadbeef"},
        file_line_case{"binary", u"b", REG_BINARY, {0x01, 0xAB}, "\"b\"=hex:01,ab"},
        file_line_case{"other_type", u"e", REG_EXPAND_SZ, {0x41, 0, 0, 0}, "\"e\"=hex(2):41,00,00,00"}),
    [](const auto &info) { return std::string(info.param.label); });

TEST(RegistryFile, HandWrittenFileIsRead)
{
    temp_registry registry;
    registry.set_text("\xEF\xBB\xBF; written by hand\r\n"
                      "\r\n"
                      "# another comment\n"
                      "[CLSID\\{AAAAAAAA-0000-0000-0000-000000000000}\\InprocServer32]\r\n"
                      "  @ = \"/x/y.so\"  \n"
                      "\"ThreadingModel\"=\"Apartment\"\n"
                      "\"n\"=dword:FF\n"
                      "\"b\"=hex: 01 , 02\n"
                      "\"e\"=hex(2):41,00,00,00\n");
    reg_key key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"clsid\\{aaaaaaaa-0000-0000-0000-000000000000}\\inprocserver32", 0,
                            KEY_READ, key.put()),
              ERROR_SUCCESS);
    std::u16string text;
    ASSERT_EQ(query_string(key.get(), nullptr, &text), ERROR_SUCCESS);
    EXPECT_EQ(text, u"/x/y.so");
    ASSERT_EQ(query_string(key.get(), u"ThreadingModel", &text), ERROR_SUCCESS);
    EXPECT_EQ(text, u"Apartment");
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_EQ(query_bytes(key.get(), u"n", &type, &data), ERROR_SUCCESS);
    EXPECT_EQ(data, (std::vector<BYTE>{0xFF, 0, 0, 0}));
    ASSERT_EQ(query_bytes(key.get(), u"b", &type, &data), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(data, (std::vector<BYTE>{1, 2}));
    ASSERT_EQ(query_bytes(key.get(), u"e", &type, &data), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
}

TEST(RegistryFile, MissingFileIsAnEmptyRegistryAndIsCreatedByTheFirstChange)
{
    temp_registry registry;
    reg_key key;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"CLSID", 0, KEY_READ, key.put()), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(std::filesystem::exists(registry.path()));
    ASSERT_EQ(put_string(u"A.B", nullptr, u"x"), ERROR_SUCCESS);
    EXPECT_TRUE(std::filesystem::exists(registry.path()));
}

TEST(RegistryFile, EachCallFollowsTheCurrentEnvironment)
{
    temp_registry first;
    ASSERT_EQ(put_string(u"Only.First", nullptr, u"1"), ERROR_SUCCESS);
    {
        temp_registry second;  // points OLEAUT_REGISTRY elsewhere while it lives
        reg_key key;
        EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Only.First", 0, KEY_READ, key.put()), ERROR_FILE_NOT_FOUND);
    }
    reg_key key;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Only.First", 0, KEY_READ, key.put()), ERROR_SUCCESS);
}

struct default_location_case {
    const char *label;
    bool set_xdg;
    bool set_home;
    const char *relative_file;  // under the temporary directory
};

class RegistryDefaultLocation : public ::testing::TestWithParam<default_location_case> {};

TEST_P(RegistryDefaultLocation, FileIsCreatedWhereThePlatformConventionSays)
{
    const default_location_case &c = GetParam();
    std::string dir = make_temp_directory();
    {
        scoped_env registry("OLEAUT_REGISTRY", std::nullopt);
        scoped_env xdg("XDG_DATA_HOME", c.set_xdg ? std::optional<std::string>(dir + "/data") : std::nullopt);
        scoped_env home("HOME", c.set_home ? std::optional<std::string>(dir + "/home") : std::nullopt);
        ASSERT_EQ(put_string(u"Where.Am.I", nullptr, u"here"), ERROR_SUCCESS);
    }
    EXPECT_TRUE(std::filesystem::exists(dir + c.relative_file));
    std::filesystem::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Conventions, RegistryDefaultLocation,
                         ::testing::Values(default_location_case{"xdg", true, true, "/data/oleaut/registry"},
                                           default_location_case{"home", false, true,
                                                                 "/home/.local/share/oleaut/registry"}),
                         [](const auto &info) { return std::string(info.param.label); });

}  // namespace
