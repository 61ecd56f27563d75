// Golden images of the pie family (see golden_image.h for how they are compared and
// regenerated). Case names carry the chart type's code without its sign: pie4102 is
// xl3DPie (-4102).
#include <gtest/gtest.h>

#include "golden_image.h"
#include "render_test_pies.h"

namespace {

using namespace render_test;

const golden_case kCases[] = {
    {"pie5_three_series", [] { return reference_chart(5); }},
    {"pie5_one_series", [] { return one_series_chart(5); }},
    {"pie5_negatives", [] { return negative_chart(5); }},
    {"pie5_25_points", [] { return many_points_chart(5); }},
    {"pie5_long_headings", [] { return long_heading_chart(5); }},
    {"pie5_single_point", [] { return single_point_chart(5); }},
    {"pie5_shaded", [] { return shaded_pie_chart(5); }},
    {"pie5_small_slices", [] { return small_slices_chart(5); }},
    {"pie5_all_zero", [] { return all_zero_pie_chart(5); }},
    {"pie69_three_series", [] { return reference_chart(69); }},
    {"pie69_one_series", [] { return one_series_chart(69); }},
    {"pie69_small_slices", [] { return small_slices_chart(69); }},
    {"pie4102_three_series", [] { return reference_chart(-4102); }},
    {"pie4102_one_series", [] { return one_series_chart(-4102); }},
    {"pie4102_negatives", [] { return negative_chart(-4102); }},
    {"pie4102_25_points", [] { return many_points_chart(-4102); }},
    {"pie4102_shaded", [] { return shaded_pie_chart(-4102); }},
    {"pie4102_single_point", [] { return single_point_chart(-4102); }},
    {"pie70_three_series", [] { return reference_chart(70); }},
    {"pie70_one_series", [] { return one_series_chart(70); }},
    {"pie70_small_slices", [] { return small_slices_chart(70); }},
    {"pie70_shaded", [] { return shaded_pie_chart(70); }},
};

class GoldenPie : public ::testing::TestWithParam<golden_case> {};

TEST_P(GoldenPie, MatchesGoldenImage) { expect_matches_golden(GetParam()); }

INSTANTIATE_TEST_SUITE_P(PieFamily, GoldenPie, ::testing::ValuesIn(kCases), golden_case_name);

}  // namespace
