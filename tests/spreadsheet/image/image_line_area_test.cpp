// Lines, areas and the surface as written: each GIF is decoded and checked for what
// can be checked without eyes - its size, the legend above the plot area, every
// series' (or band's) colour, markers and area heights at the values, and nearer 3-D
// ribbons and slabs covering farther ones.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "render/paint/cairo_painter.hpp"
#include "render/layout/chart_layout.hpp"
#include "render/style/chart_style.hpp"
#include "render/export/exporter.hpp"
#include "render/style/fill_style.hpp"
#include "render/paint/pango_fonts.hpp"
#include "render/chart_types/shared/surface_bands.hpp"
#include "render_test_charts.h"
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

// Pixels of the colour or of any lit or shaded tone of it.
size_t count_tones(const decoded_image &img, rgb colour, pixel_box area)
{
    size_t n = 0;
    for (int y = std::max(area.top, 0); y < std::min(area.bottom, img.height); ++y)
        for (int x = std::max(area.left, 0); x < std::min(area.right, img.width); ++x)
            for (int k = 15; k <= 30; ++k)
                if (near_colour(img.at(x, y), shaded(paint{paint::kind::solid, colour, {}, {}, {}}, k * 0.04).colour, 6) ||
                    near_colour(img.at(x, y), shaded(paint{paint::kind::solid, colour, {}, {}, {}}, 0.74).colour, 6) ||
                    near_colour(img.at(x, y), shaded(paint{paint::kind::solid, colour, {}, {}, {}}, 1.22).colour, 6)) {
                    ++n;
                    break;
                }
    return n;
}

// The colours the legend keys show: the series' or, on a surface, the bands'.
std::vector<rgb> key_colours(const chart_snapshot &c, const chart_layout &l)
{
    std::vector<rgb> out;
    if (c.chart_type == 83) {
        for (const value_band &b : value_bands(l.scale))
            out.push_back(b.colour);
    } else {
        for (size_t s = 0; s < c.series.size(); ++s)
            out.push_back(series_colour(s));
    }
    return out;
}

class LineAreaImage : public ::testing::TestWithParam<int> {};

