// The font system: one pango font map per thread, made on first use and kept, so
// fontconfig's start-up and the glyph caches are paid for once, not per export. The
// requested face ("Verdana") goes to fontconfig, which picks the closest installed
// face (DejaVu Sans on a stock Debian system).
//
// Text is measured and drawn at 72 "dpi" so that one pango unit is one point; the
// painter scales to 96 dpi itself. Metric hinting is off so a line measures the same
// at every scale and the layout's measurements hold in the picture.
#ifndef SHEETHOST_RENDER_PANGO_FONTS_HPP
#define SHEETHOST_RENDER_PANGO_FONTS_HPP

#include <pango/pangocairo.h>

#include <string_view>

#include "render/text_measurer.hpp"

namespace sheethost::render {

// This thread's context for measuring (identity transform) and for painting (the
// painter updates it from its cairo context).
PangoContext *measuring_context();
PangoContext *painting_context();

// A font description for spec, owned by the thread's cache.
const PangoFontDescription *font_description(const font_spec &spec);

class pango_text_measurer final : public text_measurer {
public:
    text_extent measure(std::string_view utf8, const font_spec &font) const override;
};

}  // namespace sheethost::render

#endif
