// The GIF a chart becomes, against the true-colour picture it was painted as: close
// (PSNR), with pure white kept pure white, decoding to exactly the indexed picture,
// lossless whenever the picture has few enough colours, and small. One table row per
// chart: add a row for every new chart type or fill.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "render/paint/cairo_painter.hpp"
#include "render/layout/chart_layout.hpp"
#include "render/image/image_encoders.hpp"
#include "render/paint/pango_fonts.hpp"
#include "render/image/quantizer.hpp"
#include "render_test_charts.h"
#include "render_test_gif.h"

namespace {

using namespace sheethost::render;
using namespace render_test;

struct chart_case {
    std::string name;  // letters, digits and underscores: it names the test
    chart_snapshot (*make)();
};

const chart_case kCharts[] = {
    {"reference_3d", [] { return reference_chart(54); }},
    {"reference_2d", [] { return reference_chart(51); }},
    {"reference_with_ocean_background", [] { return reference_chart_with_background(); }},
    {"reference_with_rainbow_background", [] { return reference_chart_with_background(54, 16); }},
    {"reference_with_chrome_background", [] { return reference_chart_with_background(54, 21); }},
    {"reference_2d_with_background", [] { return reference_chart_with_background(51); }},
    {"gradient_walls_floor_and_series", gradient_chart},
    {"flat_walls", flat_walls_chart},
    {"one_series_3d", [] { return one_series_chart(54); }},
    {"negatives_3d", [] { return negative_chart(54); }},
    {"many_points_3d", [] { return many_points_chart(54); }},
    {"long_headings_3d", [] { return long_heading_chart(54); }},
    {"turned_headings_2d", [] { return turned_heading_chart(51); }},
    {"single_point_3d", [] { return single_point_chart(54); }},
};

raster paint(const chart_snapshot &c)
{
    pango_text_measurer measurer;
    return paint_scene(lay_out_chart(c, measurer).picture);
}

double psnr(const raster &original, const std::vector<uint32_t> &colours)
{
    double squared = 0;
    for (size_t i = 0; i < original.pixels.size(); ++i)
        for (int shift : {0, 8, 16}) {
            double d = static_cast<double>((original.pixels[i] >> shift) & 0xFF) -
                       static_cast<double>((colours[i] >> shift) & 0xFF);
            squared += d * d;
        }
    double mse = squared / (3.0 * static_cast<double>(original.pixels.size()));
    return mse == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mse);
}

std::vector<uint32_t> colours_of(const indexed_image &q)
{
    std::vector<uint32_t> out(q.pixels.size());
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = q.palette[q.pixels[i]];
    return out;
}

class GifQuality : public testing::TestWithParam<chart_case> {};

TEST_P(GifQuality, StaysCloseToTheTrueColourPicture)
{
    raster picture = paint(GetParam().make());
    indexed_image q = quantize(picture);
    double db = psnr(picture, colours_of(q));
    EXPECT_GE(db, 38.0) << q.palette.size() << " colours";
    RecordProperty("psnr_db", std::to_string(db));
}

TEST_P(GifQuality, KeepsWhitePureWhite)
{
    raster picture = paint(GetParam().make());
    indexed_image q = quantize(picture);
    size_t white = 0;
    for (size_t i = 0; i < picture.pixels.size(); ++i)
        if ((picture.pixels[i] & 0xFFFFFF) == 0xFFFFFF) {
            ++white;
            ASSERT_EQ(q.palette[q.pixels[i]], 0xFFFFFFu) << "pixel " << i % picture.width << ", " << i / picture.width;
        }
    EXPECT_GT(white, picture.pixels.size() / 10);  // the chart area's background
}

TEST_P(GifQuality, DecodesToTheIndexedPictureAndLosslesslyWhenExact)
{
    raster picture = paint(GetParam().make());
    indexed_image q = quantize(picture);
    decoded_image gif = decode_gif(encode_gif(q));
    ASSERT_EQ(gif.width, picture.width);
    ASSERT_EQ(gif.height, picture.height);
    std::vector<uint32_t> expected = colours_of(q);
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(gif.pixels[i], expected[i]) << "pixel " << i;
        if (q.exact) {
            ASSERT_EQ(gif.pixels[i], picture.pixels[i] & 0xFFFFFF) << "pixel " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Charts, GifQuality, testing::ValuesIn(kCharts),
                         [](const testing::TestParamInfo<chart_case> &info) { return info.param.name; });

// The size the component promises for its reference chart: 3 series x 12 months in
// 3-D with titles, legend, value labels and a preset gradient background.
TEST(GifSize, TheReferenceChartWithABackgroundFitsIn30KB)
{
    std::vector<uint8_t> gif = encode_gif(quantize(paint(reference_chart_with_background())));
    EXPECT_LE(gif.size(), 30u * 1000u);
    RecordProperty("gif_bytes", std::to_string(gif.size()));
}

}  // namespace
