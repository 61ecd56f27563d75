// Colour arithmetic: rounding and clamping in one place so every shade is reproducible.
#include "render/style/colour.hpp"

#include <algorithm>
#include <cmath>

namespace sheethost::render {

namespace {
uint32_t channel(double v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 255.0))); }
}  // namespace

rgb make_rgb(double r, double g, double b) { return (channel(r) << 16) | (channel(g) << 8) | channel(b); }

rgb mix(rgb a, rgb b, double t)
{
    return make_rgb(red(a) + (red(b) - red(a)) * t, green(a) + (green(b) - green(a)) * t,
                    blue(a) + (blue(b) - blue(a)) * t);
}

}  // namespace sheethost::render
