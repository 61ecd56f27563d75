// The formatting parts a chart is made of, as plain data: colours, fonts, borders,
// fills and text blocks. Defaults are those of a new chart in the classic host.
// Codes are the host's own constants (xlThin, msoGradientHorizontal, ...).
#ifndef SHEETHOST_MODEL_FORMAT_STATE_HPP
#define SHEETHOST_MODEL_FORMAT_STATE_HPP

#include <string>

#include "model/classic_palette.hpp"

namespace sheethost::model {

// A colour as it was chosen: automatic (the host picks), a palette entry, or an RGB.
struct color_state {
    enum class kind { automatic, scheme, rgb } type = kind::automatic;
    int scheme = 0;  // palette index 1..56 when type is scheme
    rgb value = 0;   // 0xRRGGBB when type is rgb
};

struct font_state {
    std::u16string name = u"Arial";
    double size = 10;  // points
    bool bold = false;
    bool italic = false;
};

struct border_state {
    int weight = 2;      // xlThin
    int line_style = 1;  // xlContinuous; xlLineStyleNone (-4142) hides the border
    color_state color;
};

struct fill_state {
    enum class kind { automatic, solid, one_color_gradient, preset_gradient } type = kind::automatic;
    color_state fore;
    int gradient_style = 1;    // msoGradientHorizontal
    int gradient_variant = 1;  // 1..4
    float gradient_degree = 0; // 0 darkest .. 1 lightest, a Single as the host keeps it
    int preset = 0;            // msoPresetGradientType 1..24 when type is preset_gradient
};

// A title: whether it is shown, its text, font and placement.
struct text_state {
    bool visible = false;
    std::u16string text;
    font_state font;
    int horizontal_alignment = -4108;  // xlCenter
    int vertical_alignment = -4108;    // xlCenter
    int orientation = -4128;           // xlHorizontal
};

struct surface_state {
    border_state border;
    fill_state fill;
};

}  // namespace sheethost::model

#endif
