// Lines, areas and the surface laid out with the fixed-width text measurer (no fonts):
// nothing overlaps, markers and area edges sit at the values, empty cells break lines,
// the series border drives the line, areas keep their painting order, and the surface
// lists one legend band per pair of value ticks.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "render/layout/chart_layout.hpp"
#include "render/style/chart_style.hpp"
#include "render/style/colour.hpp"
#include "render/style/fill_style.hpp"
#include "render/style/markers.hpp"
#include "render/chart_types/shared/surface_bands.hpp"
#include "snapshot/host_values.hpp"
#include "render_test_charts.h"
#include "render_test_text.h"

namespace {

using namespace render_test;
using namespace sheethost::render;

chart_layout lay_out(const chart_snapshot &c)
{
    fixed_width_measurer m;
    return lay_out_chart(c, m);
}

struct typed_case {
    const char *name;
    std::function<chart_snapshot(int)> make;
};

const typed_case kShapes[] = {
    {"reference", [](int t) { return reference_chart(t); }},
    {"one_series", one_series_chart},
    {"negatives", negative_chart},
    {"many_points", many_points_chart},
    {"long_headings", long_heading_chart},
    {"turned_headings", turned_heading_chart},
    {"single_point", single_point_chart},
    {"flat_walls",
     [](int t) {
         chart_snapshot c = reference_chart(t);
         c.walls_and_gridlines_2d = true;
         return c;
     }},
    {"background", [](int t) { return reference_chart_with_background(t); }},
};

const int kTypes[] = {65, -4101, 1, -4098, 83};

using layout_param = std::tuple<int, typed_case>;

class LineAreaLayout : public ::testing::TestWithParam<layout_param> {};

TEST_P(LineAreaLayout, KeepsTextApartInsideTheImageAndThePlotAreaAsSet)
{
    auto [type, shape_case] = GetParam();
    chart_snapshot c = shape_case.make(type);
    chart_layout l = lay_out(c);
    EXPECT_DOUBLE_EQ(l.plot.w, c.plot_width);
    EXPECT_DOUBLE_EQ(l.plot.h, c.plot_height);
    rect image{0, 0, l.picture.width, l.picture.height};
    std::vector<std::pair<std::string, rect>> boxes;
    if (l.title)
        boxes.push_back({"title", l.title->bounds});
    if (l.legend)
        boxes.push_back({"legend", l.legend->frame});
    for (size_t i = 0; i < l.value_labels.size(); ++i)
        boxes.push_back({"tick " + std::to_string(i), l.value_labels[i].bounds});
    for (size_t i = 0; i < l.data_labels.size(); ++i) {
        boxes.push_back({"value label " + std::to_string(i), l.data_labels[i].bounds});
        EXPECT_TRUE(l.plot.contains(l.data_labels[i].bounds, 0.01)) << "value label " << i << " leaves the plot";
    }
    for (size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_TRUE(image.contains(boxes[i].second, 0.01)) << boxes[i].first << " leaves the image";
        for (size_t j = i + 1; j < boxes.size(); ++j)
            EXPECT_FALSE(boxes[i].second.overlaps(boxes[j].second, 0.01))
                << boxes[i].first << " overlaps " << boxes[j].first;
    }
}

TEST_P(LineAreaLayout, LabelsEveryValueThatAsksForOneExceptOnASurface)
{
    auto [type, shape_case] = GetParam();
    chart_snapshot c = shape_case.make(type);
    size_t wanted = 0;
    for (const series_data &s : c.series)
        if (s.data_labels)
            for (const auto &v : s.values)
                wanted += v.has_value();
    EXPECT_EQ(lay_out(c).data_labels.size(), type == 83 ? 0 : wanted);
}

INSTANTIATE_TEST_SUITE_P(Charts, LineAreaLayout, ::testing::Combine(::testing::ValuesIn(kTypes), ::testing::ValuesIn(kShapes)),
                         [](const ::testing::TestParamInfo<layout_param> &i) {
                             int t = std::get<0>(i.param);
                             return (t < 0 ? "minus" : "") + std::to_string(std::abs(t)) + "_" +
                                    std::get<1>(i.param).name;
                         });

// The filled, closed shapes in exactly this colour within the plot area (not the
// legend keys), in painting order.
std::vector<const shape *> filled_in(const chart_layout &l, rgb colour)
{
    std::vector<const shape *> out;
    for (const scene_item &item : l.picture.items)
        if (const shape *s = std::get_if<shape>(&item);
            s && s->closed && s->fill && s->fill->type == paint::kind::solid && s->fill->colour == colour &&
            l.plot.contains(bounds_of(s->outline), 4))
            out.push_back(s);
    return out;
}

// Open paths stroked in exactly this colour and width.
std::vector<const shape *> stroked_paths(const chart_layout &l, rgb colour, double width)
{
    std::vector<const shape *> out;
    for (const scene_item &item : l.picture.items)
        if (const shape *s = std::get_if<shape>(&item);
            s && !s->closed && !s->fill && s->line && s->line->colour == colour && s->line->width == width)
            out.push_back(s);
    return out;
}

chart_snapshot plain_chart(int type, std::vector<std::optional<double>> values)
{
    chart_snapshot c;
    c.chart_type = type;
    c.plot_width = 400;
    c.plot_height = 300;
    series_data s;
    s.name = u"S";
    s.values = std::move(values);
    c.series = {s};
    return c;
}

TEST(LineLayout, PutsEachMarkerAtItsValueInItsCategorysMiddle)
{
    const std::vector<double> values = {10, 35, 5, 20, 0, 28};
    chart_snapshot c = plain_chart(65, {10, 35, 5, 20, 0, 28});
    chart_layout l = lay_out(c);
    std::vector<const shape *> markers = filled_in(l, series_colour(0));
    ASSERT_EQ(markers.size(), values.size());
    double slot = l.plot.w / static_cast<double>(values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        rect box = bounds_of(markers[i]->outline);
        EXPECT_NEAR(box.centre().x, l.plot.x + (static_cast<double>(i) + 0.5) * slot, 0.01) << i;
        // Diamonds are symmetric about their point.
        EXPECT_NEAR(box.centre().y, l.plot.y + l.scale.fraction(values[i]) * l.plot.h, 0.01) << i;
    }
}

TEST(LineLayout, BreaksTheLineAtAnEmptyCellAndStillMarksALoneValue)
{
    chart_snapshot c = plain_chart(65, {4, 6, std::nullopt, 8, std::nullopt, 3, 5, 7});
    chart_layout l = lay_out(c);
    std::vector<const shape *> lines = stroked_paths(l, series_colour(0), 1.5);
    ASSERT_EQ(lines.size(), 2u);  // 4-6 and 3-5-7; the lone 8 has no line
    EXPECT_EQ(lines[0]->outline.size(), 2u);
    EXPECT_EQ(lines[1]->outline.size(), 3u);
    EXPECT_EQ(filled_in(l, series_colour(0)).size(), 6u);  // a marker on every value
}

struct border_case {
    int weight;
    int line_style;
    double width;  // expected line width, 0 for no line
    bool dashed;
};

class LineBorder : public ::testing::TestWithParam<border_case> {};

TEST_P(LineBorder, DrivesTheLinesWidthAndDashes)
{
    const border_case &b = GetParam();
    chart_snapshot c = plain_chart(65, {1, 3, 2});
    c.series[0].border.weight = sheethost::snapshot::border_weight_of(b.weight);
    c.series[0].border.line_style = sheethost::snapshot::line_dash_of(b.line_style);
    chart_layout l = lay_out(c);
    std::vector<const shape *> lines;
    for (const scene_item &item : l.picture.items)
        if (const shape *s = std::get_if<shape>(&item); s && !s->closed && s->outline.size() == 3)
            lines.push_back(s);
    if (b.width == 0) {
        EXPECT_TRUE(lines.empty());
        return;
    }
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_DOUBLE_EQ(lines[0]->line->width, b.width);
    EXPECT_EQ(!lines[0]->line->dashes.empty(), b.dashed);
}

INSTANTIATE_TEST_SUITE_P(Weights, LineBorder,
                         ::testing::Values(border_case{1, 1, 0.75, false}, border_case{2, -4105, 1.5, false},
                                           border_case{-4138, 1, 2.25, false}, border_case{4, 1, 3, false},
                                           border_case{2, -4115, 1.5, true}, border_case{4, -4118, 3, true},
                                           border_case{2, -4142, 0, false}));

TEST(LineLayout, ListsLineKeysWithEachSeriesMarker)
{
    chart_layout l = lay_out(reference_chart(65));
    ASSERT_TRUE(l.legend);
    // A line key is wider than high, a box key square.
    for (const legend_entry &e : l.legend->entries)
        EXPECT_GT(e.key.w, e.key.h * 2);
    // Each series' own marker shape appears once in the legend: the keys are line and marker.
    size_t legend_markers = 0;
    for (const scene_item &item : l.picture.items)
        if (const shape *s = std::get_if<shape>(&item); s && s->fill && s->closed &&
                                                        l.legend->frame.contains(bounds_of(s->outline), 0.01))
            ++legend_markers;
    EXPECT_EQ(legend_markers, 3u);  // the diamond, the square and the triangle
}

TEST(AreaLayout, RunsFromEdgeToEdgeThroughTheValuesDownToZero)
{
    const std::vector<double> values = {10, -5, 25, 15};
    chart_snapshot c = plain_chart(1, {10, -5, 25, 15});
    chart_layout l = lay_out(c);
    std::vector<const shape *> areas = filled_in(l, series_colour(0));
    ASSERT_EQ(areas.size(), 1u);
    const std::vector<point> &o = areas[0]->outline;
    ASSERT_EQ(o.size(), values.size() + 2);
    double zero = l.plot.y + l.scale.fraction(0) * l.plot.h;
    for (size_t i = 0; i < values.size(); ++i) {
        EXPECT_NEAR(o[i].x, l.plot.x + l.plot.w * static_cast<double>(i) / 3, 0.01) << i;
        EXPECT_NEAR(o[i].y, l.plot.y + l.scale.fraction(values[i]) * l.plot.h, 0.01) << i;
    }
    EXPECT_NEAR(o[4].y, zero, 0.01);
    EXPECT_NEAR(o[5].y, zero, 0.01);
}

TEST(AreaLayout, PaintsTheFirstSeriesAtTheBackAndEveryOutlineOverAllFills)
{
    chart_snapshot c = reference_chart(1);
    c.series[0].values = {std::optional<double>(1), 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};  // hidden behind B and C
    chart_layout l = lay_out(c);
    const auto &items = l.picture.items;
    auto index_of = [&](const shape *s) {
        for (size_t i = 0; i < items.size(); ++i)
            if (std::get_if<shape>(&items[i]) == s)
                return i;
        return items.size();
    };
    std::vector<size_t> fills, outlines;
    for (size_t s = 0; s < 3; ++s) {
        std::vector<const shape *> f = filled_in(l, series_colour(s));
        ASSERT_EQ(f.size(), 1u) << s;
        fills.push_back(index_of(f[0]));
    }
    EXPECT_LT(fills[0], fills[1]);
    EXPECT_LT(fills[1], fills[2]);
    for (const scene_item &item : items)
        if (const shape *s = std::get_if<shape>(&item); s && !s->closed && s->outline.size() == 12)
            outlines.push_back(index_of(s));
    ASSERT_EQ(outlines.size(), 3u);
    EXPECT_GT(outlines.front(), fills.back());
}

TEST(SurfaceLayout, ListsOneLegendBandPerPairOfTicksLowestFirst)
{
    chart_layout l = lay_out(reference_chart(83));
    std::vector<double> ticks = l.scale.ticks();
    ASSERT_TRUE(l.legend);
    ASSERT_EQ(l.legend->entries.size(), ticks.size() - 1);
    for (size_t i = 0; i + 1 < ticks.size(); ++i)
        EXPECT_EQ(l.legend->entries[i].label.item.lines.at(0),
                  format_tick(ticks[i], l.scale) + "-" + format_tick(ticks[i + 1], l.scale));
}

TEST(SurfaceBands, NameNegativeBoundsInWordsAndGrowLighterUpwards)
{
    value_scale s = choose_value_scale(-20, 20, 250);
    std::vector<value_band> bands = value_bands(s);
    ASSERT_GE(bands.size(), 2u);
    EXPECT_EQ(band_label(bands.front(), s), format_tick(bands.front().low, s) + " to " + format_tick(bands.front().high, s));
    auto luminance = [](rgb c) { return 0.2126 * red(c) + 0.7152 * green(c) + 0.0722 * blue(c); };
    for (size_t i = 1; i < bands.size(); ++i) {
        EXPECT_EQ(bands[i].low, bands[i - 1].high);
        EXPECT_GT(luminance(bands[i].colour), luminance(bands[i - 1].colour)) << "band " << i;
    }
}

TEST(SurfaceLayout, ColoursEachPartByTheBandItLiesIn)
{
    // A plane rising from 0 at the front left to 100 at the back right crosses every band.
    chart_snapshot c;
    c.chart_type = 83;
    c.plot_width = 400;
    c.plot_height = 300;
    c.series = {series("front", {0, 25, 50}), series("back", {50, 75, 100})};
    chart_layout l = lay_out(c);
    std::vector<value_band> bands = value_bands(l.scale);
    // Every band's colour appears as the base of some surface part (before lighting:
    // the lightest and darkest shades bracket it).
    for (const value_band &b : bands) {
        if (b.low >= 100)
            continue;  // above the highest value
        bool found = false;
        for (const scene_item &item : l.picture.items) {
            const shape *s = std::get_if<shape>(&item);
            if (!s || !s->fill || !s->line || s->line->colour != s->fill->colour)
                continue;
            for (int k = 15; k <= 30 && !found; ++k)
                found = shaded(paint{paint::kind::solid, b.colour, {}, {}, {}}, k * 0.04).colour == s->fill->colour;
        }
        EXPECT_TRUE(found) << b.low << "-" << b.high;
    }
}

}  // namespace
