// The 3-D clustered column: the 2-D chart's bars as boxes standing on a floor between
// a back wall and a left side wall, seen through the projection in projection.hpp.
// Hidden surfaces are handled by the painter's algorithm: walls and floor first (the
// eye is always in front of, above and right of them), then the bars from the one
// farthest from the eye to the nearest, each drawing only the faces turned toward
// the eye. Bars stand on a grid and never intersect, so this order is exact.
//
// The floor is at the bottom of the value axis, so bars for negative values hang from
// zero above it and stay in view; a darker line on the walls marks zero.
// walls_and_gridlines_2d replaces walls and floor with one flat panel behind the bars
// with straight horizontal gridlines.
#include <algorithm>
#include <cmath>
#include <tuple>

#include "render/chart_style.hpp"
#include "render/column_geometry.hpp"
#include "render/column_strategies.hpp"
#include "render/fill_style.hpp"
#include "render/projection.hpp"
#include "render/stroke_style.hpp"

namespace sheethost::render {

namespace {

// The world box: one unit of x per category, a depth of a tenth of the width (so the
// receding part takes a steady share of the picture whatever the category count; at
// least 0.35 so a single category still reads as a box), and a height chosen so the
// projected box already has the plot area's proportions and the fit hardly
// stretches it.
struct world {
    vec3 box;
    double bar_z0 = 0, bar_z1 = 0;  // the bars' depth: the middle half of the box
};

world world_for(const rect &plot, size_t categories)
{
    world w;
    double n = static_cast<double>(categories);
    w.box = {n, n * plot.h / plot.w, std::max(0.35, n / 10)};
    for (int i = 0; i < 4; ++i)
        w.box.y *= projection(w.box, view_angles{}, plot).stretch();
    w.bar_z0 = w.box.z * 0.25;
    w.bar_z1 = w.box.z * 0.75;
    return w;
}

double world_y(const plot_context &ctx, const world &w, double v) { return ctx.scale.fraction(v) * w.box.y; }

shape line(point a, point b, rgb colour, double width = 0.75)
{
    shape s;
    s.outline = {a, b};
    s.closed = false;
    s.line = stroke{width, colour, {}};
    return s;
}

shape face(std::vector<point> outline, paint fill, const std::optional<stroke> &border)
{
    shape s;
    s.outline = std::move(outline);
    s.fill = std::move(fill);
    s.line = border;
    return s;
}

struct bar_box {
    double x0, x1, y0, y1, z0, z1;
    size_t series;
    size_t category;
    double value;
};

class column_3d final : public chart_strategy {
public:
    double value_axis_length(const rect &plot, size_t categories) const override
    {
        world w = world_for(plot, categories);
        projection proj(w.box, view_angles{}, plot);
        return proj.project({0, w.box.y, 0}).y - proj.project({0, 0, 0}).y;
    }

    axis_frame frame(const plot_context &ctx) const override
    {
        world w = world_for(ctx.plot, ctx.categories);
        projection proj(w.box, view_angles{}, ctx.plot);
        axis_frame f;
        for (double v : ctx.scale.ticks()) {
            point p = proj.project({0, world_y(ctx, w, v), 0});
            f.value_ticks.push_back({v, {p.x - style::kTickLength, p.y}});
        }
        for (size_t i = 0; i < ctx.categories; ++i) {
            point p = proj.project({static_cast<double>(i) + 0.5, 0, 0});
            f.category_anchors.push_back({p.x, p.y - style::kTickLength});
        }
        f.category_slot = proj.project({w.box.x, 0, 0}).x - proj.project({0, 0, 0}).x;
        for (size_t i = 1; i < f.category_anchors.size(); ++i)
            f.category_slot = std::min(f.category_slot, f.category_anchors[i].x - f.category_anchors[i - 1].x);
        return f;
    }

    plot_content draw(const plot_context &ctx) const override
    {
        world w = world_for(ctx.plot, ctx.categories);
        projection proj(w.box, view_angles{}, ctx.plot);
        plot_content out;
        if (ctx.chart.walls_and_gridlines_2d)
            draw_flat_walls(ctx, w, proj, out);
        else
            draw_walls(ctx, w, proj, out);
        draw_axes(ctx, w, proj, out);
        draw_bars(ctx, w, proj, out);
        return out;
    }

private:
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
        out.items.push_back(face(back, paint_for(c.walls.fill, bounds_of(back), style::kBackWall), wall_border));
        paint side_paint = automatic_walls ? paint{paint::kind::solid, style::kSideWall, {}, {}, {}}
                                           : shaded(paint_for(c.walls.fill, bounds_of(side), style::kBackWall), 0.9);
        out.items.push_back(face(side, side_paint, wall_border));
        out.items.push_back(face(floor, paint_for(c.floor.fill, bounds_of(floor), style::kFloor), floor_border));

        for (double v : ctx.scale.ticks()) {
            if (v == ctx.scale.min || v == ctx.scale.max)
                continue;
            double y = world_y(ctx, w, v);
            rgb colour = v == 0 ? style::kZeroLine : style::kWallGridline;
            out.items.push_back(line(proj.project({0, y, 0}), proj.project({0, y, b.z}), colour));
            out.items.push_back(line(proj.project({0, y, b.z}), proj.project({b.x, y, b.z}), colour));
        }
    }

