// Chart: options read back as put, the plot area's bounds, and the parts that exist
// only for some charts (titles when shown, axes without pies, walls for 3-D boxes).
#include <cmath>
#include <limits>

#include "spreadsheet/host_fixture.hpp"

namespace {

using namespace test_support;
using sheethost::host_error;

using ChartTest = HostTest;

TEST_F(ChartTest, TheComponentsInitialDefaultsReadBack)
{
    open_chart_workbook();
    chart.put(u"ChartType", variant::i4(54));
    chart.put(u"SizeWithWindow", variant::boolean(true));
    chart.put(u"HasDataTable", variant::boolean(false));
    EXPECT_EQ(chart.get(u"ChartType").lVal, 54);
    EXPECT_EQ(chart.get(u"SizeWithWindow").boolVal, VARIANT_TRUE);
    EXPECT_EQ(chart.get(u"HasDataTable").boolVal, VARIANT_FALSE);
}

TEST_F(ChartTest, BooleanOptionsReadBackAsPut)
{
    open_chart_workbook();
    for (const char16_t *member : {u"SizeWithWindow", u"HasDataTable", u"HasLegend", u"HasTitle", u"WallsAndGridlines2D"}) {
        SCOPED_TRACE(oleaut::utf16_to_utf8(member));
        chart.put(member, variant::boolean(true));
        EXPECT_EQ(chart.get(member).boolVal, VARIANT_TRUE);
        chart.put(member, variant::boolean(false));
        EXPECT_EQ(chart.get(member).boolVal, VARIANT_FALSE);
        chart.put(member, variant::bool_raw(1));  // any non-zero boolean is True
        EXPECT_EQ(chart.get(member).boolVal, VARIANT_TRUE);
    }
}

TEST_F(ChartTest, ChartTypeTakesEveryKnownCodeAndRefusesOthers)
{
    open_chart_workbook();
    // The component's enumeration, in its order.
    for (LONG code : {51, 54, -4100, 57, 60, 65, -4101, 5, 69, -4102, 70, 1, -4098, 83, 92, 95, 99, 102, 109, 106}) {
        chart.put(u"ChartType", variant::i4(code));
        EXPECT_EQ(chart.get(u"ChartType").lVal, code);
    }
    chart.put(u"ChartType", variant::i4(54));
    for (LONG code : {0, 2, 50, 113, -4099, 2147483647}) {
        expect_host_error(error_of([&] { chart.put(u"ChartType", variant::i4(code)); }),
                          host_error::invalid_chart_type, u" is not a chart type this host knows");
        EXPECT_EQ(chart.get(u"ChartType").lVal, 54);
    }
    oleaut::com_error e = error_of([&] { chart.put(u"ChartType", variant::i4(0)); });
    EXPECT_EQ(e.description(), u"0 is not a chart type this host knows");
}

TEST_F(ChartTest, PlotAreaTakesDoublesWithinItsBounds)
{
    open_chart_workbook();
    late_bound plot = chart.object(u"PlotArea");
    plot.put(u"Height", variant::r8(250.0));
    plot.put(u"Width", variant::r8(600.0));
    EXPECT_DOUBLE_EQ(plot.get(u"Height").dblVal, 250.0);
    EXPECT_DOUBLE_EQ(chart.object(u"PlotArea").get(u"Width").dblVal, 600.0);
    plot.put(u"Width", variant::r8(2000.0));  // the documented maximum itself
    plot.put(u"Height", variant::r8(0.5));
    EXPECT_DOUBLE_EQ(plot.get(u"Width").dblVal, 2000.0);

    struct row {
        double points;
        const char16_t *shown;
    };
    const row rows[] = {{0, u"0"}, {-1, u"-1"}, {32767, u"32767"}, {2000.5, u"2000.5"},
                        {std::numeric_limits<double>::quiet_NaN(), u"NaN"}, {std::numeric_limits<double>::infinity(), u"infinity"}};
    for (const row &r : rows) {
        for (const char16_t *member : {u"Width", u"Height"}) {
            oleaut::com_error e = error_of([&] { plot.put(member, variant::r8(r.points)); });
            expect_host_error(e, host_error::invalid_plot_size);
            std::u16string which = std::u16string(member) == u"Width" ? u"width" : u"height";
            EXPECT_EQ(e.description(), u"The plot area " + which + u" (" + r.shown +
                                           u") must be greater than 0 and at most 2000 points");
        }
    }
    EXPECT_DOUBLE_EQ(plot.get(u"Width").dblVal, 2000.0);
    EXPECT_DOUBLE_EQ(plot.get(u"Height").dblVal, 0.5);
}

TEST_F(ChartTest, LegendPositionOnlyWhileTheLegendIsShown)
{
    open_chart_workbook();
    chart.put(u"HasLegend", variant::boolean(true));
    late_bound legend = chart.object(u"Legend");
    for (LONG position : {-4160, -4107, 2, -4131, -4152}) {
        legend.put(u"Position", variant::i4(position));
        EXPECT_EQ(legend.get(u"Position").lVal, position);
    }
    expect_host_error(error_of([&] { legend.put(u"Position", variant::i4(7)); }), host_error::invalid_argument,
                      u"Legend.Position must be -4107 (xlLegendPositionBottom)");
    chart.put(u"HasLegend", variant::boolean(false));
    expect_host_error(error_of([&] { chart.get(u"Legend"); }), host_error::legend_is_off);
    expect_host_error(error_of([&] { legend.get(u"Position"); }), host_error::legend_is_off,
                      u"The chart has no legend: set HasLegend to True first");
}

TEST_F(ChartTest, TitlesExistOnlyWhileSwitchedOn)
{
    open_chart_workbook();
    expect_host_error(error_of([&] { chart.get(u"ChartTitle"); }), host_error::title_is_off,
                      u"The chart has no title: set HasTitle to True first");
    late_bound category = chart.call_object(u"Axes", {variant::i4(1), variant::i4(1)});
    late_bound value = chart.call_object(u"Axes", {variant::i4(2), variant::i4(1)});
    expect_host_error(error_of([&] { category.get(u"AxisTitle"); }), host_error::title_is_off,
                      u"The category axis has no title");
    expect_host_error(error_of([&] { value.get(u"AxisTitle"); }), host_error::title_is_off,
                      u"The value axis has no title");

    chart.put(u"HasTitle", variant::boolean(true));
    late_bound title = chart.object(u"ChartTitle");
    EXPECT_EQ(text(title.get(u"Caption")), u"Chart Title");
    category.put(u"HasTitle", variant::boolean(true));
    EXPECT_EQ(category.get(u"HasTitle").boolVal, VARIANT_TRUE);
    late_bound axis_title = category.object(u"AxisTitle");
    EXPECT_EQ(text(axis_title.object(u"Characters").get(u"Text")), u"Axis Title");

    // A title object kept across the switch refuses once the title is off again.
    chart.put(u"HasTitle", variant::boolean(false));
    expect_host_error(error_of([&] { title.put(u"Caption", variant::str(u"x")); }), host_error::title_is_off);
    category.put(u"HasTitle", variant::boolean(false));
    expect_host_error(error_of([&] { axis_title.get(u"Text"); }), host_error::title_is_off, u"category axis");
}

TEST_F(ChartTest, PiesHaveNoAxes)
{
    open_chart_workbook();
    late_bound kept = chart.call_object(u"Axes", {variant::i4(2)});
    for (LONG pie : {5, 69, -4102, 70, -4120}) {
        chart.put(u"ChartType", variant::i4(pie));
        expect_host_error(error_of([&] { chart.call(u"Axes", {variant::i4(1), variant::i4(1)}); }),
                          host_error::no_axes, u"chart has no axes");
        expect_host_error(error_of([&] { chart.call(u"Axes"); }), host_error::no_axes);
        expect_host_error(error_of([&] { kept.put(u"HasTitle", variant::boolean(true)); }), host_error::no_axes);
    }
    chart.put(u"ChartType", variant::i4(5));
    EXPECT_EQ(error_of([&] { chart.call(u"Axes", {variant::i4(1)}); }).description(), u"A pie chart has no axes");
    chart.put(u"ChartType", variant::i4(51));
    kept.put(u"HasTitle", variant::boolean(true));  // back on a type with axes, the axis works again
    EXPECT_EQ(kept.get(u"Type").lVal, 2);
}

TEST_F(ChartTest, AxesKnowsTheCategoryAndValueAxesOfThePrimaryGroup)
{
    open_chart_workbook();
    late_bound axes = chart.call_object(u"Axes");
    EXPECT_EQ(axes.get(u"Count").lVal, 2);
    EXPECT_EQ(axes.call_object(u"Item", {variant::i4(2)}).get(u"Type").lVal, 2);
    EXPECT_EQ(chart.call_object(u"Axes", {variant::i2(1)}).get(u"Type").lVal, 1);
    EXPECT_EQ(chart.call_object(u"Axes", {}, {{u"Type", variant::i4(2)}, {u"AxisGroup", variant::i4(1)}}).get(u"AxisGroup").lVal, 1);
    expect_host_error(error_of([&] { chart.call(u"Axes", {variant::i4(3)}); }), host_error::invalid_argument,
                      u"no series axis");
    expect_host_error(error_of([&] { chart.call(u"Axes", {variant::i4(1), variant::i4(2)}); }),
                      host_error::invalid_argument, u"no secondary axes");
    expect_host_error(error_of([&] { axes.call(u"Item", {variant::i4(0)}); }), host_error::invalid_argument,
                      u"not axis 0 of group 1");
}

TEST_F(ChartTest, WallsAndFloorBelongToChartsDrawnInABox)
{
    open_chart_workbook();
    chart.put(u"ChartType", variant::i4(54));
    late_bound walls = chart.object(u"Walls");
    late_bound floor = chart.object(u"Floor");
    walls.object(u"Border").put(u"Weight", variant::i4(2));
    floor.object(u"Border").put(u"Weight", variant::i4(1));

    struct row {
        LONG type;
        const char16_t *description;
    };
    const row flat[] = {{51, u"A clustered column chart has no "}, {5, u"A pie chart has no "},
                        {-4102, u"A 3-D pie chart has no "}, {65, u"A line with markers chart has no "}};
    for (const row &r : flat) {
        chart.put(u"ChartType", variant::i4(r.type));
        expect_host_error(error_of([&] { chart.get(u"Walls"); }), host_error::no_walls_or_floor,
                          r.description + std::u16string(u"walls"));
        expect_host_error(error_of([&] { chart.get(u"Floor"); }), host_error::no_walls_or_floor,
                          r.description + std::u16string(u"floor"));
        expect_host_error(error_of([&] { walls.object(u"Border"); }), host_error::no_walls_or_floor);
    }
    for (LONG boxed : {54, -4100, 60, -4101, -4098, 83, 92, 109}) {
        chart.put(u"ChartType", variant::i4(boxed));
        EXPECT_EQ(chart.object(u"Walls").object(u"Border").get(u"Weight").lVal, 2);
        EXPECT_EQ(chart.object(u"Floor").object(u"Border").get(u"Weight").lVal, 1);
    }
}

TEST_F(ChartTest, GetIDsOfNamesAnswersTheClassicDispatchIds)
{
    open_chart_workbook();
    struct row {
        const char16_t *member;
        DISPID id;
    };
    const row rows[] = {{u"ChartType", 0x578}, {u"Export", 0x586}, {u"SeriesCollection", 0x44},
                        {u"Axes", 0x17},       {u"HasLegend", 0x35}, {u"WallsAndGridlines2D", 0xD2}};
    for (const row &r : rows) {
        LPOLESTR name = const_cast<LPOLESTR>(r.member);
        DISPID id = 0;
        EXPECT_EQ(chart.get()->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_EN_US, &id), S_OK);
        EXPECT_EQ(id, r.id) << oleaut::utf16_to_utf8(r.member);
    }
}

}  // namespace
