// The GIF encoder's own LZW: for every palette size (code sizes 2 to 8) and for
// pictures that are all runs, all noise (the string table fills and restarts many
// times), stripes, a single pixel, a single column and runs longer than a row,
// giflib's decoder reads back exactly the indexes.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "render/image/image_encoders.hpp"
#include "render/image/quantizer.hpp"
#include "render_test_gif.h"

namespace {

using namespace sheethost::render;

struct picture_case {
    const char *name;
    int width, height;
    // The index at (x, y) for a palette of `colours` entries.
    uint8_t (*index)(int x, int y, int colours, std::mt19937 &random);
};

const picture_case kPictures[] = {
    {"one_pixel", 1, 1, [](int, int, int, std::mt19937 &) -> uint8_t { return 0; }},
    {"runs", 300, 40, [](int x, int y, int colours, std::mt19937 &) { return static_cast<uint8_t>((x / 37 + y / 5) % colours); }},
    {"noise", 400, 300, [](int, int, int colours, std::mt19937 &random) {
         return static_cast<uint8_t>(random() % static_cast<unsigned>(colours));
     }},
    {"stripes", 97, 61, [](int x, int y, int colours, std::mt19937 &) { return static_cast<uint8_t>((x + 3 * y) % colours); }},
    {"last_entry_only", 50, 50, [](int, int, int colours, std::mt19937 &) { return static_cast<uint8_t>(colours - 1); }},
    {"one_column", 1, 700, [](int, int y, int colours, std::mt19937 &) { return static_cast<uint8_t>((y / 9) % colours); }},
    {"runs_longer_than_rows", 997, 120, [](int x, int y, int colours, std::mt19937 &) {
         return static_cast<uint8_t>((x + y * 997) / 5000 % colours);
     }},
};

class LzwRoundTrip : public testing::TestWithParam<std::tuple<picture_case, int>> {};

TEST_P(LzwRoundTrip, DecodesToTheSameIndexes)
{
    const auto &[picture, colours] = GetParam();
    std::mt19937 random(12345);
    indexed_image image;
    image.width = picture.width;
    image.height = picture.height;
    for (int i = 0; i < colours; ++i)
        image.palette.push_back(static_cast<rgb>(i * 0x010101 ^ 0x123456));
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            image.pixels.push_back(picture.index(x, y, colours, random));
    render_test::decoded_image d = render_test::decode_gif(encode_gif(image));
    ASSERT_EQ(d.width, picture.width);
    ASSERT_EQ(d.height, picture.height);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        ASSERT_EQ(d.pixels[i], image.palette[image.pixels[i]]) << "pixel " << i;
}

INSTANTIATE_TEST_SUITE_P(PicturesAndPaletteSizes, LzwRoundTrip,
                         testing::Combine(testing::ValuesIn(kPictures), testing::Values(1, 2, 3, 4, 16, 17, 128, 256)),
                         [](const testing::TestParamInfo<std::tuple<picture_case, int>> &info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::to_string(std::get<1>(info.param)) + "_colours";
                         });

TEST(GifEncoderInput, RefusesAnIndexBeyondThePalette)
{
    indexed_image image;
    image.width = 2;
    image.height = 1;
    image.palette = {0xFFFFFF, 0x000000, 0xFF0000};
    image.pixels = {0, 3};
    EXPECT_ANY_THROW(encode_gif(image));
}

TEST(GifEncoderInput, RefusesPixelsThatDoNotFillThePicture)
{
    indexed_image image;
    image.width = 2;
    image.height = 2;
    image.palette = {0xFFFFFF};
    image.pixels = {0, 0, 0};
    EXPECT_ANY_THROW(encode_gif(image));
}

}  // namespace
