// A fresh host per test, driven only through IDispatch by name, with the steps the
// component takes to set itself up, and checks for the host's own errors. Every test
// ends with no object of the host left alive.
#ifndef TESTS_SPREADSHEET_HOST_FIXTURE_HPP
#define TESTS_SPREADSHEET_HOST_FIXTURE_HPP

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/objects.hpp"
#include "host_errors.hpp"
#include "oleaut/dispatch/module.hpp"
#include "oleaut/late_bound.hpp"

namespace test_support {

using oleaut::variant;
using late_bound = oleaut::late::ref;
using oleaut::late::named_arg;

// The com_error that f throws; a test failure (and an empty error) when it throws none.
template <class F>
oleaut::com_error error_of(F &&f)
{
    try {
        f();
    } catch (const oleaut::com_error &e) {
        return e;
    }
    ADD_FAILURE() << "the call succeeded, but a failure was expected";
    return oleaut::com_error(S_OK, u"", u"");
}

// Text of a VT_BSTR result (empty for a null string); a test failure for anything else.
inline std::u16string text(const oleaut::variant &v)
{
    EXPECT_EQ(v.vt, VT_BSTR);
    return v.vt == VT_BSTR && v.bstrVal ? std::u16string(v.bstrVal, SysStringLen(v.bstrVal)) : std::u16string();
}

inline constexpr LONG kXlChart = -4109;

// A VT_DECIMAL from its decimal text, as the component writes values into cells.
inline variant decimal(const char16_t *text)
{
    DECIMAL d{};
    EXPECT_EQ(VarDecFromStr(text, LOCALE_EN_US, 0, &d), S_OK) << oleaut::utf16_to_utf8(text);
    return variant::decimal(d);
}

// The error must be the host's own: its number, the source "SheetHost", and a
// description that holds `says` (when given).
inline void expect_host_error(const oleaut::com_error &e, sheethost::host_error code, std::u16string_view says = {})
{
    EXPECT_EQ(static_cast<uint32_t>(e.hr()), static_cast<uint32_t>(sheethost::host_hresult(code))) << e.what();
    EXPECT_EQ(e.source(), u"SheetHost") << e.what();
    EXPECT_FALSE(e.description().empty());
    if (!says.empty()) {
        EXPECT_NE(e.description().find(says), std::u16string::npos)
            << "description: " << e.what() << "\nexpected to contain: " << oleaut::utf16_to_utf8(says);
    }
}

class HostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        baseline_ = oleaut::disp::module_live_count();
        app = late_bound::attach(sheethost::automation::new_application());
    }
    void TearDown() override
    {
        book.reset();
        data.reset();
        chart.reset();
        app.reset();
        EXPECT_EQ(oleaut::disp::module_live_count(), baseline_) << "an object of the host is still alive";
    }

    // The component's start: a hidden host, one worksheet per new workbook, a workbook,
    // its first worksheet (index 1 as VT_I2) and a chart sheet (Type xlChart as VT_I4).
    void open_chart_workbook()
    {
        app.put(u"Visible", variant::boolean(false));
        app.put(u"SheetsInNewWorkbook", variant::i4(1));
        app.object(u"Workbooks").call(u"Add", {variant::missing()});
        book = app.object(u"ActiveWorkbook");
        data = book.object(u"Worksheets").object(u"Item", {variant::i2(1)});
        chart = book.object(u"Worksheets").call_object(u"Add", {}, {{u"Type", variant::i4(kXlChart)}});
    }

    // Cells(row, column) = value on the data sheet, indexes as VT_I2.
    void set_cell(int row, int column, variant value)
    {
        data.put(u"Cells", std::move(value), {variant::i2(static_cast<SHORT>(row)), variant::i2(static_cast<SHORT>(column))});
    }
    // Range(Cells(first, column), Cells(last, column)) of the data sheet.
    late_bound column_range(int column, int first, int last)
    {
        late_bound top = data.object(u"Cells", {variant::i2(static_cast<SHORT>(first)), variant::i2(static_cast<SHORT>(column))});
        late_bound bottom = data.object(u"Cells", {variant::i2(static_cast<SHORT>(last)), variant::i2(static_cast<SHORT>(column))});
        return data.object(u"Range", {top.as_arg(), bottom.as_arg()});
    }
    // What the component does for one series: decimals down a column, NewSeries, Values
    // bound to those cells, the name.
    late_bound add_series(int column, const std::vector<const char16_t *> &values, const char16_t *name)
    {
        for (size_t i = 0; i < values.size(); ++i)
            set_cell(static_cast<int>(i + 1), column, decimal(values[i]));
        late_bound series = chart.call_object(u"SeriesCollection").call_object(u"NewSeries");
        series.put(u"Values", column_range(column, 1, static_cast<int>(values.size())).as_arg());
        series.put(u"Name", variant::str(name));
        return series;
    }
    LONG series_count() { return chart.call_object(u"SeriesCollection").get(u"Count").lVal; }

    // One object of every interface of the host, each with a member it can get, on a 3-D
    // chart with a series and the titles switched on.
    struct host_object {
        const char16_t *name;
        late_bound object;
        const char16_t *member;
    };
    std::vector<host_object> one_of_each_object()
    {
        open_chart_workbook();
        chart.put(u"ChartType", variant::i4(54));
        chart.put(u"HasTitle", variant::boolean(true));
        late_bound series = add_series(2, {u"1", u"2"}, u"S");
        late_bound axis = chart.call_object(u"Axes", {variant::i4(1), variant::i4(1)});
        axis.put(u"HasTitle", variant::boolean(true));
        return {
            {u"Application", app, u"Visible"},
            {u"Workbooks", app.object(u"Workbooks"), u"Count"},
            {u"Workbook", book, u"Name"},
            {u"Sheets", book.object(u"Worksheets"), u"Count"},
            {u"Worksheet", data, u"Name"},
            {u"Range", data.object(u"Cells"), u"Count"},
            {u"Chart", chart, u"ChartType"},
            {u"SeriesCollection", chart.call_object(u"SeriesCollection"), u"Count"},
            {u"Series", series, u"Name"},
            {u"Border", series.object(u"Border"), u"Weight"},
            {u"ChartFillFormat", series.object(u"Fill"), u"Type"},
            {u"ChartColorFormat", series.object(u"Fill").object(u"ForeColor"), u"SchemeColor"},
            {u"Legend", chart.object(u"Legend"), u"Position"},
            {u"PlotArea", chart.object(u"PlotArea"), u"Width"},
            {u"ChartTitle", chart.object(u"ChartTitle"), u"Caption"},
            {u"Font", chart.object(u"ChartTitle").object(u"Font"), u"Name"},
            {u"Axes", chart.call_object(u"Axes"), u"Count"},
            {u"Axis", axis, u"HasTitle"},
            {u"AxisTitle", axis.object(u"AxisTitle"), u"Text"},
            {u"Characters", axis.object(u"AxisTitle").object(u"Characters"), u"Text"},
            {u"Walls", chart.object(u"Walls"), u"Border"},
            {u"Floor", chart.object(u"Floor"), u"Fill"},
        };
    }

    late_bound app, book, data, chart;

private:
    long baseline_ = 0;
};

}  // namespace test_support

#endif
