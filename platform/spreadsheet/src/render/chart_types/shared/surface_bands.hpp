// The surface chart's colour bands: one band between each pair of neighbouring value
// axis ticks, coloured from a perceptually even ramp (dark blue-violet for the lowest
// band through teal and green to yellow for the highest, the viridis ramp), so the
// bands read in order and survive greyscale printing and colour-vision deficiency.
#ifndef SHEETHOST_RENDER_SURFACE_BANDS_HPP
#define SHEETHOST_RENDER_SURFACE_BANDS_HPP

#include <cstddef>
#include <string>
#include <vector>

#include "render/chart_snapshot.hpp"
#include "render/value_scale.hpp"

namespace sheethost::render {

struct value_band {
    double low;
    double high;
    rgb colour;
};

// The bands of a scale, lowest first.
std::vector<value_band> value_bands(const value_scale &scale);

// Band `index` of `count`'s colour.
rgb band_colour(size_t index, size_t count);

// A band's legend text: "0-10", or "-10 to 0" when a bound is negative (a hyphen
// between two minus signs would not read).
std::string band_label(const value_band &band, const value_scale &scale);

}  // namespace sheethost::render

#endif
