// Turning the host's fill descriptions (ChartFillFormat: solid, one-colour gradient,
// preset gradient, each with a style and a variant) into paints over a box.
#ifndef SHEETHOST_RENDER_FILL_STYLE_HPP
#define SHEETHOST_RENDER_FILL_STYLE_HPP

#include <string_view>
#include <vector>

#include "render/chart_snapshot.hpp"
#include "render/geometry.hpp"
#include "render/scene.hpp"

namespace sheethost::render {

// The colour ramp of a fill from its fore side (offset 0) to its far side (offset 1),
// before style and variant place it. A solid or automatic fill is a one-stop ramp.
std::vector<colour_stop> fill_ramp(const fill_spec &fill, rgb automatic);

// The second colour of a one-colour gradient: degree 0 is the darkest shade of fore,
// 0.5 fore itself, 1 the lightest tint.
rgb one_colour_gradient_end(rgb fore, double degree);

// The paint for fill over box; an automatic fill paints `automatic` flat.
paint paint_for(const fill_spec &fill, const rect &box, rgb automatic);

// paint with every colour darkened (factor < 1) or lightened (factor > 1: the part
// above 1 is the share mixed toward white), for the lit and shaded faces of 3-D shapes.
paint shaded(const paint &p, double factor);

// The colour paint gives the point at.
rgb colour_at(const paint &p, point at);

// The colour that stands for a fill where only one colour fits (an automatic border,
// a label's contrast): the middle of its ramp.
rgb representative_colour(const fill_spec &fill, rgb automatic);

}  // namespace sheethost::render

#endif
