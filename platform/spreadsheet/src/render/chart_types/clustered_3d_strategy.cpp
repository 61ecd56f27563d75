// The 3-D column and bar charts: solids (boxes, cylinders, cones or pyramids) standing
// on a floor between a back wall and a left side wall, seen through the projection in
// projection.hpp. Columns grow up from the floor; bars grow right from the side wall,
// categories running down it with the first at the top (as on the 2-D bar chart).
// Clustered charts put a category's series side by side at one depth; the 3-D column
// with series in depth gives each series its own row, the first in front.
//
// Hidden surfaces are handled by the painter's algorithm: walls and floor first (the
// eye is always in front of, above and right of them), then the solids from the
// farthest to the nearest. Every solid lies within its own cell, and any two cells
// are disjoint boxes on a grid, so some plane across the depth, the category or the
// value axis separates them; a solid on the eye's side of such a plane can hide the
// other but never be hidden by it. Sorting by distance from the eye along depth,
// then along the category axis, then along the value axis puts every pair in that
// order (where two planes separate a pair and disagree, neither solid can hide the
// other), so the order is exact and nothing shows through anything. Within one solid
// only the faces turned toward the eye are drawn (solid_shapes.hpp).
//
// The floor is at the bottom of the value axis, so columns for negative values hang
// from zero above it and stay in view (bars likewise keep right of the side wall); a
// darker line on the walls marks zero. walls_and_gridlines_2d replaces walls and
// floor with one flat panel behind the solids with straight gridlines.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>

#include "render/style/chart_style.hpp"
#include "render/chart_types/shared/column_geometry.hpp"
#include "render/chart_types/column_strategies.hpp"
#include "render/style/fill_style.hpp"
#include "render/layout/projection.hpp"
#include "render/chart_types/shared/solid_shapes.hpp"
#include "render/style/stroke_style.hpp"

namespace sheethost::render {

namespace {

struct chart_form {
    bool bars = false;             // values across, categories down the side wall
    solid_kind solid = solid_kind::box;
    bool series_in_depth = false;  // one row of columns per series, the first in front
};

// The world box: one unit per category along the category axis and a height (columns)
// or width (bars) chosen so the projected box already has the plot area's proportions
// and the fit hardly stretches it. Clustered charts are a tenth of the category
// count deep (so the receding part takes a steady share of the picture; at least
// 0.35 so a single category still reads as a box) with the solids in the middle
// half (deep enough for a round solid's square footprint); series in depth take one
// row of depth per series.
struct world {
    vec3 box;
    bool bars = false;
    double categories = 1;
    // Series in depth: each row's columns are `column` wide and deep, rows `pitch`
    // apart, the front row's columns `lead` from their category's left edge.
    double column = 0.6, pitch = 1, lead = 0.2;

    double value_extent() const { return bars ? box.x : box.y; }
    // A point from its place along the category axis (0 at the first category's
    // outer edge), along the value axis and in depth.
    vec3 at(double category, double value, double depth) const
    {
        return bars ? vec3{value, categories - category, depth} : vec3{category, value, depth};
    }
};

world world_for(const chart_form &form, const rect &plot, size_t categories, size_t series)
{
    world w;
    w.bars = form.bars;
    double n = static_cast<double>(categories);
    w.categories = n;
    double depth = std::max(0.35, n / 10);
    if (form.series_in_depth) {
        // The rows recede up and to the right; spacing them so each row's columns move
        // a little more than a column's width across keeps every row in sight above
        // and beside the rows in front, whatever the values (the host's own equal
        // spacing lets a tall front row hide the rows behind it). The staircase of a
        // category's columns keeps within its slot.
        double rows = static_cast<double>(std::max<size_t>(series, 1));
        double across_per_row = 1.15;  // in column widths
        w.column = std::min(0.6, 0.8 / (across_per_row * rows - (across_per_row - 1)));
        double step = across_per_row * w.column;
        w.pitch = step / std::sin(view_angles{}.rotation * std::numbers::pi / 180);
        w.lead = (1 - (rows - 1) * step - w.column) / 2;
        depth = rows * w.pitch;
    }
    // Round solids and pyramids stand on a square as wide as a cluster's bar: the
    // middle half of the depth must be at least that deep.
    if (!form.series_in_depth && form.solid != solid_kind::box)
        depth = std::max(depth, 2 * clustered_bar_span(0, std::max<size_t>(series, 1)).to -
                                    2 * clustered_bar_span(0, std::max<size_t>(series, 1)).from);
    w.box = form.bars ? vec3{n * plot.w / plot.h, n, depth} : vec3{n, n * plot.h / plot.w, depth};
    for (int i = 0; i < 4; ++i) {
        double stretch = projection(w.box, view_angles{}, plot).stretch();
        if (form.bars)
            w.box.x /= stretch;
        else
            w.box.y *= stretch;
    }
    return w;
}

double world_value(const plot_context &ctx, const world &w, double v)
{
    return ctx.scale.fraction(v) * w.value_extent();
}

shape line(point a, point b, rgb colour, double width = 0.75)
{
    shape s;
    s.outline = {a, b};
    s.closed = false;
    s.line = stroke{width, colour, {}};
    return s;
}

struct placed_solid {
    solid_cell cell;
    size_t series;
    size_t category;
    double value;
};

class clustered_3d final : public chart_strategy {
public:
    explicit clustered_3d(chart_form form) : form_(form) {}

