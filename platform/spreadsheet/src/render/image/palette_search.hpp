// The nearest palette entry to a colour, by squared distance in RGB (the measure PSNR
// uses), ties going to the lowest palette index.
//
// The quantizer asks for thousands of colours that crowd into a few regions (the steps of
// a gradient, the blends along anti-aliased edges). So the colour cube is cut into 16 x
// 16 x 16 cells of 16 levels a side, and the first query in a cell lists the entries that
// can be nearest to any colour in it: those whose distance to the cell is at most the
// smallest "farthest distance" of any entry. Every later query in that cell compares
// with those few candidates only. A cell's list is picked from that of its coarse cell
// (32 levels a side), itself picked once from the whole palette.
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
    // Lists the cell's candidates on its first query: one object serves one thread.
    match nearest(int r, int g, int b) const;
    match nearest(rgb c) const { return nearest(static_cast<int>(c >> 16), static_cast<int>((c >> 8) & 0xFF), static_cast<int>(c & 0xFF)); }

private:
    struct entry {
        int r, g, b, index;
    };
    static constexpr int kCellShift = 4;  // 16 levels a side
    static constexpr int kCellsPerChannel = 256 >> kCellShift;
    static constexpr int kCoarsePerChannel = 8;  // 32 levels a side
    uint32_t candidates_of(int r, int g, int b) const;
    void list_candidates(const int lo[3], int size, const uint16_t *from, size_t count,
                         std::vector<uint16_t> &out) const;

    std::vector<entry> entries_;
    // Per cell: 0 while not yet listed, else (offset into candidates_ << 9) | count.
    mutable std::vector<uint32_t> cells_;
    mutable std::vector<uint16_t> candidates_;  // positions in entries_
    std::vector<uint16_t> all_;                 // every position, the coarse cells' source
    mutable std::vector<std::vector<uint16_t>> coarse_;
};

}  // namespace sheethost::render

#endif
