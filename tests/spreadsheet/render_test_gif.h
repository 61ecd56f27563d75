// Reading images back in image tests: GIFs through giflib's decoder (DGifSlurp).
#ifndef TESTS_SPREADSHEET_RENDER_TEST_GIF_H
#define TESTS_SPREADSHEET_RENDER_TEST_GIF_H

#include <gif_lib.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace render_test {

struct decoded_image {
    int width = 0;
    int height = 0;
    int palette_size = 0;
    std::vector<uint32_t> pixels;  // 0xRRGGBB

    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

inline std::vector<uint8_t> read_bytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline decoded_image decode_gif(const std::vector<uint8_t> &bytes)
{
    struct cursor {
        const std::vector<uint8_t> *data;
        size_t at;
    } c{&bytes, 0};
    auto read = [](GifFileType *gif, GifByteType *out, int n) -> int {
        auto *cur = static_cast<cursor *>(gif->UserData);
        size_t take = std::min(static_cast<size_t>(n), cur->data->size() - cur->at);
        std::memcpy(out, cur->data->data() + cur->at, take);
        cur->at += take;
        return static_cast<int>(take);
    };
    int error = 0;
    GifFileType *gif = DGifOpen(&c, read, &error);
    if (!gif)
        throw std::runtime_error(std::string("DGifOpen: ") + GifErrorString(error));
    if (DGifSlurp(gif) != GIF_OK || gif->ImageCount < 1) {
        std::string why = GifErrorString(gif->Error);
        DGifCloseFile(gif, &error);
        throw std::runtime_error("DGifSlurp: " + why);
    }
    decoded_image img;
    img.width = gif->SWidth;
    img.height = gif->SHeight;
    const SavedImage &frame = gif->SavedImages[0];
    const ColorMapObject *map = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
    img.palette_size = map ? map->ColorCount : 0;
    img.pixels.resize(static_cast<size_t>(img.width) * img.height);
    for (size_t i = 0; i < img.pixels.size(); ++i) {
        const GifColorType &col = map->Colors[frame.RasterBits[i]];
        img.pixels[i] = (uint32_t(col.Red) << 16) | (uint32_t(col.Green) << 8) | col.Blue;
    }
    DGifCloseFile(gif, &error);
    return img;
}

}  // namespace render_test

#endif
