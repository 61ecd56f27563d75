// A painted picture in memory: opaque pixels in cairo's ARGB32 layout (one 32-bit
// word per pixel, 0xAARRGGBB in native byte order, rows packed), which every encoder
// reads and cairo can wrap without copying.
#ifndef SHEETHOST_RENDER_RASTER_HPP
#define SHEETHOST_RENDER_RASTER_HPP

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sheethost::render {

struct raster {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t rgb_at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

}  // namespace sheethost::render

#endif
