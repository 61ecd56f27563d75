// The area a plain (undashed) stroke covers, as polygons to fill. Filling these costs
// cairo a fraction of what stroking the same path does, and covers the same pixels:
// a closed convex outline's stroke is the ring between the outline pushed out and
// pulled in by half the width (mitred corners, as cairo's default join draws them),
// and a single segment's stroke is a band with square-cut ends (cairo's default cap).
// Points are in pixels; the orientation of the input does not matter.
#ifndef SHEETHOST_RENDER_STROKE_OUTLINE_HPP
#define SHEETHOST_RENDER_STROKE_OUTLINE_HPP

#include <array>
#include <optional>
#include <vector>

#include "render/geometry.hpp"

namespace sheethost::render {

// The stroke of a closed outline: fill `outer` and, wound the other way, `inner`.
struct stroke_ring {
    std::vector<point> outer;
    std::vector<point> inner;
};

// Cairo's default miter limit: corners sharper than this get a bevel, which the ring
// does not draw.
constexpr double kMiterLimit = 10.0;

// Nothing when the outline is not a convex polygon of at least three distinct corners,
// has a corner too sharp for a mitre, or is too thin for the inner edge to keep its
// shape: the caller strokes those the ordinary way.
std::optional<stroke_ring> closed_stroke_ring(const std::vector<point> &outline, double width);

// True for a polygon of at least three distinct corners that turns the same way at
// every corner.
bool is_convex(const std::vector<point> &outline);

// The stroke of the segment a -> b: four corners, or nothing when a and b coincide.
std::optional<std::array<point, 4>> segment_band(point a, point b, double width);

}  // namespace sheethost::render

#endif
