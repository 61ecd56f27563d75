// From true colour to at most 256 colours for GIF.
//
// A picture with at most 256 distinct colours keeps them all exactly (pure white
// stays pure white). Otherwise the most frequent colours (up to 32, each covering at
// least 0.2% of the picture: background, bar fills, text, gridlines) keep an exact
// entry, and median cut splits the remaining colours into boxes (the box with the
// largest spread times population is split at its population's median along its
// widest channel) whose population-weighted means fill the rest of the palette.
// Pixels of the exact colours map to their own entry, and so do colours that have an
// entry within about 1.5 levels; every other pixel gets a light 4 x 4 ordered dither
// (+-4 levels) before taking the nearest entry, which breaks up the bands a gradient
// would otherwise show without turning flat areas into noise.
#ifndef SHEETHOST_RENDER_QUANTIZER_HPP
#define SHEETHOST_RENDER_QUANTIZER_HPP

#include <cstdint>
#include <vector>

#include "render/chart_snapshot.hpp"
#include "render/raster.hpp"

namespace sheethost::render {

struct indexed_image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // palette indexes, rows packed
    std::vector<rgb> palette;     // 1..256 entries
    bool exact = false;           // every pixel kept its colour
};

indexed_image quantize(const raster &picture);

}  // namespace sheethost::render

#endif
