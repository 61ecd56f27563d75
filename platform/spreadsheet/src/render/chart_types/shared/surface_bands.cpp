// Surface band colours and labels.
#include "render/chart_types/shared/surface_bands.hpp"

#include <algorithm>

#include "render/style/colour.hpp"

namespace sheethost::render {

namespace {

// Five samples of viridis (matplotlib's default colour map), evenly spaced.
constexpr rgb kRamp[] = {0x440154, 0x3B528B, 0x21918C, 0x5EC962, 0xFDE725};
constexpr size_t kRampSize = sizeof kRamp / sizeof kRamp[0];

}  // namespace

rgb band_colour(size_t index, size_t count)
{
    if (count <= 1)
        return kRamp[2];
    // Stop short of the darkest end: mesh lines and text must still show on it.
    double t = 0.12 + 0.88 * static_cast<double>(std::min(index, count - 1)) / static_cast<double>(count - 1);
    double at = t * static_cast<double>(kRampSize - 1);
    size_t i = std::min(static_cast<size_t>(at), kRampSize - 2);
    return mix(kRamp[i], kRamp[i + 1], at - static_cast<double>(i));
}

std::vector<value_band> value_bands(const value_scale &scale)
{
    std::vector<double> ticks = scale.ticks();
    std::vector<value_band> out;
    size_t count = ticks.size() < 2 ? 0 : ticks.size() - 1;
    for (size_t i = 0; i < count; ++i)
        out.push_back({ticks[i], ticks[i + 1], band_colour(i, count)});
    return out;
}

std::string band_label(const value_band &band, const value_scale &scale)
{
    std::string low = format_tick(band.low, scale), high = format_tick(band.high, scale);
    if (band.low < 0 || band.high < 0)
        return low + " to " + high;
    return low + "-" + high;
}

}  // namespace sheethost::render
