// Choosing a few colours to stand for many: a variance-based median cut.
//
// All colours start in one box. The box whose colours lie farthest from their mean
// (the largest population-weighted squared error) is split next, across its channel
// of largest error, at the cut that leaves the least error on the two sides (found
// from a 256-bin histogram of that channel, so a split costs one pass over the box
// and no sorting). Each box's colour is the population-weighted mean of its colours,
// which is the colour that minimises the squared error (and so maximises PSNR) of the
// pixels it stands for.
#ifndef SHEETHOST_RENDER_MEDIAN_CUT_HPP
#define SHEETHOST_RENDER_MEDIAN_CUT_HPP

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/chart_snapshot.hpp"

namespace sheethost::render {

struct weighted_colour {
    rgb colour;         // 0xRRGGBB
    uint32_t pixels;    // how many pixels have it
};

struct colour_boxes {
    std::vector<rgb> means;          // one per box, at most boxes_wanted
    std::vector<uint16_t> box_of;    // for each input colour, the box that holds it
};

// At most boxes_wanted boxes; splitting stops early once the squared error left in all
// boxes together (summed over pixels and channels) is at most error_allowed, or when
// every box holds a single colour.
colour_boxes median_cut(const std::vector<weighted_colour> &colours, size_t boxes_wanted, double error_allowed = 0);

}  // namespace sheethost::render

#endif
