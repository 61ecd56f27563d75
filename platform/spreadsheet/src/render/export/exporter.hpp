// The export pipeline's entry points: chart snapshot -> layout -> paint -> image file.
#ifndef SHEETHOST_RENDER_EXPORTER_HPP
#define SHEETHOST_RENDER_EXPORTER_HPP

#include <cstdint>
#include <string>
#include <vector>

#include "render/chart_snapshot.hpp"

namespace sheethost::render {

// True for the chart types the renderer draws (others fail with host_error::not_drawn_yet).
bool is_drawn(int chart_type);

// Draws the chart and returns the encoded image. Throws com_error from the host table.
std::vector<uint8_t> encode_chart(const chart_snapshot &chart, image_format format);

// Draws the chart into path (UTF-8): written to a temporary file in the same directory,
// then renamed, so a failure leaves no partial file and an existing file is replaced whole.
// `filter` is the Export call's FilterName ("GIF" or "PNG", any case).
void export_chart(const chart_snapshot &chart, const std::string &path, std::u16string_view filter);

}  // namespace sheethost::render

#endif
