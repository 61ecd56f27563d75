// The colour hash table. Runs of equal pixels are common (backgrounds, bars), so the
// last slot touched is remembered and a repeat costs one comparison.
#include "render/colour_histogram.hpp"

#include <algorithm>

namespace sheethost::render {

namespace {
uint32_t hash(uint32_t c) { return (c * 2654435761u) ^ (c >> 13); }
}  // namespace

colour_histogram::colour_histogram() : keys_(1024, kEmpty), counts_(1024, 0), values_(1024, -1) {}

size_t colour_histogram::slot_of(uint32_t colour) const
{
    size_t mask = keys_.size() - 1;
    size_t i = hash(colour) & mask;
    while (keys_[i] != kEmpty && keys_[i] != colour)
        i = (i + 1) & mask;
    return i;
}

void colour_histogram::grow()
{
    std::vector<uint32_t> keys = std::move(keys_), counts = std::move(counts_);
    std::vector<int> values = std::move(values_);
    keys_.assign(keys.size() * 2, kEmpty);
    counts_.assign(keys.size() * 2, 0);
    values_.assign(keys.size() * 2, -1);
    for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == kEmpty)
            continue;
        size_t s = slot_of(keys[i]);
        keys_[s] = keys[i];
        counts_[s] = counts[i];
        values_[s] = values[i];
    }
    last_colour_ = kEmpty;
}

void colour_histogram::add(uint32_t colour)
{
    if (colour == last_colour_) {
        ++counts_[last_slot_];
        return;
    }
    size_t s = slot_of(colour);
    if (keys_[s] == kEmpty) {
        if ((size_ + 1) * 2 > keys_.size()) {
            grow();
            s = slot_of(colour);
        }
        keys_[s] = colour;
        ++size_;
    }
    ++counts_[s];
    last_colour_ = colour;
    last_slot_ = s;
}

std::vector<colour_histogram::entry> colour_histogram::entries() const
{
    std::vector<entry> out;
    out.reserve(size_);
    for (size_t i = 0; i < keys_.size(); ++i)
        if (keys_[i] != kEmpty)
            out.push_back({keys_[i], counts_[i]});
    std::sort(out.begin(), out.end(), [](const entry &a, const entry &b) {
        return a.count != b.count ? a.count > b.count : a.colour < b.colour;
    });
    return out;
}

void colour_histogram::set_value(uint32_t colour, int value)
{
    size_t s = slot_of(colour);
    if (keys_[s] == colour)
        values_[s] = value;
}

int colour_histogram::value(uint32_t colour) const
{
    size_t s = slot_of(colour);
    return keys_[s] == colour ? values_[s] : -1;
}

}  // namespace sheethost::render
