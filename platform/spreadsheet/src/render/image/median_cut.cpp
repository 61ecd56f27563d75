// Variance-based median cut; see median_cut.hpp.
#include "render/image/median_cut.hpp"

#include <algorithm>
#include <array>
#include <optional>

namespace sheethost::render {

namespace {

int channel(rgb c, int i) { return static_cast<int>((c >> (16 - 8 * i)) & 0xFF); }

// A range of the shared order array and the moments of its colours. The moments are
// integers (pixels x level, pixels x level^2 stay far below 2^63), so the moments of
// one half of a split are exactly the whole's minus the other half's.
struct box {
    uint32_t begin = 0, end = 0;
    uint64_t population = 0;
    std::array<uint64_t, 3> sum{}, sum_sq{};
    double error = 0;  // population-weighted squared distance from the mean, all channels
    int widest = 0;    // the channel with the largest share of that error

    void measure(const std::vector<weighted_colour> &colours, const std::vector<uint32_t> &order)
    {
        population = 0;
        sum = {};
        sum_sq = {};
        for (uint32_t k = begin; k < end; ++k) {
            const weighted_colour &w = colours[order[k]];
            uint64_t n = w.pixels;
            population += n;
            for (int i = 0; i < 3; ++i) {
                auto v = static_cast<uint64_t>(channel(w.colour, i));
                sum[i] += n * v;
                sum_sq[i] += n * v * v;
            }
        }
        update_error();
    }

    // The moments of `whole` less those of `part`, which holds the rest of its colours.
    void take_rest(const box &whole, const box &part)
    {
        population = whole.population - part.population;
        for (int i = 0; i < 3; ++i) {
            sum[i] = whole.sum[i] - part.sum[i];
            sum_sq[i] = whole.sum_sq[i] - part.sum_sq[i];
        }
        update_error();
    }

    void update_error()
    {
        error = 0;
        double worst = -1;
        for (int i = 0; i < 3; ++i) {
            double s = static_cast<double>(sum[i]);
            double e = population > 0 ? static_cast<double>(sum_sq[i]) - s * s / static_cast<double>(population) : 0;
            error += e;
            if (e > worst) {
                worst = e;
                widest = i;
            }
        }
        if (end - begin < 2)
            error = 0;  // one colour: nothing to split
    }

    rgb mean() const
    {
        rgb out = 0;
        for (int i = 0; i < 3; ++i) {
            double m = population > 0 ? static_cast<double>(sum[i]) / static_cast<double>(population) : 0;
            out = (out << 8) | static_cast<rgb>(std::clamp(static_cast<int>(m + 0.5), 0, 255));
        }
        return out;
    }
};

// Splits b along its widest channel where the two halves keep the least error; the
// upper half is returned, b keeps the lower one. A box whose error is only rounding
// noise (one value in that channel) is marked unsplittable instead.
std::optional<box> split(box &b, const std::vector<weighted_colour> &colours, std::vector<uint32_t> &order)
{
    int c = b.widest;
    std::array<double, 256> count{}, sum{};  // per value of channel c
    for (uint32_t k = b.begin; k < b.end; ++k) {
        const weighted_colour &w = colours[order[k]];
        int v = channel(w.colour, c);
        count[v] += w.pixels;
        sum[v] += static_cast<double>(w.pixels) * v;
    }
    // Minimising the error left on both sides along one channel is maximising
    // sum_left^2 / n_left + sum_right^2 / n_right (the sum of squares is fixed).
    double n_left = 0, s_left = 0, best = -1;
    int cut = -1;
    for (int v = 0; v < 255; ++v) {
        n_left += count[v];
        s_left += sum[v];
        double n_right = static_cast<double>(b.population) - n_left, s_right = static_cast<double>(b.sum[c]) - s_left;
        if (n_left <= 0 || n_right <= 0)
            continue;
        double score = s_left * s_left / n_left + s_right * s_right / n_right;
        if (score > best) {
            best = score;
            cut = v;
        }
    }
    if (cut < 0) {
        b.error = 0;
        return std::nullopt;
    }
    auto first = order.begin() + b.begin, last = order.begin() + b.end;
    auto middle = std::partition(first, last, [&](uint32_t i) { return channel(colours[i].colour, c) <= cut; });
    box upper;
    upper.begin = static_cast<uint32_t>(middle - order.begin());
    upper.end = b.end;
    // Only the smaller half is summed again; the other is what is left of the whole.
    const box whole = b;
    b.end = upper.begin;
    if (b.end - b.begin <= upper.end - upper.begin) {
        b.measure(colours, order);
        upper.take_rest(whole, b);
    } else {
        upper.measure(colours, order);
        b.take_rest(whole, upper);
    }
    return upper;
}

}  // namespace

colour_boxes median_cut(const std::vector<weighted_colour> &colours, size_t boxes_wanted, double error_allowed)
{
    colour_boxes out;
    out.box_of.assign(colours.size(), 0);
    if (colours.empty() || boxes_wanted == 0)
        return out;
    std::vector<uint32_t> order(colours.size());
    for (uint32_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::vector<box> boxes(1);
    boxes[0].end = static_cast<uint32_t>(colours.size());
    boxes[0].measure(colours, order);
    boxes.reserve(boxes_wanted);
    while (boxes.size() < boxes_wanted) {
        auto worst = std::max_element(boxes.begin(), boxes.end(),
                                      [](const box &a, const box &b) { return a.error < b.error; });
        if (worst->error <= 0)
            break;  // every box holds one colour
        double total = 0;
        for (const box &b : boxes)
            total += b.error;
        if (total <= error_allowed)
            break;
        if (std::optional<box> upper = split(*worst, colours, order))
            boxes.push_back(*upper);
    }
    for (size_t b = 0; b < boxes.size(); ++b) {
        out.means.push_back(boxes[b].mean());
        for (uint32_t k = boxes[b].begin; k < boxes[b].end; ++k)
            out.box_of[order[k]] = static_cast<uint16_t>(b);
    }
    return out;
}

}  // namespace sheethost::render
