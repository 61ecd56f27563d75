// The series-in-depth box.
#include "render/chart_types/shared/depth_box.hpp"

#include <algorithm>

#include "render/style/chart_style.hpp"
#include "render/style/fill_style.hpp"
#include "render/style/stroke_style.hpp"

namespace sheethost::render {

namespace {

constexpr double kMinRowDepth = 0.6;
constexpr double kMaxRowDepth = 1.5;

shape plain_line(point a, point b, rgb colour)
{
    shape s;
    s.outline = {a, b};
    s.closed = false;
    s.line = stroke{0.75, colour, {}};
    return s;
}

}  // namespace

double series_row_depth(size_t categories, size_t rows, double depth_per_category)
{
    double total = static_cast<double>(categories) * depth_per_category;
    return std::clamp(total / static_cast<double>(std::max<size_t>(rows, 1)), kMinRowDepth, kMaxRowDepth);
}

vec3 depth_box::fitted(const rect &plot, double width, double depth, view_angles view)
{
    // A height that gives the projected box the plot area's proportions already, so
    // the fit to the plot area hardly stretches it.
    vec3 box{width, width * plot.h / plot.w, depth};
    for (int i = 0; i < 4; ++i)
        box.y *= projection(box, view, plot).stretch();
    return box;
}

depth_box::depth_box(const rect &plot, size_t categories, size_t rows, double row_depth, view_angles view)
    : box_(fitted(plot, static_cast<double>(std::max<size_t>(categories, 1)),
                  row_depth * static_cast<double>(std::max<size_t>(rows, 1)), view)),
      row_(row_depth),
      view_(box_, view, plot)
{
}

double depth_box::y_per_point() const
{
    double length = value_axis_length();
    return length > 0 ? box_.y / length : 0;
}

std::vector<point> depth_box::project(std::initializer_list<vec3> pts) const
{
    std::vector<point> out;
    out.reserve(pts.size());
    for (vec3 p : pts)
        out.push_back(view_.project(p));
    return out;
}

double depth_box::value_axis_length() const { return project(vec3{0, box_.y, 0}).y - project(vec3{0, 0, 0}).y; }

axis_frame depth_box::frame(const value_scale &scale, const std::vector<double> &category_x) const
{
    axis_frame f;
    for (double v : scale.ticks()) {
        point p = project(vec3{0, y_of(scale, v), 0});
        f.value_ticks.push_back({v, {p.x - style::kTickLength, p.y}});
    }
    for (double x : category_x) {
        point p = project(vec3{x, 0, 0});
        f.category_anchors.push_back({p.x, p.y - style::kTickLength});
    }
    f.category_slot = project(vec3{box_.x, 0, 0}).x - project(vec3{0, 0, 0}).x;
    for (size_t i = 1; i < f.category_anchors.size(); ++i)
        f.category_slot = std::min(f.category_slot, f.category_anchors[i].x - f.category_anchors[i - 1].x);
    return f;
}

void depth_box::draw_walls(const plot_context &ctx, plot_content &out) const
{
    const chart_snapshot &c = ctx.chart;
    const vec3 &b = box_;
    if (c.walls_and_gridlines_2d) {
        out.backdrop = paint_for(c.walls.fill, ctx.plot, style::kBackground);
        shape panel = filled(corners(ctx.plot), *out.backdrop, stroke_for(c.walls.border, style::kWallBorder));
        panel.crisp = true;
        out.items.push_back(std::move(panel));
        for (double v : ctx.scale.ticks()) {
            if (v == ctx.scale.min || v == ctx.scale.max)
                continue;
            double y = project(vec3{0, y_of(ctx.scale, v), 0}).y;
            shape g = plain_line({ctx.plot.left(), y}, {ctx.plot.right(), y},
                                 v == 0 ? style::kZeroLine : style::kGridline);
            g.crisp = true;
            out.items.push_back(std::move(g));
        }
        return;
    }
    std::vector<point> back = project({{0, 0, b.z}, {b.x, 0, b.z}, {b.x, b.y, b.z}, {0, b.y, b.z}});
    std::vector<point> side = project({{0, 0, 0}, {0, 0, b.z}, {0, b.y, b.z}, {0, b.y, 0}});
    std::vector<point> floor = project({{0, 0, 0}, {b.x, 0, 0}, {b.x, 0, b.z}, {0, 0, b.z}});
    std::optional<stroke> wall_border = stroke_for(c.walls.border, style::kWallBorder);
    std::optional<stroke> floor_border = stroke_for(c.floor.border, style::kWallBorder);
    paint back_paint = paint_for(c.walls.fill, bounds_of(back), style::kBackWall);
    out.backdrop = back_paint;
    out.items.push_back(filled(back, back_paint, wall_border));
    paint side_paint = c.walls.fill.type == fill_spec::kind::automatic
                           ? paint{paint::kind::solid, style::kSideWall, {}, {}, {}}
                           : shaded(paint_for(c.walls.fill, bounds_of(side), style::kBackWall), 0.9);
    out.items.push_back(filled(side, side_paint, wall_border));
    out.items.push_back(filled(floor, paint_for(c.floor.fill, bounds_of(floor), style::kFloor), floor_border));
    for (double v : ctx.scale.ticks()) {
        if (v == ctx.scale.min || v == ctx.scale.max)
            continue;
        double y = y_of(ctx.scale, v);
        rgb colour = v == 0 ? style::kZeroLine : style::kWallGridline;
        out.items.push_back(plain_line(project(vec3{0, y, 0}), project(vec3{0, y, b.z}), colour));
        out.items.push_back(plain_line(project(vec3{0, y, b.z}), project(vec3{b.x, y, b.z}), colour));
    }
}

void depth_box::draw_axes(const plot_context &ctx, const std::vector<double> &tick_x, plot_content &out) const
{
    point origin = project(vec3{0, 0, 0});
    out.items.push_back(plain_line(origin, project(vec3{0, box_.y, 0}), style::kAxisLine));
    out.items.push_back(plain_line(origin, project(vec3{box_.x, 0, 0}), style::kAxisLine));
    for (double v : ctx.scale.ticks()) {
        point p = project(vec3{0, y_of(ctx.scale, v), 0});
        out.items.push_back(plain_line({p.x - style::kTickLength, p.y}, p, style::kAxisLine));
    }
    for (double x : tick_x) {
        point p = project(vec3{x, 0, 0});
        out.items.push_back(plain_line(p, {p.x, p.y - style::kTickLength}, style::kAxisLine));
    }
}

}  // namespace sheethost::render
