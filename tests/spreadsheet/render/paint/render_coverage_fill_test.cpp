// Filling polygons straight into pixels: each pixel takes the colour by the share of
// its area covered, holes wound the other way stay untouched, and nothing is written
// outside the picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "render/paint/coverage_fill.hpp"

namespace {

using namespace sheethost::render;

constexpr uint32_t kWhite = 0xFFFFFFFFu;

struct canvas {
    int width = 8, height = 6;
    std::vector<uint32_t> pixels = std::vector<uint32_t>(48, kWhite);
    pixel_target target() { return {pixels.data(), width, height}; }
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

std::vector<point> box(double x0, double y0, double x1, double y1) { return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}; }

struct pixel_case {
    std::string name;
    std::vector<std::vector<point>> contours;  // the second and later wound the other way
    int x, y;
    uint32_t expected;  // after filling black over white
};

class CoverageFill : public testing::TestWithParam<pixel_case> {};

TEST_P(CoverageFill, MixesByTheCoveredShare)
{
    const pixel_case &c = GetParam();
    canvas cv;
    coverage_fill f;
    for (size_t i = 0; i < c.contours.size(); ++i)
        f.add_contour(c.contours[i], i > 0);
    f.paint(cv.target(), 0x000000);
    EXPECT_EQ(cv.at(c.x, c.y), c.expected) << std::hex << cv.at(c.x, c.y);
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, CoverageFill,
    testing::Values(
        pixel_case{"inside_a_whole_pixel_box", {box(1, 1, 4, 3)}, 2, 2, 0xFF000000u},
        pixel_case{"just_outside_it", {box(1, 1, 4, 3)}, 4, 2, kWhite},
        // Half the pixel: alpha 128, so white keeps 255 * 127 / 255.
        pixel_case{"half_covered_column", {box(1.5, 1, 4, 3)}, 1, 2, 0xFF7F7F7Fu},
        pixel_case{"quarter_covered_corner", {box(1.5, 1.5, 4, 3)}, 1, 1, 0xFFBFBFBFu},
        pixel_case{"diagonal_halves_a_pixel", {{{0, 0}, {6, 0}, {0, 6}}}, 2, 3, 0xFF7F7F7Fu},
        pixel_case{"hole_stays_white", {box(0, 0, 6, 5), box(2, 1, 4, 4)}, 3, 2, kWhite},
        pixel_case{"ring_is_filled", {box(0, 0, 6, 5), box(2, 1, 4, 4)}, 1, 2, 0xFF000000u},
        pixel_case{"off_the_left_edge", {box(-5, 1, 2, 3)}, 0, 2, 0xFF000000u},
        pixel_case{"off_the_right_edge", {box(6.5, 1, 20, 3)}, 7, 2, 0xFF000000u}),
    [](const testing::TestParamInfo<pixel_case> &info) { return info.param.name; });

TEST(CoverageFillBounds, WritesNothingOutsideThePicture)
{
    // A canvas inside a larger buffer: the guard pixels around it must stay white.
    std::vector<uint32_t> buffer(100, kWhite);
    pixel_target inner{buffer.data() + 10, 8, 6};
    coverage_fill f;
    f.add_contour(box(-20, -20, 40, 40));
    f.paint(inner, 0x123456);
    for (size_t i = 0; i < buffer.size(); ++i)
        EXPECT_EQ(buffer[i], i >= 10 && i < 58 ? 0xFF123456u : kWhite) << i;
}

TEST(CoverageFillBounds, ContoursWoundAlikeCoverTheirOverlapOnce)
{
    canvas cv;
    coverage_fill f;
    f.add_contour(box(0, 1, 4, 2));
    f.add_contour(box(2, 1, 6.5, 2));
    f.paint(cv.target(), 0x000000);
    EXPECT_EQ(cv.at(3, 1), 0xFF000000u);
    EXPECT_EQ(cv.at(6, 1), 0xFF7F7F7Fu);
}

class FillPixels : public testing::TestWithParam<size_t> {};

TEST_P(FillPixels, SetsExactlyTheRun)
{
    // Whatever the count, the whole run and nothing either side of it.
    const size_t n = GetParam();
    std::vector<uint32_t> buffer(n + 2, kWhite);
    fill_pixels(buffer.data() + 1, n, 0xFF102030u);
    for (size_t i = 0; i < buffer.size(); ++i)
        EXPECT_EQ(buffer[i], i >= 1 && i <= n ? 0xFF102030u : kWhite) << i;
}

INSTANTIATE_TEST_SUITE_P(Counts, FillPixels, testing::Values(0, 1, 3, 7, 8, 9, 16, 17, 100));

TEST(CoverageFillRows, EachRowTakesItsOwnColour)
{
    canvas cv;
    coverage_fill f;
    f.add_contour(box(1, 0, 3.5, 6));
    f.paint_rows(cv.target(), [](int row) { return static_cast<rgb>(row * 0x101010); });
    for (int y = 0; y < cv.height; ++y) {
        uint32_t grey = 0xFF000000u | static_cast<uint32_t>(y * 0x101010);
        EXPECT_EQ(cv.at(1, y), grey) << y;
        EXPECT_EQ(cv.at(2, y), grey) << y;
        EXPECT_NE(cv.at(3, y), grey) << y;  // half covered: mixed with white
        EXPECT_EQ(cv.at(4, y), kWhite) << y;
    }
}

TEST(CoverageFillBounds, TheColourKeepsItsChannels)
{
    canvas cv;
    coverage_fill f;
    f.add_contour(box(0, 0, 2, 2));
    f.paint(cv.target(), 0x3366CC);
    EXPECT_EQ(cv.at(1, 1), 0xFF3366CCu);
    f.clear();
    f.add_contour(box(3.5, 0, 5, 2));
    f.paint(cv.target(), 0x3366CC);
    // Half of white and the colour, channel by channel.
    EXPECT_EQ(cv.at(3, 1), 0xFF99B2E5u);
}

}  // namespace
