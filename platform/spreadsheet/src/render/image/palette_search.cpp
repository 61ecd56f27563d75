// Nearest-entry search with per-cell candidate lists; see palette_search.hpp.
#include "render/image/palette_search.hpp"

#include <algorithm>
#include <climits>

namespace sheethost::render {

namespace {

// Squared distance from v to the interval [lo, hi] of one channel, and to its far end.
int near_part(int v, int lo, int hi)
{
    int d = v < lo ? lo - v : v > hi ? v - hi : 0;
    return d * d;
}

int far_part(int v, int lo, int hi)
{
    int d = std::max(v - lo, hi - v);
    return d * d;
}

}  // namespace

palette_search::palette_search(const std::vector<rgb> &palette, size_t first)
{
    for (size_t i = first; i < palette.size(); ++i)
        entries_.push_back({static_cast<int>(palette[i] >> 16), static_cast<int>((palette[i] >> 8) & 0xFF),
                            static_cast<int>(palette[i] & 0xFF), static_cast<int>(i)});
    if (entries_.empty())
        return;
    cells_.assign(static_cast<size_t>(kCellsPerChannel) * kCellsPerChannel * kCellsPerChannel, 0);
    coarse_.resize(static_cast<size_t>(kCoarsePerChannel) * kCoarsePerChannel * kCoarsePerChannel);
    for (size_t i = 0; i < entries_.size(); ++i)
        all_.push_back(static_cast<uint16_t>(i));
}

// Appends to `out` those of `from` (positions in entries_) that may be nearest to some
// colour of the cube [lo, lo + size) per channel: any entry farther from the whole cube
// than the best entry's farthest corner cannot be.
void palette_search::list_candidates(const int lo[3], int size, const uint16_t *from, size_t count,
                                     std::vector<uint16_t> &out) const
{
    int bound = INT_MAX;
    for (size_t i = 0; i < count; ++i) {
        const entry &e = entries_[from[i]];
        int farthest = far_part(e.r, lo[0], lo[0] + size - 1) + far_part(e.g, lo[1], lo[1] + size - 1) +
                       far_part(e.b, lo[2], lo[2] + size - 1);
        bound = std::min(bound, farthest);
    }
    for (size_t i = 0; i < count; ++i) {
        const entry &e = entries_[from[i]];
        int nearest = near_part(e.r, lo[0], lo[0] + size - 1) + near_part(e.g, lo[1], lo[1] + size - 1) +
                      near_part(e.b, lo[2], lo[2] + size - 1);
        if (nearest <= bound)
            out.push_back(from[i]);
    }
}

// A cell's candidates are picked from its coarse cell's, which are picked from the
// whole palette once per coarse cell: a cell costs a pass over a few entries, not all.
uint32_t palette_search::candidates_of(int r, int g, int b) const
{
    constexpr int kCoarseSize = 256 / kCoarsePerChannel;
    int coarse = ((r / kCoarseSize) * kCoarsePerChannel + g / kCoarseSize) * kCoarsePerChannel + b / kCoarseSize;
    if (coarse_[static_cast<size_t>(coarse)].empty()) {
        const int lo[3] = {r / kCoarseSize * kCoarseSize, g / kCoarseSize * kCoarseSize, b / kCoarseSize * kCoarseSize};
        list_candidates(lo, kCoarseSize, all_.data(), all_.size(), coarse_[static_cast<size_t>(coarse)]);
    }
    const std::vector<uint16_t> &from = coarse_[static_cast<size_t>(coarse)];
    constexpr int kSize = 1 << kCellShift;
    const int lo[3] = {r >> kCellShift << kCellShift, g >> kCellShift << kCellShift, b >> kCellShift << kCellShift};
    auto offset = static_cast<uint32_t>(candidates_.size());
    list_candidates(lo, kSize, from.data(), from.size(), candidates_);
    return (offset << 9) | static_cast<uint32_t>(candidates_.size() - offset);
}

palette_search::match palette_search::nearest(int r, int g, int b) const
{
    match best;
    if (entries_.empty())
        return best;
    constexpr int kBits = 8 - kCellShift;
    int cell = ((r >> kCellShift) << (2 * kBits)) | ((g >> kCellShift) << kBits) | (b >> kCellShift);
    uint32_t &listed = cells_[static_cast<size_t>(cell)];
    if (listed == 0)
        listed = candidates_of(r, g, b);
    const uint16_t *at = candidates_.data() + (listed >> 9), *end = at + (listed & 511);
    best.distance = INT_MAX;
    for (; at != end; ++at) {
        const entry &e = entries_[*at];
        int dr = e.r - r, dg = e.g - g, db = e.b - b;
        int d = dr * dr + dg * dg + db * db;
        // Entries are in palette order, so the first of equal distances is the lowest index.
        if (d < best.distance)
            best = {e.index, d};
    }
    return best;
}

}  // namespace sheethost::render
