// How a line series looks: its line's stroke from the series border and its markers.
#ifndef SHEETHOST_RENDER_SERIES_LINE_HPP
#define SHEETHOST_RENDER_SERIES_LINE_HPP

#include <cstddef>
#include <optional>

#include "render/chart_snapshot.hpp"
#include "render/scene.hpp"

namespace sheethost::render {

// On a line series the border is the line itself, not an outline, so each weight
// draws it a step heavier than on a bar: a hairline 1 pixel, thin 1.5 points (the
// weight a data line needs to read at a glance, as in matplotlib), medium 2.25,
// thick 3.
double line_width(border_weight weight);

// The series' line: the border's line style and colour (the series' own colour when
// automatic) at line_width; nothing when the border is hidden (markers only).
std::optional<stroke> series_line_stroke(const chart_snapshot &chart, size_t series);

// A marker's size in points for a line across `slot` points per category: 7, smaller
// when the categories stand close.
double marker_size(double slot);

}  // namespace sheethost::render

#endif
