// Golden images of the bar charts, the 3-D column with series in depth and the
// cylinder, cone and pyramid charts (see golden_image.h for how they are compared and
// regenerated).
#include <gtest/gtest.h>

#include "golden_image.h"

namespace {

using namespace render_test;

chart_snapshot gradient_series(int type)
{
    chart_snapshot c = gradient_chart();
    c.chart_type = type;
    return c;
}

chart_snapshot with_background(int type) { return reference_chart_with_background(type); }

chart_snapshot flat_walls(int type)
{
    chart_snapshot c = reference_chart(type);
    c.walls_and_gridlines_2d = true;
    return c;
}

const golden_case kCases[] = {
    {"bar57_three_series", [] { return reference_chart(57); }},
    {"bar57_one_series", [] { return one_series_chart(57); }},
    {"bar57_negatives", [] { return negative_chart(57); }},
    {"bar57_25_points", [] { return many_points_chart(57); }},
    {"bar57_long_headings", [] { return long_heading_chart(57); }},
    {"bar57_single_point", [] { return single_point_chart(57); }},
    {"bar60_three_series", [] { return reference_chart(60); }},
    {"bar60_one_series", [] { return one_series_chart(60); }},
    {"bar60_negatives", [] { return negative_chart(60); }},
    {"bar60_long_headings", [] { return long_heading_chart(60); }},
    {"bar60_background", [] { return with_background(60); }},
    {"bar60_flat_walls", [] { return flat_walls(60); }},
    {"column4100_three_series", [] { return reference_chart(-4100); }},
    {"column4100_one_series", [] { return one_series_chart(-4100); }},
    {"column4100_negatives", [] { return negative_chart(-4100); }},
    {"column4100_background", [] { return with_background(-4100); }},
    {"cylinder92_three_series", [] { return reference_chart(92); }},
    {"cylinder92_negatives", [] { return negative_chart(92); }},
    {"cylinder92_gradient", [] { return gradient_series(92); }},
    {"cylinder95_three_series", [] { return reference_chart(95); }},
    {"cylinder95_one_series", [] { return one_series_chart(95); }},
    {"cone99_three_series", [] { return reference_chart(99); }},
    {"cone99_negatives", [] { return negative_chart(99); }},
    {"cone102_three_series", [] { return reference_chart(102); }},
    {"cone102_single_point", [] { return single_point_chart(102); }},
    {"pyramid106_three_series", [] { return reference_chart(106); }},
    {"pyramid106_one_series", [] { return one_series_chart(106); }},
    {"pyramid109_three_series", [] { return reference_chart(109); }},
    {"pyramid109_negatives", [] { return negative_chart(109); }},
};

class GoldenBar : public ::testing::TestWithParam<golden_case> {};

TEST_P(GoldenBar, MatchesGoldenImage) { expect_matches_golden(GetParam()); }

INSTANTIATE_TEST_SUITE_P(BarFamily, GoldenBar, ::testing::ValuesIn(kCases), golden_case_name);

}  // namespace
