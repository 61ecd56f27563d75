// The renderer's error raising, kept clear of glib's headers.
#include "render/render_errors.hpp"

#include "host_errors.hpp"
#include "oleaut/utf.hpp"

namespace sheethost::render {

void raise_render_failed(std::string_view reason)
{
    raise_host_error(host_error::render_failed, oleaut::utf8_to_utf16(reason));
}

}  // namespace sheethost::render
