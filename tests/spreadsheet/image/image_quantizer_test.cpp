// From true colour to a GIF palette: exact when possible, otherwise close (PSNR), with
// the frequent colours exact and gradients free of bands; and GIFs that decode back
// to the same pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "render/image/image_encoders.hpp"
#include "render/image/quantizer.hpp"
#include "render_test_gif.h"

namespace {

using namespace sheethost::render;
using render_test::decode_gif;

raster blank(int w, int h, uint32_t colour = 0xFFFFFF)
{
    raster r;
    r.width = w;
    r.height = h;
    r.pixels.assign(static_cast<size_t>(w) * h, 0xFF000000u | colour);
    return r;
}

double psnr(const raster &original, const indexed_image &q)
{
    double se = 0;
    for (size_t i = 0; i < original.pixels.size(); ++i) {
        uint32_t a = original.pixels[i] & 0xFFFFFF, b = q.palette[q.pixels[i]];
        for (int shift : {0, 8, 16}) {
            double d = static_cast<double>((a >> shift) & 0xFF) - static_cast<double>((b >> shift) & 0xFF);
            se += d * d;
        }
    }
    double mse = se / (3.0 * static_cast<double>(original.pixels.size()));
    return mse == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mse);
}

// White, then a two-colour gradient across, then a solid band: like a chart with a
// gradient wall.
raster gradient_picture()
{
    raster r = blank(600, 120);
    for (int y = 40; y < 100; ++y)
        for (int x = 0; x < 600; ++x) {
            double t = x / 599.0;
            uint32_t red = static_cast<uint32_t>(std::lround(0x03 + t * (0x7F - 0x03)));
            uint32_t green = static_cast<uint32_t>(std::lround(0x25 + t * (0xD3 - 0x25) + (y - 40) * 0.5));
            uint32_t blue = static_cast<uint32_t>(std::lround(0x6C + t * (0xE6 - 0x6C)));
            r.pixels[static_cast<size_t>(y) * 600 + x] = 0xFF000000u | (red << 16) | (green << 8) | blue;
        }
    for (int y = 100; y < 120; ++y)
        for (int x = 0; x < 600; ++x)
            r.pixels[static_cast<size_t>(y) * 600 + x] = 0xFF006BA4u;
    return r;
}

TEST(Quantizer, KeepsEveryColourWhenThereAreAtMost256)
{
    // 255 colours plus white is the most an exact palette holds.
    raster r = blank(64, 64);
    for (int i = 0; i < 255; ++i)
        r.pixels[static_cast<size_t>(i) * 16] = 0xFF000000u | static_cast<uint32_t>(i * 0x010203);
    indexed_image q = quantize(r);
    EXPECT_TRUE(q.exact);
    EXPECT_EQ(q.palette.size(), 256u);
    for (size_t i = 0; i < r.pixels.size(); ++i)
        ASSERT_EQ(q.palette[q.pixels[i]], r.pixels[i] & 0xFFFFFF) << "pixel " << i;
    EXPECT_EQ(q.palette[q.pixels[1]], 0xFFFFFFu);
}

TEST(GifEncoder, AnExactPaletteRoundTripsWithoutLoss)
{
    raster r = blank(64, 64);
    for (int i = 0; i < 255; ++i)
        r.pixels[static_cast<size_t>(i) * 16] = 0xFF000000u | static_cast<uint32_t>(i * 0x010203);
    indexed_image q = quantize(r);
    ASSERT_TRUE(q.exact);
    render_test::decoded_image d = decode_gif(encode_gif(q));
    ASSERT_EQ(d.pixels.size(), r.pixels.size());
    for (size_t i = 0; i < r.pixels.size(); ++i)
        ASSERT_EQ(d.pixels[i], r.pixels[i] & 0xFFFFFF) << "pixel " << i;
}

TEST(Quantizer, StopsBeingExactAtThe257thColour)
{
    raster r = blank(64, 64);
    for (int i = 0; i < 256; ++i)
        r.pixels[static_cast<size_t>(i) * 16] = 0xFF000000u | static_cast<uint32_t>(i * 0x010203);
    indexed_image q = quantize(r);
    EXPECT_FALSE(q.exact);
    EXPECT_LE(q.palette.size(), 256u);
    EXPECT_EQ(q.palette[q.pixels[1]], 0xFFFFFFu);  // the background is a key colour
}

