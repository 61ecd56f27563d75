// Layout with a fixed-width text measurer (no fonts needed): the plot area keeps the
// set size, nothing overlaps, the legend sits where it was put, ticks are round, and
// headings of any length find room.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "host_errors.hpp"
#include "render/layout/chart_layout.hpp"
#include "snapshot/host_values.hpp"
#include "render_test_charts.h"
#include "render_test_text.h"

namespace {

using namespace render_test;
using sheethost::host_error;
using sheethost::host_hresult;
using namespace sheethost::render;

chart_layout lay_out(const chart_snapshot &c)
{
    fixed_width_measurer m;
    return lay_out_chart(c, m);
}

struct named_box {
    std::string name;
    rect box;
    std::vector<point> outline;  // the turned box itself
};

// Every text block and the legend, named for failure messages.
std::vector<named_box> text_boxes(const chart_layout &l)
{
    std::vector<named_box> out;
    auto add = [&out](std::string name, const text_box &t) {
        out.push_back({std::move(name), t.bounds, text_corners(t.item)});
    };
    if (l.title)
        add("title", *l.title);
    if (l.value_title)
        add("value title", *l.value_title);
    if (l.category_title)
        add("category title", *l.category_title);
    if (l.legend)
        out.push_back({"legend", l.legend->frame, corners(l.legend->frame)});
    for (size_t i = 0; i < l.value_labels.size(); ++i)
        add("tick label " + std::to_string(i), l.value_labels[i]);
    for (size_t i = 0; i < l.categories.labels.size(); ++i)
        add("heading " + std::to_string(i), l.categories.labels[i]);
    for (size_t i = 0; i < l.data_labels.size(); ++i)
        out.push_back({"value label " + std::to_string(i), l.data_labels[i].bounds, corners(l.data_labels[i].bounds)});
    return out;
}

struct chart_case {
    const char *name;
    std::function<chart_snapshot()> make;
};

const chart_case kCharts[] = {
    {"reference51", [] { return reference_chart(51); }},
    {"reference54", [] { return reference_chart(54); }},
    {"one_series51", [] { return one_series_chart(51); }},
    {"negatives51", [] { return negative_chart(51); }},
    {"negatives54", [] { return negative_chart(54); }},
    {"many51", [] { return many_points_chart(51); }},
    {"many54", [] { return many_points_chart(54); }},
    {"long51", [] { return long_heading_chart(51); }},
    {"long54", [] { return long_heading_chart(54); }},
    {"turned51", [] { return turned_heading_chart(51); }},
    {"turned54", [] { return turned_heading_chart(54); }},
    {"single51", [] { return single_point_chart(51); }},
    {"single54", [] { return single_point_chart(54); }},
    {"gradient54", [] { return gradient_chart(); }},
    {"flat54", [] { return flat_walls_chart(); }},
};

class LayoutOf : public ::testing::TestWithParam<chart_case> {};

TEST_P(LayoutOf, NothingOverlapsAndEverythingIsInside)
{
    chart_layout l = lay_out(GetParam().make());
    rect image{0, 0, l.picture.width, l.picture.height};
    std::vector<named_box> boxes = text_boxes(l);
    for (size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_TRUE(image.contains(boxes[i].box, 0.01)) << boxes[i].name << " leaves the image";
        for (size_t j = i + 1; j < boxes.size(); ++j)
            EXPECT_FALSE(convex_overlap(boxes[i].outline, boxes[j].outline, 0.01))
                << boxes[i].name << " overlaps " << boxes[j].name;
        bool is_value_label = boxes[i].name.rfind("value label", 0) == 0;
        if (is_value_label) {
            EXPECT_TRUE(l.plot.contains(boxes[i].box, 0.01)) << boxes[i].name << " leaves the plot area";
        } else {
            EXPECT_FALSE(convex_overlap(corners(l.plot), boxes[i].outline, 0.01))
                << boxes[i].name << " covers the plot area";
        }
    }
}

TEST_P(LayoutOf, KeepsTheTitleAndLegendOnTopInThatOrder)
{
    chart_layout l = lay_out(GetParam().make());
    ASSERT_TRUE(l.title && l.legend);
    EXPECT_GE(l.title->bounds.bottom(), l.legend->frame.top());
    EXPECT_GE(l.legend->frame.bottom(), l.plot.top());
}

TEST_P(LayoutOf, LabelsEveryPointThatAsksForOne)
{
    chart_snapshot c = GetParam().make();
    size_t wanted = 0;
    for (const series_data &s : c.series)
        if (s.data_labels)
            for (const auto &v : s.values)
                wanted += v.has_value();
    EXPECT_EQ(lay_out(c).data_labels.size(), wanted);
}

INSTANTIATE_TEST_SUITE_P(Charts, LayoutOf, ::testing::ValuesIn(kCharts),
                         [](const ::testing::TestParamInfo<chart_case> &i) { return std::string(i.param.name); });

struct size_case {
    int type;
    double width, height;        // as set; 0 = automatic
    double expect_w, expect_h;
};

class PlotArea : public ::testing::TestWithParam<size_case> {};

TEST_P(PlotArea, HasExactlyTheSetSizeAndTheImageWholePixels)
{
    const size_case &s = GetParam();
    chart_snapshot c = reference_chart(s.type);
    c.plot_width = s.width;
    c.plot_height = s.height;
    chart_layout l = lay_out(c);
    EXPECT_DOUBLE_EQ(l.plot.w, s.expect_w);
    EXPECT_DOUBLE_EQ(l.plot.h, s.expect_h);
    EXPECT_GT(l.picture.width, l.plot.w);
    EXPECT_GT(l.picture.height, l.plot.h);
    for (double v : {l.picture.width, l.picture.height, l.plot.x, l.plot.y})
        EXPECT_NEAR(v / 0.75, std::round(v / 0.75), 1e-6) << v << " is not a whole number of pixels";
}

INSTANTIATE_TEST_SUITE_P(Sizes, PlotArea,
                         ::testing::Values(size_case{51, 540, 250, 540, 250}, size_case{54, 540, 250, 540, 250},
                                           size_case{51, 0, 0, 450, 250}, size_case{54, 0, 0, 450, 250},
                                           size_case{51, 200.5, 120.25, 200.5, 120.25},
                                           size_case{54, 1200, 700, 1200, 700}));

TEST(LayoutLegend, FollowsItsPosition)
{
    chart_snapshot c = reference_chart(51);
    c.legend_position = legend_place::bottom;
    chart_layout bottom = lay_out(c);
    ASSERT_TRUE(bottom.legend && bottom.category_title);
    EXPECT_LE(bottom.legend->frame.top(), bottom.category_title->bounds.bottom());

    c.legend_position = legend_place::right;
    chart_layout right = lay_out(c);
    ASSERT_TRUE(right.legend);
    EXPECT_GE(right.legend->frame.left(), right.plot.right());
    ASSERT_EQ(right.legend->entries.size(), 3u);
    for (const legend_entry &e : right.legend->entries)  // one column, first series on top
        EXPECT_DOUBLE_EQ(e.key.x, right.legend->entries[0].key.x);
    EXPECT_GT(right.legend->entries[0].key.y, right.legend->entries[1].key.y);
    EXPECT_GT(right.legend->entries[1].key.y, right.legend->entries[2].key.y);

    c.legend_position = legend_place::left;
    chart_layout left = lay_out(c);
    ASSERT_TRUE(left.legend && left.value_title);
    EXPECT_LE(left.legend->frame.right(), left.value_title->bounds.left());

    c.has_legend = false;
    EXPECT_FALSE(lay_out(c).legend);
}

TEST(LayoutLegend, NamesUnnamedSeriesLikeTheHost)
{
    chart_snapshot c = reference_chart(51);
    c.series[1].name.clear();
    chart_layout l = lay_out(c);
    ASSERT_TRUE(l.legend);
    ASSERT_EQ(l.legend->entries.size(), 3u);
    EXPECT_EQ(l.legend->entries[1].label.item.lines.at(0), "Series2");
}

TEST(LayoutTicks, AreTheScalesRoundValuesEvenlySpaced)
{
    for (int type : {51, 54}) {
        chart_layout l = lay_out(reference_chart(type));
        std::vector<std::string> expected;
        for (double v : l.scale.ticks())
            expected.push_back(format_tick(v, l.scale));
        ASSERT_EQ(l.value_labels.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(l.value_labels[i].item.lines.at(0), expected[i]);
        EXPECT_EQ(expected.front(), "0");
        EXPECT_EQ(expected.back(), "30");
        double spacing = l.value_labels[1].item.anchor.y - l.value_labels[0].item.anchor.y;
        EXPECT_GT(spacing, 20);
        for (size_t i = 1; i < l.value_labels.size(); ++i)
            EXPECT_NEAR(l.value_labels[i].item.anchor.y - l.value_labels[i - 1].item.anchor.y, spacing, 1e-6);
    }
}

TEST(LayoutHeadings, GoAcrossWhenTheyFitAndTurnOrWrapWhenNot)
{
    EXPECT_EQ(lay_out(reference_chart(51)).categories.how, category_label_plan::arrangement::across);
    EXPECT_EQ(lay_out(many_points_chart(51)).categories.how, category_label_plan::arrangement::across);
    chart_snapshot wide = long_heading_chart(51);
    wide.plot_width = 700;
    chart_layout wrapped = lay_out(wide);
    EXPECT_EQ(wrapped.categories.how, category_label_plan::arrangement::wrapped);
    EXPECT_GT(wrapped.categories.labels[0].item.lines.size(), 1u);

    chart_snapshot narrow = long_heading_chart(51);
    chart_layout turned = lay_out(narrow);
    EXPECT_EQ(turned.categories.how, category_label_plan::arrangement::turned);
    EXPECT_DOUBLE_EQ(turned.categories.labels[0].item.angle, 45);
}

TEST(LayoutHeadings, ThinOutWhenEvenTurnedOnesWouldTouch)
{
    chart_snapshot c = many_points_chart(51);
    c.categories.clear();
    for (int i = 0; i < 25; ++i)
        c.categories.push_back(u16("Heading number " + std::to_string(i)));
    c.plot_width = 150;  // 6 points a slot, less than a line's height
    chart_layout l = lay_out(c);
    EXPECT_EQ(l.categories.how, category_label_plan::arrangement::turned);
    EXPECT_GT(l.categories.every, 1u);
    EXPECT_EQ(l.categories.labels.size(), (25 + l.categories.every - 1) / l.categories.every);
}

struct orientation_case {
    int orientation;
    double angle;
    double height;  // the title's box height for "Amount" at 10 points: 6 characters of 6 by 12
};

class ValueTitle : public ::testing::TestWithParam<orientation_case> {};

TEST_P(ValueTitle, TurnsOrStacksByItsOrientation)
{
    chart_snapshot c = reference_chart(51);
    c.value_axis_title.orientation = sheethost::snapshot::orientation_of(GetParam().orientation);
    chart_layout l = lay_out(c);
    ASSERT_TRUE(l.value_title);
    EXPECT_DOUBLE_EQ(l.value_title->item.angle, GetParam().angle);
    EXPECT_NEAR(l.value_title->bounds.h, GetParam().height, 1e-6);
    EXPECT_LE(l.value_title->bounds.right(), l.plot.left());
    // Centred on the value axis.
    EXPECT_NEAR(l.value_title->bounds.centre().y, l.plot.centre().y, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Orientations, ValueTitle,
                         ::testing::Values(orientation_case{-4166, 0, 6 * 12}, orientation_case{-4171, 90, 6 * 6},
                                           orientation_case{-4170, -90, 6 * 6}, orientation_case{-4128, 0, 12}));

TEST(ValueTitle, VerticalAlignmentSlidesItAlongTheAxis)
{
    struct alignment_case {
        int alignment;
        double (*expected)(const rect &title, const rect &plot);
    };
    const alignment_case cases[] = {
        {-4160, [](const rect &t, const rect &p) { return t.top() - p.top(); }},
        {-4107, [](const rect &t, const rect &p) { return t.bottom() - p.bottom(); }},
        {-4108, [](const rect &t, const rect &p) { return t.centre().y - p.centre().y; }},
    };
    for (const alignment_case &a : cases) {
        chart_snapshot c = reference_chart(51);
        c.value_axis_title.vertical_alignment = sheethost::snapshot::v_align_of(a.alignment);
        chart_layout l = lay_out(c);
        ASSERT_TRUE(l.value_title);
        EXPECT_NEAR(a.expected(l.value_title->bounds, l.plot), 0, 1e-6) << "alignment " << a.alignment;
    }
}

TEST(ValueTitle, StackedTitleKeepsCombiningMarksAndShortensToThePlotHeight)
{
    chart_snapshot c = reference_chart(51);
    c.value_axis_title.orientation = {0, true};  // stacked
    c.value_axis_title.text = u"Ame\u0301lie";  // e + combining acute stays one line
    chart_layout l = lay_out(c);
    ASSERT_TRUE(l.value_title);
    EXPECT_EQ(l.value_title->item.lines.size(), 6u);
    EXPECT_EQ(l.value_title->item.lines[2], "e\u0301");

    c.value_axis_title.text = std::u16string(1000, u'x');
    l = lay_out(c);
    ASSERT_TRUE(l.value_title);
    EXPECT_LE(l.value_title->bounds.h, l.plot.h);
    EXPECT_EQ(l.value_title->item.lines.back(), "\u2026");
}

struct refused_type {
    int code;
    const char16_t *text;
};

class NotDrawnYet : public ::testing::TestWithParam<refused_type> {};

TEST_P(NotDrawnYet, IsRefusedNamingTheType)
{
    chart_snapshot c = reference_chart(GetParam().code);
    try {
        lay_out(c);
        FAIL() << "chart type " << GetParam().code << " was drawn";
    } catch (const oleaut::com_error &e) {
        EXPECT_EQ(e.hr(), host_hresult(host_error::not_drawn_yet));
        EXPECT_EQ(e.description(), GetParam().text);
        EXPECT_EQ(e.source(), u"SheetHost");
    }
}

INSTANTIATE_TEST_SUITE_P(Types, NotDrawnYet,
                         ::testing::Values(refused_type{4, u"Chart type 4 is not drawn yet"},
                                           refused_type{-4111, u"Chart type -4111 is not drawn yet"},
                                           refused_type{777, u"Chart type 777 is not drawn yet"}));

TEST(LayoutLimits, RefusesAPlotAreaTooLargeToDraw)
{
    chart_snapshot c = reference_chart(51);
    c.plot_width = 5000;
    try {
        lay_out(c);
        FAIL() << "a 5000-point plot area was laid out";
    } catch (const oleaut::com_error &e) {
        EXPECT_EQ(e.hr(), host_hresult(host_error::render_failed));
    }
}

TEST(LayoutDataLabels, SitAboveRisingBarsAndBelowFallingOnes)
{
    chart_snapshot c = negative_chart(51);
    c.series.resize(1);  // North: 12, -8, 5, -15, 20, 3
    chart_layout l = lay_out(c);
    ASSERT_EQ(l.data_labels.size(), 6u);
    double zero = l.plot.y + l.scale.fraction(0) * l.plot.h;
    for (size_t i = 0; i < 6; ++i) {
        double v = *c.series[0].values[i];
        double end = l.plot.y + l.scale.fraction(v) * l.plot.h;
        if (v > 0)
            EXPECT_GE(l.data_labels[i].bounds.bottom(), end) << "label " << i;
        else
            EXPECT_LE(l.data_labels[i].bounds.top(), end) << "label " << i;
        EXPECT_EQ(l.data_labels[i].text.item.lines.at(0), format_general(v));
        (void)zero;
    }
}

}  // namespace
