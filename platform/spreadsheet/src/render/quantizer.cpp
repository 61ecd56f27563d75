// Exact palettes and median cut with ordered dithering; see quantizer.hpp.
#include "render/quantizer.hpp"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "render/colour_histogram.hpp"

namespace sheethost::render {

namespace {

constexpr size_t kMaxColours = 256;
constexpr size_t kMaxExactKeys = 32;
constexpr double kKeyShare = 0.002;  // of all pixels
constexpr int kDitherAmplitude = 8;  // levels from the darkest to the brightest offset
// A weighted squared distance of 27 is about 1.5 levels in every channel: no band
// that close to its neighbour shows.
constexpr long kCloseEnough = 27;

constexpr std::array<std::array<int, 4>, 4> kBayer = {{{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}}};

int channel(uint32_t c, int i) { return static_cast<int>((c >> (16 - 8 * i)) & 0xFF); }

struct colour_box {
    std::vector<colour_histogram::entry> colours;
    uint64_t population = 0;
    int widest = 0;  // channel 0 red, 1 green, 2 blue
    int spread = 0;

    void measure()
    {
        population = 0;
        int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
        for (const auto &e : colours) {
            population += e.count;
            for (int i = 0; i < 3; ++i) {
                lo[i] = std::min(lo[i], channel(e.colour, i));
                hi[i] = std::max(hi[i], channel(e.colour, i));
            }
        }
        spread = -1;
        for (int i = 0; i < 3; ++i)
            if (hi[i] - lo[i] > spread) {
                spread = hi[i] - lo[i];
                widest = i;
            }
    }
    double score() const { return colours.size() < 2 ? -1 : static_cast<double>(spread) * static_cast<double>(population); }

    rgb mean() const
    {
        double sum[3] = {0, 0, 0};
        for (const auto &e : colours)
            for (int i = 0; i < 3; ++i)
                sum[i] += static_cast<double>(channel(e.colour, i)) * e.count;
        auto avg = [&](int i) { return static_cast<uint32_t>(sum[i] / static_cast<double>(population) + 0.5); };
        return (avg(0) << 16) | (avg(1) << 8) | avg(2);
    }
};

std::vector<rgb> median_cut(std::vector<colour_histogram::entry> colours, size_t boxes_wanted)
{
    std::vector<colour_box> boxes(1);
    boxes[0].colours = std::move(colours);
    boxes[0].measure();
    while (boxes.size() < boxes_wanted) {
        auto it = std::max_element(boxes.begin(), boxes.end(),
                                   [](const colour_box &a, const colour_box &b) { return a.score() < b.score(); });
        if (it->score() < 0)
            break;
        colour_box &box = *it;
        int c = box.widest;
        std::sort(box.colours.begin(), box.colours.end(),
                  [c](const auto &a, const auto &b) { return channel(a.colour, c) < channel(b.colour, c); });
        uint64_t half = box.population / 2, running = 0;
        size_t cut = 1;
        for (; cut < box.colours.size() - 1; ++cut) {
            running += box.colours[cut - 1].count;
            if (running >= half)
                break;
        }
        colour_box upper;
        upper.colours.assign(box.colours.begin() + static_cast<std::ptrdiff_t>(cut), box.colours.end());
        box.colours.resize(cut);
        box.measure();
        upper.measure();
        boxes.push_back(std::move(upper));
    }
    std::vector<rgb> out;
    for (const colour_box &b : boxes)
        out.push_back(b.mean());
    return out;
}

// Nearest-colour search over the palette, sorted by green so the search can start at
// the closest green and stop once green alone is farther than the best match.
class palette_search {
public:
    explicit palette_search(const std::vector<rgb> &palette)
    {
        for (size_t i = 0; i < palette.size(); ++i)
            entries_.push_back({channel(palette[i], 0), channel(palette[i], 1), channel(palette[i], 2),
                                static_cast<int>(i)});
        std::sort(entries_.begin(), entries_.end(), [](const entry &a, const entry &b) { return a.g < b.g; });
    }

