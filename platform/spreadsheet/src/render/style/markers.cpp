// Marker outlines, built as polygons so the painter needs nothing special for them.
#include "render/style/markers.hpp"

#include <cmath>
#include <numbers>

#include "render/style/colour.hpp"

namespace sheethost::render {

namespace {

std::vector<point> regular_polygon(point at, double radius, int corners, double first_angle)
{
    std::vector<point> out;
    for (int i = 0; i < corners; ++i) {
        double a = first_angle + 2 * std::numbers::pi * i / corners;
        out.push_back({at.x + radius * std::cos(a), at.y + radius * std::sin(a)});
    }
    return out;
}

}  // namespace

int automatic_marker(size_t series)
{
    constexpr int kCycle[] = {marker_diamond, marker_square, marker_triangle, marker_circle, marker_x, marker_plus};
    return kCycle[series % (sizeof kCycle / sizeof kCycle[0])];
}

shape marker(int shape_kind, point at, double size, rgb fill)
{
    double r = size / 2;
    shape s;
    s.fill = paint{paint::kind::solid, fill, {}, {}, {}};
    s.line = stroke{0.75, darken(fill, 0.7), {}};
    switch (shape_kind) {
    case marker_square:
        s.outline = {{at.x - r * 0.85, at.y - r * 0.85}, {at.x + r * 0.85, at.y - r * 0.85},
                     {at.x + r * 0.85, at.y + r * 0.85}, {at.x - r * 0.85, at.y + r * 0.85}};
        break;
    case marker_triangle:
        s.outline = regular_polygon({at.x, at.y - r * 0.15}, r * 1.15, 3, std::numbers::pi / 2);
        break;
    case marker_circle:
        s.outline = regular_polygon(at, r * 0.9, 16, 0);
        break;
    case marker_x:
    case marker_plus: {
        // Two strokes through the centre, drawn as one open path that doubles back.
        double d = shape_kind == marker_x ? r * 0.8 : r;
        s.fill.reset();
        s.line = stroke{1.5, fill, {}};
        s.closed = false;
        if (shape_kind == marker_x)
            s.outline = {{at.x - d, at.y - d}, {at.x + d, at.y + d}, at, {at.x - d, at.y + d}, {at.x + d, at.y - d}};
        else
            s.outline = {{at.x - d, at.y}, {at.x + d, at.y}, at, {at.x, at.y + d}, {at.x, at.y - d}};
        break;
    }
    case marker_diamond:
    default:
        s.outline = regular_polygon(at, r * 1.1, 4, 0);
        break;
    }
    return s;
}

}  // namespace sheethost::render
