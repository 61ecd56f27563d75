// The font system: one pango font map for the process, made on first use and kept
// until the library is unloaded, so fontconfig's start-up and the glyph caches are
// paid for once, not per export. Fonts come from the private fontconfig configuration
// (font_config.hpp), requested faces mapped to DejaVu families (face_names.hpp).
//
// Text is measured and drawn at 72 "dpi" so that one pango unit is one point; the
// painter scales to 96 dpi itself. Metric hinting is off, so a line measures the same
// at every scale and rotation and the layout's measurements hold in the picture.
//
// Every line of text is shaped once: the shaped line (a pango layout and its extent)
// stays in a cache keyed by font and text, so the layout's measuring and the painter's
// drawing of the same tick label, and every later export of it, reuse one shaping.
//
// Pango's objects are not thread-safe, so every use holds one lock: the measurer
// takes it per measurement, the painter holds a font_session for a whole picture.
// (A font map per thread would avoid the lock, but thread-local objects with
// destructors keep a dlopen'ed library from ever unloading.)
#ifndef SHEETHOST_RENDER_PANGO_FONTS_HPP
#define SHEETHOST_RENDER_PANGO_FONTS_HPP

#include <pango/pangocairo.h>

#include <mutex>
#include <string>
#include <string_view>

#include "render/text_measurer.hpp"

namespace sheethost::render {

// One line of text shaped in one font.
struct shaped_line {
    PangoLayout *layout = nullptr;  // owned by the cache
    text_extent extent;
};

class font_session {
public:
    font_session();
    // The line shaped in font. The layout stays valid until this session's next call.
    shaped_line shape(std::string_view utf8, const font_spec &font) const;
    // The face fontconfig chose for font, as pango names it ("DejaVu Sans Bold 10").
    std::string chosen_face(const font_spec &font) const;
    // Whether the fonts come from the private configuration rather than the system's.
    bool uses_private_fonts() const;

private:
    std::unique_lock<std::mutex> lock_;
};

class pango_text_measurer final : public text_measurer {
public:
    text_extent measure(std::string_view utf8, const font_spec &font) const override;
};

}  // namespace sheethost::render

#endif