    axes_layout axes() const override { return form_.bars ? axes_layout::value_across : axes_layout::value_up; }

    double value_axis_length(const rect &plot, size_t categories) const override
    {
        // The series count only sets the depth, which the fit takes out again; one
        // row stands in for it here, where the chart is not known.
        world w = world_for(form_, plot, categories, 1);
        projection proj(w.box, view_angles{}, plot);
        point origin = proj.project({0, 0, 0});
        return form_.bars ? proj.project({w.box.x, 0, 0}).x - origin.x : proj.project({0, w.box.y, 0}).y - origin.y;
    }

    axis_frame frame(const plot_context &ctx) const override
    {
        world w = world_for(form_, ctx.plot, ctx.categories, ctx.chart.series.size());
        projection proj(w.box, view_angles{}, ctx.plot);
        axis_frame f;
        for (double v : ctx.scale.ticks()) {
            point p = proj.project(w.at(form_.bars ? w.categories : 0, world_value(ctx, w, v), 0));
            f.value_ticks.push_back(
                {v, form_.bars ? point{p.x, p.y - style::kTickLength} : point{p.x - style::kTickLength, p.y}});
        }
        for (size_t i = 0; i < ctx.categories; ++i) {
            point p = proj.project(w.at(static_cast<double>(i) + 0.5, 0, 0));
            f.category_anchors.push_back(form_.bars ? point{p.x - style::kTickLength, p.y}
                                                    : point{p.x, p.y - style::kTickLength});
        }
        point origin = proj.project({0, 0, 0});
        f.category_slot = form_.bars ? proj.project({0, w.box.y, 0}).y - origin.y
                                     : proj.project({w.box.x, 0, 0}).x - origin.x;
        for (size_t i = 1; i < f.category_anchors.size(); ++i) {
            point a = f.category_anchors[i - 1], b = f.category_anchors[i];
            f.category_slot = std::min(f.category_slot, form_.bars ? a.y - b.y : b.x - a.x);
        }
        return f;
    }

    plot_content draw(const plot_context &ctx) const override
    {
        world w = world_for(form_, ctx.plot, ctx.categories, ctx.chart.series.size());
        projection proj(w.box, view_angles{}, ctx.plot);
        plot_content out;
        if (ctx.chart.walls_and_gridlines_2d)
            draw_flat_walls(ctx, w, proj, out);
        else
            draw_walls(ctx, w, proj, out);
        draw_axes(ctx, w, proj, out);
        draw_solids(ctx, w, proj, out);
        return out;
    }

private:
    chart_form form_;

