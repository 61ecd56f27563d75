// Series: NewSeries, Count after every add and delete, values and headings bound to
// live cells, names, borders, fills and data labels with the arguments the component
// passes.
#include "spreadsheet/host_fixture.hpp"

namespace {

using namespace test_support;
using sheethost::host_error;

using SeriesTest = HostTest;

std::vector<variant> elements(const variant &array)
{
    std::vector<variant> out;
    EXPECT_EQ(array.vt, VT_ARRAY | VT_VARIANT);
    if (array.vt != (VT_ARRAY | VT_VARIANT))
        return out;
    LONG low = 0, high = -1;
    SafeArrayGetLBound(array.parray, 1, &low);
    SafeArrayGetUBound(array.parray, 1, &high);
    EXPECT_EQ(low, 1);
    for (LONG i = low; i <= high; ++i) {
        variant v;
        EXPECT_EQ(SafeArrayGetElement(array.parray, &i, v.put()), S_OK);
        out.push_back(std::move(v));
    }
    return out;
}

TEST_F(SeriesTest, CountFollowsEveryAddAndDelete)
{
    open_chart_workbook();
    late_bound collection = chart.call_object(u"SeriesCollection");
    EXPECT_EQ(collection.get(u"Count").lVal, 0);
    for (LONG n = 1; n <= 3; ++n) {
        collection.call(u"NewSeries");
        EXPECT_EQ(collection.get(u"Count").lVal, n);
        EXPECT_EQ(series_count(), n);
    }
    variant deleted = chart.call_object(u"SeriesCollection", {variant::i2(2)}).call(u"Delete");
    EXPECT_EQ(deleted.vt, VT_BOOL);
    EXPECT_EQ(series_count(), 2);
    EXPECT_EQ(text(chart.call_object(u"SeriesCollection", {variant::i2(2)}).get(u"Name")), u"Series3");
    // Reset's loop: take one series, delete it, count again.
    while (series_count() > 0)
        chart.call_object(u"SeriesCollection", {variant::i2(1)}).call(u"Delete");
    EXPECT_EQ(collection.get(u"Count").lVal, 0);
}

TEST_F(SeriesTest, ValuesStayBoundToTheCells)
{
    open_chart_workbook();
    late_bound series = add_series(2, {u"10", u"20.5", u"-3"}, u"Sales");
    EXPECT_EQ(text(series.get(u"Formula")), u"=SERIES(\"Sales\",,Sheet1!$B$1:$B$3,1)");
    std::vector<variant> values = elements(series.get(u"Values"));
    ASSERT_EQ(values.size(), 3u);
    EXPECT_DOUBLE_EQ(values[1].dblVal, 20.5);

    // Binding by reference, as a client sets an object property, binds the same way.
    series.put_ref(u"Values", column_range(2, 1, 3));
    EXPECT_EQ(text(series.get(u"Formula")), u"=SERIES(\"Sales\",,Sheet1!$B$1:$B$3,1)");

    set_cell(2, 2, decimal(u"99"));  // a cell changed after binding
    set_cell(3, 2, variant::str(u"n/a"));
    values = elements(series.get(u"Values"));
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[1].vt, VT_R8);
    EXPECT_DOUBLE_EQ(values[1].dblVal, 99);
    EXPECT_EQ(values[2].vt, VT_EMPTY);  // text is no value
}

TEST_F(SeriesTest, XValuesOfTheFirstSeriesTakeTheHeadings)
{
    open_chart_workbook();
    add_series(2, {u"1", u"2"}, u"A");
    add_series(3, {u"3", u"4"}, u"B");
    set_cell(1, 1, variant::str(u"Jan"));
    set_cell(2, 1, variant::str(u"Feb"));
    late_bound first = chart.call_object(u"SeriesCollection", {variant::i2(1)});
    first.put(u"XValues", column_range(1, 1, 2).as_arg());
    std::vector<variant> headings = elements(first.get(u"XValues"));
    ASSERT_EQ(headings.size(), 2u);
    EXPECT_EQ(text(headings[1]), u"Feb");
    EXPECT_EQ(text(first.get(u"Formula")), u"=SERIES(\"A\",Sheet1!$A$1:$A$2,Sheet1!$B$1:$B$2,1)");
    EXPECT_EQ(chart.call_object(u"SeriesCollection", {variant::i2(2)}).get(u"XValues").vt, VT_EMPTY);
}

TEST_F(SeriesTest, ValuesRefuseWhatIsNotOneLineOfThisWorkbooksCells)
{
    open_chart_workbook();
    late_bound series = chart.call_object(u"SeriesCollection").call_object(u"NewSeries");
    late_bound other_book = app.object(u"Workbooks").call_object(u"Add");
    late_bound foreign = other_book.object(u"Worksheets").object(u"Item", {variant::i2(1)}).object(u"Range", {variant::str(u"A1:A3")});
    struct row {
        const char *what;
        variant value;
        host_error code;
        const char16_t *says;
    };
    const row rows[] = {
        {"a block", data.object(u"Range", {variant::str(u"A1:B3")}).as_arg(), host_error::series_cells,
         u"Sheet1!$A$1:$B$3 cannot feed a series: a series takes one row or one column of cells"},
        {"a whole column", data.object(u"Range", {variant::str(u"A1:A65536")}).as_arg(), host_error::series_cells,
         u"at most 4000 cells, not 65536"},
        {"another workbook", foreign.as_arg(), host_error::invalid_range, u"is not a range of this workbook"},
        {"a number", variant::i4(1), host_error::invalid_range, u"Series.Values: 1 is not a range"},
        {"text", variant::str(u"=Sheet1!A1:A3"), host_error::invalid_range, u"is not a range"},
    };
    for (const row &r : rows) {
        SCOPED_TRACE(r.what);
        expect_host_error(error_of([&] { series.put(u"Values", r.value); }), r.code, r.says);
    }
    EXPECT_EQ(series.get(u"Values").vt, VT_EMPTY);
    // A row works as well as a column, and 4000 cells are allowed.
    series.put(u"Values", data.object(u"Range", {variant::str(u"A1:IV1")}).as_arg());
    EXPECT_EQ(elements(series.get(u"Values")).size(), 256u);
    series.put(u"XValues", data.object(u"Range", {variant::str(u"C1:C4000")}).as_arg());
    EXPECT_EQ(elements(series.get(u"XValues")).size(), 4000u);
}

