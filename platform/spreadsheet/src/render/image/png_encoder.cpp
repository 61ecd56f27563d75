// PNG through cairo's stream writer, straight from the painted pixels.
#include <cairo.h>

#include <memory>

#include <string>

#include "render/render_errors.hpp"
#include "render/image/image_encoders.hpp"

namespace sheethost::render {

namespace {

cairo_status_t append_bytes(void *closure, const unsigned char *data, unsigned int length)
{
    auto *out = static_cast<std::vector<uint8_t> *>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

struct surface_deleter {
    void operator()(cairo_surface_t *s) const { cairo_surface_destroy(s); }
};

}  // namespace

std::vector<uint8_t> encode_png(const raster &picture)
{
    // cairo only reads the pixels; its interface has no const variant.
    auto *data = reinterpret_cast<unsigned char *>(const_cast<uint32_t *>(picture.pixels.data()));
    std::unique_ptr<cairo_surface_t, surface_deleter> surface(cairo_image_surface_create_for_data(
        data, CAIRO_FORMAT_RGB24, picture.width, picture.height, picture.width * 4));
    std::vector<uint8_t> out;
    cairo_status_t status = cairo_surface_status(surface.get());
    if (status == CAIRO_STATUS_SUCCESS)
        status = cairo_surface_write_to_png_stream(surface.get(), append_bytes, &out);
    if (status != CAIRO_STATUS_SUCCESS)
        raise_render_failed(std::string("the PNG encoder failed: ") + cairo_status_to_string(status));
    return out;
}

}  // namespace sheethost::render
