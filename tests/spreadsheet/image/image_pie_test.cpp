// Pies as written: the GIF is decoded and checked for what can be checked without
// eyes - its size, the legend above the plot area, every category's colour, slice
// areas in proportion to the values, one-colour shading toward the rim in each
// slice's own colour, and a 3-D pie's front wall below its top.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "render/paint/cairo_painter.hpp"
#include "render/layout/chart_layout.hpp"
#include "render/style/chart_style.hpp"
#include "render/style/colour.hpp"
#include "render/export/exporter.hpp"
#include "render/paint/pango_fonts.hpp"
#include "render_test_charts.h"
#include "render_test_gif.h"
#include "render_test_pies.h"

namespace {

using namespace render_test;
using namespace sheethost::render;

chart_layout lay_out(const chart_snapshot &c)
{
    pango_text_measurer m;
    return lay_out_chart(c, m);
}

decoded_image gif_of(const chart_snapshot &c) { return decode_gif(encode_chart(c, image_format::gif)); }

// A point (y up, in points) as the pixel it falls in.
std::pair<int, int> pixel_of(point p, double image_height)
{
    return {static_cast<int>(std::floor(p.x * kPixelsPerPoint)),
            static_cast<int>(std::floor((image_height - p.y) * kPixelsPerPoint))};
}

std::map<uint32_t, size_t> histogram(const decoded_image &img)
{
    std::map<uint32_t, size_t> counts;
    for (uint32_t p : img.pixels)
        ++counts[p];
    return counts;
}

double luminance(uint32_t c) { return 0.2126 * red(c) + 0.7152 * green(c) + 0.0722 * blue(c); }

int channel_distance(uint32_t a, uint32_t b)
{
    return std::max({std::abs(red(a) - red(b)), std::abs(green(a) - green(b)), std::abs(blue(a) - blue(b))});
}

// The first shape filled flat in the category's colour: the slice (or its top).
const shape *slice_of(const chart_layout &l, size_t category)
{
    for (const scene_item &item : l.picture.items)
        if (const shape *s = std::get_if<shape>(&item); s && s->fill && s->fill->type == paint::kind::solid &&
                                                       s->fill->colour == series_colour(category) &&
                                                       l.plot.contains(bounds_of(s->outline), 0.01))
            return s;
    return nullptr;
}

TEST(ImagePie, HasTheLayoutsSizeAndAPureWhiteBackground)
{
    for (int type : pie_types()) {
        chart_snapshot c = reference_chart(type);
        chart_layout l = lay_out(c);
        decoded_image img = gif_of(c);
        EXPECT_EQ(img.width, std::lround(l.picture.width * kPixelsPerPoint)) << type;
        EXPECT_EQ(img.height, std::lround(l.picture.height * kPixelsPerPoint)) << type;
        EXPECT_EQ(img.at(0, 0), 0xFFFFFFu) << type;
        EXPECT_EQ(img.at(img.width - 1, img.height - 1), 0xFFFFFFu) << type;
    }
}

TEST(ImagePie, ShowsEveryCategorysColourInSlicesAndLegendKeys)
{
    for (int type : pie_types()) {
        chart_snapshot c = reference_chart(type);  // 12 categories, legend on top
        chart_layout l = lay_out(c);
        decoded_image img = gif_of(c);
        ASSERT_TRUE(l.legend);
        int plot_top = pixel_of({0, l.plot.top()}, l.picture.height).second;
        // The palette has ten colours; categories 11 and 12 take the first two again.
        // The 3-D walls' shading brings in more colours than a GIF holds, so a flat
        // colour may land on a palette entry a level or two away.
        for (size_t i = 0; i < 10; ++i) {
            size_t above = 0, below = 0;
            for (int y = 0; y < img.height; ++y)
                for (int x = 0; x < img.width; ++x)
                    if (channel_distance(img.at(x, y), series_colour(i)) <= 3)
                        ++(y < plot_top ? above : below);
            EXPECT_GT(above, 40u) << "type " << type << ": no key for category " << i;
            EXPECT_GT(below, 150u) << "type " << type << ": no slice for category " << i;
        }
    }
}

TEST(ImagePie, SliceAreasAreInProportionToTheValues)
{
    const std::vector<std::optional<double>> values = {10, 20, 30, 40};
    for (int type : pie_types()) {
        chart_snapshot c = pie_chart(type, values);
        c.series[0].border.visible = false;  // measure the fills alone
        std::map<uint32_t, size_t> counts = histogram(gif_of(c));
        double largest = static_cast<double>(counts[series_colour(3)]);
        ASSERT_GT(largest, 5000) << type;
        // Anti-aliased edges take a larger share of a small slice, more so on a 3-D
        // pie's flattened top.
        double tolerance = is_3d_pie(type) ? 0.03 : 0.02;
        for (size_t i = 0; i < values.size(); ++i)
            EXPECT_NEAR(counts[series_colour(i)] / largest, *values[i] / 40, tolerance)
                << "type " << type << " slice " << i;
    }
}

TEST(ImagePie, AOneColourGradientShadesEachSliceTowardTheRimInItsOwnColour)
{
    for (int type : pie_types()) {
        chart_snapshot c = shaded_pie_chart(type);
        c.series[0].data_labels = false;
        chart_layout l = lay_out(c);
        decoded_image img = gif_of(c);
        for (size_t i : {0u, 3u, 7u}) {
            // The slice's top is a gradient now; its apex and rim come from the
            // unshaded twin of the same chart.
            chart_snapshot flat = c;
            flat.series[0].fill = {};
            chart_layout fl = lay_out(flat);
            const shape *s = slice_of(fl, i);
            ASSERT_NE(s, nullptr);
            point apex = s->outline.front();
            point rim = s->outline[s->outline.size() / 2 + 1];
            auto along = [&](double t) {
                return pixel_of({apex.x + (rim.x - apex.x) * t, apex.y + (rim.y - apex.y) * t}, l.picture.height);
            };
            auto [ix, iy] = along(0.12);
            auto [ox, oy] = along(0.9);
            uint32_t inner = img.at(ix, iy), outer = img.at(ox, oy);
            EXPECT_LE(channel_distance(inner, series_colour(i)), 40) << "type " << type << " slice " << i;
            EXPECT_LT(luminance(outer), luminance(inner) - 20) << "type " << type << " slice " << i;
        }
    }
}

TEST(ImagePie, AThreeDPiesFrontWallShowsBelowItsTopInTheFrontSlicesShade)
{
    // Slice 1 spans 3 to 9 o'clock, so it is the one in front.
    for (int type : {-4102, 70}) {
        chart_snapshot c = pie_chart(type, {1, 2, 1});
        c.series[0].border.visible = false;
        chart_layout l = lay_out(c);
        decoded_image img = gif_of(c);
        const shape *top = slice_of(l, 1);
        ASSERT_NE(top, nullptr);
        rect box = bounds_of(top->outline);
        auto [x, y] = pixel_of({box.centre().x, box.bottom()}, l.picture.height);
        uint32_t wall = img.at(x, y + 4);
        auto nearest_shade = [wall](uint32_t colour) {
            int best = 255;
            for (int k = 40; k <= 100; ++k)
                best = std::min(best, channel_distance(wall, darken(colour, k / 100.0)));
            return best;
        };
        EXPECT_NE(wall, series_colour(1)) << type;
        EXPECT_LE(nearest_shade(series_colour(1)), 12) << type << std::hex << " wall pixel " << wall;
        EXPECT_GT(nearest_shade(series_colour(0)), 30) << type;
        EXPECT_GT(nearest_shade(series_colour(2)), 30) << type;
        // And the top itself above it.
        EXPECT_EQ(img.at(x, y - 4), series_colour(1)) << type;
    }
}

}  // namespace
