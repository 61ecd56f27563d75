// The colour hash table: linear probing, kept at most half full.
#include "render/image/colour_histogram.hpp"

namespace sheethost::render {

colour_histogram::colour_histogram() : slots_(512, slot{kEmpty, 0})
{
    colours_.reserve(256);
    counts_.reserve(256);
}

uint32_t colour_histogram::insert(size_t at, uint32_t colour)
{
    auto id = static_cast<uint32_t>(colours_.size());
    colours_.push_back(colour);
    counts_.push_back(0);
    if (colours_.size() * 2 <= slots_.size()) {
        slots_[at] = {colour, id};
        return id;
    }
    // Double and re-insert every colour by id; the ids do not change.
    slots_.assign(slots_.size() * 2, slot{kEmpty, 0});
    size_t mask = slots_.size() - 1;
    for (uint32_t i = 0; i < colours_.size(); ++i) {
        size_t s = hash(colours_[i]) & mask;
        while (slots_[s].colour != kEmpty)
            s = (s + 1) & mask;
        slots_[s] = {colours_[i], i};
    }
    return id;
}

}  // namespace sheethost::render
