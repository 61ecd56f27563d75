// The font system: one pango font map for the process, made on first use and kept
// until the library is unloaded, so fontconfig's start-up and the glyph caches are
// paid for once, not per export. The requested face ("Verdana") goes to fontconfig,
// which picks the closest installed face (DejaVu Sans on a stock Debian system).
//
// Text is measured and drawn at 72 "dpi" so that one pango unit is one point; the
// painter scales to 96 dpi itself. Metric hinting is off so a line measures the same
// at every scale and the layout's measurements hold in the picture.
//
// Pango's objects are not thread-safe, so every use holds one lock: the measurer
// takes it per measurement, the painter holds a font_session for a whole picture.
// (A font map per thread would avoid the lock, but thread-local objects with
// destructors keep a dlopen'ed library from ever unloading.)
#ifndef SHEETHOST_RENDER_PANGO_FONTS_HPP
#define SHEETHOST_RENDER_PANGO_FONTS_HPP

#include <pango/pangocairo.h>

#include <mutex>
#include <string_view>

#include "render/text_measurer.hpp"

namespace sheethost::render {

class font_session {
public:
    font_session();
    // The context to draw with (the painter updates it from its cairo context).
    PangoContext *painting_context() const;
    // A font description for font, owned by the font system's cache.
    const PangoFontDescription *description(const font_spec &font) const;

private:
    std::unique_lock<std::mutex> lock_;
};

class pango_text_measurer final : public text_measurer {
public:
    text_extent measure(std::string_view utf8, const font_spec &font) const override;
};

}  // namespace sheethost::render

#endif
