// From true colour to palette indexes; the method is described in quantizer.hpp.
#include "render/image/quantizer.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "render/image/colour_histogram.hpp"
#include "render/image/median_cut.hpp"
#include "render/image/palette_search.hpp"

namespace sheethost::render {

namespace {

constexpr size_t kMaxColours = 256;
// The quality the palette aims at. 42 dB is well above what the eye notices on a chart
// (and above the 38 dB the renderer promises) while leaving the palette small.
constexpr double kTargetPsnr = 42.0;
// Key colour candidates cover at least 0.02% of the picture (a thin series line
// or a marker colour does); at most this many keep an
// exact entry.
constexpr double kKeyShare = 0.0002;
constexpr size_t kMaxKeys = 32;
// The caller's own flat colours (series fills, legend keys, markers) keep exact
// entries when they cover this many pixels, up to kMaxKept of them: small shapes in a
// chart's own colours must come out in those colours, which frequency alone does not
// promise in a picture full of shaded faces.
constexpr uint32_t kKeptMinimum = 12;
constexpr size_t kMaxKept = 64;
// A frequent colour with two other frequent colours this close (3 levels per channel)
// is a step of a gradient, not a flat fill: it gets no exact entry of its own.
constexpr int kGradientNeighbour = 27;
// A colour is dithered only when its nearest entry is off by more than 2 levels per
// channel (squared distance over all three; below that, neighbouring bands of a
// gradient differ by less than the eye sees) and it lies in a smooth area: either it
// covers an area by itself, or its pixels sit next to a colour at most 3 levels per
// channel away (a gradient whose every colour is rare, e.g. one that changes both
// across and down). Anti-aliased edge pixels are neither: a dither there is invisible
// and only breaks the vertical repetition of edges that LZW profits from.
constexpr uint32_t kAreaPixels = 16;
constexpr int kVisibleError = 12;
constexpr int kSmoothStep = 27;
// The dither threshold depends on the row only (a 1-D ordered dither over 8 rows): the
// pixels of one colour in one row all get the same entry, so the runs LZW thrives on
// stay whole. A horizontal gradient alternates whole rows; a 2-D pattern would break
// every row into noise and cost several KB.
constexpr std::array<uint8_t, 8> kRowThreshold = {0, 8, 4, 12, 2, 10, 6, 14};  // of 16
// Colours on fewer pixels than this (the blends along anti-aliased edges: most of a
// chart's distinct colours, few of its pixels) enter the median cut pooled per cell of
// 4 levels a side, at the cell's weighted mean. The cut then weighs where their pixels
// lie at a fraction of the cost; each such colour still gets the entry nearest to it
// where its box's mean is visibly off. Only while such colours cover a small share of
// the picture, as edges do: a gradient whose every colour is rare (one changing both
// across and down) needs the full cut, or it shows bands.
constexpr uint32_t kRarePixels = 4;
constexpr double kMostPooled = 1.0 / 16;
constexpr int kPoolShift = 2;

int channel(rgb c, int i) { return static_cast<int>((c >> (16 - 8 * i)) & 0xFF); }

int distance(rgb a, rgb b)
{
    int d = 0;
    for (int i = 0; i < 3; ++i) {
        int x = channel(a, i) - channel(b, i);
        d += x * x;
    }
    return d;
}

struct colour_run {
    uint32_t id;      // colour id in the histogram
    uint32_t length;  // pixels, in raster order (a run may wrap to the next row)
};

// Two palette entries mixed by the row dither: `far` on the rows whose threshold is
// below `share` (of 16), `near` elsewhere, so that the rows average to the colour.
struct dither_pair {
    uint8_t near = 0, far = 0, share = 0;
};

dither_pair dither_between(rgb c, int near, const std::vector<rgb> &palette, const palette_search &search)
{
    rgb a = palette[static_cast<size_t>(near)];
    int mirrored[3];
    for (int i = 0; i < 3; ++i)
        mirrored[i] = std::clamp(2 * channel(c, i) - channel(a, i), 0, 255);
    int far = search.nearest(mirrored[0], mirrored[1], mirrored[2]).index;
    rgb b = palette[static_cast<size_t>(far)];
    double along = 0, length = 0;
    for (int i = 0; i < 3; ++i) {
        double ab = channel(b, i) - channel(a, i);
        along += (channel(c, i) - channel(a, i)) * ab;
        length += ab * ab;
    }
    dither_pair pair{static_cast<uint8_t>(near), static_cast<uint8_t>(far), 0};
    if (far != near && length > 0)
        pair.share = static_cast<uint8_t>(std::clamp(static_cast<int>(16 * along / length + 0.5), 0, 8));
    return pair;
}

// The key colours: the caller's flat colours that the picture shows on at least a few
// pixels, then the frequent colours that are not one step of a gradient. Ids, the
// caller's first, each part most frequent first.
std::vector<uint32_t> key_colours(const colour_histogram &histogram, size_t pixels, const std::vector<rgb> &keep)
{
    const std::vector<uint32_t> &colours = histogram.colours();
    const std::vector<uint32_t> &counts = histogram.counts();
    std::vector<uint32_t> candidates;
    for (uint32_t id = 0; id < colours.size(); ++id)
        if (counts[id] >= kKeyShare * static_cast<double>(pixels))
            candidates.push_back(id);
    // Gradient steps: candidates with two others close by. Sorted by green, a
    // colour's close neighbours are among the few that follow it within 5 levels
    // (27 > 5 * 5), so this stays linear however many steps a gradient has.
    std::sort(candidates.begin(), candidates.end(),
              [&](uint32_t a, uint32_t b) { return channel(colours[a], 1) < channel(colours[b], 1); });
    // A step has a neighbour on either side; a flat colour has at most one that
    // happens to be close (a bar face and its slightly lighter top, say).
    std::vector<uint8_t> neighbours(candidates.size(), 0);
    for (size_t i = 0; i < candidates.size(); ++i)
        for (size_t j = i + 1; j < candidates.size(); ++j) {
            int dg = channel(colours[candidates[j]], 1) - channel(colours[candidates[i]], 1);
            if (dg * dg > kGradientNeighbour)
                break;
            if (distance(colours[candidates[i]], colours[candidates[j]]) <= kGradientNeighbour) {
                neighbours[i] = static_cast<uint8_t>(std::min(neighbours[i] + 1, 2));
                neighbours[j] = static_cast<uint8_t>(std::min(neighbours[j] + 1, 2));
            }
        }
    auto by_count = [&](uint32_t a, uint32_t b) { return counts[a] != counts[b] ? counts[a] > counts[b] : a < b; };
    std::vector<uint32_t> keys;
    for (size_t i = 0; i < candidates.size(); ++i)
        if (neighbours[i] < 2)
            keys.push_back(candidates[i]);
    std::sort(keys.begin(), keys.end(), by_count);
    if (keys.size() > kMaxKeys)
        keys.resize(kMaxKeys);

    std::vector<rgb> wanted(keep);
    std::sort(wanted.begin(), wanted.end());
    std::vector<uint32_t> kept;
    for (uint32_t id = 0; id < colours.size(); ++id)
        if (counts[id] >= kKeptMinimum && std::binary_search(wanted.begin(), wanted.end(), colours[id]))
            kept.push_back(id);
    std::sort(kept.begin(), kept.end(), by_count);
    if (kept.size() > kMaxKept)
        kept.resize(kMaxKept);
    for (uint32_t id : keys)
        if (std::find(kept.begin(), kept.end(), id) == kept.end())
            kept.push_back(id);
    return kept;
}

// Where each colour id goes: entry_of[id] is its palette entry, or kMaxColours + n for
// the n-th dither pair (always used), or kWhenSmooth | n for one used only where the
// colour's run touches a nearly equal colour.
constexpr uint32_t kWhenSmooth = 0x80000000u;

struct colour_entries {
    std::vector<uint32_t> entry_of;
    std::vector<dither_pair> pairs;
    std::vector<uint8_t> fallback;  // per pair of the second kind: the plain entry
};

// One pass: the picture as runs of colour ids, and how often each colour occurs.
std::vector<colour_run> runs_of(const raster &picture, colour_histogram &histogram)
{
    size_t count = picture.pixels.size();
    std::vector<colour_run> runs;
    runs.reserve(count / 16 + 16);
    const uint32_t *px = picture.pixels.data();
    for (size_t i = 0; i < count;) {
        uint32_t word = px[i];
        size_t j = i + 1;
        // Two pixels per comparison: runs are long in the flat parts of a chart.
        const uint64_t pair = (static_cast<uint64_t>(word) << 32) | word;
        for (uint64_t two; j + 2 <= count; j += 2) {
            std::memcpy(&two, px + j, sizeof two);
            if (two != pair)
                break;
        }
        while (j < count && px[j] == word)
            ++j;
        runs.push_back({histogram.add(word & 0xFFFFFF, static_cast<uint32_t>(j - i)), static_cast<uint32_t>(j - i)});
        i = j;
    }
    return runs;
}

// What the median cut is given: colours on kRarePixels or more by themselves, rarer
// ones pooled per cell; input_of[k] is where rest colour k went.
struct cut_input {
    std::vector<weighted_colour> colours;
    std::vector<uint32_t> input_of;
};

cut_input pool_rare_colours(const std::vector<weighted_colour> &rest, size_t picture_pixels)
{
    constexpr int kCellBits = 8 - kPoolShift;
    struct pool {
        uint64_t pixels = 0, r = 0, g = 0, b = 0;
    };
    cut_input in;
    in.input_of.resize(rest.size());
    size_t rare_pixels = 0;
    for (const weighted_colour &w : rest)
        rare_pixels += w.pixels < kRarePixels ? w.pixels : 0;
    if (static_cast<double>(rare_pixels) > kMostPooled * static_cast<double>(picture_pixels)) {
        in.colours = rest;
        for (uint32_t k = 0; k < rest.size(); ++k)
            in.input_of[k] = k;
        return in;
    }
    // Cells are counted in a colour table of their own: cell ids are small dense numbers.
    colour_histogram cells;
    std::vector<pool> pools;
    std::vector<uint32_t> pooled;  // rest indexes waiting for their pool's final place
    for (uint32_t k = 0; k < rest.size(); ++k) {
        const weighted_colour &w = rest[k];
        if (w.pixels >= kRarePixels) {
            in.input_of[k] = static_cast<uint32_t>(in.colours.size());
            in.colours.push_back(w);
            continue;
        }
        uint32_t cell = ((w.colour >> (16 + kPoolShift)) << (2 * kCellBits)) |
                        (((w.colour >> (8 + kPoolShift)) & ((1u << kCellBits) - 1)) << kCellBits) |
                        ((w.colour & 0xFF) >> kPoolShift);
        uint32_t id = cells.add(cell, w.pixels);
        if (id == pools.size())
            pools.emplace_back();
        pool &p = pools[id];
        p.pixels += w.pixels;
        p.r += uint64_t{w.pixels} * channel(w.colour, 0);
        p.g += uint64_t{w.pixels} * channel(w.colour, 1);
        p.b += uint64_t{w.pixels} * channel(w.colour, 2);
        in.input_of[k] = id;
        pooled.push_back(k);
    }
    auto first_pool = static_cast<uint32_t>(in.colours.size());
    for (const pool &p : pools) {
        auto mean = [&](uint64_t sum) { return static_cast<rgb>((sum + p.pixels / 2) / p.pixels); };
        in.colours.push_back({(mean(p.r) << 16) | (mean(p.g) << 8) | mean(p.b), static_cast<uint32_t>(p.pixels)});
    }
    for (uint32_t k : pooled)
        in.input_of[k] += first_pool;
    return in;
}

// Which colours have a key colour within kVisibleError (3 levels per channel at most):
// one bit per cell of 4 levels a side, set around every key. A colour in an unmarked
// cell cannot be taken over by a key, so most colours skip the key search.
class near_keys {
public:
    explicit near_keys(const std::vector<rgb> &keys) : bits_(kCells / 64, 0)
    {
        constexpr int kReach = 3;  // one channel off by 4 alone is 16 > kVisibleError
        static_assert(kVisibleError < (kReach + 1) * (kReach + 1));
        for (rgb k : keys) {
            int lo[3], hi[3];
            for (int i = 0; i < 3; ++i) {
                lo[i] = std::max(channel(k, i) - kReach, 0) >> 2;
                hi[i] = std::min(channel(k, i) + kReach, 255) >> 2;
            }
            for (int r = lo[0]; r <= hi[0]; ++r)
                for (int g = lo[1]; g <= hi[1]; ++g)
                    for (int b = lo[2]; b <= hi[2]; ++b) {
                        size_t cell = (static_cast<size_t>(r) << 12) | (static_cast<size_t>(g) << 6) | static_cast<size_t>(b);
                        bits_[cell >> 6] |= uint64_t{1} << (cell & 63);
                    }
        }
    }
    bool maybe(rgb c) const
    {
        size_t cell = (static_cast<size_t>(channel(c, 0) >> 2) << 12) | (static_cast<size_t>(channel(c, 1) >> 2) << 6) |
                      static_cast<size_t>(channel(c, 2) >> 2);
        return (bits_[cell >> 6] >> (cell & 63)) & 1;
    }

private:
    static constexpr size_t kCells = size_t{1} << 18;
    std::vector<uint64_t> bits_;
};

// A colour goes to its box unless a key colour is nearer and nearly the same. A
// colour of a smooth area that neither matches closely is dithered.
void assign_entries(const std::vector<weighted_colour> &rest, const std::vector<uint32_t> &rest_ids, size_t keys,
                    const std::vector<uint16_t> &box_of, const std::vector<rgb> &palette, colour_entries &e)
{
    const std::vector<rgb> key_palette(palette.begin(), palette.begin() + static_cast<std::ptrdiff_t>(keys));
    palette_search key_search(key_palette);
    near_keys near(key_palette);
    palette_search full_search(palette);
    for (size_t k = 0; k < rest.size(); ++k) {
        rgb c = rest[k].colour;
        auto entry = static_cast<uint32_t>(keys + box_of[k]);
        int error = distance(c, palette[entry]);
        palette_search::match key = near.maybe(c) ? key_search.nearest(c) : palette_search::match{};
        // Only a close key takes over, so that a key colour's pixel count stays what
        // was painted: image checks count series colours exactly.
        if (key.index >= 0 && key.distance < error && key.distance <= kVisibleError) {
            entry = static_cast<uint32_t>(key.index);
            error = key.distance;
        }
        if (error > kVisibleError) {
            palette_search::match best = full_search.nearest(c);
            bool area = rest[k].pixels >= kAreaPixels;
            if (area)
                entry = static_cast<uint32_t>(best.index);
            if (best.distance > kVisibleError) {
                dither_pair pair = dither_between(c, best.index, palette, full_search);
                if (pair.share > 0) {
                    e.fallback.push_back(static_cast<uint8_t>(entry));
                    entry = static_cast<uint32_t>(area ? kMaxColours + e.pairs.size() : kWhenSmooth | e.pairs.size());
                    e.pairs.push_back(pair);
                }
            }
        }
        e.entry_of[rest_ids[k]] = entry;
    }
}

// More colours than entries: the key colours keep exact entries, the rest share the
// median cut's boxes, as few as the target PSNR allows.
void reduce_palette(const colour_histogram &histogram, size_t count, const std::vector<rgb> &keep, indexed_image &out,
                    colour_entries &e)
{
    const std::vector<uint32_t> &colours = histogram.colours();
    const std::vector<uint32_t> &counts = histogram.counts();
    constexpr uint32_t kUnset = 0xFFFFFFFFu;
    std::fill(e.entry_of.begin(), e.entry_of.end(), kUnset);
    std::vector<uint32_t> keys = key_colours(histogram, count, keep);
    for (uint32_t id : keys) {
        e.entry_of[id] = static_cast<uint32_t>(out.palette.size());
        out.palette.push_back(colours[id]);
    }
    std::vector<weighted_colour> rest;
    std::vector<uint32_t> rest_ids;
    rest.reserve(colours.size() - keys.size());
    rest_ids.reserve(colours.size() - keys.size());
    for (uint32_t id = 0; id < colours.size(); ++id)
        if (e.entry_of[id] == kUnset) {
            rest.push_back({colours[id], counts[id]});
            rest_ids.push_back(id);
        }
    // The squared error over all pixels and channels that the target PSNR allows.
    double error_allowed = 3.0 * static_cast<double>(count) * 255.0 * 255.0 / std::pow(10.0, kTargetPsnr / 10);
    cut_input input = pool_rare_colours(rest, count);
    colour_boxes boxes = median_cut(input.colours, kMaxColours - keys.size(), error_allowed);
    out.palette.insert(out.palette.end(), boxes.means.begin(), boxes.means.end());
    std::vector<uint16_t> box_of(rest.size());
    for (size_t k = 0; k < rest.size(); ++k)
        box_of[k] = boxes.box_of[input.input_of[k]];
    assign_entries(rest, rest_ids, keys.size(), box_of, out.palette, e);
}

// Writes `length` copies of `index` at dst[at]. Most runs are a few pixels long; one
// 8-byte store covers them where the buffer has room (the bytes it writes past the run
// belong to later runs, which are written after it).
inline void fill_run(uint8_t *dst, size_t at, size_t length, size_t size, uint8_t index)
{
    if (length <= 8 && at + 8 <= size) {
        uint64_t eight = 0x0101010101010101ull * index;
        std::memcpy(dst + at, &eight, sizeof eight);
    } else {
        std::memset(dst + at, index, length);
    }
}

// Runs become index runs; only dithered colours are looked at row by row.
void write_indexes(const std::vector<colour_run> &runs, const std::vector<uint32_t> &colours, const colour_entries &e,
                   size_t width, uint8_t *dst, size_t size)
{
    size_t at = 0;
    auto smooth = [&](size_t n) {
        rgb c = colours[runs[n].id];
        return (n > 0 && distance(colours[runs[n - 1].id], c) <= kSmoothStep) ||
               (n + 1 < runs.size() && distance(colours[runs[n + 1].id], c) <= kSmoothStep);
    };
    for (size_t n = 0; n < runs.size(); ++n) {
        const colour_run &r = runs[n];
        uint32_t entry = e.entry_of[r.id];
        if (entry & kWhenSmooth) {
            size_t p = entry & ~kWhenSmooth;
            entry = smooth(n) ? static_cast<uint32_t>(kMaxColours + p) : e.fallback[p];
        }
        if (entry < kMaxColours) {
            fill_run(dst, at, r.length, size, static_cast<uint8_t>(entry));
        } else {
            const dither_pair &pair = e.pairs[entry - kMaxColours];
            for (size_t k = at, end = at + r.length; k < end;) {
                size_t y = k / width, row_end = std::min(end, (y + 1) * width);
                std::memset(dst + k, kRowThreshold[y & 7] < pair.share ? pair.far : pair.near, row_end - k);
                k = row_end;
            }
        }
        at += r.length;
    }
}

}  // namespace

// Runs and histogram, the palette (exact, or reduced), then the indexes.
indexed_image quantize(const raster &picture, const std::vector<rgb> &keep)
{
    indexed_image out;
    out.width = picture.width;
    out.height = picture.height;
    size_t count = picture.pixels.size();
    out.pixels.resize(count);
    if (count == 0) {
        out.palette = {0xFFFFFF};
        out.exact = true;
        return out;
    }

    colour_histogram histogram;
    std::vector<colour_run> runs = runs_of(picture, histogram);
    const std::vector<uint32_t> &colours = histogram.colours();
    colour_entries e;
    e.entry_of.resize(colours.size());
    if (colours.size() <= kMaxColours) {
        out.exact = true;
        out.palette = colours;
        for (size_t id = 0; id < colours.size(); ++id)
            e.entry_of[id] = static_cast<uint32_t>(id);
    } else {
        reduce_palette(histogram, count, keep, out, e);
    }
    write_indexes(runs, colours, e, static_cast<size_t>(picture.width), out.pixels.data(), count);
    return out;
}

}  // namespace sheethost::render
