// Cells and ranges: decimals and strings in cells, Cells(row, column) and Range(Cell1,
// Cell2) as the component uses them, ClearContents, and the sheet's bounds.
#include "spreadsheet/host_fixture.hpp"

namespace {

using namespace test_support;
using sheethost::host_error;

using RangeTest = HostTest;

std::u16string decimal_text(const variant &v)
{
    EXPECT_EQ(v.vt, VT_DECIMAL);
    return text(v.changed_to(VT_BSTR));
}

TEST_F(RangeTest, CellsKeepDecimalsAndStringsAsGiven)
{
    open_chart_workbook();
    set_cell(1, 2, decimal(u"1234.5678"));
    set_cell(2, 2, decimal(u"-0.231372549019608"));
    set_cell(1, 1, variant::str(u"Jan"));
    set_cell(3, 1, variant::str(u"\tTabbed "));

    // Cells(row, column) is a Range, as in the classic host; its value is the cell's.
    EXPECT_EQ(data.get(u"Cells", {variant::i2(1), variant::i2(2)}).vt, VT_DISPATCH);
    EXPECT_EQ(decimal_text(data.object(u"Cells", {variant::i2(1), variant::i2(2)}).get(u"Value")), u"1234.5678");
    EXPECT_EQ(decimal_text(data.object(u"Cells").object(u"Item", {variant::i4(2), variant::i4(2)}).get(u"_Default")),
              u"-0.231372549019608");
    EXPECT_EQ(text(data.object(u"Cells", {variant::i2(1), variant::i2(1)}).get(u"Value")), u"Jan");
    EXPECT_EQ(text(data.object(u"Range", {variant::str(u"A3")}).get(u"Value")), u"\tTabbed ");
    EXPECT_EQ(data.object(u"Cells", {variant::i2(4), variant::i2(1)}).get(u"Value").vt, VT_EMPTY);
}

TEST_F(RangeTest, ItemPutThroughEveryPathTheComponentMayUse)
{
    open_chart_workbook();
    late_bound cells = data.object(u"Cells");
    cells.put(u"Item", variant::i4(10), {variant::i2(5), variant::i2(3)});
    cells.put(u"_Default", variant::i4(11), {variant::i2(6), variant::i2(3)});
    data.object(u"Cells", {variant::i2(7), variant::i2(3)}).put(u"Value", variant::i4(12));
    data.put(u"Cells", variant::i4(13), {variant::i2(8), variant::i2(3)});
    for (LONG row = 5; row <= 8; ++row)
        EXPECT_EQ(cells.object(u"Item", {variant::i4(row), variant::i4(3)}).get(u"Value").lVal, row + 5);
    EXPECT_EQ(text(data.object(u"Range", {variant::str(u"C5:C8")}).get(u"Address")), u"$C$5:$C$8");
}

TEST_F(RangeTest, RangeOfTwoCellsCoversEverythingBetweenThem)
{
    open_chart_workbook();
    late_bound range = column_range(2, 1, 25);
    EXPECT_EQ(range.get(u"Count").lVal, 25);
    EXPECT_EQ(text(range.get(u"Address")), u"$B$1:$B$25");

    late_bound corner = data.object(u"Cells", {variant::i2(3), variant::i2(4)});
    late_bound reversed = data.object(u"Range", {corner.as_arg(), variant::str(u"b1")});
    EXPECT_EQ(text(reversed.get(u"Address")), u"$B$1:$D$3");
    EXPECT_EQ(reversed.get(u"Row").lVal, 1);
    EXPECT_EQ(reversed.get(u"Column").lVal, 2);
    EXPECT_EQ(reversed.get(u"Count").lVal, 9);
    // Item counts from the range's own corner.
    late_bound inner = reversed.object(u"Item", {variant::i2(2), variant::i2(3)});
    EXPECT_EQ(text(inner.get(u"Address")), u"$D$2");
    EXPECT_EQ(text(reversed.object(u"Item", {variant::i2(4)}).get(u"Address")), u"$B$2");
    EXPECT_EQ(text(reversed.object(u"Item", {variant::i2(1), variant::str(u"C")}).get(u"Address")), u"$D$1");
}

TEST_F(RangeTest, RangeRefusesAddressesAndObjectsItCannotUse)
{
    open_chart_workbook();
    late_bound other = book.object(u"Worksheets").call_object(u"Add");
    late_bound foreign_cell = other.object(u"Cells", {variant::i2(1), variant::i2(1)});
    struct row {
        const char *what;
        variant cell1;
        host_error code;
        const char16_t *says;
    };
    const row rows[] = {
        {"past the last column", variant::str(u"IW1"), host_error::invalid_argument, u"\"IW1\" is not an address"},
        {"row 0", variant::str(u"A0"), host_error::invalid_argument, u"(A1 to IV65536)"},
        {"past the last row", variant::str(u"A65537"), host_error::invalid_argument, u"is not an address"},
        {"garbage", variant::str(u"Sales!"), host_error::invalid_argument, u"is not an address"},
        {"another sheet's cell", foreign_cell.as_arg(), host_error::invalid_argument,
         u"Cell1 is on sheet \"Sheet2\", not on \"Sheet1\""},
        {"not a range", chart.as_arg(), host_error::invalid_range, u"is not a range of this workbook"},
        {"a number", variant::i4(5), host_error::invalid_argument, u"must be an address such as"},
    };
    for (const row &r : rows) {
        SCOPED_TRACE(r.what);
        expect_host_error(error_of([&] { data.get(u"Range", {r.cell1}); }), r.code, r.says);
    }
}

TEST_F(RangeTest, CellIndexesStayInsideTheSheet)
{
    open_chart_workbook();
    late_bound cells = data.object(u"Cells");
    struct row {
        variant row_index, column_index;
        const char16_t *says;
    };
    const row rows[] = {
        {variant::i2(0), variant::i2(1), u"Cell (0, 1)"},
        {variant::i4(65537), variant::i2(1), u"Cell (65537, 1)"},
        {variant::i2(1), variant::i2(0), u"Cell (1, 0)"},
        {variant::i2(1), variant::i2(257), u"Cell (1, 257)"},
        {variant::i2(-5), variant::i2(-5), u"Cell (-5, -5)"},
    };
    for (const row &r : rows) {
        expect_host_error(error_of([&] { cells.get(u"Item", {r.row_index, r.column_index}); }), host_error::cell_index,
                          r.says);
        expect_host_error(error_of([&] { data.put(u"Cells", variant::i4(1), {r.row_index, r.column_index}); }),
                          host_error::cell_index, u"is outside the sheet (rows 1 to 65536, columns 1 to 256)");
    }
    // The corners themselves are fine.
    cells.put(u"Item", variant::str(u"last"), {variant::i4(65536), variant::i4(256)});
    EXPECT_EQ(text(data.object(u"Range", {variant::str(u"IV65536")}).get(u"Value")), u"last");
}

TEST_F(RangeTest, CellsRefuseObjectsAndEmptyTextEmptiesThem)
{
    open_chart_workbook();
    expect_host_error(error_of([&] { set_cell(1, 1, chart.as_arg()); }), host_error::invalid_argument,
                      u"A cell takes a number, a date, a boolean, an error value or text, not an object");
    set_cell(1, 1, variant::str(u"x"));
    set_cell(1, 1, variant::str(u""));
    EXPECT_EQ(data.object(u"Range", {variant::str(u"A1")}).get(u"Value").vt, VT_EMPTY);
    set_cell(1, 1, variant::boolean(true));
    EXPECT_EQ(data.object(u"Range", {variant::str(u"A1")}).get(u"Value").vt, VT_BOOL);
}

TEST_F(RangeTest, ClearContentsEmptiesItsCellsOnly)
{
    open_chart_workbook();
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c)
            set_cell(r, c, variant::i4(r * 10 + c));
    variant done = data.object(u"Range", {variant::str(u"B2:C3")}).call(u"ClearContents");
    EXPECT_EQ(done.vt, VT_BOOL);
    late_bound cells = data.object(u"Cells");
    auto at = [&](SHORT r, SHORT c) { return data.object(u"Cells", {variant::i2(r), variant::i2(c)}).get(u"Value"); };
    EXPECT_EQ(at(2, 1).lVal, 21);
    EXPECT_EQ(at(1, 3).lVal, 13);
    EXPECT_EQ(at(2, 2).vt, VT_EMPTY);
    EXPECT_EQ(data.object(u"Cells", {variant::i2(2), variant::i2(2)}).get(u"Value").vt, VT_EMPTY);
    EXPECT_EQ(data.object(u"Cells", {variant::i2(3), variant::i2(3)}).get(u"Value").vt, VT_EMPTY);

