// The painting order of a 3-D pie's upright faces (outer walls and, when exploded, the
// cut faces along the slices' edges).
//
// Why this order is exact: every upright face of the pie spans the same height, from
// the floor of the disc to its top, and the eye looks straight along the depth axis
// from above (no rotation). A point (x, y, z) of such a face lands on the screen at
// x across and y cos(elevation) + z sin(elevation) up; two face points on the same
// screen spot therefore share x, and working out their distances along the view
// shows the one with the smaller depth z is the nearer, whatever their heights. So
// whether face P hides part of face Q depends only on their footprints in the floor
// plane: where both exist at the same x, the one with the smaller z is in front.
// Footprints are x-monotone curves (a wall piece on the front half of its circle, or a
// straight cut) that never cross, and for such curves that relation is the same
// everywhere along their shared x range and has no cycles, so a topological sort of
// it paints every face before any face that covers it.
#ifndef SHEETHOST_RENDER_PIE_SIDE_ORDER_HPP
#define SHEETHOST_RENDER_PIE_SIDE_ORDER_HPP

#include <cstddef>
#include <vector>

#include "render/geometry.hpp"

namespace sheethost::render {

// A face's footprint in the floor plane: points (x, z), z the depth away from the
// eye, monotone in x.
using footprint = std::vector<point>;

// The footprints' indexes, farthest first: every face comes before each face that
// covers part of it. Among faces free to go next the earliest in the input goes first.
std::vector<size_t> back_to_front(const std::vector<footprint> &faces);

}  // namespace sheethost::render

#endif