    static void draw_walls(const plot_context &ctx, const world &w, const projection &proj, plot_content &out)
    {
        const vec3 &b = w.box;
        auto poly = [&](std::initializer_list<vec3> pts) {
            std::vector<point> o;
            for (vec3 p : pts)
                o.push_back(proj.project(p));
            return o;
        };
        std::vector<point> back = poly({{0, 0, b.z}, {b.x, 0, b.z}, {b.x, b.y, b.z}, {0, b.y, b.z}});
        out.backdrop = paint_for(ctx.chart.walls.fill, bounds_of(back), style::kBackWall);
        std::vector<point> side = poly({{0, 0, 0}, {0, 0, b.z}, {0, b.y, b.z}, {0, b.y, 0}});
        std::vector<point> floor = poly({{0, 0, 0}, {b.x, 0, 0}, {b.x, 0, b.z}, {0, 0, b.z}});
        const chart_snapshot &c = ctx.chart;
        std::optional<stroke> wall_border = stroke_for(c.walls.border, style::kWallBorder);
        std::optional<stroke> floor_border = stroke_for(c.floor.border, style::kWallBorder);
        bool automatic_walls = c.walls.fill.type == fill_spec::kind::automatic;
        out.items.push_back(filled(back, paint_for(c.walls.fill, bounds_of(back), style::kBackWall), wall_border));
        paint side_paint = automatic_walls ? paint{paint::kind::solid, style::kSideWall, {}, {}, {}}
                                           : shaded(paint_for(c.walls.fill, bounds_of(side), style::kBackWall), 0.9);
        out.items.push_back(filled(side, side_paint, wall_border));
        out.items.push_back(filled(floor, paint_for(c.floor.fill, bounds_of(floor), style::kFloor), floor_border));

        // Each gridline runs from the front edge back along the side wall (columns) or
        // the floor (bars), then across the back wall.
        for (double v : ctx.scale.ticks()) {
            if (v == ctx.scale.min || v == ctx.scale.max)
                continue;
            double u = world_value(ctx, w, v);
            vec3 front = w.bars ? vec3{u, 0, 0} : vec3{0, u, 0};
            vec3 rear{front.x, front.y, b.z};
            vec3 far = w.bars ? vec3{u, b.y, b.z} : vec3{b.x, u, b.z};
            rgb colour = v == 0 ? style::kZeroLine : style::kWallGridline;
            out.items.push_back(line(proj.project(front), proj.project(rear), colour));
            out.items.push_back(line(proj.project(rear), proj.project(far), colour));
        }
    }

    static void draw_flat_walls(const plot_context &ctx, const world &w, const projection &proj,
                                plot_content &out)
    {
        const chart_snapshot &c = ctx.chart;
        const rect &plot = ctx.plot;
        out.backdrop = paint_for(c.walls.fill, plot, style::kBackground);
        shape panel = filled(corners(plot), *out.backdrop, stroke_for(c.walls.border, style::kWallBorder));
        panel.crisp = true;
        out.items.push_back(std::move(panel));
        for (double v : ctx.scale.ticks()) {
            if (v == ctx.scale.min || v == ctx.scale.max)
                continue;
            rgb colour = v == 0 ? style::kZeroLine : style::kGridline;
            double u = world_value(ctx, w, v);
            shape g = w.bars ? line({proj.project({u, 0, 0}).x, plot.bottom()}, {proj.project({u, 0, 0}).x, plot.top()},
                                    colour)
                             : line({plot.left(), proj.project({0, u, 0}).y}, {plot.right(), proj.project({0, u, 0}).y},
                                    colour);
            g.crisp = true;
            out.items.push_back(std::move(g));
        }
    }

    static void draw_axes(const plot_context &ctx, const world &w, const projection &proj, plot_content &out)
    {
        // Both axes run along the box's front edges from the origin; value ticks point
        // away from the plot (left for columns, down for bars), category ticks mark
        // the boundaries between categories.
        point origin = proj.project({0, 0, 0});
        out.items.push_back(line(origin, proj.project({0, w.box.y, 0}), style::kAxisLine));
        out.items.push_back(line(origin, proj.project({w.box.x, 0, 0}), style::kAxisLine));
        for (double v : ctx.scale.ticks()) {
            double u = world_value(ctx, w, v);
            point p = proj.project(w.bars ? vec3{u, 0, 0} : vec3{0, u, 0});
            point outer = w.bars ? point{p.x, p.y - style::kTickLength} : point{p.x - style::kTickLength, p.y};
            out.items.push_back(line(outer, p, style::kAxisLine));
        }
        for (size_t i = 0; i <= ctx.categories; ++i) {
            point p = proj.project(w.at(static_cast<double>(i), 0, 0));
            point outer = w.bars ? point{p.x - style::kTickLength, p.y} : point{p.x, p.y - style::kTickLength};
            out.items.push_back(line(p, outer, style::kAxisLine));
        }
    }

