// Golden images of lines, areas and the surface (see golden_image.h for how they are
// compared and regenerated). Case names carry the chart type's code without its sign:
// line4101 is xl3DLine (-4101), area4098 xl3DArea (-4098).
#include <gtest/gtest.h>

#include "golden_image.h"

namespace {

using namespace render_test;

chart_snapshot flat_walls(int type)
{
    chart_snapshot c = reference_chart(type);
    c.walls_and_gridlines_2d = true;
    return c;
}

// A dashed medium line and an empty cell that breaks it.
chart_snapshot dashed_with_gap()
{
    chart_snapshot c = reference_chart(65);
    c.series[1].border.weight = sheethost::render::border_weight::medium;
    c.series[1].border.line_style = sheethost::render::line_dash::dash;
    c.series[2].values[5].reset();
    return c;
}

// One-colour gradient shading on every series.
chart_snapshot shaded_series(int type)
{
    chart_snapshot c = reference_chart(type);
    for (series_data &s : c.series) {
        s.fill.type = fill_spec::kind::one_color_gradient;
        s.fill.gradient_style = sheethost::render::gradient_direction::horizontal;
        s.fill.gradient_variant = 1;
        s.fill.gradient_degree = 0.231372549019608;
    }
    c.series[0].fill.fore = 0x4472C4;
    c.series[1].fill.fore = 0xED7D31;
    c.series[2].fill.fore = 0x70AD47;
    return c;
}

const golden_case kCases[] = {
    {"line65_three_series", [] { return reference_chart(65); }},
    {"line65_one_series", [] { return one_series_chart(65); }},
    {"line65_negatives", [] { return negative_chart(65); }},
    {"line65_25_points", [] { return many_points_chart(65); }},
    {"line65_long_headings", [] { return long_heading_chart(65); }},
    {"line65_single_point", [] { return single_point_chart(65); }},
    {"line65_dashed_gap", dashed_with_gap},
    {"line4101_three_series", [] { return reference_chart(-4101); }},
    {"line4101_one_series", [] { return one_series_chart(-4101); }},
    {"line4101_negatives", [] { return negative_chart(-4101); }},
    {"line4101_25_points", [] { return many_points_chart(-4101); }},
    {"line4101_single_point", [] { return single_point_chart(-4101); }},
    {"line4101_background", [] { return reference_chart_with_background(-4101); }},
    {"line4101_flat_walls", [] { return flat_walls(-4101); }},
    {"area1_three_series", [] { return reference_chart(1); }},
    {"area1_one_series", [] { return one_series_chart(1); }},
    {"area1_negatives", [] { return negative_chart(1); }},
    {"area1_long_headings", [] { return long_heading_chart(1); }},
    {"area1_single_point", [] { return single_point_chart(1); }},
    {"area1_shaded", [] { return shaded_series(1); }},
    {"area4098_three_series", [] { return reference_chart(-4098); }},
    {"area4098_one_series", [] { return one_series_chart(-4098); }},
    {"area4098_negatives", [] { return negative_chart(-4098); }},
    {"area4098_single_point", [] { return single_point_chart(-4098); }},
    {"area4098_background", [] { return reference_chart_with_background(-4098); }},
    {"area4098_shaded", [] { return shaded_series(-4098); }},
    {"surface83_three_series", [] { return reference_chart(83); }},
    {"surface83_one_series", [] { return one_series_chart(83); }},
    {"surface83_negatives", [] { return negative_chart(83); }},
    {"surface83_25_points", [] { return many_points_chart(83); }},
    {"surface83_background", [] { return reference_chart_with_background(83); }},
    {"surface83_flat_walls", [] { return flat_walls(83); }},
};

class GoldenLineArea : public ::testing::TestWithParam<golden_case> {};

TEST_P(GoldenLineArea, MatchesGoldenImage) { expect_matches_golden(GetParam()); }

INSTANTIATE_TEST_SUITE_P(LinesAreasSurface, GoldenLineArea, ::testing::ValuesIn(kCases), golden_case_name);

}  // namespace
