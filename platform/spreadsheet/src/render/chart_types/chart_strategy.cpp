// What all strategies share: the data's range, the category count and the legend of
// series.
#include "render/chart_strategy.hpp"

#include <algorithm>

#include "render/style/chart_style.hpp"
#include "render/chart_types/shared/column_geometry.hpp"
#include "render/layout/legend_layout.hpp"

namespace sheethost::render {

bool value_at(const series_data &s, size_t i, double &out)
{
    if (i >= s.values.size() || !s.values[i] || !std::isfinite(*s.values[i]))
        return false;
    out = *s.values[i];
    return true;
}

data_bounds chart_strategy::bounds(const chart_snapshot &chart) const
{
    data_bounds b;
    for (const series_data &s : chart.series) {
        for (size_t i = 0; i < s.values.size(); ++i) {
            double v;
            if (!value_at(s, i, v))
                continue;
            b.min = std::isnan(b.min) ? v : std::min(b.min, v);
            b.max = std::isnan(b.max) ? v : std::max(b.max, v);
        }
    }
    return b;
}

std::vector<legend_item> chart_strategy::legend_items(const chart_snapshot &chart, const value_scale &) const
{
    std::vector<legend_item> items;
    for (size_t s = 0; s < chart.series.size(); ++s)
        items.push_back({series_label(chart, s), chart.series[s].fill, series_colour(s), bar_stroke(chart, s),
                         legend_item::key_kind::box, 0});
    return items;
}

size_t category_count(const chart_snapshot &chart)
{
    size_t n = chart.categories.size();
    for (const series_data &s : chart.series)
        n = std::max(n, s.values.size());
    return std::max<size_t>(n, 1);
}

}  // namespace sheethost::render
