// Paints a scene with cairo at 96 dpi. This is the one place where points become
// pixels and the y axis turns from pointing up to pointing down.
#ifndef SHEETHOST_RENDER_CAIRO_PAINTER_HPP
#define SHEETHOST_RENDER_CAIRO_PAINTER_HPP

#include "render/raster.hpp"
#include "render/scene.hpp"

namespace sheethost::render {

constexpr double kPixelsPerPoint = 96.0 / 72.0;

// Throws render_failed when cairo cannot make or draw the surface.
raster paint_scene(const scene &picture);

}  // namespace sheethost::render

#endif
