// Borders (weight and line style, as the host's Border object has them) as strokes.
#ifndef SHEETHOST_RENDER_STROKE_STYLE_HPP
#define SHEETHOST_RENDER_STROKE_STYLE_HPP

#include <optional>

#include "render/chart_snapshot.hpp"
#include "render/scene.hpp"

namespace sheethost::render {

// Line widths in points: a hairline is half a point, thin one pixel (0.75 pt), medium
// two pixels, thick three.
double border_width(border_weight weight);

// The stroke for border, or nothing when it is hidden (not visible, or no line). automatic is the colour when the border has none of its own.
std::optional<stroke> stroke_for(const border_spec &border, rgb automatic);

}  // namespace sheethost::render

#endif
