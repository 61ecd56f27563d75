// Fills polygons in a flat opaque colour straight into the picture's pixels, each pixel
// mixed with the colour by the exact share of its area the polygons cover. This is the
// painter's fast path for the many small flat shapes of a chart (faces of solids and
// their outlines, lines, keys): cairo spends several times as many instructions per
// row on the same work through its general compositing.
//
// Coverage is the magnitude of the summed signed area, clamped to 1: contours wound the
// same way add up (their overlap is simply covered), and a contour wound against the
// one around it cuts a hole, which is how outlines are drawn as rings.
#ifndef SHEETHOST_RENDER_COVERAGE_FILL_HPP
#define SHEETHOST_RENDER_COVERAGE_FILL_HPP

#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "render/geometry.hpp"
#include "render/style/colour.hpp"

namespace sheethost::render {

// Opaque premultiplied ARGB32 pixels, rows packed (stride = width).
struct pixel_target {
    uint32_t *pixels;
    int width;
    int height;
};

// Sets n pixels to one value, sixteen bytes at a store: the build's optimisation level
// leaves a plain fill loop a pixel at a time.
inline void fill_pixels(uint32_t *p, size_t n, uint32_t value)
{
    const uint32_t four[4] = {value, value, value, value};
    for (; n >= 8; n -= 8, p += 8) {
        std::memcpy(p, four, sizeof four);
        std::memcpy(p + 4, four, sizeof four);
    }
    for (; n > 0; --n, ++p)
        *p = value;
}

class coverage_fill {
public:
    void clear() { edges_.clear(); }
    // A closed contour in pixels (y down); `reversed` winds it the other way.
    void add_contour(const std::vector<point> &corners, bool reversed = false);
    void paint(const pixel_target &target, rgb colour);
    // The same with a colour for each pixel row: a gradient that changes only down
    // the picture.
    void paint_rows(const pixel_target &target, const std::function<rgb(int)> &colour_of_row);

private:
    struct edge {
        double x0, y0, y1, dxdy;  // y0 < y1
        double dir;               // +1 downwards, -1 upwards
    };
    struct deposit {
        int column;
        double delta;  // change of coverage from this column on
    };
    struct span {
        int from, to;
        unsigned alpha;
    };
    void deposit_row(const edge &e, int row, int width);
    void add(int column, double delta, int width)
    {
        if (delta != 0 && column < width)
            deposits_.push_back({column > 0 ? column : 0, delta});
    }
    void make_spans(int width);
    void for_each_run(const pixel_target &target, const std::function<void(int, int)> &paint_run);
    int steady_until(int row, int last_row) const;

    std::vector<edge> edges_;
    std::vector<deposit> deposits_;
    std::vector<span> spans_;
};

}  // namespace sheethost::render

#endif