TEST(Quantizer, AnEmptyPictureHasAOneColourPalette)
{
    indexed_image q = quantize(raster{});
    EXPECT_TRUE(q.pixels.empty());
    EXPECT_EQ(q.palette.size(), 1u);
}

TEST(Quantizer, MakesAGoodPaletteForManyColours)
{
    raster r = gradient_picture();
    indexed_image q = quantize(r);
    EXPECT_FALSE(q.exact);
    EXPECT_LE(q.palette.size(), 256u);
    EXPECT_GE(psnr(r, q), 38.0);
    // The frequent colours stay exact: white and the solid band.
    EXPECT_EQ(q.palette[q.pixels[0]], 0xFFFFFFu);
    EXPECT_EQ(q.palette[q.pixels[static_cast<size_t>(110) * 600 + 300]], 0x006BA4u);
}

TEST(Quantizer, LeavesNoBandsInAGradient)
{
    raster r = gradient_picture();
    indexed_image q = quantize(r);
    // Averaged down each column (as the eye does), the gradient must stay smooth: no
    // column may jump from its neighbour by much more than the original does.
    auto column_mean = [&](int x, bool quantized) {
        double sum = 0;
        for (int y = 40; y < 100; ++y) {
            size_t i = static_cast<size_t>(y) * 600 + x;
            uint32_t c = quantized ? q.palette[q.pixels[i]] : r.pixels[i] & 0xFFFFFF;
            sum += ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF);
        }
        return sum / 60;
    };
    double worst = 0;
    for (int x = 1; x < 600; ++x) {
        double step = std::abs(column_mean(x, true) - column_mean(x - 1, true));
        double original = std::abs(column_mean(x, false) - column_mean(x - 1, false));
        worst = std::max(worst, step - original);
    }
    EXPECT_LT(worst, 4.0);
}

// Flat fills crossed by thousands of one-off blend colours (as anti-aliased edges over
// a gradient leave them): the rare colours must not cost the picture its quality or
// its flat colours, whether they are a small share of the pixels or a large one.
TEST(Quantizer, KeepsQualityWithManyRareEdgeColours)
{
    for (int edge_every : {40, 3}) {
        raster r = blank(400, 300);
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x) {
                uint32_t base = y < 150 ? 0x1F4E79u : 0xED7D31u;
                uint32_t c = base;
                if ((x + 7 * y) % edge_every == 0) {  // a blend towards a colour of its own
                    auto t = static_cast<uint32_t>((x * 31 + y * 17) % 251);
                    c = (((base >> 16) + t) / 2 << 16) | ((((base >> 8) & 0xFF) + (255 - t)) / 2 << 8) |
                        (((base & 0xFF) + (t * 7 % 256)) / 2);
                }
                r.pixels[static_cast<size_t>(y) * 400 + x] = 0xFF000000u | c;
            }
        indexed_image q = quantize(r);
        EXPECT_FALSE(q.exact);
        EXPECT_GE(psnr(r, q), 38.0) << "an edge colour every " << edge_every << " pixels";
        EXPECT_EQ(q.palette[q.pixels[1]], 0x1F4E79u);
        EXPECT_EQ(q.palette[q.pixels[static_cast<size_t>(299) * 400 + 398]], 0xED7D31u);
    }
}

TEST(GifEncoder, WritesWhatDecodesToTheSamePixels)
{
    for (const raster &r : {blank(10, 7, 0x123456), gradient_picture()}) {
        indexed_image q = quantize(r);
        render_test::decoded_image d = decode_gif(encode_gif(q));
        ASSERT_EQ(d.width, r.width);
        ASSERT_EQ(d.height, r.height);
        for (size_t i = 0; i < d.pixels.size(); ++i)
            ASSERT_EQ(d.pixels[i], q.palette[q.pixels[i]]) << "pixel " << i;
        // The colour table is the smallest power of two that holds the palette.
        int table = 2;
        while (table < static_cast<int>(q.palette.size()))
            table *= 2;
        EXPECT_EQ(d.palette_size, table);
    }
}

TEST(PngEncoder, WritesAPng)
{
    std::vector<uint8_t> png = encode_png(blank(5, 5));
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::string(png.begin(), png.begin() + 4), "\x89PNG");
}

}  // namespace
