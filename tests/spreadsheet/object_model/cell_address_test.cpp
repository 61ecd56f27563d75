// A1 addresses: column letters, reading and writing addresses, sheet references.
#include <gtest/gtest.h>

#include "model/cell_address.hpp"
#include "oleaut/utf.hpp"

namespace {

using namespace sheethost::model;

TEST(CellAddress, ColumnLettersBothWays)
{
    const struct {
        int column;
        const char16_t *letters;
    } rows[] = {{1, u"A"}, {26, u"Z"}, {27, u"AA"}, {52, u"AZ"}, {53, u"BA"}, {256, u"IV"}};
    for (const auto &r : rows) {
        EXPECT_EQ(column_letters(r.column), r.letters);
        EXPECT_EQ(column_from_letters(r.letters), r.column);
    }
    EXPECT_EQ(column_from_letters(u"iv"), 256);
    for (const char16_t *bad : {u"", u"IW", u"AAA", u"A1", u"-"})
        EXPECT_FALSE(column_from_letters(bad).has_value()) << oleaut::utf16_to_utf8(bad);
}

TEST(CellAddress, ParseAndFormat)
{
    const struct {
        const char16_t *text;
        cell_range range;
        const char16_t *absolute;
    } rows[] = {
        {u"A1", {1, 1, 1, 1}, u"$A$1"},
        {u"$b$3", {3, 2, 3, 2}, u"$B$3"},
        {u"B1:B25", {1, 2, 25, 2}, u"$B$1:$B$25"},
        {u"D3:B1", {1, 2, 3, 4}, u"$B$1:$D$3"},
        {u"IV65536", {65536, 256, 65536, 256}, u"$IV$65536"},
    };
    for (const auto &r : rows) {
        std::optional<cell_range> parsed = parse_address(r.text);
        ASSERT_TRUE(parsed.has_value()) << oleaut::utf16_to_utf8(r.text);
        EXPECT_EQ(*parsed, r.range);
        EXPECT_EQ(format_address(*parsed), r.absolute);
    }
    EXPECT_EQ(format_address({2, 1, 3, 2}, false), u"A2:B3");
    for (const char16_t *bad : {u"", u"A", u"1", u"A0", u"A65537", u"IW1", u"A1:", u":A1", u"A1:B", u"A 1", u"A1B2",
                                u"A12345678"})
        EXPECT_FALSE(parse_address(bad).has_value()) << oleaut::utf16_to_utf8(bad);
}

TEST(CellAddress, SheetReferencesQuoteNamesThatAreNotPlainWords)
{
    EXPECT_EQ(format_reference(u"Sheet1", {1, 2, 25, 2}), u"Sheet1!$B$1:$B$25");
    EXPECT_EQ(format_reference(u"Q1 data", {1, 1, 1, 1}), u"'Q1 data'!$A$1");
    EXPECT_EQ(format_reference(u"Bob's", {1, 1, 1, 1}), u"'Bob''s'!$A$1");
    EXPECT_EQ(format_reference(u"2024", {1, 1, 1, 1}), u"'2024'!$A$1");
}

}  // namespace
