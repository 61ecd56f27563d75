// The 3-D surface: a surface over categories (across, from the left wall to the right
// edge of the floor) by series (going back, the first series in front), its height
// the values, coloured by the value band each part lies in (surface_bands.hpp: one
// band per pair of neighbouring value-axis ticks, listed in the legend) and lit from
// the upper left so its shape reads. A thin mesh traces the grid of data points. A
// cell with an empty corner is left open. The host shows no value labels on a
// surface, and neither do we.
//
// Each grid cell is cut along its diagonal from the front left to the back right into
// two triangles, and each triangle into the parts lying in each band (the value is
// linear over a triangle, so each part is a convex polygon cut off by two level
// lines).
//
// Hidden surfaces, painter's algorithm, exact for this oblique projection and any
// height field: a line of sight from a point of the surface toward the eye moves
// right (+sin rotation) and forward (-1) for each unit of depth, so it can only meet
// surface that lies further right or further forward over the floor. Rows of cells
// are therefore drawn from the back row forward, cells within a row from left to
// right, and of a cell's two triangles first the back-left one, then the front-right
// one (a sight line leaving the front-right triangle never crosses the diagonal back
// into the other). The mesh lines of a cell go right after its triangles, so nearer
// cells cover them too.
#include <algorithm>
#include <cmath>
#include <optional>

#include "render/style/chart_style.hpp"
#include "render/style/colour.hpp"
#include "render/chart_types/shared/depth_box.hpp"
#include "render/style/fill_style.hpp"
#include "render/chart_types/line_area_strategies.hpp"
#include "render/chart_types/shared/surface_bands.hpp"

