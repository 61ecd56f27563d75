// Shared column-family rules.
#include "render/chart_types/shared/column_geometry.hpp"

#include "render/style/chart_style.hpp"
#include "render/style/colour.hpp"
#include "render/style/fill_style.hpp"
#include "render/style/stroke_style.hpp"
#include "render/value_scale.hpp"

namespace sheethost::render {

bar_span clustered_bar_span(size_t series, size_t series_count)
{
    double k = static_cast<double>(series_count == 0 ? 1 : series_count);
    double width = 1 / (k + 1);
    double from = width / 2 + static_cast<double>(series) * width;
    return {from, from + width};
}

rgb series_base_colour(const chart_snapshot &chart, size_t series)
{
    return representative_colour(chart.series[series].fill, series_colour(series));
}

std::optional<stroke> bar_stroke(const chart_snapshot &chart, size_t series)
{
    return stroke_for(chart.series[series].border, darken(series_base_colour(chart, series), 0.62));
}

std::optional<std::string> data_label_text(const chart_snapshot &chart, size_t series, size_t category,
                                           double value)
{
    const series_data &s = chart.series[series];
    if (!s.data_labels || s.data_label_type == label_content::none)
        return std::nullopt;
    if (s.data_label_type == label_content::category)
        return category_heading(chart, category);
    return format_general(value);
}

}  // namespace sheethost::render
