// Layout of the column and bar family beyond the clustered column, with the
// fixed-width text measurer (no fonts): bars in proportion to their values and in
// reading order, value labels beside the bars' ends, the 3-D solids' shapes (cone
// tips at the values, round sides lit across, pyramid faces shaded apart) and their
// painting order (farthest first), and nothing overlapping on any chart type.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>

#include "render/layout/chart_layout.hpp"
#include "render/style/chart_style.hpp"
#include "render/chart_types/shared/solid_shapes.hpp"
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

// The shapes filled with exactly this flat colour, in painting order.
std::vector<const shape *> flat_shapes(const chart_layout &l, rgb colour)
{
    std::vector<const shape *> out;
    for (const scene_item &item : l.picture.items)
        if (const shape *s = std::get_if<shape>(&item);
            s && s->fill && s->fill->type == paint::kind::solid && s->fill->colour == colour)
            out.push_back(s);
    return out;
}

std::vector<const shape *> shapes_with(const chart_layout &l, paint::kind kind)
{
    std::vector<const shape *> out;
    for (const scene_item &item : l.picture.items)
        if (const shape *s = std::get_if<shape>(&item); s && s->fill && s->fill->type == kind)
            out.push_back(s);
    return out;
}

size_t index_of(const chart_layout &l, const shape *s)
{
    for (size_t i = 0; i < l.picture.items.size(); ++i)
        if (std::get_if<shape>(&l.picture.items[i]) == s)
            return i;
    return l.picture.items.size();
}

chart_snapshot plain_chart(int type, const std::vector<double> &values)
{
    chart_snapshot c;
    c.chart_type = type;
    c.plot_width = 400;
    c.plot_height = 300;
    c.series = {series("S", values)};
    c.series[0].data_labels = true;
    return c;
}

// ---- every type of the family: text stays apart and inside, every label placed ----

constexpr int kFamily[] = {57, 60, -4100, 92, 95, 99, 102, 106, 109};

struct family_case {
    int type;
    const char *builder;
    std::function<chart_snapshot(int)> make;
};

std::vector<family_case> family_cases()
{
    const std::pair<const char *, std::function<chart_snapshot(int)>> builders[] = {
        {"reference", [](int t) { return reference_chart(t); }},
        {"one_series", one_series_chart},
        {"negatives", negative_chart},
        {"many", many_points_chart},
        {"long", long_heading_chart},
        {"turned", turned_heading_chart},
        {"single", single_point_chart},
    };
    std::vector<family_case> out;
    for (int type : kFamily)
        for (const auto &[name, make] : builders)
            out.push_back({type, name, make});
    return out;
}

std::string family_case_name(const ::testing::TestParamInfo<family_case> &i)
{
    return std::string(i.param.builder) + "_" + (i.param.type < 0 ? "minus" : "") + std::to_string(std::abs(i.param.type));
}

class FamilyLayout : public ::testing::TestWithParam<family_case> {};

