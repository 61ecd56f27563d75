// The 3-D pie: a disc of some thickness seen from in front and above at the
// documented elevation (view_angles in projection.hpp), so its top is an ellipse
// whose height is sin(elevation) of its width and the front half of its side wall
// shows below it. The eye looks straight along the depth axis: the first slice starts
// at 12 o'clock, the far side of the disc, and the slices run clockwise as seen from
// above, as in 2-D. The projection is parallel, centred and scaled to the largest disc
// that fits the plot area with the labels' margin around it.
//
// Hidden surfaces, back to front:
//  1. the upright faces (the front half of each slice's outer wall, and for an
//     exploded pie the cut faces along the slices' edges that turn toward the eye) in
//     the order pie_side_order.hpp works out and explains;
//  2. the slices' tops. The eye is above the top plane, so the line of sight to any
//     point of a top stays above that plane and no upright face (all below it) can
//     cover a top; tops share the plane and never overlap each other, so their order
//     is free and painting them last is exact.
// Faces turned away from the eye are never drawn: each slice is a closed solid, so
// its own faces toward the eye always cover them. An unexploded pie's cut faces lie
// inside the disc and are covered by its walls and tops, so they are left out.
//
// Shading: the tops are filled as the 2-D slices are, except that a one-colour
// gradient runs along each slice's bisector as drawn (a circular gradient cannot
// follow the ellipse); the walls are the rim's colour lit from the front left.
#include <cmath>
#include <numbers>

#include "render/style/chart_style.hpp"
#include "render/style/colour.hpp"
#include "render/style/fill_style.hpp"
#include "render/chart_types/shared/pie_labels.hpp"
#include "render/chart_types/shared/pie_side_order.hpp"
#include "render/chart_types/shared/pie_slices.hpp"
#include "render/chart_types/pie_strategies.hpp"
#include "render/layout/projection.hpp"

namespace sheethost::render {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kThickness = 0.16;  // the disc's height as a share of its radius
constexpr double kStripHeight = 3;
constexpr double kMinRadius = 4;
constexpr double kShadeStep = kPi / 18;  // wall shading sampled every 10 degrees
// Light from the front left: (x, z) = (-0.45, -1) normalised, over an ambient share.
constexpr double kLightX = -0.45;
constexpr double kAmbient = 0.58;
constexpr double kDiffuse = 0.34;

// How bright a wall with outward normal (nx, nz) in the floor plane is.
double lit(double nx, double nz)
{
    double d = (kLightX * nx - nz) / std::hypot(kLightX, 1.0);
    return kAmbient + kDiffuse * std::max(0.0, d);
}

// The disc as drawn: world x across and z into the depth in units of the radius, y up
// from the top plane (0) down to -thickness.
struct disc_view {
    double scale = 1;  // points per radius
    double sin_e = 0, cos_e = 1;
    point origin;  // where the world origin's top lands

    point project(double x, double y, double z) const
    {
        return {origin.x + scale * x, origin.y + scale * (z * sin_e + y * cos_e)};
    }
};

disc_view fit_disc(const plot_context &ctx, double pull)
{
    const double elevation = view_angles{}.elevation * kPi / 180;
    disc_view v;
    v.sin_e = std::sin(elevation);
    v.cos_e = std::cos(elevation);
    pie_margins m = pie_label_margins(ctx.chart);
    double across = (ctx.plot.w / 2 - m.across) / (1 + pull);
    double up = (ctx.plot.h - 2 * m.up) / (2 * (1 + pull) * v.sin_e + kThickness * v.cos_e);
    v.scale = std::max(kMinRadius, std::min(across, up));
    // Centre the drawing: its top is the back rim, its bottom the front wall's foot.
    v.origin = {ctx.plot.centre().x, ctx.plot.centre().y + v.scale * kThickness * v.cos_e / 2};
    return v;
}

struct side_face {
    footprint floor;  // (x, z) in world units
    shape face;
};

// The outer wall of the arc [from, to] (within the front half), shaded across by the
// light on its curve.
side_face outer_wall(const disc_view &v, point offset, double from, double to, rgb base,
                     const std::optional<stroke> &border)
{
    side_face out;
    std::vector<point> top, bottom;
    int steps = std::max(1, static_cast<int>(std::ceil((to - from) / (kPi / 90))));
    for (int k = 0; k <= steps; ++k) {
        double a = from + (to - from) * k / steps;
        double x = offset.x + std::sin(a), z = offset.y + std::cos(a);
        out.floor.push_back({x, z});
        top.push_back(v.project(x, 0, z));
        bottom.push_back(v.project(x, -kThickness, z));
    }
    std::vector<point> outline = top;
    outline.insert(outline.end(), bottom.rbegin(), bottom.rend());

    // x falls as the angle grows over the front half, so the left end is `to`.
    double x0 = top.back().x, x1 = top.front().x;
    paint p;
    p.colour = darken(base, lit(std::sin((from + to) / 2), std::cos((from + to) / 2)));
    if (x1 - x0 > 0.5) {
        p.type = paint::kind::linear;
        p.from = {x0, top.front().y};
        p.to = {x1, top.front().y};
        int samples = std::max(1, static_cast<int>(std::ceil((to - from) / kShadeStep)));
        for (int k = samples; k >= 0; --k) {
            double a = from + (to - from) * k / samples;
            double x = v.project(offset.x + std::sin(a), 0, 0).x;
            p.stops.push_back({std::clamp((x - x0) / (x1 - x0), 0.0, 1.0), darken(base, lit(std::sin(a), std::cos(a)))});
        }
    }
    out.face = filled(std::move(outline), std::move(p), border);
    return out;
}

// The cut face along the slice's edge at `angle`, whose outward normal is (nx, nz).
side_face cut_face(const disc_view &v, point offset, double angle, double nx, double nz, rgb base,
                   const std::optional<stroke> &border)
{
    side_face out;
    point rim{offset.x + std::sin(angle), offset.y + std::cos(angle)};
    out.floor = {offset, rim};
    std::vector<point> outline = {v.project(offset.x, 0, offset.y), v.project(rim.x, 0, rim.y),
                                  v.project(rim.x, -kThickness, rim.y), v.project(offset.x, -kThickness, offset.y)};
    out.face = filled(std::move(outline), paint{paint::kind::solid, darken(base, lit(nx, nz)), {}, {}, {}}, border);
    return out;
}

class pie_3d_strategy final : public pie_strategy_base {
public:
    explicit pie_3d_strategy(bool exploded) : exploded_(exploded) {}

