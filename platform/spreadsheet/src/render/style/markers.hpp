// Data point markers for line charts and their legend keys. Automatic markers cycle
// through the shapes by series, as the host's automatic formatting does, so series
// stay apart even where their colours look alike.
#ifndef SHEETHOST_RENDER_MARKERS_HPP
#define SHEETHOST_RENDER_MARKERS_HPP

#include <cstddef>

#include "render/scene.hpp"

namespace sheethost::render {

enum marker_shape { marker_none = 0, marker_diamond, marker_square, marker_triangle, marker_circle, marker_x,
                    marker_plus };

// Series s's automatic marker shape.
int automatic_marker(size_t series);

// A marker of the shape, `size` points across, centred on `at`, filled with fill and
// outlined in a darker shade of it. Cross-shaped markers are drawn as strokes only.
shape marker(int shape_kind, point at, double size, rgb fill);

}  // namespace sheethost::render

#endif