    cells.call(u"ClearContents");  // what Reset does: every cell of the sheet
    variant all = data.object(u"Range", {variant::str(u"A1:C3")}).get(u"Value");
    ASSERT_EQ(all.vt, VT_ARRAY | VT_VARIANT);
    for (LONG r = 1; r <= 3; ++r)
        for (LONG c = 1; c <= 3; ++c) {
            LONG index[2] = {r, c};
            variant v;
            ASSERT_EQ(SafeArrayGetElement(all.parray, index, v.put()), S_OK);
            EXPECT_EQ(v.vt, VT_EMPTY) << r << "," << c;
        }
}

TEST_F(RangeTest, ValueOfSeveralCellsIsARowsByColumnsArray)
{
    open_chart_workbook();
    late_bound block = data.object(u"Range", {variant::str(u"A1:B2")});
    block.put(u"Value", variant::i4(7));
    variant got = block.get(u"Value");
    ASSERT_EQ(got.vt, VT_ARRAY | VT_VARIANT);
    ASSERT_EQ(SafeArrayGetDim(got.parray), 2u);
    LONG index[2] = {2, 1};
    variant v;
    ASSERT_EQ(SafeArrayGetElement(got.parray, index, v.put()), S_OK);
    EXPECT_EQ(v.lVal, 7);

    // A 2 x 3 array into a 3 x 3 range: the row past the array gets #N/A.
    SAFEARRAYBOUND bounds[2] = {{2, 1}, {3, 1}};
    variant array;
    array.vt = VT_ARRAY | VT_VARIANT;
    array.parray = SafeArrayCreate(VT_VARIANT, 2, bounds);
    for (LONG r = 1; r <= 2; ++r)
        for (LONG c = 1; c <= 3; ++c) {
            LONG at[2] = {r, c};
            variant e = variant::i4(r * 10 + c);
            ASSERT_EQ(SafeArrayPutElement(array.parray, at, &e), S_OK);
        }
    data.object(u"Range", {variant::str(u"D1:F3")}).put(u"Value", array);
    late_bound cells = data.object(u"Cells");
    auto at = [&](SHORT r, SHORT c) { return data.object(u"Cells", {variant::i2(r), variant::i2(c)}).get(u"Value"); };
    EXPECT_EQ(at(1, 4).lVal, 11);
    EXPECT_EQ(at(2, 6).lVal, 23);
    EXPECT_EQ(at(3, 5).vt, VT_ERROR);
    EXPECT_EQ(static_cast<uint32_t>(at(3, 5).scode), 0x800A07FAu);

    expect_host_error(error_of([&] { cells.get(u"Value"); }), host_error::invalid_argument,
                      u"(16777216 cells) cannot be read at once");
    cells.put(u"Value", variant());  // emptying the whole sheet is allowed
    EXPECT_EQ(at(1, 4).vt, VT_EMPTY);
}

}  // namespace
