// Solids in 3-D charts. World axes as in projection.hpp: x right, y up, z away from
// the viewer; a solid grows along x (bars) or y (columns), its across axis is the
// other of the two, and every solid's depth runs along z.
#include "render/chart_types/shared/solid_shapes.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

#include "render/style/chart_style.hpp"
#include "render/style/colour.hpp"
#include "render/style/fill_style.hpp"

namespace sheethost::render {

namespace {

// Round solids are drawn from this many points around their circles: smooth at any
// bar size a chart gives them (a 40-pixel cylinder's edge is off by under a tenth of
// a pixel) and cheap.
constexpr int kRingPoints = 48;
// A gradient-filled round side is painted as this many strips, each with the fill's
// own gradient in its share of the light; a plain colour needs none (one ramp).
constexpr int kLightStrips = 14;
// Each strip reaches this far under the next, so anti-aliased seams never show.
constexpr double kStripOverlap = 0.6;

double &at(vec3 &v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }
double at(const vec3 &v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }
vec3 minus(vec3 a, vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
vec3 cross(vec3 a, vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dot(vec3 a, vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
vec3 unit(int axis, double sign)
{
    vec3 v;
    at(v, axis) = sign;
    return v;
}

rgb shade_colour(rgb c, double factor) { return factor <= 1 ? darken(c, factor) : lighten(c, factor - 1); }

std::vector<point> projected(const projection &proj, const std::vector<vec3> &pts)
{
    std::vector<point> out;
    out.reserve(pts.size());
    for (const vec3 &p : pts)
        out.push_back(proj.project(p));
    return out;
}

// The part of a convex polygon where n . p <= limit (Sutherland-Hodgman, one edge).
std::vector<point> clipped(const std::vector<point> &poly, point n, double limit)
{
    std::vector<point> out;
    for (size_t i = 0; i < poly.size(); ++i) {
        point p = poly[i], q = poly[(i + 1) % poly.size()];
        double dp = n.x * p.x + n.y * p.y - limit, dq = n.x * q.x + n.y * q.y - limit;
        if (dp <= 0)
            out.push_back(p);
        if ((dp < 0 && dq > 0) || (dp > 0 && dq < 0)) {
            double t = dp / (dp - dq);
            out.push_back({p.x + (q.x - p.x) * t, p.y + (q.y - p.y) * t});
        }
    }
    return out;
}

struct footprint {
    int axis, across;
    double centre_across, centre_z, radius;
    double base, end;  // the zero end's and the value end's coordinate along the axis
};

footprint footprint_of(const solid_cell &cell)
{
    footprint f;
    f.axis = cell.axis;
    f.across = 1 - cell.axis;
    f.centre_across = (at(cell.lo, f.across) + at(cell.hi, f.across)) / 2;
    f.centre_z = (cell.lo.z + cell.hi.z) / 2;
    f.radius = std::min(at(cell.hi, f.across) - at(cell.lo, f.across), cell.hi.z - cell.lo.z) / 2;
    f.base = cell.toward_high ? at(cell.lo, f.axis) : at(cell.hi, f.axis);
    f.end = cell.toward_high ? at(cell.hi, f.axis) : at(cell.lo, f.axis);
    return f;
}

vec3 on_axis(const footprint &f, double along, double across, double z)
{
    vec3 p;
    at(p, f.axis) = along;
    at(p, f.across) = across;
    p.z = z;
    return p;
}

std::vector<vec3> ring(const footprint &f, double along)
{
    std::vector<vec3> pts;
    pts.reserve(kRingPoints);
    for (int i = 0; i < kRingPoints; ++i) {
        double t = 2 * std::numbers::pi * i / kRingPoints;
        pts.push_back(on_axis(f, along, f.centre_across + f.radius * std::cos(t), f.centre_z + f.radius * std::sin(t)));
    }
    return pts;
}

// The flat face lit the way the house style lights boxes: tops lighter, sides darker.
double face_light(vec3 normal)
{
    if (std::abs(normal.y) >= std::abs(normal.x) && std::abs(normal.y) >= std::abs(normal.z))
        return normal.y > 0 ? style::kTopFaceLight : style::kSideFaceShade;
    if (std::abs(normal.x) >= std::abs(normal.z))
        return style::kSideFaceShade;
    return 1;
}

// Slanted pyramid faces: a diffuse light from the upper left front, so each of the
// faces the eye sees gets its own shade whatever the pyramid's proportions.
double slanted_light(vec3 normal)
{
    const vec3 light{-0.35, 0.75, -0.55};
    double len = std::sqrt(dot(normal, normal)) * std::sqrt(dot(light, light));
    double lambert = len > 0 ? dot(normal, light) / len : 0;
    return 0.55 + 0.7 * std::max(0.0, lambert);
}

paint lit(const paint &p, double light) { return light == 1 ? p : shaded(p, light); }

void add_box(const solid_cell &c, const projection &proj, const solid_look &look, drawn_solid &out)
{
    // The front face, then one of the two sides across x, then the top or bottom:
    // faces of one box turned toward the eye never overlap, so the order is free.
    // Each face's corners run along its first named axis, then its second.
    static constexpr std::array<std::array<int, 3>, 3> kFaces{{{2, 0, 1}, {0, 2, 1}, {1, 0, 2}}};
    static constexpr std::array<std::pair<int, int>, 4> kCorners{{{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
    for (const auto &[k, p, q] : kFaces) {
        for (double sign : {-1.0, 1.0}) {
            if (k == 2 && sign > 0)
                continue;  // the back face never turns toward an eye in front
            vec3 on = sign < 0 ? c.lo : c.hi;
            vec3 mid{(c.lo.x + c.hi.x) / 2, (c.lo.y + c.hi.y) / 2, (c.lo.z + c.hi.z) / 2};
            at(mid, k) = at(on, k);
            vec3 n = unit(k, sign);
            if (k != 2 && !proj.faces_eye(mid, n))
                continue;
            std::vector<vec3> quad;
            for (auto [i, j] : kCorners) {
                vec3 v = on;
                at(v, p) = at(i ? c.hi : c.lo, p);
                at(v, q) = at(j ? c.hi : c.lo, q);
                quad.push_back(v);
            }
            std::vector<point> outline = projected(proj, quad);
            paint fill = paint_for(look.fill, bounds_of(outline), look.automatic);
            out.shapes.push_back(filled(std::move(outline), lit(fill, face_light(n)), look.border));
            break;
        }
    }
}

// A round side: the light falls off across it, perpendicular to the solid's axis on
// the image (left to right on columns, top to bottom on bars).
void add_round_side(const footprint &f, std::vector<point> side, const solid_look &look, drawn_solid &out)
{
    rect box = bounds_of(side);
    bool columns = f.axis == 1;
    point lit_edge = columns ? point{box.left(), box.centre().y} : point{box.centre().x, box.top()};
    point dark_edge = columns ? point{box.right(), box.centre().y} : point{box.centre().x, box.bottom()};
    paint base = paint_for(look.fill, box, look.automatic);
    if (base.type == paint::kind::solid) {
        paint p;
        p.type = paint::kind::linear;
        p.colour = base.colour;
        p.from = lit_edge;
        p.to = dark_edge;
        for (double t : {0.0, 0.12, 0.25, 0.5, 0.8, 1.0})
            p.stops.push_back({t, shade_colour(base.colour, round_light(t))});
        out.shapes.push_back(filled(side, std::move(p), std::nullopt));
    } else {
        // The fill's own gradient in every strip, each strip in its share of the light.
        double span = columns ? box.w : box.h;
        point n = columns ? point{1, 0} : point{0, -1};  // along the light's fall-off
        double start = columns ? box.left() : -box.top();
        for (int k = 0; k < kLightStrips; ++k) {
            double t0 = static_cast<double>(k) / kLightStrips, t1 = static_cast<double>(k + 1) / kLightStrips;
            double reach = k + 1 == kLightStrips ? 0 : kStripOverlap;
            std::vector<point> strip = clipped(side, n, start + t1 * span + reach);
            strip = clipped(strip, {-n.x, -n.y}, -(start + t0 * span));
            if (strip.size() >= 3)
                out.shapes.push_back(filled(std::move(strip), shaded(base, round_light((t0 + t1) / 2)), std::nullopt));
        }
    }
    if (look.border) {
        shape outline;
        outline.outline = std::move(side);
        outline.line = look.border;
        out.shapes.push_back(std::move(outline));
    }
}

void add_cap(const footprint &f, double along, vec3 normal, const projection &proj, const solid_look &look,
             drawn_solid &out)
{
    if (!proj.faces_eye(on_axis(f, along, f.centre_across, f.centre_z), normal))
        return;
    std::vector<point> outline = projected(proj, ring(f, along));
    paint fill = paint_for(look.fill, bounds_of(outline), look.automatic);
    out.shapes.push_back(filled(std::move(outline), lit(fill, face_light(normal)), look.border));
}

void add_round(solid_kind kind, const solid_cell &cell, const projection &proj, const solid_look &look,
               drawn_solid &out)
{
    footprint f = footprint_of(cell);
    std::vector<point> pts = projected(proj, ring(f, f.base));
    if (kind == solid_kind::cylinder) {
        std::vector<point> far = projected(proj, ring(f, f.end));
        pts.insert(pts.end(), far.begin(), far.end());
    } else {
        pts.push_back(proj.project(on_axis(f, f.end, f.centre_across, f.centre_z)));
    }
    add_round_side(f, convex_hull(std::move(pts)), look, out);
    // The side first: the end cap the eye sees lies in front of the side's far half.
    double toward = cell.toward_high ? 1 : -1;
    if (kind == solid_kind::cylinder) {
        add_cap(f, at(cell.hi, f.axis), unit(f.axis, 1), proj, look, out);
        add_cap(f, at(cell.lo, f.axis), unit(f.axis, -1), proj, look, out);
    } else {
        add_cap(f, f.base, unit(f.axis, -toward), proj, look, out);
    }
}

void add_pyramid(const solid_cell &cell, const projection &proj, const solid_look &look, drawn_solid &out)
{
    footprint f = footprint_of(cell);
    std::vector<vec3> base;
    static constexpr std::array<std::pair<int, int>, 4> kCorners{{{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}};
    for (auto [du, dz] : kCorners)
        base.push_back(on_axis(f, f.base, f.centre_across + du * f.radius, f.centre_z + dz * f.radius));
    vec3 apex = on_axis(f, f.end, f.centre_across, f.centre_z);
    vec3 inside = on_axis(f, (f.base + f.end) / 2, f.centre_across, f.centre_z);
    std::vector<std::vector<vec3>> faces;
    for (size_t i = 0; i < base.size(); ++i)
        faces.push_back({base[i], base[(i + 1) % base.size()], apex});
    faces.push_back(base);
    for (const std::vector<vec3> &face : faces) {
        vec3 n = cross(minus(face[1], face[0]), minus(face[2], face[0]));
        vec3 centroid{};
        for (const vec3 &v : face)
            centroid = {centroid.x + v.x / face.size(), centroid.y + v.y / face.size(), centroid.z + v.z / face.size()};
        if (dot(n, minus(centroid, inside)) < 0)
            n = {-n.x, -n.y, -n.z};
        if (dot(n, n) < 1e-18 || !proj.faces_eye(centroid, n))
            continue;  // a flat (zero) pyramid's sides have no area
        std::vector<point> outline = projected(proj, face);
        paint fill = paint_for(look.fill, bounds_of(outline), look.automatic);
        double light = face.size() == 4 ? face_light(n) : slanted_light(n);
        out.shapes.push_back(filled(std::move(outline), lit(fill, light), look.border));
    }
}

}  // namespace

double round_light(double t)
{
    static constexpr std::array<std::pair<double, double>, 5> kProfile{
        {{0, 0.86}, {0.25, 1.3}, {0.5, 1.05}, {0.8, 0.78}, {1, 0.62}}};
    t = std::clamp(t, 0.0, 1.0);
    for (size_t i = 1; i < kProfile.size(); ++i) {
        auto [t0, f0] = kProfile[i - 1];
        auto [t1, f1] = kProfile[i];
        if (t <= t1)
            return f0 + (f1 - f0) * (t - t0) / (t1 - t0);
    }
    return kProfile.back().second;
}

std::vector<point> convex_hull(std::vector<point> pts)
{
    std::sort(pts.begin(), pts.end(), [](point a, point b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    if (pts.size() < 3)
        return pts;
    auto turn = [](point o, point a, point b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); };
    std::vector<point> hull(2 * pts.size());
    size_t k = 0;
    for (size_t i = 0; i < pts.size(); ++i) {
        while (k >= 2 && turn(hull[k - 2], hull[k - 1], pts[i]) <= 0)
            --k;
        hull[k++] = pts[i];
    }
    for (size_t i = pts.size() - 1, lower = k + 1; i > 0; --i) {
        while (k >= lower && turn(hull[k - 2], hull[k - 1], pts[i - 1]) <= 0)
            --k;
        hull[k++] = pts[i - 1];
    }
    hull.resize(k - 1);
    return hull;
}

drawn_solid draw_solid(solid_kind kind, const solid_cell &cell, const projection &proj, const solid_look &look)
{
    drawn_solid out;
    switch (kind) {
    case solid_kind::box:
        add_box(cell, proj, look, out);
        break;
    case solid_kind::cylinder:
    case solid_kind::cone:
        add_round(kind, cell, proj, look, out);
        break;
    case solid_kind::pyramid:
        add_pyramid(cell, proj, look, out);
        break;
    }
    bool any = false;
    for (const shape &s : out.shapes) {
        rect r = bounds_of(s.outline);
        out.covered = any ? united(out.covered, r) : r;
        any = true;
    }
    // A value label starts at the middle of the value end: at its top or bottom for
    // columns, its right or left for bars. A box's negative end is measured at its
    // front face, which is what the eye reads the bar's length against.
    vec3 end{(cell.lo.x + cell.hi.x) / 2, (cell.lo.y + cell.hi.y) / 2, (cell.lo.z + cell.hi.z) / 2};
    at(end, cell.axis) = at(cell.toward_high ? cell.hi : cell.lo, cell.axis);
    if (kind == solid_kind::box && !cell.toward_high)
        end.z = cell.lo.z;
    point e = proj.project(end);
    if (cell.axis == 1)
        out.value_end = {e.x, cell.toward_high ? out.covered.top() : out.covered.bottom()};
    else
        out.value_end = {cell.toward_high ? out.covered.right() : out.covered.left(), e.y};
    return out;
}

}  // namespace sheethost::render
