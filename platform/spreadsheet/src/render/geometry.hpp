// Plain geometry for the layout, in points with the y axis pointing up (origin at the
// bottom-left corner of the image). Only the painter turns these into pixels.
#ifndef SHEETHOST_RENDER_GEOMETRY_HPP
#define SHEETHOST_RENDER_GEOMETRY_HPP

#include <algorithm>
#include <cmath>
#include <vector>

namespace sheethost::render {

struct point {
    double x = 0;
    double y = 0;
};

// An axis-aligned box: (x, y) is its bottom-left corner.
struct rect {
    double x = 0;
    double y = 0;
    double w = 0;
    double h = 0;

    double left() const { return x; }
    double right() const { return x + w; }
    double bottom() const { return y; }
    double top() const { return y + h; }
    point centre() const { return {x + w / 2, y + h / 2}; }

    // True when the interiors intersect by more than `slack` in both directions, so
    // boxes that merely touch do not count.
    bool overlaps(const rect &o, double slack = 0) const
    {
        return std::min(right(), o.right()) - std::max(left(), o.left()) > slack &&
               std::min(top(), o.top()) - std::max(bottom(), o.bottom()) > slack;
    }
    bool contains(const rect &o, double slack = 0) const
    {
        return o.left() >= left() - slack && o.right() <= right() + slack && o.bottom() >= bottom() - slack &&
               o.top() <= top() + slack;
    }
};

inline rect bounds_of(const std::vector<point> &pts)
{
    if (pts.empty())
        return {};
    double x0 = pts[0].x, x1 = pts[0].x, y0 = pts[0].y, y1 = pts[0].y;
    for (const point &p : pts) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    return {x0, y0, x1 - x0, y1 - y0};
}

inline rect united(const rect &a, const rect &b)
{
    double x0 = std::min(a.left(), b.left()), y0 = std::min(a.bottom(), b.bottom());
    return {x0, y0, std::max(a.right(), b.right()) - x0, std::max(a.top(), b.top()) - y0};
}

inline std::vector<point> corners(const rect &r)
{
    return {{r.left(), r.bottom()}, {r.right(), r.bottom()}, {r.right(), r.top()}, {r.left(), r.top()}};
}

// True when two convex polygons share interior (by more than slack), by the
// separating-axis test: turned text boxes overlap only if no edge direction of either
// separates them.
inline bool convex_overlap(const std::vector<point> &a, const std::vector<point> &b, double slack = 0)
{
    for (const std::vector<point> *poly : {&a, &b}) {
        for (size_t i = 0; i < poly->size(); ++i) {
            point p = (*poly)[i], q = (*poly)[(i + 1) % poly->size()];
            double nx = q.y - p.y, ny = p.x - q.x;
            double len = std::sqrt(nx * nx + ny * ny);
            if (len == 0)
                continue;
            nx /= len;
            ny /= len;
            double a0 = INFINITY, a1 = -INFINITY, b0 = INFINITY, b1 = -INFINITY;
            for (const point &v : a) {
                a0 = std::min(a0, v.x * nx + v.y * ny);
                a1 = std::max(a1, v.x * nx + v.y * ny);
            }
            for (const point &v : b) {
                b0 = std::min(b0, v.x * nx + v.y * ny);
                b1 = std::max(b1, v.x * nx + v.y * ny);
            }
            if (std::min(a1, b1) - std::max(a0, b0) <= slack)
                return false;
        }
    }
    return true;
}

}  // namespace sheethost::render

#endif