TEST_P(FamilyLayout, KeepsTextApartInsideTheImageAndLabelsEveryPoint)
{
    chart_snapshot c = GetParam().make(GetParam().type);
    chart_layout l = lay_out(c);
    rect image{0, 0, l.picture.width, l.picture.height};
    std::vector<std::pair<std::string, std::vector<point>>> boxes;
    auto add = [&](std::string name, const text_box &t) { boxes.push_back({std::move(name), text_corners(t.item)}); };
    if (l.title)
        add("title", *l.title);
    if (l.value_title)
        add("value title", *l.value_title);
    if (l.category_title)
        add("category title", *l.category_title);
    for (size_t i = 0; i < l.value_labels.size(); ++i)
        add("tick label " + std::to_string(i), l.value_labels[i]);
    for (size_t i = 0; i < l.categories.labels.size(); ++i)
        add("heading " + std::to_string(i), l.categories.labels[i]);
    for (size_t i = 0; i < l.data_labels.size(); ++i) {
        boxes.push_back({"value label " + std::to_string(i), corners(l.data_labels[i].bounds)});
        EXPECT_TRUE(l.plot.contains(l.data_labels[i].bounds, 0.01)) << "value label " << i << " leaves the plot";
    }
    if (l.legend)
        boxes.push_back({"legend", corners(l.legend->frame)});
    for (size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_TRUE(image.contains(bounds_of(boxes[i].second), 0.01)) << boxes[i].first << " leaves the image";
        for (size_t j = i + 1; j < boxes.size(); ++j)
            EXPECT_FALSE(convex_overlap(boxes[i].second, boxes[j].second, 0.01))
                << boxes[i].first << " overlaps " << boxes[j].first;
    }
    size_t wanted = 0;
    for (const series_data &s : c.series)
        if (s.data_labels)
            for (const auto &v : s.values)
                wanted += v.has_value();
    EXPECT_EQ(l.data_labels.size(), wanted);
    EXPECT_DOUBLE_EQ(l.plot.w, c.plot_width);
    EXPECT_DOUBLE_EQ(l.plot.h, c.plot_height);
}

INSTANTIATE_TEST_SUITE_P(Types, FamilyLayout, ::testing::ValuesIn(family_cases()), family_case_name);

// Bars run across: the value axis's ticks hang under the plot area, the headings end
// left of it.
TEST(BarLayout, PutsValuesAlongTheBottomAndHeadingsDownTheLeft)
{
    for (int type : {57, 60, 95, 102, 109}) {
        chart_layout l = lay_out(reference_chart(type));
        ASSERT_FALSE(l.value_labels.empty()) << type;
        for (const text_box &t : l.value_labels)
            EXPECT_LE(t.bounds.top(), l.plot.bottom() + 0.01) << type;
        for (size_t i = 1; i < l.value_labels.size(); ++i)
            EXPECT_GT(l.value_labels[i].bounds.left(), l.value_labels[i - 1].bounds.left()) << type;
        ASSERT_EQ(l.categories.labels.size(), 12u) << type;
        for (const text_box &t : l.categories.labels)
            EXPECT_LE(t.bounds.right(), l.plot.left() + 0.01) << type;
        // The first month at the top, the last at the bottom.
        EXPECT_EQ(l.categories.labels.front().item.lines[0], "Jan");
        for (size_t i = 1; i < 12; ++i)
            EXPECT_LT(l.categories.labels[i].bounds.top(), l.categories.labels[i - 1].bounds.bottom() + 0.01) << type;
        // The value title under the plot, the category title beside it.
        ASSERT_TRUE(l.value_title && l.category_title);
        EXPECT_LT(l.value_title->bounds.top(), l.plot.bottom());
        EXPECT_LT(l.category_title->bounds.right(), l.plot.left());
    }
}

TEST(Bar2D, BarLengthsAreInProportionAndTheFirstCategoryIsOnTop)
{
    const std::vector<double> values = {10, 20, 40, 5, 30, 25};
    chart_layout l = lay_out(plain_chart(57, values));
    std::vector<const shape *> bars = flat_shapes(l, series_colour(0));
    ASSERT_EQ(bars.size(), values.size());
    double zero = l.plot.x + l.scale.fraction(0) * l.plot.w;
    double per_unit = l.plot.w / (l.scale.max - l.scale.min);
    for (size_t i = 0; i < bars.size(); ++i) {
        rect b = bounds_of(bars[i]->outline);
        EXPECT_NEAR(b.left(), zero, 1e-9) << i;
        EXPECT_NEAR(b.w, values[i] * per_unit, 1e-9) << i;
        EXPECT_NEAR(b.h, bounds_of(bars[0]->outline).h, 1e-9) << i;
        if (i > 0) {
            EXPECT_LT(b.top(), bounds_of(bars[i - 1]->outline).bottom()) << "bar " << i << " is not below " << i - 1;
        }
    }
}

