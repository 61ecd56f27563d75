// The 3-D area: each series a slab in its own row of the box, the first series in
// front: the 2-D area (from zero to the values, placed from the left wall to the
// right edge of the floor, an empty cell counting as zero) pushed back through the
// middle of the row.
//
// Hidden surfaces, painter's algorithm, exact for this oblique projection: a line of
// sight runs toward the eye by (+sin rotation, +sin elevation, -1) per unit of depth,
// so along it a smaller depth and, within one depth range, a larger x are nearer.
// Hence: slabs from the back row to the front; within a slab, the area is cut where
// it crosses zero into pieces that lie wholly above or wholly below it, drawn left to
// right (disjoint x ranges). In a piece above zero the visible faces are the strips
// along its top edge (left to right, disjoint x ranges), its right end and its front.
// In a piece below zero they are the steep strips along its lower edge that turn
// toward the eye, then its top at zero (sight lines from the lower strips rise through
// it, never the other way), its right end and its front. The front face has the
// smallest depth of the slab and comes last.
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
constexpr double kSlabShare = 0.6;  // of a row's depth, centred in it

struct xy {
    double x, y;
};

// The series' values at the points' positions; one category spans the whole width.
std::vector<xy> area_points(const plot_context &ctx, const depth_box &box, size_t s)
{
    std::vector<xy> pts;
    size_t n = ctx.categories;
    for (size_t i = 0; i < n; ++i) {
        double v = 0;
        value_at(ctx.chart.series[s], i, v);
        double x = n == 1 ? 0 : static_cast<double>(i) * box.extent().x / static_cast<double>(n - 1);
        pts.push_back({x, box.y_of(ctx.scale, v)});
    }
    if (n == 1)
        pts.push_back({box.extent().x, pts[0].y});
    return pts;
}

// The points split where the values cross the zero height, each piece's points all
// on one side of it (a point at zero belongs to both neighbours).
std::vector<std::vector<xy>> pieces_about(const std::vector<xy> &pts, double zero)
{
    std::vector<std::vector<xy>> out(1);
    for (size_t i = 0; i < pts.size(); ++i) {
        if (i > 0) {
            const xy &a = pts[i - 1], &b = pts[i];
            if ((a.y - zero) * (b.y - zero) < 0) {
                double f = (zero - a.y) / (b.y - a.y);
                xy cross{a.x + (b.x - a.x) * f, zero};
                out.back().push_back(cross);
                out.push_back({cross});
            }
        }
        out.back().push_back(pts[i]);
    }
    return out;
}

std::vector<double> point_xs(const plot_context &ctx, const depth_box &box)
{
    std::vector<double> x;
    size_t n = ctx.categories;
    for (size_t i = 0; i < n; ++i)
        x.push_back(n == 1 ? box.extent().x / 2 : static_cast<double>(i) * box.extent().x / static_cast<double>(n - 1));
    return x;
}

class area_3d_strategy final : public chart_strategy {
public:
    double value_axis_length(const rect &plot, size_t categories) const override
    {
        return depth_box(plot, categories, 1, series_row_depth(categories, 1, kDepthPerCategory)).value_axis_length();
    }

    axis_frame frame(const plot_context &ctx) const override
    {
        depth_box box = box_for(ctx);
        return box.frame(ctx.scale, point_xs(ctx, box));
    }

    plot_content draw(const plot_context &ctx) const override
    {
        depth_box box = box_for(ctx);
        plot_content out;
        box.draw_walls(ctx, out);
        for (size_t s = ctx.chart.series.size(); s-- > 0;)
            draw_slab(ctx, box, s, out);
        box.draw_axes(ctx, point_xs(ctx, box), out);
        return out;
    }

private:
    static depth_box box_for(const plot_context &ctx)
    {
        size_t rows = std::max<size_t>(ctx.chart.series.size(), 1);
        return depth_box(ctx.plot, ctx.categories, rows, series_row_depth(ctx.categories, rows, kDepthPerCategory));
    }

