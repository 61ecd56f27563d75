// The 3-D box of the types that give each series its own row in depth (3-D line,
// 3-D area, surface): categories along x, values up y, series going back along z
// with the first series in front. Its walls and floor, its axes and where the
// axes' labels attach are shared here; each type draws its own data inside.
//
// The box is seen through projection.hpp with the default view_angles: walls and
// floor are always behind everything in the box, so they are drawn first.
#ifndef SHEETHOST_RENDER_DEPTH_BOX_HPP
#define SHEETHOST_RENDER_DEPTH_BOX_HPP

#include <cstddef>
#include <vector>

#include "render/chart_strategy.hpp"
#include "render/layout/projection.hpp"

namespace sheethost::render {

class depth_box {
public:
    // `categories` units wide (at least 1), `rows` rows of `row_depth` each deep.
    depth_box(const rect &plot, size_t categories, size_t rows, double row_depth, view_angles view = {});

    const vec3 &extent() const { return box_; }
    const projection &view() const { return view_; }
    double row_depth() const { return row_; }
    // The world height of value v on the scale.
    double y_of(const value_scale &scale, double v) const { return scale.fraction(v) * box_.y; }
    // World height units per point up the value axis: how thick a few points are.
    double y_per_point() const;

    point project(vec3 p) const { return view_.project(p); }
    std::vector<point> project(std::initializer_list<vec3> pts) const;

    double value_axis_length() const;
    // Value ticks up the front left edge; headings under `category_x` along the front
    // of the floor.
    axis_frame frame(const value_scale &scale, const std::vector<double> &category_x) const;

    // Back wall, side wall and floor with their fills and borders, and the gridlines
    // on the walls; or, with walls_and_gridlines_2d, one flat panel behind the box
    // with level gridlines.
    void draw_walls(const plot_context &ctx, plot_content &out) const;
    // The value and category axes along the front left and front bottom edges, with
    // their ticks at `tick_x`.
    void draw_axes(const plot_context &ctx, const std::vector<double> &tick_x, plot_content &out) const;

private:
    static vec3 fitted(const rect &plot, double width, double depth, view_angles view);

    vec3 box_;
    double row_ = 1;
    projection view_;
};

// The depth of one series row: a share of the width per category spread over the
// rows, kept between 0.6 of a category (so one series still reads as a solid ribbon
// or slab) and 1.5 (so many categories with one series make no deep empty box).
double series_row_depth(size_t categories, size_t rows, double depth_per_category);

}  // namespace sheethost::render

#endif