namespace sheethost::render {

namespace {

// The surface's box is deeper than the lines' and areas', so the surface's shape
// shows; a share of the width per category, at least two categories deep.
constexpr double kDepthPerCategory = 0.45;
constexpr double kMinDepth = 2;
// Seen from higher than the other 3-D types (25 degrees rather than 15), so the
// surface's top shows more than its front edge.
constexpr view_angles kSurfaceView{25, 20, 30, true};
constexpr double kMeshWidth = 0.5;
constexpr rgb kMesh = 0x3A3A3A;
// Lambert shading between these factors, in steps (so a surface's colours stay few
// and the GIF palette exact).
constexpr double kDarkest = 0.7;
constexpr double kLightest = 1.12;
constexpr double kShadeStep = 0.04;

struct vertex {
    vec3 at;      // world
    double value; // the data value, for the bands
};

vec3 minus(vec3 a, vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
vec3 cross(vec3 a, vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dot(vec3 a, vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Keeps the part of a convex polygon where sign * (value - level) >= 0.
std::vector<vertex> clipped(const std::vector<vertex> &poly, double level, double sign)
{
    std::vector<vertex> out;
    for (size_t i = 0; i < poly.size(); ++i) {
        const vertex &a = poly[i], &b = poly[(i + 1) % poly.size()];
        double da = sign * (a.value - level), db = sign * (b.value - level);
        if (da >= 0)
            out.push_back(a);
        if ((da >= 0) != (db >= 0)) {
            double t = da / (da - db);
            out.push_back({{a.at.x + (b.at.x - a.at.x) * t, a.at.y + (b.at.y - a.at.y) * t,
                            a.at.z + (b.at.z - a.at.z) * t},
                           level});
        }
    }
    return out;
}

// How brightly a face with this world normal is lit by light from the upper left
// front.
double light_factor(vec3 normal)
{
    const vec3 light{-0.5, 1, -0.6};
    double len = std::sqrt(dot(normal, normal)) * std::sqrt(dot(light, light));
    double lambert = len > 0 ? std::abs(dot(normal, light)) / len : 1;
    double f = kDarkest + (kLightest - kDarkest) * lambert;
    return std::round(f / kShadeStep) * kShadeStep;
}

// Where the categories' and series' grid lines run: from one side of the box to the
// other; a single category or series is stretched across the whole side.
std::vector<double> grid_positions(size_t count, double extent)
{
    std::vector<double> out;
    if (count <= 1)
        return {0, extent};
    for (size_t i = 0; i < count; ++i)
        out.push_back(static_cast<double>(i) * extent / static_cast<double>(count - 1));
    return out;
}

class surface_strategy final : public chart_strategy {
public:
    double value_axis_length(const rect &plot, size_t categories) const override
    {
        return box_for(plot, categories).value_axis_length();
    }

    std::vector<legend_item> legend_items(const chart_snapshot &, const value_scale &scale) const override
    {
        std::vector<legend_item> items;
        for (const value_band &b : value_bands(scale)) {
            fill_spec fill;
            fill.type = fill_spec::kind::solid;
            fill.fore = b.colour;
            items.push_back({band_label(b, scale), fill, b.colour, stroke{0.5, darken(b.colour, 0.62), {}},
                             legend_item::key_kind::box, 0});
        }
        return items;
    }

    axis_frame frame(const plot_context &ctx) const override
    {
        depth_box box = box_for(ctx.plot, ctx.categories);
        return box.frame(ctx.scale, category_positions(ctx, box));
    }

    plot_content draw(const plot_context &ctx) const override
    {
        depth_box box = box_for(ctx.plot, ctx.categories);
        plot_content out;
        box.draw_walls(ctx, out);
        draw_surface(ctx, box, out);
        box.draw_axes(ctx, category_positions(ctx, box), out);
        return out;
    }

private:
    static depth_box box_for(const rect &plot, size_t categories)
    {
        double depth = std::max(kMinDepth, static_cast<double>(categories) * kDepthPerCategory);
        return depth_box(plot, categories, 1, depth, kSurfaceView);
    }

    static std::vector<double> category_positions(const plot_context &ctx, const depth_box &box)
    {
        if (ctx.categories <= 1)
            return {box.extent().x / 2};
        return grid_positions(ctx.categories, box.extent().x);
    }

    static void draw_surface(const plot_context &ctx, const depth_box &box, plot_content &out)
    {
        const chart_snapshot &c = ctx.chart;
        if (c.series.empty())
            return;
        std::vector<double> xs = grid_positions(ctx.categories, box.extent().x);
        std::vector<double> zs = grid_positions(c.series.size(), box.extent().z);
        // The value at grid point (column i, row j); a lone category or series repeats.
        auto value = [&](size_t i, size_t j, double &v) {
            size_t s = std::min(j, c.series.size() - 1), k = std::min(i, ctx.categories - 1);
            return value_at(c.series[s], k, v);
        };
        std::vector<value_band> bands = value_bands(ctx.scale);
        auto to_vertex = [&](size_t i, size_t j, double v) {
            return vertex{{xs[i], box.y_of(ctx.scale, v), zs[j]}, v};
        };
        for (size_t j = zs.size() - 1; j-- > 0;) {
            for (size_t i = 0; i + 1 < xs.size(); ++i) {
                double v00, v10, v01, v11;  // (column, row): front left, front right, back left, back right
                if (!value(i, j, v00) || !value(i + 1, j, v10) || !value(i, j + 1, v01) || !value(i + 1, j + 1, v11))
                    continue;
                vertex fl = to_vertex(i, j, v00), fr = to_vertex(i + 1, j, v10), bl = to_vertex(i, j + 1, v01),
                       br = to_vertex(i + 1, j + 1, v11);
                // One light for the whole cell (its normal from the diagonals), so the
                // cut between its two triangles leaves no visible crease.
                double light = light_factor(cross(minus(br.at, fl.at), minus(bl.at, fr.at)));
                draw_triangle({fl, br, bl}, bands, light, box, out);
                draw_triangle({fl, fr, br}, bands, light, box, out);
                shape mesh;
                mesh.outline = box.project({fl.at, fr.at, br.at, bl.at});
                mesh.line = stroke{kMeshWidth, kMesh, {}};
                out.items.push_back(std::move(mesh));
            }
        }
    }

    static void draw_triangle(const std::vector<vertex> &tri, const std::vector<value_band> &bands, double factor,
                              const depth_box &box, plot_content &out)
    {
        double lo = std::min({tri[0].value, tri[1].value, tri[2].value});
        double hi = std::max({tri[0].value, tri[1].value, tri[2].value});
        for (size_t b = 0; b < bands.size(); ++b) {
            bool first = b == 0, last = b + 1 == bands.size();
            if ((!last && bands[b].high <= lo) || (!first && bands[b].low >= hi))
                continue;
            std::vector<vertex> part = tri;
            if (!first)
                part = clipped(part, bands[b].low, 1);
            if (!last && part.size() >= 3)
                part = clipped(part, bands[b].high, -1);
            if (part.size() < 3)
                continue;
            std::vector<point> outline;
            for (const vertex &v : part)
                outline.push_back(box.project(v.at));
            paint p = shaded(paint{paint::kind::solid, bands[b].colour, {}, {}, {}}, factor);
            // Outlined in its own colour so neighbouring parts leave no seam of
            // background between their anti-aliased edges.
            out.items.push_back(filled(std::move(outline), p, stroke{0.5, p.colour, {}}));
        }
    }
};

}  // namespace

const chart_strategy &surface_3d()
{
    static const surface_strategy instance;
    return instance;
}

}  // namespace sheethost::render
