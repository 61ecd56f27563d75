// Pie slices from the first series, and the fills and borders they share.
#include "render/chart_types/shared/pie_slices.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "render/style/chart_style.hpp"
#include "render/style/colour.hpp"
#include "render/chart_types/shared/column_geometry.hpp"
#include "render/style/fill_style.hpp"
#include "render/style/stroke_style.hpp"

namespace sheethost::render {

namespace {

constexpr double kTurn = 2 * std::numbers::pi;
// At most 2 degrees per rim segment: a 4000-point pie's rim then strays less than
// a fifth of a point from the true circle.
constexpr double kMaxRimStep = kTurn / 180;

}  // namespace

std::vector<pie_slice> pie_slices(const chart_snapshot &chart)
{
    std::vector<pie_slice> out;
    if (chart.series.empty())
        return out;
    const series_data &first = chart.series.front();
    // The host pies the magnitudes: a negative cell makes a slice as large as its
    // positive counterpart would.
    double total = 0;
    for (size_t i = 0; i < first.values.size(); ++i) {
        double v;
        if (value_at(first, i, v))
            total += std::abs(v);
    }
    if (!(total > 0) || !std::isfinite(total))
        return out;
    double at = 0;
    for (size_t i = 0; i < first.values.size(); ++i) {
        double v;
        if (!value_at(first, i, v) || v == 0)
            continue;
        double sweep = kTurn * (std::abs(v) / total);
        out.push_back({i, v, at, sweep});
        at += sweep;
    }
    // Summing many sweeps leaves a rounding crumb; the last slice closes the circle.
    if (!out.empty())
        out.back().sweep = kTurn - out.back().start;
    return out;
}

size_t pie_category_count(const chart_snapshot &chart)
{
    size_t n = chart.categories.size();
    if (!chart.series.empty())
        n = std::max(n, chart.series.front().values.size());
    return n;
}

point on_rim(point centre, double rx, double ry, double angle)
{
    return {centre.x + rx * std::sin(angle), centre.y + ry * std::cos(angle)};
}

std::vector<point> rim_points(point centre, double rx, double ry, double from, double sweep)
{
    int steps = std::max(1, static_cast<int>(std::ceil(sweep / kMaxRimStep - 1e-9)));
    std::vector<point> out;
    out.reserve(static_cast<size_t>(steps) + 1);
    for (int k = 0; k <= steps; ++k)
        out.push_back(on_rim(centre, rx, ry, from + sweep * k / steps));
    return out;
}

fill_spec slice_fill(const chart_snapshot &chart, size_t category)
{
    if (chart.series.empty())
        return {};
    fill_spec f = chart.series.front().fill;
    if (f.type == fill_spec::kind::one_color_gradient && f.fore == series_colour(0))
        f.fore = series_colour(category);
    return f;
}

std::vector<colour_stop> slice_shading(const fill_spec &fill)
{
    std::vector<colour_stop> stops = fill_ramp(fill, fill.fore);
    if (fill.gradient_variant == 2 || fill.gradient_variant == 4) {
        std::reverse(stops.begin(), stops.end());
        for (colour_stop &s : stops)
            s.offset = 1 - s.offset;
    }
    return stops;
}

std::optional<stroke> slice_stroke(const chart_snapshot &chart)
{
    if (chart.series.empty())
        return std::nullopt;
    return stroke_for(chart.series.front().border, style::kBackground);
}

std::vector<legend_item> pie_strategy_base::legend_items(const chart_snapshot &chart, const value_scale &) const
{
    std::vector<legend_item> items;
    if (chart.series.empty())
        return items;
    size_t n = pie_category_count(chart);
    for (size_t i = 0; i < n; ++i) {
        fill_spec f = slice_fill(chart, i);
        // A white separator would vanish around a key on the white background: keys
        // keep the series' line style in a darker shade of their own colour.
        std::optional<stroke> border =
            stroke_for(chart.series.front().border, darken(representative_colour(f, series_colour(i)), 0.62));
        items.push_back({category_heading(chart, i), f, series_colour(i), border, legend_item::key_kind::box, 0});
    }
    return items;
}

paint slice_paint(const chart_snapshot &chart, size_t category, const std::vector<point> &outline, point apex,
                  point rim, paint::kind shading)
{
    fill_spec f = slice_fill(chart, category);
    if (f.type != fill_spec::kind::one_color_gradient)
        return paint_for(f, bounds_of(outline), series_colour(category));
    paint p;
    p.type = shading;
    p.stops = slice_shading(f);
    p.colour = p.stops.back().colour;
    p.from = apex;
    p.to = rim;
    return p;
}

}  // namespace sheethost::render
