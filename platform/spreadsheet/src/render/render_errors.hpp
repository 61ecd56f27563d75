// Raising the renderer's errors from code that talks to cairo, pango or giflib: those
// headers bring glib's TRUE and FALSE, which clash with the automation headers', so
// such files report failures through these functions instead of host_errors.hpp.
#ifndef SHEETHOST_RENDER_RENDER_ERRORS_HPP
#define SHEETHOST_RENDER_RENDER_ERRORS_HPP

#include <string_view>

namespace sheethost::render {

// render_failed: "Could not draw the chart: <reason>" (reason in UTF-8).
[[noreturn]] void raise_render_failed(std::string_view reason);

}  // namespace sheethost::render

#endif