    static void draw_slab(const plot_context &ctx, const depth_box &box, size_t s, plot_content &out)
    {
        const chart_snapshot &c = ctx.chart;
        double row = box.row_depth();
        double z0 = (static_cast<double>(s) + (1 - kSlabShare) / 2) * row, z1 = z0 + kSlabShare * row;
        double zero = box.y_of(ctx.scale, 0);
        const fill_spec &fill = c.series[s].fill;
        rgb automatic = series_colour(s);
        std::optional<stroke> border = bar_stroke(c, s);
        auto add = [&](std::vector<point> outline, double light) {
            paint p = paint_for(fill, bounds_of(outline), automatic);
            out.items.push_back(filled(std::move(outline), light == 1 ? p : shaded(p, light), border));
        };
        const projection &view = box.view();
        auto strip = [&](xy a, xy b) {
            return box.project({{a.x, a.y, z0}, {b.x, b.y, z0}, {b.x, b.y, z1}, {a.x, a.y, z1}});
        };

        std::vector<xy> pts = area_points(ctx, box, s);
        for (const std::vector<xy> &piece : pieces_about(pts, zero)) {
            if (piece.size() < 2)
                continue;
            bool below = false;
            for (const xy &p : piece)
                below = below || p.y < zero;
            const xy &first = piece.front(), &last = piece.back();
            if (below) {
                for (size_t i = 1; i < piece.size(); ++i) {
                    xy a = piece[i - 1], b = piece[i];
                    // Outward (downward) normal of the lower edge.
                    vec3 normal{b.y - a.y, -(b.x - a.x), 0};
                    if (view.faces_eye({(a.x + b.x) / 2, (a.y + b.y) / 2, (z0 + z1) / 2}, normal))
                        add(strip(a, b), style::kSideFaceShade);
                }
                add(strip({first.x, zero}, {last.x, zero}), style::kTopFaceLight);
            } else {
                for (size_t i = 1; i < piece.size(); ++i) {
                    xy a = piece[i - 1], b = piece[i];
                    vec3 normal{-(b.y - a.y), b.x - a.x, 0};
                    if (view.faces_eye({(a.x + b.x) / 2, (a.y + b.y) / 2, (z0 + z1) / 2}, normal))
                        add(strip(a, b), style::kTopFaceLight);
                }
            }
            if (last.y != zero)
                add(box.project({{last.x, zero, z0}, {last.x, zero, z1}, {last.x, last.y, z1}, {last.x, last.y, z0}}),
                    style::kSideFaceShade);
            std::vector<point> front;
            front.push_back(box.project(vec3{first.x, zero, z0}));
            for (const xy &p : piece)
                front.push_back(box.project(vec3{p.x, p.y, z0}));
            front.push_back(box.project(vec3{last.x, zero, z0}));
            add(std::move(front), 1);
        }

        // Value labels over the points' front top edge; the edge itself is kept clear.
        std::vector<double> xs = point_xs(ctx, box);
        for (size_t i = 0; i + 1 < pts.size(); ++i) {
            point a = box.project(vec3{pts[i].x, pts[i].y, z0}), b = box.project(vec3{pts[i + 1].x, pts[i + 1].y, z0});
            for (int k = 1; k < 8; ++k) {
                double f = k / 8.0;
                point p{a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f};
                out.obstacles.push_back({p.x - 1.5, p.y - 1.5, 3, 3});
            }
        }
        for (size_t i = 0; i < ctx.categories; ++i) {
            double v;
            if (!value_at(c.series[s], i, v))
                continue;
            std::optional<std::string> text = data_label_text(c, s, i, v);
            if (!text)
                continue;
            point p = box.project(vec3{xs[i], box.y_of(ctx.scale, v), z0});
            rect at{p.x - 1, p.y - 1, 2, 2};
            out.labels.push_back({*text, p, kept_inside(v < 0 ? label_side::below : label_side::above, at, ctx.plot), at,
                                  series_base_colour(c, s), c.series[s].legend_key});
        }
    }
};

}  // namespace

const chart_strategy &area_3d()
{
    static const area_3d_strategy instance;
    return instance;
}

}  // namespace sheethost::render
