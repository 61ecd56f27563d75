// The 3-D line: each series a ribbon in its own row of the box, the first series in
// front, the ribbon's top edge following the values through the category centres and
// hanging a few points thick below them. An empty cell breaks the ribbon; a value
// with no neighbour stands as a short block so it still shows.
//
// Hidden surfaces, painter's algorithm, exact for this oblique projection: a line of
// sight runs toward the eye by (+sin rotation, +sin elevation, -1) per unit of depth,
// so along it
//  - a smaller depth is always nearer: rows occupy disjoint depth ranges, so ribbons
//    are drawn from the back row to the front row;
//  - within one ribbon (one depth range) a larger x is nearer: segments cover
//    disjoint x ranges, so they are drawn left to right, and the right end cap after
//    them;
//  - within one segment the front face (the smallest depth) is nearest, so it goes
//    after the top (or, where the ribbon climbs so steeply that its top turns away,
//    the bottom), which are the only other faces turned toward the eye.
#include <optional>

#include "render/chart_types/shared/category_axes_2d.hpp"
#include "render/style/chart_style.hpp"
#include "render/chart_types/shared/column_geometry.hpp"
#include "render/chart_types/shared/depth_box.hpp"
#include "render/style/fill_style.hpp"
#include "render/chart_types/line_area_strategies.hpp"

namespace sheethost::render {

namespace {

constexpr double kDepthPerCategory = 0.3;
constexpr double kRibbonShare = 0.4;        // of a row's depth, centred in it
constexpr double kRibbonThickness = 3;      // points
constexpr double kLoneValueHalfWidth = 0.12;  // categories

std::vector<double> centres(size_t categories)
{
    std::vector<double> x;
    for (size_t i = 0; i < categories; ++i)
        x.push_back(static_cast<double>(i) + 0.5);
    return x;
}

std::vector<double> slot_edges(size_t categories)
{
    std::vector<double> x;
    for (size_t i = 0; i <= categories; ++i)
        x.push_back(static_cast<double>(i));
    return x;
}

class line_3d_strategy final : public chart_strategy {
public:
    double value_axis_length(const rect &plot, size_t categories) const override
    {
        return depth_box(plot, categories, 1, series_row_depth(categories, 1, kDepthPerCategory)).value_axis_length();
    }

    axis_frame frame(const plot_context &ctx) const override
    {
        return box_for(ctx).frame(ctx.scale, centres(ctx.categories));
    }

    plot_content draw(const plot_context &ctx) const override
    {
        depth_box box = box_for(ctx);
        plot_content out;
        box.draw_walls(ctx, out);
        const chart_snapshot &c = ctx.chart;
        for (size_t s = c.series.size(); s-- > 0;)
            draw_ribbon(ctx, box, s, out);
        box.draw_axes(ctx, slot_edges(ctx.categories), out);
        return out;
    }

private:
    // The box keeps one row per series; value_axis_length uses one row, which only
    // changes the tick density slightly, since the depth hardly changes the height.
    static depth_box box_for(const plot_context &ctx)
    {
        size_t rows = std::max<size_t>(ctx.chart.series.size(), 1);
        return depth_box(ctx.plot, ctx.categories, rows, series_row_depth(ctx.categories, rows, kDepthPerCategory));
    }