    static void draw_flat_walls(const plot_context &ctx, const world &w, const projection &proj,
                                plot_content &out)
    {
        const chart_snapshot &c = ctx.chart;
        out.backdrop = paint_for(c.walls.fill, ctx.plot, style::kBackground);
        shape panel = face(corners(ctx.plot), *out.backdrop,
                           stroke_for(c.walls.border, style::kWallBorder));
        panel.crisp = true;
        out.items.push_back(std::move(panel));
        for (double v : ctx.scale.ticks()) {
            if (v == ctx.scale.min || v == ctx.scale.max)
                continue;
            double y = proj.project({0, world_y(ctx, w, v), 0}).y;
            shape g = line({ctx.plot.left(), y}, {ctx.plot.right(), y}, v == 0 ? style::kZeroLine : style::kGridline);
            g.crisp = true;
            out.items.push_back(std::move(g));
        }
    }

    static void draw_axes(const plot_context &ctx, const world &w, const projection &proj, plot_content &out)
    {
        point origin = proj.project({0, 0, 0});
        out.items.push_back(line(origin, proj.project({0, w.box.y, 0}), style::kAxisLine));
        out.items.push_back(line(origin, proj.project({w.box.x, 0, 0}), style::kAxisLine));
        for (double v : ctx.scale.ticks()) {
            point p = proj.project({0, world_y(ctx, w, v), 0});
            out.items.push_back(line({p.x - style::kTickLength, p.y}, p, style::kAxisLine));
        }
        for (size_t i = 0; i <= ctx.categories; ++i) {
            point p = proj.project({static_cast<double>(i), 0, 0});
            out.items.push_back(line(p, {p.x, p.y - style::kTickLength}, style::kAxisLine));
        }
    }

    static void draw_bars(const plot_context &ctx, const world &w, const projection &proj, plot_content &out)
    {
        const chart_snapshot &c = ctx.chart;
        std::vector<bar_box> bars;
        double zero = world_y(ctx, w, 0);
        for (size_t s = 0; s < c.series.size(); ++s) {
            bar_span span = clustered_bar_span(s, c.series.size());
            for (size_t i = 0; i < ctx.categories; ++i) {
                double v;
                if (!value_at(c.series[s], i, v))
                    continue;
                double y = world_y(ctx, w, v);
                double x = static_cast<double>(i);
                bars.push_back({x + span.from, x + span.to, std::min(y, zero), std::max(y, zero), w.bar_z0, w.bar_z1,
                                s, i, v});
            }
        }
        vec3 eye = proj.eye();
        auto distance_key = [&eye](const bar_box &b) {
            return std::make_tuple(std::abs((b.z0 + b.z1) / 2 - eye.z), std::abs((b.x0 + b.x1) / 2 - eye.x),
                                   std::abs((b.y0 + b.y1) / 2 - eye.y));
        };
        std::stable_sort(bars.begin(), bars.end(),
                         [&](const bar_box &a, const bar_box &b) { return distance_key(a) > distance_key(b); });
        for (const bar_box &bar : bars)
            draw_bar(ctx, proj, bar, out);
    }

    static void draw_bar(const plot_context &ctx, const projection &proj, const bar_box &b, plot_content &out)
    {
        const chart_snapshot &c = ctx.chart;
        const fill_spec &fill = c.series[b.series].fill;
        rgb automatic = series_colour(b.series);
        std::optional<stroke> border = bar_stroke(c, b.series);
        auto poly = [&](std::initializer_list<vec3> pts) {
            std::vector<point> o;
            for (vec3 p : pts)
                o.push_back(proj.project(p));
            return o;
        };
        rect covered{};
        bool any = false;
        auto add = [&](std::vector<point> outline, double light) {
            rect box = bounds_of(outline);
            paint p = paint_for(fill, box, automatic);
            out.items.push_back(face(std::move(outline), light == 1 ? p : shaded(p, light), border));
            covered = any ? united(covered, box) : box;
            any = true;
        };
        double xm = (b.x0 + b.x1) / 2, ym = (b.y0 + b.y1) / 2, zm = (b.z0 + b.z1) / 2;
        // Front face first, then the side and top turned toward the eye: the faces of one
        // convex box that face the eye never overlap, so their order is free.
        add(poly({{b.x0, b.y0, b.z0}, {b.x1, b.y0, b.z0}, {b.x1, b.y1, b.z0}, {b.x0, b.y1, b.z0}}), 1);
        if (proj.faces_eye({b.x1, ym, zm}, {1, 0, 0}))
            add(poly({{b.x1, b.y0, b.z0}, {b.x1, b.y0, b.z1}, {b.x1, b.y1, b.z1}, {b.x1, b.y1, b.z0}}),
                style::kSideFaceShade);
        else if (proj.faces_eye({b.x0, ym, zm}, {-1, 0, 0}))
            add(poly({{b.x0, b.y0, b.z0}, {b.x0, b.y0, b.z1}, {b.x0, b.y1, b.z1}, {b.x0, b.y1, b.z0}}),
                style::kSideFaceShade);
        std::vector<point> top = poly({{b.x0, b.y1, b.z0}, {b.x1, b.y1, b.z0}, {b.x1, b.y1, b.z1}, {b.x0, b.y1, b.z1}});
        if (proj.faces_eye({xm, b.y1, zm}, {0, 1, 0}))
            add(top, style::kTopFaceLight);
        out.obstacles.push_back(covered);

        if (std::optional<std::string> text = data_label_text(c, b.series, b.category, b.value)) {
            bool below = b.value < 0;
            point anchor = below ? point{proj.project({xm, b.y0, b.z0}).x, covered.bottom()}
                                 : point{bounds_of(top).centre().x, covered.top()};
            out.labels.push_back(
                {*text, anchor, below ? label_side::below : label_side::above, covered, series_base_colour(c, b.series), c.series[b.series].legend_key});
        }
    }
};

}  // namespace

const chart_strategy &clustered_column_3d()
{
    static const column_3d instance;
    return instance;
}

}  // namespace sheethost::render
