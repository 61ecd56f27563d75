// SQLite queries through IDispatch: the variant type of every storage class, field
// types, the read-only promise, and SQLite's own message for a query it refuses.
#include <gtest/gtest.h>

#include <filesystem>

#include "recordset_test_support.hpp"

namespace {

using namespace rs_test;

class SqliteRecordset : public ::testing::Test {
protected:
    com_ptr<IDispatch> query(const std::u16string &sql) { return open_recordset(sql, db_.connection()); }
    sample_database db_;
};

struct value_case {
    const char16_t *column;
    LONG id;
    VARTYPE vt;
    const char *text;  // the value as the runtime converts it to text; "" for Null
};

const value_case kValues[] = {
    {u"units", 1, VT_I4, "120"},
    {u"units", 3, VT_I4, "-98"},
    {u"units", 4, VT_NULL, ""},
    {u"serial", 1, VT_I8, "1099511627776"},
    {u"serial", 3, VT_I4, "2147483647"},
    {u"serial", 4, VT_I8, "-2147483649"},
    {u"revenue", 1, VT_R8, "1250.75"},
    {u"revenue", 3, VT_R8, "0.5"},
    {u"note", 1, VT_BSTR, "first"},
    {u"note", 2, VT_NULL, ""},
    {u"note", 3, VT_BSTR, "Zo\xC3\xAB \xE2\x82\xAC"},
    {u"note", 4, VT_BSTR, ""},
    {u"badge", 3, VT_NULL, ""},
};

class SqliteValues : public ::testing::TestWithParam<value_case> {
protected:
    sample_database db_;
};

TEST_P(SqliteValues, HaveTheirVariantType)
{
    const value_case &c = GetParam();
    com_ptr<IDispatch> rs =
        open_recordset(u"SELECT * FROM sales WHERE id = " + u16(std::to_string(c.id)), db_.connection());
    variant v = value_of(rs.get(), c.column);
    ASSERT_EQ(v.vt, c.vt);
    if (v.vt != VT_NULL) {
        EXPECT_EQ(v.to_bstr().utf8(), c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SqliteValues, ::testing::ValuesIn(kValues));

std::vector<unsigned char> bytes_of(const variant &v)
{
    EXPECT_EQ(v.vt, VT_ARRAY | VT_UI1);
    if (v.vt != (VT_ARRAY | VT_UI1))
        return {};
    LONG lo = 0, hi = -1;
    SafeArrayGetLBound(v.parray, 1, &lo);
    SafeArrayGetUBound(v.parray, 1, &hi);
    std::vector<unsigned char> out;
    for (LONG i = lo; i <= hi; ++i) {
        unsigned char b = 0;
        EXPECT_EQ(SafeArrayGetElement(v.parray, &i, &b), S_OK);
        out.push_back(b);
    }
    return out;
}

TEST_F(SqliteRecordset, BlobsAreByteArrays)
{
    com_ptr<IDispatch> rs = query(u"SELECT badge FROM sales WHERE badge IS NOT NULL ORDER BY id");
    std::vector<variant> badges = read_column(rs.get(), u"badge");
    ASSERT_EQ(badges.size(), 3u);
    EXPECT_EQ(bytes_of(badges[0]), (std::vector<unsigned char>{0x00, 0xFF, 0x10}));
    EXPECT_TRUE(bytes_of(badges[1]).empty());
    EXPECT_EQ(bytes_of(badges[2]), (std::vector<unsigned char>{0xCA, 0xFE}));
}

TEST_F(SqliteRecordset, FieldTypesDescribeTheValues)
{
    com_ptr<IDispatch> rs = query(u"SELECT id, units, serial, revenue, note, badge, region || 1 AS mixed FROM sales");
    const std::pair<const char16_t *, LONG> expected[] = {
        {u"id", 3}, {u"units", 3}, {u"serial", 20}, {u"revenue", 5}, {u"note", 202}, {u"badge", 205}, {u"mixed", 202},
    };
    for (const auto &[name, type] : expected)
        EXPECT_EQ(get(field(rs.get(), name).get(), u"Type").lVal, type) << u8(name);
}

TEST_F(SqliteRecordset, EmptyResultUsesDeclaredTypes)
{
    com_ptr<IDispatch> rs = query(u"SELECT name, amount, count FROM empty_table");
    EXPECT_TRUE(eof(rs.get()));
    EXPECT_TRUE(bof(rs.get()));
    EXPECT_EQ(get(rs.get(), u"RecordCount").lVal, 0);
    EXPECT_EQ(get(field(rs.get(), u"name").get(), u"Type").lVal, 202);
    EXPECT_EQ(get(field(rs.get(), u"amount").get(), u"Type").lVal, 5);
    EXPECT_EQ(get(field(rs.get(), u"count").get(), u"Type").lVal, 3);
}

TEST_F(SqliteRecordset, ViewsAndAggregates)
{
    com_ptr<IDispatch> rs = query(u"SELECT region, units FROM totals ORDER BY region");
    std::vector<variant> units = read_column(rs.get(), u"units");
    ASSERT_EQ(units.size(), 2u);
    EXPECT_EQ(units[0].lVal, 255);
    EXPECT_EQ(units[1].lVal, -98);
}

TEST_F(SqliteRecordset, MissingDatabaseIsAnErrorAndIsNotCreated)
{
    scratch_dir dir;
    std::string missing = dir.file("typo.db");
    expect_error([&] { open_recordset(u"SELECT 1", sqlite_connection(missing)); }, kOpeningFile,
                 "The file '" + missing + "' does not exist");
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(SqliteRecordset, FileThatIsNoDatabase)
{
    expect_error([] { open_recordset(u"SELECT * FROM sales", sqlite_connection(data_file("sales.csv"))); },
                 kProviderFailed, "SQLite refused the query: file is not a database. The query was: SELECT * FROM sales");
}

struct bad_query {
    const char16_t *sql;
    HRESULT hr;
    const char *part;
};

const bad_query kBadQueries[] = {
    {u"SELECT nope FROM sales", kProviderFailed,
     "SQLite refused the query: no such column: nope. The query was: SELECT nope FROM sales"},
    {u"SELEKT 1", kProviderFailed, "near \"SELEKT\": syntax error. The query was: SELEKT 1"},
    {u"SELECT 1; SELECT 2", kInvalidArgument, "more than one SQL statement"},
    {u"DELETE FROM sales RETURNING id", kProviderFailed, "attempt to write a readonly database"},
    {u"DELETE FROM sales", kInvalidArgument, "The query returns no columns"},
    {u"  -- nothing\n", kInvalidArgument, "needs a Source: the SQL query"},
};

class SqliteBadQuery : public ::testing::TestWithParam<bad_query> {
protected:
    sample_database db_;
};

TEST_P(SqliteBadQuery, ReportsSqlitesMessageAndTheQuery)
{
    const bad_query &c = GetParam();
    expect_error([&] { open_recordset(c.sql, db_.connection()); }, c.hr, c.part);
}

INSTANTIATE_TEST_SUITE_P(Cases, SqliteBadQuery, ::testing::ValuesIn(kBadQueries));

TEST_F(SqliteRecordset, QueryMustBeGiven)
{
    expect_error([&] { open_recordset(std::nullopt, db_.connection()); }, kInvalidArgument,
                 "Open with Provider=SQLite needs a Source");
}

TEST_F(SqliteRecordset, TrailingSemicolonAndCommentAreOneStatement)
{
    com_ptr<IDispatch> rs = query(u"SELECT units FROM sales WHERE id = 1; -- the first sale\n");
    EXPECT_EQ(value_of(rs.get(), u"units").lVal, 120);
}

TEST_F(SqliteRecordset, DatabaseIsUnchangedAfterReading)
{
    auto before = std::filesystem::last_write_time(db_.path());
    auto size = std::filesystem::file_size(db_.path());
    com_ptr<IDispatch> rs = query(u"SELECT * FROM sales");
    read_column(rs.get(), u"note");
    call(rs.get(), u"Close");
    EXPECT_EQ(std::filesystem::last_write_time(db_.path()), before);
    EXPECT_EQ(std::filesystem::file_size(db_.path()), size);
    expect_error([&] { call(query(u"SELECT * FROM sales").get(), u"AddNew"); }, kNotUpdatable,
                 "the SQLite query on '" + db_.path() + "' and is read-only");
}

}  // namespace
