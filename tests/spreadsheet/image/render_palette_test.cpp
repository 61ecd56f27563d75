// The pieces of the palette: the colour counter, the median cut and the nearest-entry
// search, each against what can be computed the slow, obvious way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <random>

#include "render/image/colour_histogram.hpp"
#include "render/image/median_cut.hpp"
#include "render/image/palette_search.hpp"

namespace {

using namespace sheethost::render;

int squared(rgb a, rgb b)
{
    int d = 0;
    for (int shift : {0, 8, 16}) {
        int x = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        d += x * x;
    }
    return d;
}

TEST(ColourHistogram, CountsEveryColourAndKeepsIdsThroughGrowth)
{
    std::mt19937 random(7);
    std::map<uint32_t, uint32_t> expected;
    std::map<uint32_t, uint32_t> first_id;
    colour_histogram h;
    for (int i = 0; i < 50000; ++i) {
        uint32_t c = random() & 0x3F3F3F;  // up to 262144 colours, many repeats
        uint32_t n = 1 + random() % 3;
        uint32_t id = h.add(c, n);
        expected[c] += n;
        auto [it, inserted] = first_id.emplace(c, id);
        ASSERT_EQ(it->second, id) << "colour " << std::hex << c << " changed id";
        if (inserted) {
            ASSERT_EQ(id, first_id.size() - 1) << "ids are handed out in order";
        }
    }
    ASSERT_EQ(h.size(), expected.size());
    for (const auto &[colour, count] : expected) {
        uint32_t id = first_id[colour];
        EXPECT_EQ(h.colours()[id], colour);
        EXPECT_EQ(h.counts()[id], count);
    }
}

TEST(PaletteSearch, FindsTheSameDistanceAsTryingEveryEntry)
{
    std::mt19937 random(11);
    for (size_t size : {1u, 2u, 7u, 64u, 256u}) {
        std::vector<rgb> palette;
        for (size_t i = 0; i < size; ++i)
            palette.push_back(random() & 0xFFFFFF);
        palette_search search(palette);
        for (int probe = 0; probe < 2000; ++probe) {
            rgb c = random() & 0xFFFFFF;
            int best = INT32_MAX;
            for (rgb p : palette)
                best = std::min(best, squared(c, p));
            palette_search::match m = search.nearest(c);
            ASSERT_GE(m.index, 0);
            EXPECT_EQ(m.distance, best) << "palette of " << size;
            EXPECT_EQ(squared(c, palette[static_cast<size_t>(m.index)]), best);
        }
    }
}

// Equal distances go to the lowest palette index, wherever the entries lie in the cube
// and however many queries filled the cells before.
TEST(PaletteSearch, TiesGoToTheLowestIndex)
{
    struct tie_case {
        std::vector<rgb> palette;
        rgb probe;
        int expected;
    };
    const tie_case cases[] = {
        {{0x000000, 0x000002}, 0x000001, 0},
        {{0x000002, 0x000000}, 0x000001, 0},
        {{0x404040, 0x404040}, 0x404041, 0},
        {{0xFF0000, 0x00FF00, 0x808000}, 0x808000, 2},
        {{0x3F3F3F, 0x414141, 0x3F3F3F}, 0x404040, 0},  // across a cell boundary
        {{0x10FF10, 0x0FFF0F, 0x11FF11}, 0x10FF10, 0},
    };
    for (const tie_case &c : cases) {
        palette_search search(c.palette);
        search.nearest(0x000000);  // an earlier query in another cell
        EXPECT_EQ(search.nearest(c.probe).index, c.expected) << std::hex << c.probe;
    }
}

// Only the entries from `first` on take part, and their indexes stay the palette's.
TEST(PaletteSearch, SearchesOnlyFromTheFirstEntryGiven)
{
    palette_search search({0x000000, 0xFF0000, 0x0000FF}, 1);
    EXPECT_EQ(search.nearest(0x000000).index, 1);
    EXPECT_EQ(search.nearest(0x000010).index, 2);
}

TEST(PaletteSearch, AnEmptyPaletteMatchesNothing)
{
    EXPECT_EQ(palette_search({}).nearest(0x123456).index, -1);
}

// Colours spread around a few centres: the cut must find the clusters, and each box
// colour must be its cluster's population-weighted mean.
TEST(MedianCut, SeparatesClustersIntoTheirWeightedMeans)
{
    struct cluster {
        rgb centre;
        uint32_t weight;
    };
    const cluster clusters[] = {{0x204080, 10}, {0xE0C020, 3}, {0x30D060, 7}, {0xF0F0F0, 1}};
    std::vector<weighted_colour> colours;
    for (const cluster &c : clusters)
        for (int d : {-2, 0, 2})
            colours.push_back({static_cast<rgb>(c.centre + d * 0x010101), c.weight * static_cast<uint32_t>(3 + d)});
    colour_boxes boxes = median_cut(colours, 4);
    ASSERT_EQ(boxes.means.size(), 4u);
    for (size_t k = 0; k < colours.size(); ++k) {
        rgb centre = clusters[k / 3].centre;
        // Weights 1, 3, 5 for -2, 0, +2: the mean lies 0.5 above the centre.
        EXPECT_LE(squared(boxes.means[boxes.box_of[k]], centre), 3) << "colour " << k;
        EXPECT_EQ(boxes.box_of[k], boxes.box_of[k - k % 3]) << "a cluster was split";
    }
}

TEST(MedianCut, GivesEveryColourItsOwnBoxWhenThereAreEnough)
{
    std::vector<weighted_colour> colours = {{0x000000, 5}, {0x808080, 1}, {0xFFFFFF, 9}, {0xFF0000, 2}};
    colour_boxes boxes = median_cut(colours, 10);
    ASSERT_EQ(boxes.means.size(), colours.size());
    for (size_t k = 0; k < colours.size(); ++k)
        EXPECT_EQ(boxes.means[boxes.box_of[k]], colours[k].colour);
}

TEST(MedianCut, StopsOnceTheErrorIsSmallEnough)
{
    // A grey ramp: each split halves the error, so a generous allowance stops early
    // and a strict one uses every box.
    std::vector<weighted_colour> colours;
    for (uint32_t v = 0; v < 256; ++v)
        colours.push_back({v * 0x010101u, 10});
    colour_boxes strict = median_cut(colours, 64, 0);
    colour_boxes loose = median_cut(colours, 64, 1e6);
    EXPECT_EQ(strict.means.size(), 64u);
    EXPECT_LT(loose.means.size(), 16u);
    double error = 0;
    for (size_t k = 0; k < colours.size(); ++k)
        error += colours[k].pixels * static_cast<double>(squared(colours[k].colour, loose.means[loose.box_of[k]]));
    EXPECT_LE(error, 1e6 * 1.01);  // the mean of each box rounds to whole levels
}

}  // namespace
