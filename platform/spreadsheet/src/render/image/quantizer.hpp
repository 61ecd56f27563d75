// From true colour to at most 256 colours for GIF.
//
// One pass over the picture turns it into runs of equal pixels and counts the
// distinct colours in a small hash table (colour_histogram). A picture with at most
// 256 distinct colours keeps every one of them exactly (pure white stays 0xFFFFFF)
// and round-trips through GIF without loss.
//
// Otherwise the palette has two parts:
// - key colours: the flat colours the caller names (kept first), and the flat colours a chart is made of (background, walls, bar faces,
//   gridlines, series lines and markers), each covering at least 0.02% of the
//   picture and not one step of a gradient; they keep exact entries, so white stays
//   white and series colours can be found in the GIF;
// - a variance-based median cut (median_cut.hpp) over all other colours (gradients,
//   anti-aliased edges and text), which stops splitting as soon as the whole picture
//   reaches 42 dB PSNR. Charts need far fewer than 256 entries for that, and a small
//   palette means short LZW codes and many repeated strings: the reference chart with
//   a preset gradient background comes to about 29.5 KB instead of 41 KB.
// Each colour maps to its box, or to a key colour within 2 levels, by id: pixels
// are never looked up one by one, runs are filled with memset.
//
// Gradients: a colour of a smooth area whose nearest entry is more than about 2
// levels off is dithered between two entries with a 1-D ordered dither that depends
// on the row only. Dithering there is needed against visible bands; restricting it to
// such colours keeps flat fills and edges clean, and making it constant along a row
// keeps every run of equal pixels whole, which is what LZW compresses well (a 4 x 4
// Bayer dither cost about 1.5 KB more on the reference chart).
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

// keep: flat colours the picture was painted with (series, legend keys, markers, axis
// lines); those the picture shows on a dozen pixels or more keep exact entries.
indexed_image quantize(const raster &picture, const std::vector<rgb> &keep = {});

}  // namespace sheethost::render

#endif
