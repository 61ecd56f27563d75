// Counting the distinct colours of a picture fast: an open-addressing hash table
// keyed by 0xRRGGBB, which also serves as the colour -> palette index map once a
// palette is chosen.
#ifndef SHEETHOST_RENDER_COLOUR_HISTOGRAM_HPP
#define SHEETHOST_RENDER_COLOUR_HISTOGRAM_HPP

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sheethost::render {

class colour_histogram {
public:
    struct entry {
        uint32_t colour;  // 0xRRGGBB
        uint32_t count;
    };

    colour_histogram();
    void add(uint32_t colour);
    size_t size() const { return size_; }
    std::vector<entry> entries() const;  // most frequent first; ties by colour

    // Attach a value (a palette index) to a colour already counted, and read it back;
    // lookup returns -1 for a colour that has none.
    void set_value(uint32_t colour, int value);
    int value(uint32_t colour) const;

private:
    size_t slot_of(uint32_t colour) const;
    void grow();

    static constexpr uint32_t kEmpty = 0xFFFFFFFFu;
    std::vector<uint32_t> keys_;
    std::vector<uint32_t> counts_;
    std::vector<int> values_;
    size_t size_ = 0;
    uint32_t last_colour_ = kEmpty;
    size_t last_slot_ = 0;
};

}  // namespace sheethost::render

#endif
