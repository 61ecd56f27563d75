// Border strokes. Dash lengths scale with the line width so a thick dashed border
// keeps the proportions of a thin one.
#include "render/style/stroke_style.hpp"

#include <algorithm>

namespace sheethost::render {

namespace {

}  // namespace

double border_width(border_weight w)
{
    switch (w) {
    case border_weight::hairline:
        return 0.5;
    case border_weight::medium:
        return 1.5;
    case border_weight::thick:
        return 2.25;
    case border_weight::thin:
        break;
    }
    return 0.75;
}

std::optional<stroke> stroke_for(const border_spec &border, rgb automatic)
{
    if (!border.visible || border.line_style == line_dash::none)
        return std::nullopt;
    stroke s;
    s.width = border_width(border.weight);
    s.colour = border.color.value_or(automatic);
    double u = std::max(s.width, 0.75);
    switch (border.line_style) {
    case line_dash::dash:
        s.dashes = {4 * u, 2 * u};
        break;
    case line_dash::dot:
        s.dashes = {u, u};
        break;
    case line_dash::dash_dot:
        s.dashes = {4 * u, 1.5 * u, u, 1.5 * u};
        break;
    case line_dash::dash_dot_dot:
        s.dashes = {4 * u, 1.5 * u, u, 1.5 * u, u, 1.5 * u};
        break;
    case line_dash::continuous:
    case line_dash::none:
        break;
    }
    return s;
}

}  // namespace sheethost::render
