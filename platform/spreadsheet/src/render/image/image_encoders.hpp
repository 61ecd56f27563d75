// Encoding a painted picture as a file's bytes.
#ifndef SHEETHOST_RENDER_IMAGE_ENCODERS_HPP
#define SHEETHOST_RENDER_IMAGE_ENCODERS_HPP

#include <cstdint>
#include <vector>

#include "render/image/quantizer.hpp"
#include "render/raster.hpp"

namespace sheethost::render {

// A GIF89a through giflib, written to memory. Throws render_failed naming giflib's error.
std::vector<uint8_t> encode_gif(const indexed_image &image);

// A PNG through cairo's writer. Throws render_failed naming cairo's error.
std::vector<uint8_t> encode_png(const raster &picture);

}  // namespace sheethost::render

#endif
