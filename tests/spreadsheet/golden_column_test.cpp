// Golden images of the column family: each case is drawn, decoded and compared with
// tests/golden/<name>.gif as thumbnails (fonts differ between machines, so bytes
// would not match). QUILLET_REGENERATE_GOLDEN=1 rewrites the golden files instead
// (scripts/regenerate-golden), and QUILLET_GOLDEN_PREVIEW=<dir> also writes a PNG
// of each case there for people to look at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "render/exporter.hpp"
#include "render_test_charts.h"
#include "render_test_compare.h"
#include "render_test_gif.h"

namespace {

using namespace render_test;
using sheethost::render::encode_chart;
using sheethost::render::image_format;

struct golden_case {
    const char *name;
    std::function<chart_snapshot()> make;
};

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

std::string golden_path(const std::string &name) { return std::string(GOLDEN_DIR) + "/" + name + ".gif"; }

void write_bytes(const std::string &path, const std::vector<uint8_t> &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "could not write " << path;
}

class GoldenColumn : public ::testing::TestWithParam<golden_case> {};

TEST_P(GoldenColumn, MatchesGoldenImage)
{
    const golden_case &c = GetParam();
    std::vector<uint8_t> gif = encode_chart(c.make(), image_format::gif);
    if (const char *dir = std::getenv("QUILLET_GOLDEN_PREVIEW"))
        write_bytes(std::string(dir) + "/" + c.name + ".png", encode_chart(c.make(), image_format::png));
    if (std::getenv("QUILLET_REGENERATE_GOLDEN")) {
        write_bytes(golden_path(c.name), gif);
        GTEST_SKIP() << "regenerated " << golden_path(c.name);
    }
    std::vector<uint8_t> golden = read_bytes(golden_path(c.name));
    ASSERT_FALSE(golden.empty()) << "no golden image " << golden_path(c.name) << ": run scripts/regenerate-golden";
    thumbnail_difference d = compare_thumbnails(decode_gif(gif), decode_gif(golden));
    EXPECT_TRUE(looks_alike(d)) << c.name << ": " << describe(d);
}

INSTANTIATE_TEST_SUITE_P(ColumnFamily, GoldenColumn, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<golden_case> &info) { return std::string(info.param.name); });

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
