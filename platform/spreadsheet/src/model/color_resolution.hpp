// Turning a chosen colour into 0xRRGGBB: a palette entry through the classic palette,
// an RGB as it is, an automatic colour as the part's own default.
#ifndef SHEETHOST_MODEL_COLOR_RESOLUTION_HPP
#define SHEETHOST_MODEL_COLOR_RESOLUTION_HPP

#include "model/classic_palette.hpp"
#include "model/format_state.hpp"

namespace sheethost::model {

// The classic grey of 3-D walls and floors (palette entry 15, "grey 25%").
inline constexpr rgb kAutomaticSurfaceColor = 0xC0C0C0;
// Automatic lines and text are black.
inline constexpr rgb kAutomaticLineColor = 0x000000;

inline rgb resolve_color(const color_state &c, rgb automatic)
{
    switch (c.type) {
    case color_state::kind::scheme:
        return classic_palette_color(c.scheme).value_or(automatic);
    case color_state::kind::rgb:
        return c.value;
    case color_state::kind::automatic:
        break;
    }
    return automatic;
}

}  // namespace sheethost::model

#endif