    void draw_solids(const plot_context &ctx, const world &w, const projection &proj, plot_content &out) const
    {
        const chart_snapshot &c = ctx.chart;
        std::vector<placed_solid> solids;
        double zero = world_value(ctx, w, 0);
        for (size_t s = 0; s < c.series.size(); ++s) {
            bar_span span = clustered_bar_span(s, c.series.size());
            double depth0 = w.box.z * 0.25, depth1 = w.box.z * 0.75;
            if (form_.series_in_depth) {
                span = {w.lead, w.lead + w.column};
                depth0 = static_cast<double>(s) * w.pitch + (w.pitch - w.column) / 2;
                depth1 = depth0 + w.column;
            }
            for (size_t i = 0; i < ctx.categories; ++i) {
                double v;
                if (!value_at(c.series[s], i, v))
                    continue;
                double u = world_value(ctx, w, v);
                double cat = static_cast<double>(i);
                vec3 a = w.at(cat + span.from, std::min(u, zero), depth0);
                vec3 b = w.at(cat + span.to, std::max(u, zero), depth1);
                solid_cell cell{{std::min(a.x, b.x), std::min(a.y, b.y), a.z},
                                {std::max(a.x, b.x), std::max(a.y, b.y), b.z},
                                form_.bars ? 0 : 1,
                                v >= 0};
                solids.push_back({cell, s, i, v});
            }
        }
        vec3 eye = proj.eye();
        bool bars = form_.bars;
        auto distance_key = [&eye, bars](const placed_solid &p) {
            vec3 m{(p.cell.lo.x + p.cell.hi.x) / 2, (p.cell.lo.y + p.cell.hi.y) / 2, (p.cell.lo.z + p.cell.hi.z) / 2};
            double along_x = std::abs(m.x - eye.x), along_y = std::abs(m.y - eye.y);
            return std::make_tuple(std::abs(m.z - eye.z), bars ? along_y : along_x, bars ? along_x : along_y);
        };
        std::stable_sort(solids.begin(), solids.end(), [&](const placed_solid &a, const placed_solid &b) {
            return distance_key(a) > distance_key(b);
        });
        for (const placed_solid &p : solids)
            draw_one(ctx, proj, p, out);
    }

    void draw_one(const plot_context &ctx, const projection &proj, const placed_solid &p, plot_content &out) const
    {
        const chart_snapshot &c = ctx.chart;
        solid_look look{c.series[p.series].fill, series_colour(p.series), bar_stroke(c, p.series)};
        drawn_solid d = draw_solid(form_.solid, p.cell, proj, look);
        for (shape &s : d.shapes)
            out.items.push_back(std::move(s));
        out.obstacles.push_back(d.covered);
        if (std::optional<std::string> text = data_label_text(c, p.series, p.category, p.value)) {
            bool negative = p.value < 0;
            label_side side = form_.bars ? (negative ? label_side::left : label_side::right)
                                         : (negative ? label_side::below : label_side::above);
            out.labels.push_back({*text, d.value_end, side, d.covered, series_base_colour(c, p.series),
                                  c.series[p.series].legend_key});
        }
    }
};

template <bool Bars, solid_kind Solid, bool InDepth = false>
const chart_strategy &instance()
{
    static const clustered_3d strategy(chart_form{Bars, Solid, InDepth});
    return strategy;
}

}  // namespace

const chart_strategy &clustered_column_3d() { return instance<false, solid_kind::box>(); }
const chart_strategy &clustered_bar_3d() { return instance<true, solid_kind::box>(); }
const chart_strategy &column_3d_series_in_depth() { return instance<false, solid_kind::box, true>(); }
const chart_strategy &clustered_cylinder_column() { return instance<false, solid_kind::cylinder>(); }
const chart_strategy &clustered_cylinder_bar() { return instance<true, solid_kind::cylinder>(); }
const chart_strategy &clustered_cone_column() { return instance<false, solid_kind::cone>(); }
const chart_strategy &clustered_cone_bar() { return instance<true, solid_kind::cone>(); }
const chart_strategy &clustered_pyramid_column() { return instance<false, solid_kind::pyramid>(); }
const chart_strategy &clustered_pyramid_bar() { return instance<true, solid_kind::pyramid>(); }

}  // namespace sheethost::render