TEST(Bar2D, NegativeBarsGrowLeftFromZeroAndLabelsSitBeyondTheEnds)
{
    chart_layout l = lay_out(plain_chart(57, {12, -8, 5, -15}));
    std::vector<const shape *> bars = flat_shapes(l, series_colour(0));
    ASSERT_EQ(bars.size(), 4u);
    ASSERT_EQ(l.data_labels.size(), 4u);
    double zero = l.plot.x + l.scale.fraction(0) * l.plot.w;
    for (size_t i = 0; i < 4; ++i) {
        rect b = bounds_of(bars[i]->outline);
        const rect &label = l.data_labels[i].bounds;
        bool negative = i % 2 == 1;
        EXPECT_NEAR(negative ? b.right() : b.left(), zero, 1e-9) << i;
        if (negative)
            EXPECT_LE(label.right(), b.left()) << "label " << i << " is not left of its bar";
        else
            EXPECT_GE(label.left(), b.right()) << "label " << i << " is not right of its bar";
        EXPECT_GT(label.top(), b.bottom()) << i;  // level with its bar
        EXPECT_LT(label.bottom(), b.top()) << i;
    }
}

TEST(Bar2D, SeriesOfACategoryFollowTheLegendDownwards)
{
    chart_snapshot c = reference_chart(57);
    chart_layout l = lay_out(c);
    for (size_t s = 1; s < 3; ++s) {
        rect upper = bounds_of(flat_shapes(l, series_colour(s - 1))[0]->outline);
        rect lower = bounds_of(flat_shapes(l, series_colour(s))[0]->outline);
        EXPECT_LE(lower.top(), upper.bottom() + 1e-9) << s;
    }
}

// ---- 3-D: painting order ----

// The front faces of the solids are the flat faces in the series' colour itself.
TEST(Bar3D, PaintsLowerBarsFirstSoUpperOnesCoverTheirTops)
{
    chart_layout l = lay_out(plain_chart(60, {10, 30, 20, 25}));
    std::vector<const shape *> fronts = flat_shapes(l, series_colour(0));
    ASSERT_EQ(fronts.size(), 4u);
    // Painting order: bottom (last category) first.
    for (size_t i = 1; i < fronts.size(); ++i)
        EXPECT_GT(bounds_of(fronts[i]->outline).bottom(), bounds_of(fronts[i - 1]->outline).top() - 1e-9);
}

TEST(ColumnInDepth, PaintsTheBackRowFirstAndEveryRowLeftToRight)
{
    chart_snapshot c = reference_chart(-4100);
    c.has_legend = false;  // its keys are flat shapes in the series' colours too
    chart_layout l = lay_out(c);
    std::vector<size_t> first, last;
    for (size_t s = 0; s < 3; ++s) {
        std::vector<const shape *> fronts = flat_shapes(l, series_colour(s));
        ASSERT_EQ(fronts.size(), 12u) << s;
        first.push_back(index_of(l, fronts.front()));
        last.push_back(index_of(l, fronts.back()));
        for (size_t i = 1; i < fronts.size(); ++i)
            EXPECT_GT(bounds_of(fronts[i]->outline).left(), bounds_of(fronts[i - 1]->outline).left()) << s;
    }
    // The first series is the front row: painted last, over the rows behind it.
    EXPECT_GT(first[0], last[1]);
    EXPECT_GT(first[1], last[2]);
}

// Each row sits further back, so it is drawn further right and higher up: the rows
// behind peep out beside and above the ones in front.
TEST(ColumnInDepth, BackRowsStandRightOfAndAboveTheFrontRow)
{
    chart_snapshot c = plain_chart(-4100, {10, 10});
    c.series.push_back(series("T", {10, 10}));
    chart_layout l = lay_out(c);
    rect front = bounds_of(flat_shapes(l, series_colour(0))[0]->outline);
    rect back = bounds_of(flat_shapes(l, series_colour(1))[0]->outline);
    EXPECT_GT(back.left(), front.left() + front.w * 0.3);
    EXPECT_GT(back.top(), front.top());
    EXPECT_NEAR(back.h, front.h, 1e-6);  // the same value is the same height at any depth
}

