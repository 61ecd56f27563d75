// What the 2-D and 3-D pies share: the slices of the first series, their fills and
// borders, points on the rim, and the strategy members that make a chart without
// axes whose legend names the categories.
//
// Angles are in radians, measured clockwise from 12 o'clock, as a reader of a pie
// reads them: the first slice starts at 12 o'clock and the next follows clockwise.
#ifndef SHEETHOST_RENDER_PIE_SLICES_HPP
#define SHEETHOST_RENDER_PIE_SLICES_HPP

#include <cstddef>
#include <optional>
#include <vector>

#include "render/chart_strategy.hpp"

namespace sheethost::render {

struct pie_slice {
    size_t category;  // the slice's colour and legend entry follow its category
    double value;     // as the cell holds it (a negative value keeps its sign in its label)
    double start;     // radians clockwise from 12 o'clock
    double sweep;     // radians, in proportion to |value|

    double middle() const { return start + sweep / 2; }
    double end() const { return start + sweep; }
};

// How far an exploded slice is pulled out along its bisector, as a share of the radius.
constexpr double kExplodedShare = 0.1;

// One slice per category of the first series whose value is a non-zero number; the
// sweeps add up to a whole turn. Empty when there is no such value (no series, all
// zeros, all empty cells), which the pies draw as an empty outline.
std::vector<pie_slice> pie_slices(const chart_snapshot &chart);

// How many categories the legend names: the headings or the first series' cells,
// whichever are more.
size_t pie_category_count(const chart_snapshot &chart);

// The point at `angle` on the ellipse with semi-axes rx (across) and ry (up).
point on_rim(point centre, double rx, double ry, double angle);

// The rim from `from` through `sweep`, both ends included, in steps small enough that
// the polygon reads as a curve at any size the renderer accepts.
std::vector<point> rim_points(point centre, double rx, double ry, double from, double sweep);

// The fill a slice of that category shows: the first series' fill, with the
// automatic colour of a one-colour gradient (the component shades without choosing a
// colour, so the snapshot carries the series' own automatic colour) replaced by the
// category's palette colour, so shaded slices stay apart.
fill_spec slice_fill(const chart_snapshot &chart, size_t category);

// The gradient stops of a one-colour gradient slice from the middle of the pie out to
// the rim: its colour at the centre, Degree's shade at the rim (variants 2 and 4 the
// other way round).
std::vector<colour_stop> slice_shading(const fill_spec &fill);

// A slice's paint: its fill over the outline's box, or for a one-colour gradient the
// shading from the apex (the slice's colour) to `rim` (Degree's shade), round on a 2-D
// pie (so all slices share one light and meet without seams), along the top of a 3-D
// one.
paint slice_paint(const chart_snapshot &chart, size_t category, const std::vector<point> &outline, point apex,
                  point rim, paint::kind shading);

// The separator between slices: the series border's weight and line style, white when
// its colour is automatic (a thin white gap reads best between coloured slices).
std::optional<stroke> slice_stroke(const chart_snapshot &chart);

// Everything a pie has in common with every other pie: no axes, a legend of the
// categories.
class pie_strategy_base : public chart_strategy {
public:
    axes_layout axes() const override { return axes_layout::none; }
    std::vector<legend_item> legend_items(const chart_snapshot &chart, const value_scale &scale) const override;
    double value_axis_length(const rect &plot, size_t) const override { return plot.h; }
    axis_frame frame(const plot_context &) const override { return {}; }
};

}  // namespace sheethost::render

#endif
