// Nearest-entry search over a green-sorted palette; see palette_search.hpp.
#include "render/image/palette_search.hpp"

#include <algorithm>

namespace sheethost::render {

palette_search::palette_search(const std::vector<rgb> &palette, size_t first)
{
    for (size_t i = first; i < palette.size(); ++i)
        entries_.push_back({static_cast<int>(palette[i] >> 16), static_cast<int>((palette[i] >> 8) & 0xFF),
                            static_cast<int>(palette[i] & 0xFF), static_cast<int>(i)});
    std::sort(entries_.begin(), entries_.end(), [](const entry &a, const entry &b) { return a.g < b.g; });
}

palette_search::match palette_search::nearest(int r, int g, int b) const
{
    match best;
    auto consider = [&](const entry &e) {
        int dr = e.r - r, dg = e.g - g, db = e.b - b;
        int d = dr * dr + dg * dg + db * db;
        if (best.index < 0 || d < best.distance)
            best = {e.index, d};
    };
    auto start = std::lower_bound(entries_.begin(), entries_.end(), g, [](const entry &e, int v) { return e.g < v; });
    auto up = start, down = start;
    bool up_open = up != entries_.end(), down_open = down != entries_.begin();
    while (up_open || down_open) {
        if (up_open) {
            int dg = up->g - g;
            if (best.index >= 0 && dg * dg > best.distance)
                up_open = false;
            else {
                consider(*up);
                up_open = ++up != entries_.end();
            }
        }
        if (down_open) {
            int dg = std::prev(down)->g - g;
            if (best.index >= 0 && dg * dg > best.distance)
                down_open = false;
            else {
                consider(*--down);
                down_open = down != entries_.begin();
            }
        }
    }
    return best;
}

}  // namespace sheethost::render
