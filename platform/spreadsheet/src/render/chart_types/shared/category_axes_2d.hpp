// What the 2-D axis charts share: the plot area's backdrop with its gridlines and the
// axes on top, values up the left side (or along the bottom for bars, `across`); and
// for lines and areas, categories across the bottom with a point per category (at the
// slots' centres for lines, from edge to edge for areas, as the host draws them).
#ifndef SHEETHOST_RENDER_CATEGORY_AXES_2D_HPP
#define SHEETHOST_RENDER_CATEGORY_AXES_2D_HPP

#include <cstddef>
#include <vector>

#include "render/chart_strategy.hpp"

namespace sheethost::render {

enum class point_placement {
    centres,  // point i in the middle of slot i; ticks between the slots
    edges,    // the first point on the left edge, the last on the right; ticks at the points
};

// Where category i's point sits across the plot area. With edges, a single category
// sits in the middle.
double category_x(const rect &plot, size_t categories, size_t i, point_placement placement);

// Where v sits up the plot area, and across it.
double value_y(const plot_context &ctx, double v);
double value_x(const plot_context &ctx, double v);

axis_frame category_frame_2d(const plot_context &ctx, point_placement placement);

// The walls' fill (a 2-D chart has no walls: it colours the plot area) and the
// gridlines (horizontal, or vertical when across), drawn before the data.
void draw_backdrop_2d(const plot_context &ctx, plot_content &out, bool across = false);

// The zero line, the axes and their ticks, drawn after the data so nothing covers them.
void draw_axes_2d(const plot_context &ctx, point_placement placement, plot_content &out);

// The parts of draw_axes_2d: the zero line, both axis lines and the value axis's
// ticks; then the category axis's ticks at `at` (x along the bottom, or y down the
// left side when across).
void draw_value_axes_2d(const plot_context &ctx, bool across, plot_content &out);
void draw_category_ticks_2d(const plot_context &ctx, const std::vector<double> &at, bool across, plot_content &out);

// Small boxes along a polyline, every few points, so value labels keep off the lines
// without a line's whole bounding box (which a steep line makes huge) blocking them.
void add_trace_obstacles(const std::vector<point> &trace, double half_width, std::vector<rect> &obstacles);

// Which side of its point a label goes: below a point that lies under its
// neighbours' average (a valley, where the lines leave it upward), above otherwise.
label_side label_side_between(const double *before, double value, const double *after);

// The side turned round when a label there would leave the plot area: a value near
// the top gets its label below, one near the bottom above.
label_side kept_inside(label_side side, const rect &point_box, const rect &plot);

}  // namespace sheethost::render

#endif
