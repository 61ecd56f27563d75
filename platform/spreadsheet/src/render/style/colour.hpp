// Colour arithmetic on 0xRRGGBB values: mixing and shading for gradients, lit faces
// of 3-D shapes and automatic borders.
#ifndef SHEETHOST_RENDER_COLOUR_HPP
#define SHEETHOST_RENDER_COLOUR_HPP

#include "render/chart_snapshot.hpp"

namespace sheethost::render {

inline int red(rgb c) { return static_cast<int>((c >> 16) & 0xFF); }
inline int green(rgb c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int blue(rgb c) { return static_cast<int>(c & 0xFF); }
rgb make_rgb(double r, double g, double b);  // clamps each channel to 0..255

// a when t = 0, b when t = 1.
rgb mix(rgb a, rgb b, double t);
// Toward black (factor < 1) or, with lighten, toward white by t.
inline rgb darken(rgb c, double factor) { return mix(0x000000, c, factor); }
inline rgb lighten(rgb c, double t) { return mix(c, 0xFFFFFF, t); }

}  // namespace sheethost::render

#endif
