// The snapshot Chart.Export hands the renderer: built from the chart's state at the
// time of the export, with bound cells read then, headings as text and colours as RGB.
// The chart is set up through IDispatch as the component does; the builder is then
// called directly on the chart behind the Chart object.
#include "snapshot/snapshot_builder.hpp"
#include "spreadsheet/host_fixture.hpp"

namespace {

using namespace test_support;
using sheethost::render::chart_snapshot;
using sheethost::render::fill_spec;

class SnapshotTest : public HostTest {
protected:
    chart_snapshot snapshot()
    {
        auto sheet = sheethost::automation::chart_sheet_behind(chart.get());
        EXPECT_TRUE(sheet);
        return sheet ? sheethost::snapshot::build_snapshot(sheet->chart) : chart_snapshot{};
    }
};

TEST_F(SnapshotTest, ACellChangedAfterBindingShowsInTheNextSnapshot)
{
    open_chart_workbook();
    add_series(2, {u"10", u"20", u"30"}, u"North");
    chart_snapshot before = snapshot();
    ASSERT_EQ(before.series.size(), 1u);
    EXPECT_EQ(before.series[0].values, (std::vector<std::optional<double>>{10, 20, 30}));

    set_cell(2, 2, decimal(u"25.5"));
    set_cell(3, 2, variant::str(u"pending"));
    chart_snapshot after = snapshot();
    EXPECT_EQ(after.series[0].values, (std::vector<std::optional<double>>{10, 25.5, std::nullopt}));

    data.object(u"Cells").call(u"ClearContents");
    EXPECT_EQ(snapshot().series[0].values,
              (std::vector<std::optional<double>>{std::nullopt, std::nullopt, std::nullopt}));
}

TEST_F(SnapshotTest, ValuesComeFromEveryNumericCellType)
{
    open_chart_workbook();
    late_bound series = add_series(2, {u"1"}, u"Mixed");
    const struct {
        variant value;
        std::optional<double> expected;
    } cells[] = {
        {decimal(u"0.231372549019608"), 0.231372549019608},
        {variant::r8(-2.5), -2.5},
        {variant::i2(7), 7},
        {variant::date(45000), 45000},
        {variant::str(u"12"), std::nullopt},  // text that looks like a number is still text
        {variant::boolean(true), std::nullopt},
        {variant::error(static_cast<SCODE>(0x800A07FA)), std::nullopt},
        {variant(), std::nullopt},
    };
    for (size_t i = 0; i < std::size(cells); ++i)
        set_cell(static_cast<int>(i + 1), 2, cells[i].value);
    series.put(u"Values", column_range(2, 1, static_cast<int>(std::size(cells))).as_arg());
    std::vector<std::optional<double>> values = snapshot().series[0].values;
    ASSERT_EQ(values.size(), std::size(cells));
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(values[i], cells[i].expected) << "row " << i + 1;
}

TEST_F(SnapshotTest, CategoriesAreTheTextOfTheFirstSeriesXValues)
{
    open_chart_workbook();
    add_series(2, {u"1", u"2", u"3", u"4", u"5"}, u"A");
    add_series(3, {u"1", u"2", u"3", u"4", u"5"}, u"B");
    EXPECT_TRUE(snapshot().categories.empty());  // automatic headings until XValues are bound

    set_cell(1, 1, variant::str(u"Jan"));
    set_cell(2, 1, decimal(u"2024"));
    set_cell(3, 1, decimal(u"1.50"));
    set_cell(4, 1, variant::boolean(false));
    chart.call_object(u"SeriesCollection", {variant::i2(1)}).put(u"XValues", column_range(1, 1, 5).as_arg());
    chart_snapshot s = snapshot();
    EXPECT_EQ(s.categories, (std::vector<std::u16string>{u"Jan", u"2024", u"1.5", u"False", u""}));

    set_cell(5, 1, variant::str(u"May"));  // live as well
    EXPECT_EQ(snapshot().categories.back(), u"May");
    // Only the first series' XValues count.
    chart.call_object(u"SeriesCollection", {variant::i2(2)}).put(u"XValues", column_range(4, 1, 5).as_arg());
    EXPECT_EQ(snapshot().categories.front(), u"Jan");
}

TEST_F(SnapshotTest, ChartOptionsAndTitlesPassThrough)
{
    open_chart_workbook();
    add_series(2, {u"1"}, u"A");
    chart.put(u"ChartType", variant::i4(51));
    chart.put(u"HasLegend", variant::boolean(true));
    chart.object(u"Legend").put(u"Position", variant::i4(-4160));
    chart.put(u"WallsAndGridlines2D", variant::boolean(true));
    chart.object(u"PlotArea").put(u"Height", variant::r8(250));
    chart.object(u"PlotArea").put(u"Width", variant::r8(600));
    chart.put(u"HasTitle", variant::boolean(true));
    chart.object(u"ChartTitle").put(u"Caption", variant::str(u"Sales"));
    late_bound font = chart.object(u"ChartTitle").object(u"Font");
    font.put(u"Name", variant::str(u"Verdana"));
    font.put(u"FontStyle", variant::str(u"Bold"));
    font.put(u"Size", variant::i2(14));
    late_bound value_axis = chart.call_object(u"Axes", {variant::i4(2), variant::i4(1)});
    value_axis.put(u"HasTitle", variant::boolean(true));
    value_axis.object(u"AxisTitle").object(u"Characters").put(u"Text", variant::str(u"Amount"));
    value_axis.object(u"AxisTitle").put(u"Orientation", variant::i4(-4166));

    chart_snapshot s = snapshot();
    EXPECT_EQ(s.chart_type, 51);
    EXPECT_TRUE(s.has_legend);
    EXPECT_EQ(s.legend_position, sheethost::render::legend_place::top);
    EXPECT_TRUE(s.walls_and_gridlines_2d);
    EXPECT_DOUBLE_EQ(s.plot_width, 600);
    EXPECT_DOUBLE_EQ(s.plot_height, 250);
    EXPECT_TRUE(s.title.visible);
    EXPECT_EQ(s.title.text, u"Sales");
    EXPECT_EQ(s.title.font.name, u"Verdana");
    EXPECT_TRUE(s.title.font.bold);
    EXPECT_DOUBLE_EQ(s.title.font.size, 14);
    EXPECT_FALSE(s.category_axis_title.visible);
    EXPECT_TRUE(s.value_axis_title.visible);
    EXPECT_EQ(s.value_axis_title.text, u"Amount");
    EXPECT_TRUE(s.value_axis_title.orientation.stacked);

    // A pie draws no axis titles, whatever the axes held.
    chart.put(u"ChartType", variant::i4(5));
    EXPECT_FALSE(snapshot().value_axis_title.visible);
}

TEST_F(SnapshotTest, FillsBordersAndLabelsOfTheSeries)
{
    open_chart_workbook();
    late_bound first = add_series(2, {u"1"}, u"Shaded");
    late_bound second = add_series(3, {u"2"}, u"Plain");
    first.object(u"Border").put(u"Weight", variant::i4(2));
    first.object(u"Border").put(u"LineStyle", variant::i4(-4105));
    first.object(u"Fill").call(u"OneColorGradient", {},
                               {{u"Style", variant::i2(1)}, {u"Variant", variant::i2(1)},
                                {u"Degree", variant::r8(0.231372549019608)}});
    first.call(u"ApplyDataLabels", {}, {{u"Type", variant::i2(2)}, {u"AutoText", variant::boolean(true)},
                                         {u"LegendKey", variant::boolean(false)}});
    second.object(u"Border").put(u"LineStyle", variant::i4(-4142));
    second.object(u"Fill").object(u"ForeColor").put(u"SchemeColor", variant::i4(10));

    chart_snapshot s = snapshot();
    ASSERT_EQ(s.series.size(), 2u);
    const auto &shaded = s.series[0];
    EXPECT_EQ(shaded.name, u"Shaded");
    EXPECT_EQ(shaded.fill.type, fill_spec::kind::one_color_gradient);
    EXPECT_EQ(shaded.fill.gradient_style, sheethost::render::gradient_direction::horizontal);
    EXPECT_EQ(shaded.fill.gradient_variant, 1);
    EXPECT_NEAR(shaded.fill.gradient_degree, 0.231372549019608, 1e-7);
    EXPECT_EQ(shaded.fill.fore, 0x006BA4u);  // the first series colour, the same one an unshaded series is drawn in
    EXPECT_TRUE(shaded.border.visible);
    EXPECT_EQ(shaded.border.line_style, sheethost::render::line_dash::continuous);  // automatic
    EXPECT_FALSE(shaded.border.color.has_value());
    EXPECT_TRUE(shaded.data_labels);
    EXPECT_EQ(shaded.data_label_type, sheethost::render::label_content::value);
    EXPECT_FALSE(shaded.legend_key);

    const auto &plain = s.series[1];
    EXPECT_EQ(plain.fill.type, fill_spec::kind::solid);
    EXPECT_EQ(plain.fill.fore, 0x008000u);  // palette entry 10, green
    EXPECT_FALSE(plain.border.visible);
    EXPECT_FALSE(plain.data_labels);
}

TEST_F(SnapshotTest, WallsAndFloorResolveSchemeColoursThroughTheClassicPalette)
{
    open_chart_workbook();
    chart.put(u"ChartType", variant::i4(54));
    EXPECT_EQ(snapshot().walls.fill.type, fill_spec::kind::automatic);
    EXPECT_EQ(snapshot().walls.fill.fore, 0xC0C0C0u);

    late_bound walls = chart.object(u"Walls");
    walls.object(u"Fill").call(u"OneColorGradient", {variant::i2(1), variant::i2(1), variant::r8(0.231372549019608)});
    walls.object(u"Fill").object(u"ForeColor").put(u"SchemeColor", variant::i4(15));
    walls.object(u"Border").put(u"Weight", variant::i4(2));
    walls.object(u"Border").put(u"LineStyle", variant::i4(1));
    late_bound floor = chart.object(u"Floor");
    floor.object(u"Fill").call(u"PresetGradient", {variant::i2(1), variant::i2(1), variant::i4(23)});
    floor.object(u"Border").put(u"Weight", variant::i4(1));

    chart_snapshot s = snapshot();
    EXPECT_EQ(s.walls.fill.type, fill_spec::kind::one_color_gradient);
    EXPECT_EQ(s.walls.fill.fore, 0xC0C0C0u);
    EXPECT_EQ(s.walls.border.weight, sheethost::render::border_weight::thin);
    EXPECT_EQ(s.walls.border.line_style, sheethost::render::line_dash::continuous);
    EXPECT_EQ(s.floor.fill.type, fill_spec::kind::preset_gradient);
    EXPECT_EQ(s.floor.fill.preset, 23);
    EXPECT_EQ(s.floor.border.weight, sheethost::render::border_weight::hairline);

    walls.object(u"Fill").object(u"ForeColor").put(u"SchemeColor", variant::i4(56));
    EXPECT_EQ(snapshot().walls.fill.fore, 0x333333u);  // grey 80%, the palette's last entry
}

}  // namespace
