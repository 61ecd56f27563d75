// CSV files opened through IDispatch as a client opens them: header names the fields,
// every value is text, an empty unquoted field is Null and a quoted empty one "".
#include <gtest/gtest.h>

#include "recordset_test_support.hpp"

namespace {

using namespace rs_test;

// A value as the test expects it: "NULL", or the text itself.
std::string shown(const variant &v)
{
    if (v.vt == VT_NULL)
        return "NULL";
    if (v.vt != VT_BSTR)
        return "VT " + std::to_string(v.vt);
    return u8(std::u16string_view(v.bstrVal, SysStringLen(v.bstrVal)));
}

std::vector<std::string> shown_column(IDispatch *rs, std::u16string_view name)
{
    std::vector<std::string> out;
    for (const variant &v : read_column(rs, name))
        out.push_back(shown(v));
    return out;
}

TEST(CsvRecordset, ReadsEachColumnAsText)
{
    com_ptr<IDispatch> rs = open_recordset(std::nullopt, csv_connection(data_file("sales.csv")));
    EXPECT_EQ(get(rs.get(), u"RecordCount").lVal, 4);
    EXPECT_EQ(get(object_of(get(rs.get(), u"Fields")).get(), u"Count").lVal, 3);
    EXPECT_EQ(shown_column(rs.get(), u"Region"), (std::vector<std::string>{"North", "North", "South", "South"}));
    EXPECT_EQ(shown_column(rs.get(), u"sales"), (std::vector<std::string>{"120", "135.5", "98", "NULL"}));
    EXPECT_TRUE(eof(rs.get()));
}

TEST(CsvRecordset, QuotingBomCrlfAndUtf8)
{
    com_ptr<IDispatch> rs = open_recordset(std::nullopt, csv_connection(data_file("quoting.csv")));
    // The byte-order mark is not part of the first field's name.
    EXPECT_EQ(u8(get(field(rs.get(), u"Name").get(), u"Name").bstrVal), "Name");
    EXPECT_EQ(shown_column(rs.get(), u"Name"),
              (std::vector<std::string>{"Smith, Jane", "M\xC3\xBCller", "", "Zo\xC3\xAB \xE2\x82\xAC"}));
    EXPECT_EQ(shown_column(rs.get(), u"Note"), (std::vector<std::string>{"said \"hi\"", "two\r\nlines", "", "plain"}));
    EXPECT_EQ(shown_column(rs.get(), u"Amount"), (std::vector<std::string>{"10", "NULL", "-3", "7"}));
}

TEST(CsvRecordset, FieldsAreTextTyped)
{
    com_ptr<IDispatch> rs = open_recordset(std::nullopt, csv_connection(data_file("sales.csv")));
    EXPECT_EQ(get(field(rs.get(), u"Sales").get(), u"Type").lVal, 202);  // adVarWChar
}

TEST(CsvRecordset, RowWithTooFewFieldsNamesItsLine)
{
    expect_error([] { open_recordset(std::nullopt, csv_connection(data_file("ragged.csv"))); }, kReadFile,
                 "ragged.csv' is malformed at line 4: the row has 2 fields but the header has 3");
}

TEST(CsvRecordset, MissingFileIsAnError)
{
    scratch_dir dir;
    std::string missing = dir.file("nowhere.csv");
    expect_error([&] { open_recordset(std::nullopt, csv_connection(missing)); }, kOpeningFile,
                 "The file '" + missing + "' does not exist");
}

TEST(CsvRecordset, DirectoryIsNotAFile)
{
    expect_error([] { open_recordset(std::nullopt, csv_connection(TEST_DATA_DIR)); }, kOpeningFile,
                 "it is a directory, not a file");
}

TEST(CsvRecordset, RefusesASource)
{
    expect_error([] { open_recordset(u"SELECT * FROM sales", csv_connection(data_file("sales.csv"))); },
                 kInvalidArgument, "Provider=CSV reads the whole file named by Data Source");
}

TEST(CsvRecordset, IsReadOnly)
{
    com_ptr<IDispatch> rs = open_recordset(std::nullopt, csv_connection(data_file("sales.csv")));
    expect_error([&] { call(rs.get(), u"AddNew"); }, kNotUpdatable, "is read-only, so AddNew cannot run");
    expect_error([&] { put(field(rs.get(), u"Sales").get(), u"Value", variant::i4(1)); }, kNotUpdatable,
                 "the CSV file '");
    EXPECT_EQ(get(rs.get(), u"RecordCount").lVal, 4);
}

}  // namespace
