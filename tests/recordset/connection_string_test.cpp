// Reading connection strings: pairs, quoting, case of keys, and what cannot be read.
#include <gtest/gtest.h>

#include "recordset_test_support.hpp"
#include "sources/connection_string.hpp"

namespace {

using recordset::connection_settings;

struct parse_case {
    const char16_t *text;
    const char16_t *key;
    const char16_t *expected;  // nullptr: the key is absent
};

const parse_case kParseCases[] = {
    {u"Provider=SQLite;Data Source=/tmp/a.db", u"Data Source", u"/tmp/a.db"},
    {u"provider = csv ; data source = sales.csv ;", u"PROVIDER", u"csv"},
    {u"provider = csv ; data source = sales.csv ;", u"Data Source", u"sales.csv"},
    {u"Data Source=\"C:\\a;b.csv\";Provider=CSV", u"data source", u"C:\\a;b.csv"},
    {u"Data Source='it''s.db'", u"Data Source", u"it's.db"},
    {u"Data Source=\"say \"\"x\"\"\"", u"Data Source", u"say \"x\""},
    {u"Provider=A;Provider=B", u"Provider", u"B"},
    {u";;Provider=A;;", u"Provider", u"A"},
    {u"Provider=", u"Provider", u""},
    {u"Provider=A", u"Data Source", nullptr},
    {u"", u"Provider", nullptr},
};

class ConnectionStringParse : public ::testing::TestWithParam<parse_case> {};

TEST_P(ConnectionStringParse, FindsTheValue)
{
    const parse_case &c = GetParam();
    connection_settings s = connection_settings::parse(c.text);
    const std::u16string *v = s.find(c.key);
    if (!c.expected) {
        EXPECT_EQ(v, nullptr) << rs_test::u8(*v);
        return;
    }
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(rs_test::u8(*v), rs_test::u8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, ConnectionStringParse, ::testing::ValuesIn(kParseCases));

struct bad_case {
    const char16_t *text;
    const char *why;
};

const bad_case kBadCases[] = {
    {u"Provider=CSV;sales.csv", "the part 'sales.csv' has no '='"},
    {u"=CSV", "has no key before its '='"},
    {u"Data Source=\"open.csv", "the quote opened at position 13 is not closed"},
    {u"Data Source=\"a.csv\"x;Provider=CSV", "text follows the closing quote at position 20"},
};

class ConnectionStringRefused : public ::testing::TestWithParam<bad_case> {};

TEST_P(ConnectionStringRefused, NamesTheFault)
{
    const bad_case &c = GetParam();
    rs_test::expect_error([&] { connection_settings::parse(c.text); }, rs_test::kInvalidConnection, c.why);
}

INSTANTIATE_TEST_SUITE_P(Cases, ConnectionStringRefused, ::testing::ValuesIn(kBadCases));

}  // namespace
