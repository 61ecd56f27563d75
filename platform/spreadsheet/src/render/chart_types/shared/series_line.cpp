// Line strokes and marker sizes.
#include "render/chart_types/shared/series_line.hpp"

#include <algorithm>

#include "render/chart_types/shared/column_geometry.hpp"
#include "render/style/stroke_style.hpp"

namespace sheethost::render {

double line_width(border_weight w)
{
    switch (w) {
    case border_weight::hairline:
        return 0.75;
    case border_weight::medium:
        return 2.25;
    case border_weight::thick:
        return 3;
    case border_weight::thin:
        break;
    }
    return 1.5;
}

std::optional<stroke> series_line_stroke(const chart_snapshot &chart, size_t series)
{
    const border_spec &border = chart.series[series].border;
    std::optional<stroke> s = stroke_for(border, series_base_colour(chart, series));
    if (!s)
        return s;
    // Dash lengths follow the width, as stroke_for scales them for its own width.
    double scale = line_width(border.weight) / s->width;
    for (double &d : s->dashes)
        d *= scale;
    s->width = line_width(border.weight);
    return s;
}

double marker_size(double slot) { return std::clamp(slot * 0.45, 4.0, 7.0); }

}  // namespace sheethost::render
