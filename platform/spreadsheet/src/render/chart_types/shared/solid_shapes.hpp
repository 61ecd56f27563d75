// The solids the 3-D column and bar charts stand in their cells: boxes, cylinders,
// cones and square pyramids, each growing along one world axis from the value axis's
// zero to its value, projected and shaded as the faces the eye sees.
//
// Within one solid only faces turned toward the eye are drawn and, the solids being
// convex, those never overlap each other except where a later face is nearer: a
// round solid's side is painted first and its visible end cap on top of it.
#ifndef SHEETHOST_RENDER_SOLID_SHAPES_HPP
#define SHEETHOST_RENDER_SOLID_SHAPES_HPP

#include <optional>
#include <vector>

#include "render/chart_snapshot.hpp"
#include "render/layout/projection.hpp"
#include "render/scene.hpp"

namespace sheethost::render {

enum class solid_kind { box, cylinder, cone, pyramid };

// The world box a solid fills. Round solids and pyramids take a square footprint
// centred in it, as wide as its narrower side; a box fills it whole.
struct solid_cell {
    vec3 lo;
    vec3 hi;
    int axis = 1;              // the axis it grows along: 0 x (bars), 1 y (columns)
    bool toward_high = true;   // its value end is at hi (a value >= 0) rather than lo
};

struct solid_look {
    fill_spec fill;
    rgb automatic = 0;
    std::optional<stroke> border;
};

struct drawn_solid {
    std::vector<shape> shapes;  // in painting order
    rect covered;               // everything drawn, on the image
    point value_end;            // where a value label starts: the outer side of the value end
};

drawn_solid draw_solid(solid_kind kind, const solid_cell &cell, const projection &proj, const solid_look &look);

// The light across a round solid's side, from its lit edge (t = 0) to its shaded
// one (t = 1), as a factor for shaded(): a highlight a quarter of the way across and
// darker falling off toward both edges, as on a lit cylinder.
double round_light(double t);

// The convex hull of the points, counter-clockwise.
std::vector<point> convex_hull(std::vector<point> pts);

}  // namespace sheethost::render

#endif