TEST_F(SeriesTest, SeriesIndexesOutOfRangeAreRefused)
{
    open_chart_workbook();
    add_series(2, {u"1"}, u"Only");
    EXPECT_EQ(text(chart.call_object(u"SeriesCollection", {variant::str(u"only")}).get(u"Name")), u"Only");
    EXPECT_EQ(text(chart.call_object(u"SeriesCollection").call_object(u"Item", {variant::i4(1)}).get(u"Name")), u"Only");
    for (variant index : {variant::i2(0), variant::i2(2), variant::i4(-1), variant::str(u"Other")}) {
        oleaut::com_error e = error_of([&] { chart.call(u"SeriesCollection", {index}); });
        expect_host_error(e, host_error::series_index, u": the chart has 1");
    }
    EXPECT_EQ(error_of([&] { chart.call(u"SeriesCollection", {variant::i2(2)}); }).description(),
              u"There is no series 2: the chart has 1");
}

TEST_F(SeriesTest, ADeletedSeriesRefusesFurtherCalls)
{
    open_chart_workbook();
    late_bound series = add_series(2, {u"1"}, u"Gone");
    late_bound border = series.object(u"Border");
    series.call(u"Delete");
    expect_host_error(error_of([&] { series.get(u"Name"); }), host_error::object_deleted,
                      u"Series \"Gone\" was deleted and can no longer be used");
    expect_host_error(error_of([&] { series.call(u"Delete"); }), host_error::object_deleted);
    expect_host_error(error_of([&] { border.put(u"Weight", variant::i4(2)); }), host_error::object_deleted);
    EXPECT_EQ(series_count(), 0);
}

TEST_F(SeriesTest, NameBorderFillAndLabelsTakeTheComponentsArguments)
{
    open_chart_workbook();
    late_bound series = add_series(2, {u"1", u"2"}, u"");
    EXPECT_EQ(text(series.get(u"Name")), u"");
    series.put(u"Name", variant::str(u"Revenue"));
    EXPECT_EQ(text(series.get(u"Name")), u"Revenue");

    series.object(u"Border").put(u"Weight", variant::i4(2));
    series.object(u"Border").put(u"LineStyle", variant::i4(-4105));
    EXPECT_EQ(series.object(u"Border").get(u"Weight").lVal, 2);
    EXPECT_EQ(series.object(u"Border").get(u"LineStyle").lVal, -4105);

    series.object(u"Fill").call(u"OneColorGradient", {},
                                {{u"Style", variant::i2(1)}, {u"Variant", variant::i2(1)},
                                 {u"Degree", variant::r8(0.231372549019608)}});
    late_bound fill = series.object(u"Fill");
    EXPECT_EQ(fill.get(u"Type").lVal, 3);  // msoFillGradient
    EXPECT_EQ(fill.get(u"GradientStyle").lVal, 1);
    EXPECT_EQ(fill.get(u"GradientVariant").lVal, 1);
    EXPECT_FLOAT_EQ(fill.get(u"GradientDegree").fltVal, 0.231372549019608f);

    EXPECT_EQ(series.get(u"HasDataLabels").boolVal, VARIANT_FALSE);
    variant applied = series.call(u"ApplyDataLabels", {},
                                  {{u"Type", variant::i2(2)}, {u"AutoText", variant::boolean(true)},
                                   {u"LegendKey", variant::boolean(false)}});
    EXPECT_EQ(applied.vt, VT_BOOL);
    EXPECT_EQ(series.get(u"HasDataLabels").boolVal, VARIANT_TRUE);
    series.call(u"ApplyDataLabels", {variant::i4(-4142)});  // xlDataLabelsShowNone
    EXPECT_EQ(series.get(u"HasDataLabels").boolVal, VARIANT_FALSE);
    expect_host_error(error_of([&] { series.call(u"ApplyDataLabels", {variant::i4(9)}); }),
                      host_error::invalid_argument, u"ApplyDataLabels Type must be");
    expect_host_error(error_of([&] { series.call(u"ApplyDataLabels", {}, {{u"LegendKey", variant::str(u"maybe")}}); }),
                      host_error::invalid_argument, u"ApplyDataLabels LegendKey must be True or False, not \"maybe\"");
}

TEST_F(SeriesTest, AChartHoldsAtMost255Series)
{
    open_chart_workbook();
    late_bound collection = chart.call_object(u"SeriesCollection");
    for (int i = 0; i < 255; ++i)
        collection.call(u"NewSeries");
    expect_host_error(error_of([&] { collection.call(u"NewSeries"); }), host_error::too_many_series,
                      u"A chart holds at most 255 series");
    EXPECT_EQ(collection.get(u"Count").lVal, 255);
}

}  // namespace
