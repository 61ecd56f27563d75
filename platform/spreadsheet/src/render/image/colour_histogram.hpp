// Counting the distinct colours of a picture fast. An open-addressing hash table
// keyed by 0xRRGGBB gives every colour a small id in the order the colours are first
// seen; the ids stay stable while the table grows, so a picture can be kept as runs of
// ids and the quantizer works on plain arrays indexed by id instead of hashing twice.
// The table starts at 512 slots (4 KB, in L1) and grows only past 256 colours, so a
// picture that fits an exact GIF palette never leaves the small table.
#ifndef SHEETHOST_RENDER_COLOUR_HISTOGRAM_HPP
#define SHEETHOST_RENDER_COLOUR_HISTOGRAM_HPP

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sheethost::render {

class colour_histogram {
public:
    colour_histogram();

    // Counts `pixels` more of `colour` (0xRRGGBB) and answers its id.
    uint32_t add(uint32_t colour, uint32_t pixels = 1)
    {
        uint32_t id = id_of(colour);
        counts_[id] += pixels;
        return id;
    }

    size_t size() const { return colours_.size(); }
    // Indexed by id.
    const std::vector<uint32_t> &colours() const { return colours_; }
    const std::vector<uint32_t> &counts() const { return counts_; }

private:
    uint32_t id_of(uint32_t colour)
    {
        size_t mask = slots_.size() - 1;
        for (size_t i = hash(colour) & mask;; i = (i + 1) & mask) {
            if (slots_[i].colour == colour)
                return slots_[i].id;
            if (slots_[i].colour == kEmpty)
                return insert(i, colour);
        }
    }
    uint32_t insert(size_t slot, uint32_t colour);
    static uint32_t hash(uint32_t c) { return (c * 2654435761u) >> 8; }

    static constexpr uint32_t kEmpty = 0xFFFFFFFFu;  // no 24-bit colour has this key
    struct slot {
        uint32_t colour;
        uint32_t id;
    };
    std::vector<slot> slots_;
    std::vector<uint32_t> colours_;
    std::vector<uint32_t> counts_;
};

}  // namespace sheethost::render

#endif
