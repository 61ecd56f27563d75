// Pie layout with the fixed-width text measurer: slice angles in exact proportion to
// the values, magnitudes for negatives, no slices for zeros and empty cells, an empty
// outline for all-zero data, exploded slices pulled out along their bisectors, the pie
// centred and as large as fits, no axes, a legend of categories wherever it is put,
// and value labels that cover neither the pie nor each other.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>

#include "render/layout/chart_layout.hpp"
#include "render/style/chart_style.hpp"
#include "render/layout/projection.hpp"
#include "snapshot/host_values.hpp"
#include "render_test_charts.h"
#include "render_test_pies.h"
#include "render_test_text.h"

namespace {

using namespace render_test;
using namespace sheethost::render;

constexpr double kTurn = 2 * std::numbers::pi;

chart_layout lay_out(const chart_snapshot &c)
{
    fixed_width_measurer m;
    return lay_out_chart(c, m);
}

std::string ascii(const std::u16string &s) { return std::string(s.begin(), s.end()); }

bool inside(const rect &outer, const rect &r, double slack = 0.01) { return outer.contains(r, slack); }

// The slice tops of a category: shapes in the plot area filled flat with its colour.
std::vector<const shape *> slices_of(const chart_layout &l, size_t category)
{
    std::vector<const shape *> out;
    for (const scene_item &item : l.picture.items)
        if (const shape *s = std::get_if<shape>(&item); s && s->fill && s->fill->type == paint::kind::solid &&
                                                       s->fill->colour == series_colour(category) &&
                                                       s->outline.size() >= 3 && inside(l.plot, bounds_of(s->outline)))
            out.push_back(s);
    return out;
}

// A 3-D pie's top is squashed to sin(elevation) of its width.
double squash(int type) { return is_3d_pie(type) ? std::sin(view_angles{}.elevation * std::numbers::pi / 180) : 1; }

// The angle of p seen from apex, clockwise from 12 o'clock, in [0, 2 pi).
double clockwise_angle(point apex, point p, double squash)
{
    double a = std::atan2(p.x - apex.x, (p.y - apex.y) / squash);
    return a < 0 ? a + kTurn : a;
}

// The difference of two angles folded into (-pi, pi].
double angle_gap(double a, double b)
{
    double d = std::fmod(a - b, kTurn);
    if (d > std::numbers::pi)
        d -= kTurn;
    if (d <= -std::numbers::pi)
        d += kTurn;
    return d;
}

struct values_case {
    const char *name;
    std::vector<std::optional<double>> values;
};

const values_case kValueCases[] = {
    {"four", {10, 20, 30, 40}},
    {"uneven", {1, 1, 1, 5, 2}},
    {"negatives_and_gaps", {5, -5, 0, std::nullopt, 10}},
    {"tiny_and_huge", {0.001, 1000, 3, 0.5}},
};

TEST(PieLayout, SliceAnglesAreInExactProportionToTheMagnitudes)
{
    for (int type : pie_types()) {
        for (const values_case &vc : kValueCases) {
            SCOPED_TRACE(std::string(vc.name) + " type " + std::to_string(type));
            chart_layout l = lay_out(pie_chart(type, vc.values));
            double total = 0;
            for (const auto &v : vc.values)
                total += v ? std::abs(*v) : 0;
            double start = 0;
            for (size_t i = 0; i < vc.values.size(); ++i) {
                std::vector<const shape *> found = slices_of(l, i);
                if (!vc.values[i] || *vc.values[i] == 0) {
                    EXPECT_TRUE(found.empty()) << "category " << i << " has no value but a slice";
                    continue;
                }
                ASSERT_EQ(found.size(), 1u) << "category " << i;
                const std::vector<point> &o = found[0]->outline;
                // The apex first, then the rim clockwise.
                double from = clockwise_angle(o[0], o[1], squash(type));
                double to = clockwise_angle(o[0], o.back(), squash(type));
                double sweep = kTurn * std::abs(*vc.values[i]) / total;
                EXPECT_NEAR(angle_gap(from, start), 0, 1e-9) << "category " << i;
                EXPECT_NEAR(angle_gap(to, start + sweep), 0, 1e-9) << "category " << i;
                start += sweep;
            }
        }
    }
}

TEST(PieLayout, ALoneSliceIsTheWholeDiscWithoutASeam)
{
    for (int type : pie_types()) {
        chart_layout l = lay_out(pie_chart(type, {0, 42, 0}));
        std::vector<const shape *> found = slices_of(l, 1);
        ASSERT_EQ(found.size(), 1u) << "type " << type;
        rect box = bounds_of(found[0]->outline);
        point c = box.centre();
        for (const point &p : found[0]->outline) {
            double dx = (p.x - c.x) / (box.w / 2), dy = (p.y - c.y) / (box.h / 2);
            EXPECT_NEAR(std::hypot(dx, dy), 1, 1e-9) << "type " << type << ": a point off the rim";
        }
    }
}

TEST(PieLayout, AllZeroOrNoDataGivesAnEmptyOutlineAndNoNumbersGoWrong)
{
    std::vector<chart_snapshot> charts;
    for (int type : pie_types()) {
        charts.push_back(all_zero_pie_chart(type));
        chart_snapshot none = titled_chart(type);
        charts.push_back(none);
        charts.push_back(pie_chart(type, {std::nullopt, std::nullopt}));
    }
    for (const chart_snapshot &c : charts) {
        SCOPED_TRACE("type " + std::to_string(c.chart_type) + ", " + std::to_string(c.series.size()) + " series");
        chart_layout l = lay_out(c);
        size_t outlines = 0;
        for (const scene_item &item : l.picture.items) {
            const shape *s = std::get_if<shape>(&item);
            if (!s)
                continue;
            for (const point &p : s->outline)
                ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
            if (!inside(l.plot, bounds_of(s->outline)))
                continue;
            EXPECT_FALSE(s->fill) << "a filled shape in an empty pie";
            outlines += s->line.has_value();
        }
        EXPECT_GE(outlines, 1u);
        EXPECT_TRUE(l.data_labels.empty());
    }
}

TEST(PieLayout, HasNoAxesEvenWhenTheChartNamesThem)
{
    for (int type : pie_types()) {
        chart_layout l = lay_out(reference_chart(type));  // sets both axis titles
        EXPECT_TRUE(l.value_labels.empty()) << type;
        EXPECT_TRUE(l.categories.labels.empty()) << type;
        EXPECT_FALSE(l.value_title) << type;
        EXPECT_FALSE(l.category_title) << type;
        EXPECT_TRUE(l.title) << type;
    }
}

TEST(PieLayout, IsCentredInThePlotAreaAndAsLargeAsFits)
{
    for (int type : pie_types()) {
        for (double w : {400.0, 200.0}) {
            chart_snapshot c = pie_chart(type, {3, 1, 2, 5});
            c.plot_width = w;
            chart_layout l = lay_out(c);
            std::optional<rect> drawn;
            for (const scene_item &item : l.picture.items)
                if (const shape *s = std::get_if<shape>(&item); s && s->fill)
                    drawn = drawn ? united(*drawn, bounds_of(s->outline)) : bounds_of(s->outline);
            ASSERT_TRUE(drawn);
            SCOPED_TRACE("type " + std::to_string(type) + " width " + std::to_string(w));
            EXPECT_TRUE(inside(l.plot, *drawn));
            // Without labels only a hair of margin is left on the limiting side; an
            // exploded pie's slices reach out a tenth further only along their bisectors.
            double reach = is_exploded_pie(type) ? 0.9 : 1;
            EXPECT_TRUE(drawn->w >= reach * (l.plot.w - 10) || drawn->h >= reach * (l.plot.h - 10))
                << drawn->w << " x " << drawn->h << " in " << l.plot.w << " x " << l.plot.h;
            if (!is_exploded_pie(type)) {
                EXPECT_NEAR(drawn->centre().x, l.plot.centre().x, 0.1);
                EXPECT_NEAR(drawn->centre().y, l.plot.centre().y, 0.1);
            }
        }
    }
}

TEST(PieLayout, ExplodedSlicesArePulledOutATenthOfTheRadiusAlongTheirBisectors)
{
    for (int type : {69, 70}) {
        const std::vector<std::optional<double>> values = {4, 1, 2, 3};
        chart_layout l = lay_out(pie_chart(type, values));
        double s = squash(type);
        // The radius across, from a slice whose first rim point lies well to one side.
        double radius = 0;
        for (size_t i = 0; i < values.size(); ++i) {
            const std::vector<point> &o = slices_of(l, i).at(0)->outline;
            double a = clockwise_angle(o[0], o[1], s);
            if (std::abs(std::sin(a)) > 0.5)
                radius = (o[1].x - o[0].x) / std::sin(a);
        }
        ASSERT_GT(radius, 0);
        double start = 0;
        for (size_t i = 0; i < values.size(); ++i) {
            const std::vector<point> &o = slices_of(l, i).at(0)->outline;
            double sweep = kTurn * *values[i] / 10;
            double middle = start + sweep / 2;
            start += sweep;
            EXPECT_NEAR(o[0].x - l.plot.centre().x, 0.1 * radius * std::sin(middle), 1e-6) << "type " << type << " slice " << i;
            if (!is_3d_pie(type)) {
                EXPECT_NEAR(o[0].y - l.plot.centre().y, 0.1 * radius * std::cos(middle), 1e-6) << "slice " << i;
            }
        }
    }
}

TEST(PieLayout, TheLegendNamesTheCategoriesWhereverItIsPut)
{
    const struct {
        int position;
        std::function<bool(const rect &legend, const rect &plot)> placed;
    } kPositions[] = {
        {-4160, [](const rect &g, const rect &p) { return g.bottom() >= p.top(); }},
        {-4107, [](const rect &g, const rect &p) { return g.top() <= p.bottom(); }},
        {-4131, [](const rect &g, const rect &p) { return g.right() <= p.left(); }},
        {-4152, [](const rect &g, const rect &p) { return g.left() >= p.right(); }},
        {2, [](const rect &g, const rect &p) { return g.left() >= p.right() && g.bottom() >= p.centre().y; }},
    };
    for (int type : pie_types()) {
        for (const auto &pos : kPositions) {
            chart_snapshot c = pie_chart(type, {3, 0, 2, -5});
            c.categories = {u"North", u"East", u"South", u"West"};
            c.has_legend = true;
            c.legend_position = sheethost::snapshot::legend_place_of(pos.position);
            chart_layout l = lay_out(c);
            SCOPED_TRACE("type " + std::to_string(type) + " position " + std::to_string(pos.position));
            ASSERT_TRUE(l.legend);
            EXPECT_TRUE(pos.placed(l.legend->frame, l.plot));
            // Every category, the zero one too, in order.
            ASSERT_EQ(l.legend->entries.size(), 4u);
            for (size_t i = 0; i < 4; ++i) {
                ASSERT_FALSE(l.legend->entries[i].label.item.lines.empty());
                EXPECT_EQ(l.legend->entries[i].label.item.lines[0], ascii(c.categories[i]));
            }
            EXPECT_TRUE(inside(rect{0, 0, l.picture.width, l.picture.height}, l.legend->frame));
        }
    }
}

// Whether p lies inside the polygon (even-odd rule).
bool contains_point(const std::vector<point> &poly, point p)
{
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const point &a = poly[i], &b = poly[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            in = !in;
    }
    return in;
}

const struct {
    const char *name;
    std::function<chart_snapshot(int)> make;
} kLabelCharts[] = {
    {"reference", [](int t) { return reference_chart(t); }},
    {"one_series", [](int t) { return one_series_chart(t); }},
    {"negatives", [](int t) { return negative_chart(t); }},
    {"small_slices", [](int t) { return small_slices_chart(t); }},
    {"single", [](int t) { return single_point_chart(t); }},
    {"many", [](int t) {
         chart_snapshot c = many_points_chart(t);
         c.series[0].data_labels = true;
         return c;
     }},
    {"many_small_plot", [](int t) {
         chart_snapshot c = many_points_chart(t);
         c.series[0].data_labels = true;
         c.plot_width = 300;
         c.plot_height = 200;
         return c;
     }},
    {"legend_keys", [](int t) {
         chart_snapshot c = small_slices_chart(t);
         c.series[0].legend_key = true;
         return c;
     }},
};

TEST(PieLayout, ValueLabelsCoverNeitherThePieNorEachOtherAndStayInTheImage)
{
    for (int type : pie_types()) {
        for (const auto &lc : kLabelCharts) {
            chart_snapshot c = lc.make(type);
            chart_layout l = lay_out(c);
            SCOPED_TRACE(std::string(lc.name) + " type " + std::to_string(type));
            size_t expected = 0;
            for (const auto &v : c.series[0].values)
                expected += v && *v != 0;
            ASSERT_EQ(l.data_labels.size(), expected);
            rect image{0, 0, l.picture.width, l.picture.height};
            std::vector<const shape *> filled;
            for (const scene_item &item : l.picture.items)
                if (const shape *s = std::get_if<shape>(&item); s && s->fill && inside(l.plot, bounds_of(s->outline))) {
                    // A label's own legend key is part of the label, not of the pie.
                    bool key = std::any_of(l.data_labels.begin(), l.data_labels.end(), [s](const data_label &d) {
                        return d.bounds.contains(bounds_of(s->outline), 0.01);
                    });
                    if (!key)
                        filled.push_back(s);
                }
            for (size_t i = 0; i < l.data_labels.size(); ++i) {
                const rect &b = l.data_labels[i].bounds;
                EXPECT_TRUE(inside(image, b)) << "label " << i << " leaves the image";
                EXPECT_TRUE(inside(l.plot, b, 1)) << "label " << i << " leaves the plot area";
                for (size_t j = i + 1; j < l.data_labels.size(); ++j)
                    EXPECT_FALSE(b.overlaps(l.data_labels[j].bounds)) << "labels " << i << " and " << j;
                for (int gx = 0; gx <= 6; ++gx)
                    for (int gy = 0; gy <= 2; ++gy) {
                        point p{b.left() + 0.5 + (b.w - 1) * gx / 6, b.bottom() + 0.5 + (b.h - 1) * gy / 2};
                        for (const shape *s : filled)
                            ASSERT_FALSE(contains_point(s->outline, p)) << "label " << i << " covers the pie";
                    }
            }
        }
    }
}

// A 3-D pie's tops come after every upright face: nothing below the top plane can
// hide a top.
TEST(PieLayout, ThreeDTopsArePaintedAfterEveryWall)
{
    for (int type : {-4102, 70}) {
        chart_layout l = lay_out(pie_chart(type, {3, 1, 2, 5, 1}));
        size_t last_wall = 0, first_top = l.picture.items.size(), walls = 0;
        for (size_t i = 0; i < l.picture.items.size(); ++i) {
            const shape *s = std::get_if<shape>(&l.picture.items[i]);
            if (!s || !s->fill)
                continue;
            bool top = false;
            for (size_t k = 0; k < 5; ++k)
                top = top || (s->fill->type == paint::kind::solid && s->fill->colour == series_colour(k));
            if (top) {
                first_top = std::min(first_top, i);
            } else {
                last_wall = i;
                ++walls;
            }
        }
        EXPECT_GE(walls, 2u) << type;
        EXPECT_LT(last_wall, first_top) << type;
    }
}

}  // namespace