    static void draw_ribbon(const plot_context &ctx, const depth_box &box, size_t s, plot_content &out)
    {
        const chart_snapshot &c = ctx.chart;
        double row = box.row_depth();
        double z0 = (static_cast<double>(s) + (1 - kRibbonShare) / 2) * row, z1 = z0 + kRibbonShare * row;
        double t = kRibbonThickness * box.y_per_point();
        const fill_spec &fill = c.series[s].fill;
        rgb automatic = series_colour(s);
        std::optional<stroke> border = bar_stroke(c, s);
        auto add = [&](std::vector<point> outline, double light) {
            paint p = paint_for(fill, bounds_of(outline), automatic);
            out.items.push_back(filled(std::move(outline), light == 1 ? p : shaded(p, light), border));
        };
        const projection &view = box.view();

        std::vector<std::optional<double>> y(ctx.categories);
        std::vector<double> values(ctx.categories);
        for (size_t i = 0; i < ctx.categories; ++i)
            if (value_at(c.series[s], i, values[i]))
                y[i] = box.y_of(ctx.scale, values[i]);

        for (size_t i = 0; i < ctx.categories; ++i) {
            if (!y[i])
                continue;
            double xa = static_cast<double>(i) + 0.5, ya = *y[i];
            bool has_left = i > 0 && y[i - 1];
            bool has_right = i + 1 < ctx.categories && y[i + 1];
            if (!has_left && !has_right) {
                // A lone value: a short block, top, front and right face.
                double l = xa - kLoneValueHalfWidth, r = xa + kLoneValueHalfWidth;
                add(box.project({{l, ya, z0}, {r, ya, z0}, {r, ya, z1}, {l, ya, z1}}), style::kTopFaceLight);
                add(box.project({{r, ya - t, z0}, {r, ya - t, z1}, {r, ya, z1}, {r, ya, z0}}), style::kSideFaceShade);
                add(box.project({{l, ya - t, z0}, {r, ya - t, z0}, {r, ya, z0}, {l, ya, z0}}), 1);
            }
            if (has_right) {
                double xb = xa + 1, yb = *y[i + 1];
                // The top's upward normal is (-(yb - ya), 1, 0) scaled by the run.
                vec3 mid{(xa + xb) / 2, (ya + yb) / 2, (z0 + z1) / 2};
                vec3 up{-(yb - ya), xb - xa, 0};
                if (view.faces_eye(mid, up))
                    add(box.project({{xa, ya, z0}, {xb, yb, z0}, {xb, yb, z1}, {xa, ya, z1}}), style::kTopFaceLight);
                else
                    add(box.project({{xa, ya - t, z0}, {xb, yb - t, z0}, {xb, yb - t, z1}, {xa, ya - t, z1}}),
                        style::kSideFaceShade);
                add(box.project({{xa, ya - t, z0}, {xb, yb - t, z0}, {xb, yb, z0}, {xa, ya, z0}}), 1);
            } else if (has_left) {
                add(box.project({{xa, ya - t, z0}, {xa, ya - t, z1}, {xa, ya, z1}, {xa, ya, z0}}), style::kSideFaceShade);
            }
            rect marker_box = bounds_of(box.project({{xa - 0.05, ya - t, z0}, {xa + 0.05, ya, z0}}));
            out.obstacles.push_back(marker_box);
            if (std::optional<std::string> text = data_label_text(c, s, i, values[i])) {
                label_side side =
                    kept_inside(values[i] < 0 ? label_side::below : label_side::above, marker_box, ctx.plot);
                bool below = side == label_side::below;
                point front = box.project(vec3{xa, below ? ya - t : ya, z0});
                out.labels.push_back({*text, front, side, marker_box,
                                      series_base_colour(c, s), c.series[s].legend_key});
            }
        }
        // What value labels must keep off: each segment's front edge.
        for (size_t i = 0; i + 1 < ctx.categories; ++i)
            if (y[i] && y[i + 1]) {
                std::vector<point> edge =
                    box.project({{static_cast<double>(i) + 0.5, *y[i], z0}, {static_cast<double>(i) + 1.5, *y[i + 1], z0}});
                for (int k = 1; k < 8; ++k) {
                    double f = k / 8.0;
                    point p{edge[0].x + (edge[1].x - edge[0].x) * f, edge[0].y + (edge[1].y - edge[0].y) * f};
                    out.obstacles.push_back({p.x - 1.5, p.y - 1.5, 3, 3});
                }
            }
    }
};

}  // namespace

const chart_strategy &line_3d()
{
    static const line_3d_strategy instance;
    return instance;
}

}  // namespace sheethost::render
