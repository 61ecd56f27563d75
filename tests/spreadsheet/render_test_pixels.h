// Looking at decoded pictures in image tests: layout rectangles (points, y up) as pixel
// boxes (y down), and counting a colour, exactly or nearly, in a box.
#ifndef TESTS_SPREADSHEET_RENDER_TEST_PIXELS_H
#define TESTS_SPREADSHEET_RENDER_TEST_PIXELS_H

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "render/paint/cairo_painter.hpp"
#include "render/style/colour.hpp"
#include "render/geometry.hpp"
#include "render_test_gif.h"

namespace render_test {

struct pixel_box {
    int left, top, right, bottom;  // right and bottom exclusive
};

// A rectangle in points (y up) as pixel bounds (y down), rounded inward.
inline pixel_box to_pixels(const sheethost::render::rect &r, double image_height)
{
    using sheethost::render::kPixelsPerPoint;
    return {static_cast<int>(std::ceil(r.left() * kPixelsPerPoint)),
            static_cast<int>(std::ceil((image_height - r.top()) * kPixelsPerPoint)),
            static_cast<int>(std::floor(r.right() * kPixelsPerPoint)),
            static_cast<int>(std::floor((image_height - r.bottom()) * kPixelsPerPoint))};
}

// Every channel within tolerance of the other colour's.
inline bool near_colour(uint32_t a, uint32_t b, int tolerance)
{
    using namespace sheethost::render;
    return std::abs(red(a) - red(b)) <= tolerance && std::abs(green(a) - green(b)) <= tolerance &&
           std::abs(blue(a) - blue(b)) <= tolerance;
}

inline size_t count_near(const decoded_image &img, uint32_t colour, pixel_box area, int tolerance)
{
    size_t n = 0;
    for (int y = std::max(area.top, 0); y < std::min(area.bottom, img.height); ++y)
        for (int x = std::max(area.left, 0); x < std::min(area.right, img.width); ++x)
            n += near_colour(img.at(x, y), colour, tolerance);
    return n;
}

inline size_t count_colour(const decoded_image &img, uint32_t colour, pixel_box area)
{
    return count_near(img, colour, area, 0);
}

}  // namespace render_test

#endif
