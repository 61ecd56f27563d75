// Golden images of the column family (see golden_image.h for how they are compared
// and regenerated).
#include <gtest/gtest.h>

#include "golden_image.h"

namespace {

using namespace render_test;
using sheethost::render::encode_chart;
using sheethost::render::image_format;

const golden_case kCases[] = {
    {"column51_three_series", [] { return reference_chart(51); }},
    {"column54_three_series", [] { return reference_chart(54); }},
    {"column51_one_series", [] { return one_series_chart(51); }},
    {"column54_one_series", [] { return one_series_chart(54); }},
    {"column51_negatives", [] { return negative_chart(51); }},
    {"column54_negatives", [] { return negative_chart(54); }},
    {"column51_25_points", [] { return many_points_chart(51); }},
    {"column54_25_points", [] { return many_points_chart(54); }},
    {"column51_long_headings", [] { return long_heading_chart(51); }},
    {"column54_long_headings", [] { return long_heading_chart(54); }},
    {"column51_turned_headings", [] { return turned_heading_chart(51); }},
    {"column54_turned_headings", [] { return turned_heading_chart(54); }},
    {"column51_single_point", [] { return single_point_chart(51); }},
    {"column54_single_point", [] { return single_point_chart(54); }},
    {"column54_gradient_walls", [] { return gradient_chart(); }},
    {"column54_flat_walls", [] { return flat_walls_chart(); }},
};

class GoldenColumn : public ::testing::TestWithParam<golden_case> {};

TEST_P(GoldenColumn, MatchesGoldenImage) { expect_matches_golden(GetParam()); }

INSTANTIATE_TEST_SUITE_P(ColumnFamily, GoldenColumn, ::testing::ValuesIn(kCases), golden_case_name);

// The comparison must tell different charts apart, or the golden test proves nothing.
TEST(GoldenComparison, TellsDifferentChartsApart)
{
    decoded_image reference = decode_gif(encode_chart(reference_chart(51), image_format::gif));
    chart_snapshot changed = reference_chart(51);
    changed.series[1].values[6] = 2;  // one bar of twelve much shorter
    decoded_image other = decode_gif(encode_chart(changed, image_format::gif));
    thumbnail_difference changed_bar = compare_thumbnails(reference, other);
    EXPECT_FALSE(looks_alike(changed_bar)) << describe(changed_bar);
    EXPECT_TRUE(looks_alike(compare_thumbnails(reference, reference)));
}

}  // namespace
