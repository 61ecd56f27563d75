// Workbook and Worksheets: the data sheet and the chart sheet the component makes,
// sheet order, and Close.
#include "spreadsheet/host_fixture.hpp"

namespace {

using namespace test_support;
using sheethost::host_error;

using WorkbookTest = HostTest;

TEST_F(WorkbookTest, ComponentSetupGivesAnEmptyDataSheetAndAChartWithoutSeries)
{
    open_chart_workbook();
    EXPECT_EQ(text(data.get(u"Name")), u"Sheet1");
    EXPECT_EQ(data.object(u"Cells").get(u"Count").lVal, 65536 * 256);
    EXPECT_EQ(text(chart.get(u"Name")), u"Chart1");
    EXPECT_EQ(series_count(), 0);
    // A chart sheet is not a worksheet: Worksheets still counts one, Sheets two.
    EXPECT_EQ(book.object(u"Worksheets").get(u"Count").lVal, 1);
    EXPECT_EQ(book.object(u"Sheets").get(u"Count").lVal, 2);
    EXPECT_EQ(text(book.object(u"Worksheets").object(u"_Default", {variant::i4(1)}).get(u"Name")), u"Sheet1");
}

TEST_F(WorkbookTest, NewSheetsGoBeforeTheActiveSheetUnlessPlaced)
{
    open_chart_workbook();
    late_bound sheets = book.object(u"Sheets");
    auto names = [&] {
        std::u16string all;
        LONG n = sheets.get(u"Count").lVal;
        for (LONG i = 1; i <= n; ++i)
            all += text(sheets.object(u"Item", {variant::i4(i)}).get(u"Name")) + u" ";
        return all;
    };
    EXPECT_EQ(names(), u"Chart1 Sheet1 ");
    sheets.call(u"Add", {variant::missing(), data.as_arg()});
    EXPECT_EQ(names(), u"Chart1 Sheet1 Sheet2 ");
    sheets.call(u"Add", {data.as_arg()}, {{u"Count", variant::i2(2)}});
    EXPECT_EQ(names(), u"Chart1 Sheet3 Sheet4 Sheet1 Sheet2 ");
    late_bound last = sheets.call_object(u"Add", {}, {{u"After", data.as_arg()}, {u"Type", variant::i4(kXlChart)}});
    EXPECT_EQ(text(last.get(u"Name")), u"Chart2");
    EXPECT_EQ(last.get(u"Index").lVal, 5);
    EXPECT_EQ(names(), u"Chart1 Sheet3 Sheet4 Sheet1 Chart2 Sheet2 ");
}

TEST_F(WorkbookTest, AddRefusesWhatItCannotDo)
{
    open_chart_workbook();
    late_bound sheets = book.object(u"Worksheets");
    late_bound other_book = app.object(u"Workbooks").call_object(u"Add");
    late_bound foreign = other_book.object(u"Worksheets").object(u"Item", {variant::i2(1)});
    struct owned_arg {
        const char16_t *name;
        variant value;
    };
    struct row {
        const char *what;
        std::vector<owned_arg> args;
        const char16_t *says;
    };
    const std::vector<row> rows = {
        {"a macro sheet", {{u"Type", variant::i4(3)}}, u"Type must be -4167 (xlWorksheet) or -4109 (xlChart), not 3"},
        {"no sheets", {{u"Count", variant::i4(0)}}, u"Count must be from 1 to 255"},
        {"both places", {{u"Before", data.as_arg()}, {u"After", data.as_arg()}}, u"not both"},
        {"another workbook's sheet", {{u"Before", foreign.as_arg()}}, u"not in workbook \"Book1\""},
        {"a number for a sheet", {{u"After", variant::i4(1)}}, u"After must be a sheet"},
    };
    for (const row &r : rows) {
        SCOPED_TRACE(r.what);
        std::vector<named_arg> named;
        for (const owned_arg &a : r.args)
            named.push_back({a.name, a.value});
        expect_host_error(error_of([&] { sheets.call(u"Add", {}, named); }), host_error::invalid_argument, r.says);
    }
    EXPECT_EQ(book.object(u"Sheets").get(u"Count").lVal, 2);
}

TEST_F(WorkbookTest, SheetIndexesOutOfRangeAreRefused)
{
    open_chart_workbook();
    late_bound sheets = book.object(u"Worksheets");
    for (variant index : {variant::i2(0), variant::i2(2), variant::str(u"Chart1")})
        expect_host_error(error_of([&] { sheets.get(u"Item", {index}); }), host_error::sheet_index,
                          u"the workbook has 1 worksheet");
    expect_host_error(error_of([&] { sheets.get(u"Item", {variant::null()}); }), host_error::invalid_argument,
                      u"Sheets index must be a whole number, not Null");
}

TEST_F(WorkbookTest, SheetNamesFollowTheClassicRules)
{
    open_chart_workbook();
    data.put(u"Name", variant::str(u"Data"));
    EXPECT_EQ(text(book.object(u"Worksheets").object(u"Item", {variant::str(u"DATA")}).get(u"Name")), u"Data");
    for (const char16_t *bad : {u"", u"a/b", u"chart1", u"0123456789012345678901234567890123"})
        expect_host_error(error_of([&] { data.put(u"Name", variant::str(bad)); }), host_error::invalid_argument,
                          u"Cannot name sheet \"Data\"");
    EXPECT_EQ(text(data.get(u"Name")), u"Data");
}

TEST_F(WorkbookTest, CloseWithoutSavingDiscardsTheWorkbookAndItsObjects)
{
    open_chart_workbook();
    set_cell(1, 2, decimal(u"5"));
    late_bound cells = data.object(u"Cells");
    late_bound books = app.object(u"Workbooks");
    late_bound second = books.call_object(u"Add");
    EXPECT_EQ(books.get(u"Count").lVal, 2);

    books.object(u"Item", {variant::i2(1)}).call(u"Close", {}, {{u"SaveChanges", variant::boolean(false)}});
    EXPECT_EQ(books.get(u"Count").lVal, 1);
    EXPECT_EQ(text(app.object(u"ActiveWorkbook").get(u"Name")), u"Book2");
    EXPECT_EQ(text(second.get(u"Name")), u"Book2");  // the other workbook is untouched

    // Everything that belonged to the closed workbook refuses, naming what it is.
    expect_host_error(error_of([&] { book.get(u"Name"); }), host_error::workbook_closed,
                      u"The workbook is closed: Workbook of Book1 can no longer be used");
    expect_host_error(error_of([&] { cells.get(u"Count"); }), host_error::workbook_closed, u"Range of Book1");
    expect_host_error(error_of([&] { data.object(u"Cells"); }), host_error::workbook_closed, u"Worksheet");
    expect_host_error(error_of([&] { series_count(); }), host_error::workbook_closed, u"Chart");
}

TEST_F(WorkbookTest, CloseRefusesToSaveAndKeepsTheWorkbookOpen)
{
    open_chart_workbook();
    for (variant save : {variant::boolean(true), variant::i2(1)})
        expect_host_error(error_of([&] { book.call(u"Close", {save, variant::str(u"/tmp/x.xls")}); }),
                          host_error::invalid_argument, u"cannot save workbooks");
    EXPECT_EQ(app.object(u"Workbooks").get(u"Count").lVal, 1);
    book.call(u"Close");  // SaveChanges left out: nobody to ask, so it discards
    EXPECT_EQ(app.object(u"Workbooks").get(u"Count").lVal, 0);
    EXPECT_EQ(app.get(u"ActiveWorkbook").pdispVal, nullptr);
}

}  // namespace
