// Border strokes. Dash lengths scale with the line width so a thick dashed border
// keeps the proportions of a thin one.
#include "render/style/stroke_style.hpp"

#include <algorithm>

namespace sheethost::render {

namespace {

enum line_style {
    continuous = 1,
    dash = -4115,
    dot = -4118,
    dash_dot = 4,
    dash_dot_dot = 5,
    slant_dash_dot = 13,
    line_none = -4142,
};

enum weight { hairline = 1, thin = 2, medium = -4138, thick = 4 };

}  // namespace

double border_width(int w)
{
    switch (w) {
    case hairline:
        return 0.5;
    case medium:
        return 1.5;
    case thick:
        return 2.25;
    case thin:
    default:
        return 0.75;
    }
}

std::optional<stroke> stroke_for(const border_spec &border, rgb automatic)
{
    if (!border.visible || border.line_style == line_none)
        return std::nullopt;
    stroke s;
    s.width = border_width(border.weight);
    s.colour = border.color.value_or(automatic);
    double u = std::max(s.width, 0.75);
    switch (border.line_style) {
    case dash:
        s.dashes = {4 * u, 2 * u};
        break;
    case dot:
        s.dashes = {u, u};
        break;
    case dash_dot:
    case slant_dash_dot:
        s.dashes = {4 * u, 1.5 * u, u, 1.5 * u};
        break;
    case dash_dot_dot:
        s.dashes = {4 * u, 1.5 * u, u, 1.5 * u, u, 1.5 * u};
        break;
    default:  // continuous, automatic, double (drawn single)
        break;
    }
    return s;
}

}  // namespace sheethost::render
