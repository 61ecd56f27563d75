// The shared 2-D frame of the axis charts.
#include "render/chart_types/shared/category_axes_2d.hpp"

#include <cmath>

#include "render/style/chart_style.hpp"
#include "render/style/fill_style.hpp"

namespace sheethost::render {

namespace {

constexpr double kTraceSpacing = 4;  // points between trace obstacles
constexpr double kLabelRoom = 14;    // points a value label needs beside its point

shape axis_line(point a, point b, rgb colour)
{
    shape s;
    s.outline = {a, b};
    s.closed = false;
    s.line = stroke{0.75, colour, {}};
    s.crisp = true;
    return s;
}

// The line across the whole plot area where the value axis reads `at`.
shape value_line(const rect &plot, double at, bool across, rgb colour)
{
    return across ? axis_line({at, plot.bottom()}, {at, plot.top()}, colour)
                  : axis_line({plot.left(), at}, {plot.right(), at}, colour);
}

double value_position(const plot_context &ctx, double v, bool across)
{
    return across ? value_x(ctx, v) : value_y(ctx, v);
}

}  // namespace

double category_x(const rect &plot, size_t categories, size_t i, point_placement placement)
{
    double n = static_cast<double>(categories == 0 ? 1 : categories);
    double k = static_cast<double>(i);
    if (placement == point_placement::centres)
        return plot.x + (k + 0.5) * plot.w / n;
    if (categories <= 1)
        return plot.centre().x;
    return plot.x + k * plot.w / (n - 1);
}

double value_y(const plot_context &ctx, double v) { return ctx.plot.y + ctx.scale.fraction(v) * ctx.plot.h; }
double value_x(const plot_context &ctx, double v) { return ctx.plot.x + ctx.scale.fraction(v) * ctx.plot.w; }

axis_frame category_frame_2d(const plot_context &ctx, point_placement placement)
{
    axis_frame f;
    for (double v : ctx.scale.ticks())
        f.value_ticks.push_back({v, {ctx.plot.x - style::kTickLength, value_y(ctx, v)}});
    for (size_t i = 0; i < ctx.categories; ++i)
        f.category_anchors.push_back(
            {category_x(ctx.plot, ctx.categories, i, placement), ctx.plot.y - style::kTickLength});
    double n = static_cast<double>(ctx.categories);
    f.category_slot = placement == point_placement::centres || ctx.categories <= 1 ? ctx.plot.w / n
                                                                                   : ctx.plot.w / (n - 1);
    return f;
}

void draw_backdrop_2d(const plot_context &ctx, plot_content &out, bool across)
{
    const chart_snapshot &c = ctx.chart;
    const rect &plot = ctx.plot;
    if (c.walls.fill.type != fill_spec::kind::automatic) {
        shape back;
        back.outline = corners(plot);
        back.fill = paint_for(c.walls.fill, plot, style::kBackground);
        out.backdrop = back.fill;
        back.crisp = true;
        out.items.push_back(std::move(back));
    }
    for (double v : ctx.scale.ticks()) {
        if (v == ctx.scale.min || v == 0)
            continue;
        out.items.push_back(value_line(plot, value_position(ctx, v, across), across, style::kGridline));
    }
}

void draw_value_axes_2d(const plot_context &ctx, bool across, plot_content &out)
{
    const rect &plot = ctx.plot;
    if (ctx.scale.min < 0)
        out.items.push_back(value_line(plot, value_position(ctx, 0, across), across, style::kZeroLine));
    out.items.push_back(axis_line({plot.left(), plot.bottom()}, {plot.right(), plot.bottom()}, style::kAxisLine));
    out.items.push_back(axis_line({plot.left(), plot.bottom()}, {plot.left(), plot.top()}, style::kAxisLine));
    for (double v : ctx.scale.ticks()) {
        double at = value_position(ctx, v, across);
        out.items.push_back(across ? axis_line({at, plot.bottom() - style::kTickLength}, {at, plot.bottom()}, style::kAxisLine)
                                   : axis_line({plot.left() - style::kTickLength, at}, {plot.left(), at}, style::kAxisLine));
    }
}

void draw_category_ticks_2d(const plot_context &ctx, const std::vector<double> &at, bool across, plot_content &out)
{
    const rect &plot = ctx.plot;
    for (double p : at)
        out.items.push_back(across ? axis_line({plot.left() - style::kTickLength, p}, {plot.left(), p}, style::kAxisLine)
                                   : axis_line({p, plot.bottom()}, {p, plot.bottom() - style::kTickLength}, style::kAxisLine));
}

void draw_axes_2d(const plot_context &ctx, point_placement placement, plot_content &out)
{
    const rect &plot = ctx.plot;
    draw_value_axes_2d(ctx, false, out);
    // Lines: a tick between neighbouring slots and at both ends. Areas: a tick under
    // every point.
    std::vector<double> ticks;
    if (placement == point_placement::centres) {
        for (size_t i = 0; i <= ctx.categories; ++i)
            ticks.push_back(plot.x + static_cast<double>(i) * plot.w / static_cast<double>(ctx.categories));
    } else {
        for (size_t i = 0; i < ctx.categories; ++i)
            ticks.push_back(category_x(plot, ctx.categories, i, placement));
    }
    draw_category_ticks_2d(ctx, ticks, false, out);
}

void add_trace_obstacles(const std::vector<point> &trace, double half_width, std::vector<rect> &obstacles)
{
    for (size_t i = 1; i < trace.size(); ++i) {
        point a = trace[i - 1], b = trace[i];
        double length = std::hypot(b.x - a.x, b.y - a.y);
        int steps = std::max(1, static_cast<int>(std::ceil(length / kTraceSpacing)));
        // Both ends are left out: the points carry their own markers or labels.
        for (int k = 1; k < steps; ++k) {
            double t = static_cast<double>(k) / steps;
            point p{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
            obstacles.push_back({p.x - half_width, p.y - half_width, 2 * half_width, 2 * half_width});
        }
    }
}

label_side label_side_between(const double *before, double value, const double *after)
{
    double sum = 0;
    int count = 0;
    for (const double *n : {before, after})
        if (n) {
            sum += *n;
            ++count;
        }
    if (count == 0)
        return value < 0 ? label_side::below : label_side::above;
    return value < sum / count ? label_side::below : label_side::above;
}

label_side kept_inside(label_side side, const rect &point_box, const rect &plot)
{
    if (side == label_side::above && point_box.top() + kLabelRoom > plot.top())
        return label_side::below;
    if (side == label_side::below && point_box.bottom() - kLabelRoom < plot.bottom())
        return label_side::above;
    return side;
}

}  // namespace sheethost::render