TEST_P(LineAreaImage, HasTheLayoutsSizeAWhiteBackgroundAndTheLegendKeysOnTop)
{
    chart_snapshot c = reference_chart(GetParam());
    chart_layout l = lay_out(c);
    decoded_image img = gif_of(c);
    EXPECT_EQ(img.width, std::lround(l.picture.width * kPixelsPerPoint));
    EXPECT_EQ(img.height, std::lround(l.picture.height * kPixelsPerPoint));
    EXPECT_GT(img.width, 720);  // the 540 x 250 point plot area
    EXPECT_GT(img.height, 333);
    EXPECT_EQ(img.at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(img.at(img.width - 1, img.height - 1), 0xFFFFFFu);
    ASSERT_TRUE(l.legend);
    pixel_box plot = to_pixels(l.plot, l.picture.height);
    pixel_box legend = to_pixels(l.legend->frame, l.picture.height);
    EXPECT_LE(legend.bottom, plot.top);
    for (rgb key : key_colours(c, l))
        EXPECT_GT(count_near(img, key, legend, 6), 10u) << std::hex << key << " has no key in the legend";
}

TEST_P(LineAreaImage, ShowsEverySeriesOrBandInThePlotArea)
{
    for (const chart_snapshot &c : {reference_chart(GetParam()), negative_chart(GetParam())}) {
        chart_layout l = lay_out(c);
        decoded_image img = gif_of(c);
        pixel_box plot = to_pixels(l.plot, l.picture.height);
        if (c.chart_type != 83) {
            for (rgb colour : key_colours(c, l))
                EXPECT_GT(count_tones(img, colour, plot), 150u) << std::hex << colour;
            continue;
        }
        // A surface shows at least the bands of its front row: nothing stands before it.
        for (const value_band &b : value_bands(l.scale)) {
            bool in_front = false;
            for (const auto &v : c.series[0].values)
                in_front = in_front || (*v > b.low && *v < b.high);
            if (in_front) {
                EXPECT_GT(count_tones(img, b.colour, plot), 20u) << b.low << "-" << b.high;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Types, LineAreaImage, ::testing::Values(65, -4101, 1, -4098, 83),
                         [](const ::testing::TestParamInfo<int> &i) {
                             return (i.param < 0 ? "minus" : "") + std::to_string(std::abs(i.param));
                         });

chart_snapshot plain(int type, std::vector<double> values)
{
    chart_snapshot c;
    c.chart_type = type;
    c.plot_width = 400;
    c.plot_height = 300;
    c.series = {series("S", values)};
    return c;
}

TEST(ImageLine, DrawsEachMarkerAtItsValue)
{
    const std::vector<double> values = {10, 35, 5, 20, 30, 25};
    chart_snapshot c = plain(65, values);
    c.series[0].border.line_style = sheethost::render::line_dash::none;  // markers only
    chart_layout l = lay_out(c);
    decoded_image img = gif_of(c);
    pixel_box plot = to_pixels(l.plot, l.picture.height);
    double slot = (plot.right - plot.left) / static_cast<double>(values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        int x = plot.left + static_cast<int>((static_cast<double>(i) + 0.5) * slot);
        // The marker's middle row in that column: the mean of its coloured pixels. Tiny
        // markers get no exact palette entry of their own when the picture has more
        // than 256 colours, hence the tolerance.
        double sum = 0;
        int n = 0;
        for (int y = plot.top; y < plot.bottom; ++y)
            if (near_colour(img.at(x, y), series_colour(0), 28)) {
                sum += y;
                ++n;
            }
        ASSERT_GT(n, 3) << "no marker in category " << i;
        double expected = (l.picture.height - (l.plot.y + l.scale.fraction(values[i]) * l.plot.h)) * kPixelsPerPoint;
        EXPECT_NEAR(sum / n, expected, 1.5) << "category " << i;
    }
}

TEST(ImageArea, AreaHeightsAreInProportionToTheValues)
{
    const std::vector<double> values = {10, 20, 40, 5, 30, 25};
    chart_snapshot c = plain(1, values);
    c.series[0].border.visible = false;  // measure the fill alone
    chart_layout l = lay_out(c);
    decoded_image img = gif_of(c);
    pixel_box plot = to_pixels(l.plot, l.picture.height);
    double pixels_per_unit = l.plot.h * kPixelsPerPoint / (l.scale.max - l.scale.min);
    for (size_t i = 1; i + 1 < values.size(); ++i) {  // the inner points; the ends sit on the axes
        int x = static_cast<int>(std::lround((l.plot.x + l.plot.w * static_cast<double>(i) / 5) * kPixelsPerPoint));
        int h = 0;
        for (int y = plot.top; y < plot.bottom + 1; ++y)
            h += img.at(x, y) == series_colour(0);
        EXPECT_NEAR(h, values[i] * pixels_per_unit, 2.5) << "point " << i;
    }
}

// The front faces of the first series' ribbons or slabs: solid shapes in its colour.
std::vector<rect> front_faces(const chart_layout &l, rgb colour)
{
    std::vector<rect> out;
    for (const scene_item &item : l.picture.items)
        if (const shape *s = std::get_if<shape>(&item);
            s && s->closed && s->fill && s->fill->type == paint::kind::solid && s->fill->colour == colour)
            out.push_back(bounds_of(s->outline));
    return out;
}

TEST(ImageDepth, TheFrontRibbonCoversTheOneBehindIt)
{
    chart_snapshot c;
    c.chart_type = -4101;
    c.plot_width = 400;
    c.plot_height = 250;
    c.series = {series("front", {10, 10, 10, 10, 10, 10, 10, 10}),
                series("back", {10, 9.6, 9.2, 8.8, 8.4, 8, 7.6, 7.2})};
    c.series[0].border.visible = false;
    c.series[1].border.visible = false;
    chart_layout l = lay_out(c);
    decoded_image img = gif_of(c);
    std::vector<rect> faces = front_faces(l, series_colour(0));
    ASSERT_GE(faces.size(), 7u);
    for (const rect &f : faces) {
        pixel_box b = to_pixels(f, l.picture.height);
        int y = (b.top + b.bottom) / 2;
        for (int x = b.left + 2; x < b.right - 2; x += 3)
            EXPECT_EQ(img.at(x, y), series_colour(0)) << "at " << x << "," << y;
    }
}

TEST(ImageDepth, TheFrontSlabCoversTheOneBehindIt)
{
    chart_snapshot c;
    c.chart_type = -4098;
    c.plot_width = 400;
    c.plot_height = 250;
    c.series = {series("front", {5, 6, 5, 6, 5}), series("back", {10, 10, 10, 10, 10})};
    c.series[0].border.visible = false;
    c.series[1].border.visible = false;
    chart_layout l = lay_out(c);
    decoded_image img = gif_of(c);
    std::vector<rect> faces = front_faces(l, series_colour(0));
    ASSERT_EQ(faces.size(), 1u);
    pixel_box b = to_pixels(faces[0], l.picture.height);
    // The lower half of the front face's box lies wholly inside the face.
    for (int y = (b.top + b.bottom) / 2 + 2; y < b.bottom - 2; y += 3)
        for (int x = b.left + 2; x < b.right - 2; x += 5)
            EXPECT_EQ(img.at(x, y), series_colour(0)) << "at " << x << "," << y;
}

TEST(ImageSurface, ARidgeHidesTheSlopeBehindIt)
{
    // Low in front, a high ridge in the middle row, and behind it a slope down to the
    // back row, which the ridge hides wherever it stands in front of it. Changing the
    // back row's height must then change nothing in the middle of the picture; a
    // surface drawn in the wrong order would paint the back slope over the ridge.
    auto ridge = [](double back) {
        chart_snapshot c;
        c.chart_type = 83;
        c.plot_width = 400;
        c.plot_height = 250;
        c.has_legend = true;
        c.series = {series("front", {0, 0, 0, 0}), series("ridge", {100, 100, 100, 100}),
                    series("back", {back, back, back, back})};
        return c;
    };
    // Compared as painted, before the palette, so only the drawing counts.
    chart_layout l = lay_out(ridge(0));
    raster low = paint_scene(l.picture), high = paint_scene(lay_out(ridge(50)).picture);
    ASSERT_EQ(low.width, high.width);
    ASSERT_EQ(low.height, high.height);
    pixel_box plot = to_pixels(l.plot, l.picture.height);
    int w = plot.right - plot.left;
    // The ridge's band: the one just under 100.
    rgb ridge_band = 0;
    for (const value_band &b : value_bands(l.scale))
        if (b.low < 100 && b.high >= 100)
            ridge_band = b.colour;
    size_t differ = 0, ridge_pixels = 0;
    for (int y = plot.top; y < plot.bottom; ++y)
        for (int x = plot.left + w / 4; x < plot.left + w * 3 / 4; ++x) {
            differ += low.rgb_at(x, y) != high.rgb_at(x, y);
            for (int k = 15; k <= 30; ++k)
                if (near_colour(low.rgb_at(x, y), shaded(paint{paint::kind::solid, ridge_band, {}, {}, {}}, k * 0.04).colour, 1)) {
                    ++ridge_pixels;
                    break;
                }
        }
    // Only the anti-aliased pixels along the crest, which the back slope shares with
    // the ridge, may blend in its colour: at most a few rows' worth. Painted in the
    // wrong order the back slope would cover thousands of pixels here.
    EXPECT_LE(differ, static_cast<size_t>(6 * w / 2));
    EXPECT_GT(ridge_pixels, 1000u);  // the ridge is there to hide anything
}

}  // namespace
