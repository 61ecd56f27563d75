// The CSV splitter against RFC 4180: the exact records and fields of good input, and
// the line number and reason for input it refuses.
#include <gtest/gtest.h>

#include "recordset_test_support.hpp"
#include "sources/csv_parser.hpp"

namespace {

// A field written as text, with a leading '~' marking a quoted field, "|" between
// fields and "/" between records, so that expectations read like the input.
std::string render(const std::vector<recordset::csv_record> &records)
{
    std::string out;
    for (size_t r = 0; r < records.size(); ++r) {
        if (r)
            out += "/";
        out += std::to_string(records[r].line) + ":";
        for (size_t f = 0; f < records[r].fields.size(); ++f) {
            if (f)
                out += "|";
            out += (records[r].fields[f].quoted ? "~" : "") + records[r].fields[f].text;
        }
    }
    return out;
}

struct good_case {
    const char *name;
    std::string_view input;
    const char *expected;
};

const good_case kGood[] = {
    {"lf", "a,b\n1,2\n", "1:a|b/2:1|2"},
    {"crlf", "a,b\r\n1,2\r\n", "1:a|b/2:1|2"},
    {"no_final_break", "a,b\n1,2", "1:a|b/2:1|2"},
    {"bom", "\xEF\xBB\xBF" "a,b\n1,2", "1:a|b/2:1|2"},
    {"empty_fields", "a,b,c\n,,\n", "1:a|b|c/2:||"},
    {"quoted_empty", "a,b\n\"\",x\n", "1:a|b/2:~|x"},
    {"quoted_comma", "a\n\"x,y\"\n", "1:a/2:~x,y"},
    {"doubled_quote", "a\n\"say \"\"hi\"\"\"\n", "1:a/2:~say \"hi\""},
    {"quoted_line_break_counts_lines", "a,b\n\"1\n2\",3\n4,5\n", "1:a|b/2:~1\n2|3/4:4|5"},
    {"quoted_crlf_kept", "a\r\n\"1\r\n2\"\r\nz", "1:a/2:~1\r\n2/4:z"},
    {"spaces_kept", "a, b \n1 , 2\n", "1:a| b /2:1 | 2"},
    {"trailing_comma", "a,b\n1,", "1:a|b/2:1|"},
    {"trailing_blank_lines_dropped", "a\n1\n\n\r\n", "1:a/2:1"},
    {"blank_line_inside_is_a_record", "a\n\n1\n", "1:a/2:/3:1"},
    {"utf8_text", "n\nZo\xC3\xAB \xE2\x82\xAC \xF0\x9F\x93\x88\n", "1:n/2:Zo\xC3\xAB \xE2\x82\xAC \xF0\x9F\x93\x88"},
};

class CsvParserGood : public ::testing::TestWithParam<good_case> {};

TEST_P(CsvParserGood, SplitsRecordsAndFields)
{
    const good_case &c = GetParam();
    EXPECT_EQ(render(recordset::parse_csv(c.input, u"t.csv")), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CsvParserGood, ::testing::ValuesIn(kGood),
                         [](const auto &info) { return std::string(info.param.name); });

struct bad_case {
    const char *name;
    std::string_view input;
    const char *expected;  // part of the description, with the line
};

const bad_case kBad[] = {
    {"empty_file", "", "line 1: the file holds no header row"},
    {"bom_only", "\xEF\xBB\xBF", "line 1: the file holds no header row"},
    {"blank_only", "\n\n", "line 1: the file holds no header row"},
    {"open_quote", "a\n1\n\"never closed\n2\n", "line 3: the quoted field that starts on this line is not closed"},
    {"text_after_quote", "a,b\n\"x\"y,2\n", "line 2: text follows the closing quote"},
    {"quote_in_plain_field", "a\nsay \"hi\"\n", "line 2: a quote appears inside an unquoted field"},
    {"latin1_byte", "a\nok\nM\xFCller\n", "line 3: the bytes are not UTF-8"},
    {"overlong_utf8", "a\n\xC0\xAF\n", "line 2: the bytes are not UTF-8"},
    {"surrogate_utf8", "a\n\xED\xA0\x80\n", "line 2: the bytes are not UTF-8"},
    {"truncated_utf8", "a\nx\xE2\x82", "line 2: the bytes are not UTF-8"},
};

class CsvParserBad : public ::testing::TestWithParam<bad_case> {};

TEST_P(CsvParserBad, NamesFileLineAndReason)
{
    const bad_case &c = GetParam();
    rs_test::expect_error([&] { recordset::parse_csv(c.input, u"t.csv"); }, rs_test::kReadFile,
                          std::string("The CSV file 't.csv' is malformed at ") + c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CsvParserBad, ::testing::ValuesIn(kBad),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