// ---- 3-D solids ----

// The round sides are the only shapes with a linear gradient in a chart with
// automatic fills (walls and floor are flat), one per point, in painting order.
TEST(Cone, TipsLieAtTheValues)
{
    const std::vector<double> values = {10, 35, 20, 5};
    chart_layout l = lay_out(plain_chart(99, values));
    std::vector<const shape *> sides = shapes_with(l, paint::kind::linear);
    ASSERT_EQ(sides.size(), values.size());
    std::vector<double> tips;
    for (const shape *s : sides)
        tips.push_back(bounds_of(s->outline).top());
    // The tips stand at one affine function of the values (same depth, same scale).
    double per_unit = (tips[1] - tips[0]) / (values[1] - values[0]);
    EXPECT_GT(per_unit, 0);
    for (size_t i = 2; i < tips.size(); ++i)
        EXPECT_NEAR(tips[i] - tips[0], (values[i] - values[0]) * per_unit, 1e-6) << i;
    // And a tip is a point: the cone narrows to it.
    for (const shape *s : sides) {
        rect b = bounds_of(s->outline);
        size_t near_top = 0;
        for (const point &p : s->outline)
            near_top += p.y > b.top() - b.h * 0.05;
        EXPECT_EQ(near_top, 1u);
    }
}

TEST(ConeBar, TipsLieAtTheValuesAlongTheValueAxis)
{
    const std::vector<double> values = {10, 35, 20, 5};
    chart_layout l = lay_out(plain_chart(102, values));
    std::vector<const shape *> sides = shapes_with(l, paint::kind::linear);
    ASSERT_EQ(sides.size(), values.size());
    // Painted bottom first: the last category first.
    std::vector<double> tips;
    for (auto it = sides.rbegin(); it != sides.rend(); ++it)
        tips.push_back(bounds_of((*it)->outline).right());
    double per_unit = (tips[1] - tips[0]) / (values[1] - values[0]);
    EXPECT_GT(per_unit, 0);
    for (size_t i = 2; i < tips.size(); ++i)
        EXPECT_NEAR(tips[i] - tips[0], (values[i] - values[0]) * per_unit, 1e-6) << i;
}

// A lit cylinder is lighter than its colour near the lit edge and darker at the far
// edge, the light falling off across its axis: left to right on columns, top to
// bottom on bars.
TEST(Cylinder, SidesAreLitAcrossTheAxisAndCappedByALighterEllipse)
{
    for (int type : {92, 95}) {
        chart_layout l = lay_out(plain_chart(type, {10, 20}));
        std::vector<const shape *> sides = shapes_with(l, paint::kind::linear);
        ASSERT_EQ(sides.size(), 2u) << type;
        for (const shape *s : sides) {
            const paint &p = *s->fill;
            if (type == 92) {
                EXPECT_LT(p.from.x, p.to.x);
                EXPECT_DOUBLE_EQ(p.from.y, p.to.y);
            } else {
                EXPECT_GT(p.from.y, p.to.y);
                EXPECT_DOUBLE_EQ(p.from.x, p.to.x);
            }
            rgb c = series_colour(0);
            auto brightness = [](rgb v) { return ((v >> 16) & 0xFF) + ((v >> 8) & 0xFF) + (v & 0xFF); };
            unsigned lightest = 0, darkest = 3 * 255;
            for (const colour_stop &st : p.stops) {
                lightest = std::max(lightest, brightness(st.colour));
                darkest = std::min(darkest, brightness(st.colour));
            }
            EXPECT_GT(lightest, brightness(c)) << type;
            EXPECT_LT(darkest, brightness(c)) << type;
            EXPECT_LT(brightness(p.stops.back().colour), brightness(p.stops.front().colour)) << type;
        }
        // The end cap: a flat ellipse of many points, lighter (top) or shaded (bar's end).
        size_t caps = 0;
        for (const scene_item &item : l.picture.items)
            if (const shape *s = std::get_if<shape>(&item);
                s && s->fill && s->fill->type == paint::kind::solid && s->outline.size() > 16)
                ++caps;
        EXPECT_EQ(caps, 2u) << type;
    }
}

