// Charts as written: the GIF is decoded and checked for what can be checked without
// eyes — its size, where the legend is, bar heights in proportion to the values, the
// series colours, and that nearer 3-D bars hide farther ones.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "render/paint/cairo_painter.hpp"
#include "render/layout/chart_layout.hpp"
#include "render/style/chart_style.hpp"
#include "render/export/exporter.hpp"
#include "render/paint/pango_fonts.hpp"
#include "render_test_charts.h"
#include "render_test_gif.h"
#include "render_test_pixels.h"

namespace {

using namespace render_test;
using namespace sheethost::render;

chart_layout lay_out(const chart_snapshot &c)
{
    pango_text_measurer m;
    return lay_out_chart(c, m);
}

decoded_image gif_of(const chart_snapshot &c) { return decode_gif(encode_chart(c, image_format::gif)); }

TEST(ImageChart, HasTheLayoutsSizeInPixelsAndAPureWhiteBackground)
{
    for (int type : {51, 54}) {
        chart_snapshot c = reference_chart(type);
        chart_layout l = lay_out(c);
        decoded_image img = gif_of(c);
        EXPECT_EQ(img.width, std::lround(l.picture.width * kPixelsPerPoint));
        EXPECT_EQ(img.height, std::lround(l.picture.height * kPixelsPerPoint));
        EXPECT_EQ(img.at(0, 0), 0xFFFFFFu);
        EXPECT_EQ(img.at(img.width - 1, img.height - 1), 0xFFFFFFu);
        // The plot area of 540 x 250 points is 720 x 333 pixels of it.
        EXPECT_GT(img.width, 720);
        EXPECT_GT(img.height, 333);
    }
}

TEST(ImageChart, DrawsTheLegendKeysAboveThePlotArea)
{
    for (int type : {51, 54}) {
        chart_snapshot c = reference_chart(type);
        chart_layout l = lay_out(c);
        decoded_image img = gif_of(c);
        pixel_box plot = to_pixels(l.plot, l.picture.height);
        pixel_box above{0, 0, img.width, plot.top};
        for (size_t s = 0; s < 3; ++s) {
            // The key is about 9 points (12 pixels) square.
            EXPECT_GT(count_colour(img, series_colour(s), above), 60u) << "series " << s << " has no key above";
        }
        // And nothing of the series' colours below the title, left of the keys' row.
        ASSERT_TRUE(l.legend);
        pixel_box legend = to_pixels(l.legend->frame, l.picture.height);
        EXPECT_LT(legend.bottom, plot.top);
        size_t in_legend = count_colour(img, series_colour(0), legend);
        EXPECT_EQ(in_legend, count_colour(img, series_colour(0), above));
    }
}

TEST(ImageChart, BarHeightsAreInProportionToTheValues)
{
    chart_snapshot c;
    c.chart_type = 51;
    c.plot_width = 400;
    c.plot_height = 300;
    const std::vector<double> values = {10, 20, 40, 5, 30, 25};
    c.series = {series("S", values)};
    c.series[0].border.visible = false;  // measure the fill alone
    chart_layout l = lay_out(c);
    decoded_image img = gif_of(c);
    pixel_box plot = to_pixels(l.plot, l.picture.height);
    double slot = (plot.right - plot.left) / static_cast<double>(values.size());
    double zero_y = (l.picture.height - l.plot.y) * kPixelsPerPoint;
    double pixels_per_unit = l.plot.h * kPixelsPerPoint / (l.scale.max - l.scale.min);
    std::vector<int> heights;
    for (size_t i = 0; i < values.size(); ++i) {
        int x = plot.left + static_cast<int>((static_cast<double>(i) + 0.5) * slot);
        int h = 0;
        for (int y = 0; y < img.height; ++y)
            h += img.at(x, y) == series_colour(0);
        heights.push_back(h);
        EXPECT_NEAR(h, values[i] * pixels_per_unit, 1.5) << "bar " << i;
        // The bar stands on the axis.
        EXPECT_EQ(img.at(x, static_cast<int>(zero_y) - 2), series_colour(0)) << "bar " << i;
    }
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_NEAR(static_cast<double>(heights[i]) / heights[2], values[i] / values[2], 0.02) << "bar " << i;
}

TEST(ImageChart, ShowsEverySeriesColour)
{
    for (const chart_snapshot &c : {reference_chart(51), reference_chart(54), negative_chart(54)}) {
        decoded_image img = gif_of(c);
        std::map<uint32_t, size_t> counts;
        for (uint32_t p : img.pixels)
            ++counts[p];
        for (size_t s = 0; s < c.series.size(); ++s)
            EXPECT_GT(counts[series_colour(s)], 500u) << "type " << c.chart_type << " series " << s;
    }
}

TEST(ImageChart, OwnSeriesFillsReplaceThePalette)
{
    chart_snapshot c = reference_chart(51);
    c.series[1].fill.type = fill_spec::kind::solid;
    c.series[1].fill.fore = 0x7030A0;
    decoded_image img = gif_of(c);
    size_t own = 0, palette = 0;
    for (uint32_t p : img.pixels) {
        own += p == 0x7030A0;
        palette += p == series_colour(1);
    }
    EXPECT_GT(own, 500u);
    EXPECT_EQ(palette, 0u);
}

// In 3-D the right-hand bar of a cluster is nearer the eye: its front face must cover
// the side face of the bar to its left, wherever they overlap.
TEST(ImageChart, NearerBarsHideFartherOnesIn3D)
{
    chart_snapshot c;
    c.chart_type = 54;
    c.plot_width = 300;
    c.plot_height = 200;
    c.categories = {u"Only"};
    c.series = {series("Tall", {10}), series("Short", {5}), series("Tiny", {2})};
    chart_layout l = lay_out(c);
    decoded_image img = gif_of(c);
    // The front faces are the flat-coloured quadrilaterals in the series' colours.
    for (size_t s = 1; s < 3; ++s) {
        const shape *front = nullptr;
        for (const scene_item &item : l.picture.items)
            if (const shape *sh = std::get_if<shape>(&item); sh && sh->fill && sh->fill->type == paint::kind::solid &&
                                                            sh->fill->colour == series_colour(s)) {
                front = sh;
                break;
            }
        ASSERT_NE(front, nullptr) << "series " << s;
        pixel_box face = to_pixels(bounds_of(front->outline), l.picture.height);
        int y = (face.top + face.bottom) / 2;
        // Just inside the left edge, where the farther bar's side face would show through.
        for (int x = face.left + 2; x < face.left + 6; ++x)
            EXPECT_EQ(img.at(x, y), series_colour(s)) << "series " << s << " at x " << x;
    }
}

}  // namespace
