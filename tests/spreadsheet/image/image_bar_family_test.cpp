// The column and bar family's charts as written (beyond the clustered column): each
// GIF is decoded and checked for what can be checked without eyes - its size, the
// legend's place, every series' colour in the plot area (in any of its lit or
// shaded tones), bar lengths in proportion to the values, and upper 3-D bars hiding
// the tops of the bars below them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "render/paint/cairo_painter.hpp"
#include "render/layout/chart_layout.hpp"
#include "render/style/chart_style.hpp"
#include "render/style/colour.hpp"
#include "render/export/exporter.hpp"
#include "render/paint/pango_fonts.hpp"
#include "render_test_charts.h"
#include "render_test_gif.h"

namespace {

using namespace render_test;
using namespace sheethost::render;

chart_layout lay_out(const chart_snapshot &c)
{
    pango_text_measurer m;
    return lay_out_chart(c, m);
}

decoded_image gif_of(const chart_snapshot &c) { return decode_gif(encode_chart(c, image_format::gif)); }

struct pixel_box {
    int left, top, right, bottom;  // right and bottom exclusive
};

pixel_box to_pixels(const rect &r, double image_height)
{
    return {static_cast<int>(std::ceil(r.left() * kPixelsPerPoint)),
            static_cast<int>(std::ceil((image_height - r.top()) * kPixelsPerPoint)),
            static_cast<int>(std::floor(r.right() * kPixelsPerPoint)),
            static_cast<int>(std::floor((image_height - r.bottom()) * kPixelsPerPoint))};
}

size_t count_colour(const decoded_image &img, uint32_t colour, pixel_box area)
{
    size_t n = 0;
    for (int y = std::max(area.top, 0); y < std::min(area.bottom, img.height); ++y)
        for (int x = std::max(area.left, 0); x < std::min(area.right, img.width); ++x)
            n += img.at(x, y) == colour;
    return n;
}

// Every tone a lit or shaded face of a solid in this colour can take.
std::vector<rgb> tones_of(rgb colour)
{
    std::vector<rgb> out;
    for (int i = 0; i <= 30; ++i)
        out.push_back(darken(colour, 0.4 + 0.02 * i));
    for (int i = 1; i <= 25; ++i)
        out.push_back(lighten(colour, 0.02 * i));
    return out;
}

size_t count_tones(const decoded_image &img, rgb colour, pixel_box area)
{
    std::vector<rgb> tones = tones_of(colour);
    size_t n = 0;
    for (int y = std::max(area.top, 0); y < std::min(area.bottom, img.height); ++y)
        for (int x = std::max(area.left, 0); x < std::min(area.right, img.width); ++x) {
            rgb p = img.at(x, y);
            for (rgb t : tones)
                if (std::abs(red(p) - red(t)) <= 6 && std::abs(green(p) - green(t)) <= 6 &&
                    std::abs(blue(p) - blue(t)) <= 6) {
                    ++n;
                    break;
                }
        }
    return n;
}

class FamilyImage : public ::testing::TestWithParam<int> {};

TEST_P(FamilyImage, HasTheLayoutsSizeAWhiteBackgroundAndTheLegendOnTop)
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
    pixel_box plot = to_pixels(l.plot, l.picture.height);
    pixel_box above{0, 0, img.width, plot.top};
    // The keys are flat, but a chart of lit round solids has too many colours for an
    // exact palette, so the keys' colour may come back a step off.
    for (size_t s = 0; s < 3; ++s)
        EXPECT_GT(count_tones(img, series_colour(s), above), 60u) << "series " << s << " has no key above";
}

TEST_P(FamilyImage, ShowsEverySeriesInThePlotArea)
{
    for (const chart_snapshot &c : {reference_chart(GetParam()), negative_chart(GetParam())}) {
        chart_layout l = lay_out(c);
        decoded_image img = gif_of(c);
        pixel_box plot = to_pixels(l.plot, l.picture.height);
        for (size_t s = 0; s < c.series.size(); ++s)
            EXPECT_GT(count_tones(img, series_colour(s), plot), 400u) << "series " << s;
    }
}

INSTANTIATE_TEST_SUITE_P(Types, FamilyImage, ::testing::Values(57, 60, -4100, 92, 95, 99, 102, 106, 109),
                         [](const ::testing::TestParamInfo<int> &i) {
                             return (i.param < 0 ? "minus" : "") + std::to_string(std::abs(i.param));
                         });

TEST(ImageBar, BarLengthsAreInProportionToTheValues)
{
    chart_snapshot c;
    c.chart_type = 57;
    c.plot_width = 400;
    c.plot_height = 300;
    const std::vector<double> values = {10, 20, 40, 5, 30, 25};
    c.series = {series("S", values)};
    c.series[0].border.visible = false;  // measure the fill alone
    chart_layout l = lay_out(c);
    decoded_image img = gif_of(c);
    pixel_box plot = to_pixels(l.plot, l.picture.height);
    double slot = (plot.bottom - plot.top) / static_cast<double>(values.size());
    double zero_x = l.plot.x * kPixelsPerPoint;
    double pixels_per_unit = l.plot.w * kPixelsPerPoint / (l.scale.max - l.scale.min);
    for (size_t i = 0; i < values.size(); ++i) {
        // The first category at the top.
        int y = plot.top + static_cast<int>((static_cast<double>(i) + 0.5) * slot);
        int w = 0;
        for (int x = 0; x < img.width; ++x)
            w += img.at(x, y) == series_colour(0);
        EXPECT_NEAR(w, values[i] * pixels_per_unit, 1.5) << "bar " << i;
        EXPECT_EQ(img.at(static_cast<int>(zero_x) + 2, y), series_colour(0)) << "bar " << i << " leaves the axis";
    }
}

// Bars of one category, the first series on top: the lower bar's top face recedes up
// behind the upper bar, whose front face must cover it wherever they overlap.
TEST(ImageBar, UpperBarsHideTheTopsOfTheBarsBelowIn3D)
{
    chart_snapshot c;
    c.chart_type = 60;
    c.plot_width = 300;
    c.plot_height = 200;
    c.categories = {u"Only"};
    c.series = {series("Short", {4}), series("Long", {10})};
    chart_layout l = lay_out(c);
    decoded_image img = gif_of(c);
    const shape *front = nullptr;
    for (const scene_item &item : l.picture.items)
        if (const shape *sh = std::get_if<shape>(&item);
            sh && sh->fill && sh->fill->type == paint::kind::solid && sh->fill->colour == series_colour(0)) {
            front = sh;
            break;
        }
    ASSERT_NE(front, nullptr);
    pixel_box face = to_pixels(bounds_of(front->outline), l.picture.height);
    int x = (face.left + face.right) / 2;
    // Just above the upper bar's bottom edge, where the lower bar's top would show through.
    for (int y = face.bottom - 6; y < face.bottom - 2; ++y)
        EXPECT_EQ(count_colour(img, series_colour(0), {x, y, x + 1, y + 1}), 1u) << "at y " << y;
}

}  // namespace