    plot_content draw(const plot_context &ctx) const override
    {
        const chart_snapshot &c = ctx.chart;
        plot_content out;
        std::vector<pie_slice> slices = pie_slices(c);
        double pull = exploded_ && slices.size() > 1 ? kExplodedShare : 0;
        disc_view v = fit_disc(ctx, pull);

        if (slices.empty()) {
            draw_empty_disc(v, out);
            return out;
        }

        std::optional<stroke> border = slice_stroke(c);
        std::vector<side_face> sides;
        std::vector<shape> tops;
        std::vector<pie_label_spot> spots;
        for (const pie_slice &s : slices) {
            double m = s.middle();
            point offset{pull * std::sin(m), pull * std::cos(m)};  // (x, z)
            point apex = v.project(offset.x, 0, offset.y);
            std::vector<point> top = rim_points(apex, v.scale, v.scale * v.sin_e, s.start, s.sweep);
            if (slices.size() > 1)
                top.insert(top.begin(), apex);
            else
                top.pop_back();
            point rim_middle = on_rim(apex, v.scale, v.scale * v.sin_e, m);
            paint fill = slice_paint(c, s.category, top, apex, rim_middle, paint::kind::linear);

            // The outer wall's front part: the arc within (90, 270) degrees, where the
            // wall faces the eye.
            double from = std::max(s.start, kPi / 2), to = std::min(s.end(), 3 * kPi / 2);
            if (to - from > 1e-9) {
                rgb base = colour_at(fill, on_rim(apex, v.scale, v.scale * v.sin_e, (from + to) / 2));
                sides.push_back(outer_wall(v, offset, from, to, base, border));
            }
            if (pull > 0) {
                // The start edge's outward normal is (-cos, sin), the end edge's
                // (cos, -sin); each shows when its normal points toward the eye (z < 0).
                rgb base = colour_at(fill, apex);
                double a = s.start, b = s.end();
                if (std::sin(a) < -1e-9)
                    sides.push_back(cut_face(v, offset, a, -std::cos(a), std::sin(a), base, border));
                if (std::sin(b) > 1e-9)
                    sides.push_back(cut_face(v, offset, b, std::cos(b), -std::sin(b), base, border));
            }
            tops.push_back(filled(std::move(top), std::move(fill), border));

            bool front = std::cos(m) < 0;
            point rim = v.project(offset.x + std::sin(m), front ? -kThickness : 0, offset.y + std::cos(m));
            spots.push_back({s, rim});
        }

        std::vector<footprint> floors;
        for (const side_face &f : sides)
            floors.push_back(f.floor);
        std::vector<std::vector<point>> outlines;
        for (size_t i : back_to_front(floors)) {
            outlines.push_back(sides[i].face.outline);
            out.items.push_back(std::move(sides[i].face));
        }
        for (shape &t : tops) {
            outlines.push_back(t.outline);
            out.items.push_back(std::move(t));
        }
        out.obstacles = covering_strips(outlines, kStripHeight);
        add_pie_labels(ctx, spots, out);
        return out;
    }

private:
    // No slices: the disc's outline alone, top and front wall.
    static void draw_empty_disc(const disc_view &v, plot_content &out)
    {
        point centre = v.project(0, 0, 0);
        shape top;
        top.outline = rim_points(centre, v.scale, v.scale * v.sin_e, 0, 2 * kPi);
        top.outline.pop_back();
        top.line = stroke{0.75, style::kAxisLine, {}};
        shape wall = top;
        wall.closed = false;
        wall.outline = rim_points(centre, v.scale, v.scale * v.sin_e, kPi / 2, kPi);
        std::vector<point> foot = rim_points(v.project(0, -kThickness, 0), v.scale, v.scale * v.sin_e, kPi / 2, kPi);
        wall.outline.insert(wall.outline.end(), foot.rbegin(), foot.rend());
        wall.outline.push_back(wall.outline.front());
        out.items.push_back(std::move(wall));
        out.items.push_back(std::move(top));
    }

    bool exploded_;
};

}  // namespace

const chart_strategy &pie_3d()
{
    static const pie_3d_strategy instance(false);
    return instance;
}

const chart_strategy &exploded_pie_3d()
{
    static const pie_3d_strategy instance(true);
    return instance;
}

}  // namespace sheethost::render