    // The palette index nearest to (r, g, b), and the squared weighted distance.
    std::pair<int, long> nearest(int r, int g, int b) const
    {
        auto start = std::lower_bound(entries_.begin(), entries_.end(), g,
                                      [](const entry &e, int value) { return e.g < value; });
        long best = -1;
        int best_index = 0;
        auto consider = [&](const entry &e) {
            long dr = e.r - r, dg = e.g - g, db = e.b - b;
            long d = kRed * dr * dr + kGreen * dg * dg + kBlue * db * db;
            if (best < 0 || d < best) {
                best = d;
                best_index = e.index;
            }
        };
        auto up = start, down = start;
        while (up != entries_.end() || down != entries_.begin()) {
            if (up != entries_.end()) {
                long dg = up->g - g;
                if (best >= 0 && kGreen * dg * dg > best)
                    up = entries_.end();
                else
                    consider(*up++);
            }
            if (down != entries_.begin()) {
                long dg = std::prev(down)->g - g;
                if (best >= 0 && kGreen * dg * dg > best)
                    down = entries_.begin();
                else
                    consider(*--down);
            }
        }
        return {best_index, best};
    }

private:
    // Green weighs most in perceived brightness, blue least.
    static constexpr long kRed = 3, kGreen = 4, kBlue = 2;
    struct entry {
        int r, g, b, index;
    };
    std::vector<entry> entries_;
};

}  // namespace

indexed_image quantize(const raster &picture)
{
    indexed_image out;
    out.width = picture.width;
    out.height = picture.height;
    size_t count = picture.pixels.size();
    out.pixels.resize(count);

    colour_histogram histogram;
    for (uint32_t p : picture.pixels)
        histogram.add(p & 0xFFFFFF);
    std::vector<colour_histogram::entry> colours = histogram.entries();

    if (colours.size() <= kMaxColours) {
        out.exact = true;
        for (size_t i = 0; i < colours.size(); ++i) {
            out.palette.push_back(colours[i].colour);
            histogram.set_value(colours[i].colour, static_cast<int>(i));
        }
        uint32_t last = 0xFFFFFFFFu;
        uint8_t last_index = 0;
        for (size_t i = 0; i < count; ++i) {
            uint32_t c = picture.pixels[i] & 0xFFFFFF;
            if (c != last) {
                last = c;
                last_index = static_cast<uint8_t>(histogram.value(c));
            }
            out.pixels[i] = last_index;
        }
        return out;
    }

    // Key colours keep exact entries; the rest share the remaining ones.
    size_t keys = 0;
    while (keys < kMaxExactKeys && colours[keys].count >= kKeyShare * static_cast<double>(count))
        ++keys;
    for (size_t i = 0; i < keys; ++i) {
        out.palette.push_back(colours[i].colour);
        histogram.set_value(colours[i].colour, static_cast<int>(i));
    }
    std::vector<rgb> shared =
        median_cut(std::vector<colour_histogram::entry>(colours.begin() + static_cast<std::ptrdiff_t>(keys), colours.end()),
                   kMaxColours - keys);
    out.palette.insert(out.palette.end(), shared.begin(), shared.end());

    // Colours the palette already matches closely map directly; a dither there would
    // only add noise (and bytes). The rest are dithered.
    palette_search search(out.palette);
    for (size_t i = keys; i < colours.size(); ++i) {
        uint32_t c = colours[i].colour;
        auto [index, distance] = search.nearest(channel(c, 0), channel(c, 1), channel(c, 2));
        if (distance <= kCloseEnough)
            histogram.set_value(c, index);
    }
    std::unordered_map<uint32_t, uint8_t> chosen;
    uint32_t last = 0xFFFFFFFFu;  // runs of one colour are the rule: look each run up once
    int last_direct = -1;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            size_t i = static_cast<size_t>(y) * picture.width + x;
            uint32_t c = picture.pixels[i] & 0xFFFFFF;
            if (c != last) {
                last = c;
                last_direct = histogram.value(c);
            }
            int direct = last_direct;
            if (direct >= 0) {
                out.pixels[i] = static_cast<uint8_t>(direct);
                continue;
            }
            int offset = (kBayer[y & 3][x & 3] * kDitherAmplitude + kDitherAmplitude / 2) / 16 - kDitherAmplitude / 2;
            int r = std::clamp(channel(c, 0) + offset, 0, 255), g = std::clamp(channel(c, 1) + offset, 0, 255),
                b = std::clamp(channel(c, 2) + offset, 0, 255);
            uint32_t key = static_cast<uint32_t>((r << 16) | (g << 8) | b);
            auto it = chosen.find(key);
            if (it == chosen.end())
                it = chosen.emplace(key, static_cast<uint8_t>(search.nearest(r, g, b).first)).first;
            out.pixels[i] = it->second;
        }
    }
    return out;
}

}  // namespace sheethost::render
