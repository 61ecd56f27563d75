// The nearest palette entry to a colour, by squared distance in RGB (the measure PSNR
// uses). Entries are kept sorted by green, so a search starts at the closest green and
// stops in each direction once green alone is farther than the best match: for a
// chart palette that is a handful of comparisons instead of 256.
#ifndef SHEETHOST_RENDER_PALETTE_SEARCH_HPP
#define SHEETHOST_RENDER_PALETTE_SEARCH_HPP

#include <cstdint>
#include <vector>

#include "render/chart_snapshot.hpp"

namespace sheethost::render {

class palette_search {
public:
    // Searches palette[first, palette.size()); an index is the palette's own.
    explicit palette_search(const std::vector<rgb> &palette, size_t first = 0);

    struct match {
        int index = -1;   // -1 when the searched palette part is empty
        int distance = 0; // squared, summed over the three channels
    };
    match nearest(int r, int g, int b) const;
    match nearest(rgb c) const { return nearest(static_cast<int>(c >> 16), static_cast<int>((c >> 8) & 0xFF), static_cast<int>(c & 0xFF)); }

private:
    struct entry {
        int r, g, b, index;
    };
    std::vector<entry> entries_;
};

}  // namespace sheethost::render

#endif