TEST(Pyramid, ShowsTwoFacesInDifferentShadesAndTapersToTheValue)
{
    for (int type : {106, 109}) {
        chart_layout l = lay_out(plain_chart(type, {10, 30, 20}));
        std::vector<const shape *> faces;
        for (const scene_item &item : l.picture.items)
            if (const shape *s = std::get_if<shape>(&item); s && s->fill && s->outline.size() == 3)
                faces.push_back(s);
        ASSERT_EQ(faces.size(), 6u) << type << ": two visible faces per pyramid";
        for (size_t i = 0; i < faces.size(); i += 2) {
            EXPECT_NE(faces[i]->fill->colour, faces[i + 1]->fill->colour) << type << " pyramid " << i / 2;
            // Both faces meet at the apex.
            std::set<std::pair<double, double>> a, b;
            for (const point &p : faces[i]->outline)
                a.insert({p.x, p.y});
            size_t shared = 0;
            for (const point &p : faces[i + 1]->outline)
                shared += a.count({p.x, p.y});
            EXPECT_EQ(shared, 2u) << type << ": the faces share the apex and one base corner";
        }
    }
}

TEST(SolidShapes, RoundLightHasItsHighlightNearTheLitEdgeAndFallsOffToTheOther)
{
    EXPECT_GT(round_light(0.25), 1);
    EXPECT_GT(round_light(0.25), round_light(0));
    EXPECT_LT(round_light(1), 1);
    for (double t = 0.3; t <= 1; t += 0.05)
        EXPECT_LE(round_light(t), round_light(t - 0.05) + 1e-12) << t;
}

TEST(SolidShapes, ConvexHullKeepsOnlyTheOuterPointsCounterClockwise)
{
    std::vector<point> hull = convex_hull({{0, 0}, {2, 0}, {1, 1}, {2, 2}, {0, 2}, {1, 0}, {0.5, 1.5}});
    ASSERT_EQ(hull.size(), 4u);
    double area = 0;
    for (size_t i = 0; i < hull.size(); ++i) {
        const point &p = hull[i], &q = hull[(i + 1) % hull.size()];
        area += p.x * q.y - q.x * p.y;
    }
    EXPECT_DOUBLE_EQ(area / 2, 4);  // positive: counter-clockwise
}

// A one-colour gradient series stays a gradient on a round side: the side is cut
// into strips, each with the fill's own ramp in its share of the light.
TEST(Cylinder, GradientSeriesFillsKeepTheirRampOnTheRoundSide)
{
    chart_snapshot c = plain_chart(92, {10, 20});
    c.series[0].fill.type = fill_spec::kind::one_color_gradient;
    c.series[0].fill.fore = 0x2060C0;
    c.series[0].fill.gradient_degree = 0.2;
    chart_layout l = lay_out(c);
    std::vector<const shape *> strips = shapes_with(l, paint::kind::linear);
    // Two sides of many strips, plus the two gradient-filled caps.
    ASSERT_GT(strips.size(), 20u);
    std::set<rgb> first_stops;
    for (const shape *s : strips) {
        ASSERT_GE(s->fill->stops.size(), 2u);
        EXPECT_NE(s->fill->stops.front().colour, s->fill->stops.back().colour);
        first_stops.insert(s->fill->stops.front().colour);
    }
    EXPECT_GT(first_stops.size(), 5u) << "the strips are not lit differently";
}

}  // namespace
