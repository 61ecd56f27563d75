// GIF through giflib's encoder with an output function that appends to a vector, so
// nothing touches the disk until the whole image exists. The colour map is the
// smallest power of two that holds the palette, which keeps small pictures small.
#include <gif_lib.h>

#include <string>

#include "render/render_errors.hpp"
#include "render/image_encoders.hpp"

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

}  // namespace

std::vector<uint8_t> encode_gif(const indexed_image &image)
{
    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(image.width) * image.height / 4 + 1024);
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
    if (EGifPutImageDesc(gif, 0, 0, image.width, image.height, false, nullptr) == GIF_ERROR)
        gif_failed(gif->Error);
    // The pixel buffer is not modified; giflib's interface just lacks const.
    auto *pixels = const_cast<GifPixelType *>(image.pixels.data());
    for (int y = 0; y < image.height; ++y)
        if (EGifPutLine(gif, pixels + static_cast<size_t>(y) * image.width, image.width) == GIF_ERROR)
            gif_failed(gif->Error);
    closer.gif = nullptr;
    if (EGifCloseFile(gif, &error) == GIF_ERROR)
        gif_failed(error);
    return out;
}

}  // namespace sheethost::render
