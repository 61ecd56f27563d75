// lzw_compress byte for byte against a plain GIF LZW coder (one map lookup per index,
// one byte written at a time, the same clear when the table is full): the fast paths
// for runs, the 32-bit code writer and the sub-block cutting must change nothing, not
// even the size. Cases aim at their edges: runs shorter, equal to and longer than the
// longest run string known, runs that end the input, streams of exactly one sub-block,
// table-full restarts, and every short sequence of two indexes.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <utility>

#include "render/image/lzw_encoder.hpp"

namespace {

using sheethost::render::lzw_compress;

std::vector<uint8_t> plain_lzw(const std::vector<uint8_t> &in, int min_code_size)
{
    std::map<std::pair<uint32_t, uint8_t>, uint32_t> table;
    const uint32_t clear = 1u << min_code_size, end = clear + 1;
    uint32_t next = end + 1;
    int width = min_code_size + 1;
    std::vector<uint8_t> stream;
    uint32_t bits = 0;
    int filled = 0;
    auto emit = [&](uint32_t code) {
        bits |= code << filled;
        for (filled += width; filled >= 8; filled -= 8, bits >>= 8)
            stream.push_back(static_cast<uint8_t>(bits));
        if (next >= (1u << width) && width < 12)
            ++width;
    };
    emit(clear);
    for (size_t i = 1, prefix = in.empty() ? 0 : in[0]; i <= in.size(); ++i) {
        auto found = i < in.size() ? table.find({prefix, in[i]}) : table.end();
        if (found != table.end()) {
            prefix = found->second;
            continue;
        }
        emit(static_cast<uint32_t>(prefix));
        if (i == in.size())
            break;
        if (next == 4095) {
            emit(clear);
            table.clear();
            width = min_code_size + 1;
            next = end + 1;
        } else {
            table[{static_cast<uint32_t>(prefix), in[i]}] = next++;
        }
        prefix = in[i];
    }
    emit(end);
    if (filled > 0)
        stream.push_back(static_cast<uint8_t>(bits));
    std::vector<uint8_t> blocks;
    for (size_t at = 0; at < stream.size(); at += 255) {
        size_t n = std::min<size_t>(255, stream.size() - at);
        blocks.push_back(static_cast<uint8_t>(n));
        blocks.insert(blocks.end(), stream.begin() + static_cast<std::ptrdiff_t>(at),
                      stream.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    blocks.push_back(0);
    return blocks;
}

// Runs of random colours (below `colours`) with lengths from 1 to max_run.
std::vector<uint8_t> runs(size_t count, int colours, size_t max_run, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<uint8_t> out;
    while (out.size() < count) {
        auto colour = static_cast<uint8_t>(random() % static_cast<unsigned>(colours));
        out.insert(out.end(), std::min(count - out.size(), 1 + random() % max_run), colour);
    }
    return out;
}

// Consecutive pairs that do not repeat for 32768 indexes (steps of an odd size, a new
// one every 256), so nearly every match is one index long: the most codes, and the
// most clear codes, a picture of this size can make.
std::vector<uint8_t> pairs_never_repeating(size_t count)
{
    std::vector<uint8_t> out(count);
    for (size_t k = 0; k < count; ++k)
        out[k] = static_cast<uint8_t>((2 * (k / 256 % 128) + 1) * (k % 256));
    return out;
}

std::vector<uint8_t> joined(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> out;
    for (const auto &p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

struct stream_case {
    const char *name;
    int min_code_size;
    std::vector<uint8_t> indexes;
};

std::vector<stream_case> cases()
{
    using v = std::vector<uint8_t>;
    return {
        {"empty", 2, {}},
        {"one_index", 2, {3}},
        {"two_equal", 8, {255, 255}},
        // Runs grow the run strings to 5, then one that ends the input just short of,
        // at, and just past the longest known.
        {"run_ends_short_of_longest", 2, joined({v(15, 0), {1}, v(4, 0)})},
        {"run_ends_at_longest", 2, joined({v(15, 0), {1}, v(5, 0)})},
        {"run_ends_past_longest", 2, joined({v(15, 0), {1}, v(6, 0)})},
        {"runs_across_word_edges", 3, runs(5000, 5, 17, 1)},
        {"one_colour_many_runs", 2, v(400000, 2)},
        {"long_runs_16_colours_restarting", 4, runs(600000, 16, 3000, 2)},
        {"short_runs_91_colours", 7, runs(200000, 91, 12, 3)},
        {"noise_2_colours", 2, runs(100000, 2, 1, 4)},
        {"noise_4_colours", 2, runs(100000, 4, 1, 5)},
        {"noise_16_colours", 4, runs(100000, 16, 1, 6)},
        {"noise_256_colours", 8, runs(100000, 256, 1, 7)},
        {"one_index_matches_256_colours", 8, pairs_never_repeating(1200000)},
        {"column_of_stripes", 2, runs(700, 3, 2, 8)},
    };
}

void PrintTo(const stream_case &c, std::ostream *os) { *os << c.name; }

class LzwStream : public testing::TestWithParam<stream_case> {};

TEST_P(LzwStream, MatchesThePlainCoderByteForByte)
{
    const stream_case &c = GetParam();
    EXPECT_EQ(lzw_compress(c.indexes.data(), c.indexes.size(), c.min_code_size), plain_lzw(c.indexes, c.min_code_size));
}

INSTANTIATE_TEST_SUITE_P(Pictures, LzwStream, testing::ValuesIn(cases()),
                         [](const testing::TestParamInfo<stream_case> &info) { return std::string(info.param.name); });

TEST(LzwStreamShort, EverySequenceOfUpToTwelveOfTwoIndexes)
{
    for (size_t length = 0; length <= 12; ++length)
        for (uint32_t pattern = 0; pattern < (1u << length); ++pattern) {
            std::vector<uint8_t> in(length);
            for (size_t i = 0; i < length; ++i)
                in[i] = static_cast<uint8_t>((pattern >> i) & 1);
            ASSERT_EQ(lzw_compress(in.data(), in.size(), 2), plain_lzw(in, 2)) << "length " << length << " pattern " << pattern;
        }
}

// Data that fills its last sub-block exactly, and one byte past it: the blocks are cut at
// 255 bytes and only the zero-length block follows.
TEST(LzwStreamShort, StreamsEndingAtASubBlockEdge)
{
    int exact = 0;
    for (size_t count = 1; count < 2000; ++count) {
        std::vector<uint8_t> in = runs(count, 256, 1, static_cast<unsigned>(count));
        std::vector<uint8_t> expected = plain_lzw(in, 8);
        ASSERT_EQ(lzw_compress(in.data(), in.size(), 8), expected) << count << " indexes";
        exact += (expected.size() - 1) % 256 == 0;
    }
    EXPECT_GT(exact, 0);  // the sweep did reach a stream of whole blocks
}

}  // namespace
