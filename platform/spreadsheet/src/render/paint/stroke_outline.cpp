// Offsetting a convex polygon: each corner moves along the bisector of its two edge
// normals by half the width over cos(half the turn), which is where the two offset
// edges meet.
#include "render/paint/stroke_outline.hpp"

#include <cmath>

namespace sheethost::render {

namespace {

constexpr double kSame = 1e-9;  // pixels: corners closer than this are one corner

point minus(point a, point b) { return {a.x - b.x, a.y - b.y}; }
double cross(point a, point b) { return a.x * b.y - a.y * b.x; }
double dot(point a, point b) { return a.x * b.x + a.y * b.y; }

point unit(point v)
{
    double len = std::hypot(v.x, v.y);
    return {v.x / len, v.y / len};
}

// The outline without repeated corners (the closing corner included).
std::vector<point> distinct_corners(const std::vector<point> &outline)
{
    std::vector<point> out;
    out.reserve(outline.size());
    for (const point &p : outline)
        if (out.empty() || std::hypot(p.x - out.back().x, p.y - out.back().y) > kSame)
            out.push_back(p);
    while (out.size() > 1 && std::hypot(out.front().x - out.back().x, out.front().y - out.back().y) <= kSame)
        out.pop_back();
    return out;
}

double twice_signed_area(const std::vector<point> &pts)
{
    double sum = 0;
    for (size_t i = 0; i < pts.size(); ++i)
        sum += cross(pts[i], pts[(i + 1) % pts.size()]);
    return sum;
}

}  // namespace

std::optional<stroke_ring> closed_stroke_ring(const std::vector<point> &outline, double width)
{
    std::vector<point> pts = distinct_corners(outline);
    size_t n = pts.size();
    if (n < 3 || !(width > 0))
        return std::nullopt;
    double area = twice_signed_area(pts);
    if (std::abs(area) <= kSame)
        return std::nullopt;
    double turn = area > 0 ? 1 : -1;  // every corner turns this way on a convex outline
    std::vector<point> dir(n), normal(n);
    for (size_t i = 0; i < n; ++i) {
        dir[i] = unit(minus(pts[(i + 1) % n], pts[i]));
        normal[i] = {turn * dir[i].y, -turn * dir[i].x};  // outward
    }
    double half = width / 2;
    stroke_ring ring;
    ring.outer.reserve(n);
    ring.inner.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const point &in = dir[(i + n - 1) % n], &out = dir[i];
        if (cross(in, out) * turn < -kSame)
            return std::nullopt;  // a reflex corner: not convex
        double cosine = dot(in, out);
        if (kMiterLimit * kMiterLimit * (1 + cosine) < 2)
            return std::nullopt;  // cairo bevels this corner
        const point &na = normal[(i + n - 1) % n], &nb = normal[i];
        double k = half / (1 + cosine);
        point m{(na.x + nb.x) * k, (na.y + nb.y) * k};
        ring.outer.push_back({pts[i].x + m.x, pts[i].y + m.y});
        ring.inner.push_back({pts[i].x - m.x, pts[i].y - m.y});
    }
    // Pulled in too far, an edge turns round and the inner outline crosses itself.
    for (size_t i = 0; i < n; ++i)
        if (dot(minus(ring.inner[(i + 1) % n], ring.inner[i]), dir[i]) <= 0)
            return std::nullopt;
    return ring;
}

bool is_convex(const std::vector<point> &outline)
{
    std::vector<point> pts = distinct_corners(outline);
    size_t n = pts.size();
    double area = n < 3 ? 0 : twice_signed_area(pts);
    if (std::abs(area) <= kSame)
        return false;
    for (size_t i = 0; i < n; ++i) {
        point in = minus(pts[i], pts[(i + n - 1) % n]), out = minus(pts[(i + 1) % n], pts[i]);
        if (cross(in, out) * area < -kSame * std::hypot(in.x, in.y) * std::hypot(out.x, out.y) * std::abs(area))
            return false;
    }
    return true;
}

std::optional<std::array<point, 4>> segment_band(point a, point b, double width)
{
    point d = minus(b, a);
    if (std::hypot(d.x, d.y) <= kSame || !(width > 0))
        return std::nullopt;
    d = unit(d);
    point off{-d.y * width / 2, d.x * width / 2};
    return std::array<point, 4>{point{a.x + off.x, a.y + off.y}, point{b.x + off.x, b.y + off.y},
                                point{b.x - off.x, b.y - off.y}, point{a.x - off.x, a.y - off.y}};
}

}  // namespace sheethost::render
