// GIF through giflib with an output function that appends to a vector, so nothing
// touches the disk until the whole image exists. giflib writes the screen and image
// descriptors and the colour map; the image data is compressed by lzw_compress (far
// faster than giflib's per-pixel hash lookups), already cut into sub-blocks, and handed
// to giflib block by block. The colour map is the smallest power of two that holds the
// palette: fewer bits per index make shorter codes.
#include <gif_lib.h>

#include <algorithm>
#include <string>

#include "render/image/image_encoders.hpp"
#include "render/image/lzw_encoder.hpp"
#include "render/render_errors.hpp"

namespace sheethost::render {

namespace {

int append_bytes(GifFileType *gif, const GifByteType *bytes, int length)
{
    auto *out = static_cast<std::vector<uint8_t> *>(gif->UserData);
    out->insert(out->end(), bytes, bytes + length);
    return length;
}

[[noreturn]] void gif_failed(int code)
{
    const char *text = GifErrorString(code);
    raise_render_failed(std::string("the GIF encoder failed: ") + (text ? text : "unknown giflib error"));
}

// Closes the encoder (which frees it) on every path out.
struct gif_closer {
    GifFileType *gif = nullptr;
    ~gif_closer()
    {
        if (gif) {
            int ignored_on_failure_path;
            EGifCloseFile(gif, &ignored_on_failure_path);
        }
    }
};

// lzw_compress writes the image data as GIF sub-blocks, each led by its length, in the
// form giflib's EGifPutCode/EGifPutCodeNext take them: they go to giflib where they lie.
void put_code_blocks(GifFileType *gif, int code_size, const std::vector<uint8_t> &blocks)
{
    for (size_t at = 0; at < blocks.size() && blocks[at] != 0; at += 1 + blocks[at]) {
        int status = at == 0 ? EGifPutCode(gif, code_size, &blocks[at]) : EGifPutCodeNext(gif, &blocks[at]);
        if (status == GIF_ERROR)
            gif_failed(gif->Error);
    }
    if (EGifPutCodeNext(gif, nullptr) == GIF_ERROR)  // the zero-length terminator block
        gif_failed(gif->Error);
}

// The largest index, written as sixteen running maxima over plain pointers so that the
// compiler keeps them in one vector register: under a tenth of std::max_element's
// instructions on a chart.
uint8_t largest_index(const std::vector<uint8_t> &pixels)
{
    constexpr size_t kLanes = 16;
    const uint8_t *p = pixels.data();
    const size_t n = pixels.size();
    uint8_t lane[kLanes] = {};
    size_t i = 0;
    for (; i + kLanes <= n; i += kLanes)
        for (size_t k = 0; k < kLanes; ++k)
            lane[k] = p[i + k] > lane[k] ? p[i + k] : lane[k];
    uint8_t largest = *std::max_element(lane, lane + kLanes);
    for (; i < n; ++i)
        largest = std::max(largest, p[i]);
    return largest;
}

}  // namespace

std::vector<uint8_t> encode_gif(const indexed_image &image)
{
    if (image.palette.empty() || image.palette.size() > 256 ||
        image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
        raise_render_failed("the GIF encoder was given an inconsistent indexed image (palette of " +
                            std::to_string(image.palette.size()) + " colours, " + std::to_string(image.pixels.size()) +
                            " indexes for " + std::to_string(image.width) + " x " + std::to_string(image.height) + ")");
    if (largest_index(image.pixels) >= image.palette.size())
        raise_render_failed("the GIF encoder was given a pixel index beyond its palette of " +
                            std::to_string(image.palette.size()) + " colours");
    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(image.width) * image.height / 8 + 1024);
    int error = 0;
    gif_closer closer{EGifOpen(&out, append_bytes, &error)};
    if (!closer.gif)
        gif_failed(error);
    GifFileType *gif = closer.gif;

    int bits = 1;
    while ((1 << bits) < static_cast<int>(image.palette.size()))
        ++bits;
    ColorMapObject *map = GifMakeMapObject(1 << bits, nullptr);
    if (!map)
        gif_failed(E_GIF_ERR_NOT_ENOUGH_MEM);
    for (int i = 0; i < map->ColorCount; ++i) {
        rgb c = i < static_cast<int>(image.palette.size()) ? image.palette[i] : 0;
        map->Colors[i] = {static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                          static_cast<GifByteType>(c)};
    }
    EGifSetGifVersion(gif, true);
    int status = EGifPutScreenDesc(gif, image.width, image.height, bits, 0, map);
    GifFreeMapObject(map);  // giflib keeps its own copy
    if (status == GIF_ERROR)
        gif_failed(gif->Error);
    // giflib writes the LZW minimum code size itself: the colour map's bits, at least 2.
    if (EGifPutImageDesc(gif, 0, 0, image.width, image.height, false, nullptr) == GIF_ERROR)
        gif_failed(gif->Error);
    int code_size = std::max(2, bits);
    put_code_blocks(gif, code_size, lzw_compress(image.pixels.data(), image.pixels.size(), code_size));
    closer.gif = nullptr;
    if (EGifCloseFile(gif, &error) == GIF_ERROR)
        gif_failed(error);
    return out;
}

}  // namespace sheethost::render
