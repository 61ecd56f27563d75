// Legend layout: entries are measured once, then flowed into rows (or stacked) and
// the rows centred.
#include "render/legend_layout.hpp"

#include <algorithm>

#include "oleaut/utf.hpp"
#include "render/chart_style.hpp"
#include "render/text_fitting.hpp"

namespace sheethost::render {

namespace {

constexpr double kKeyTextGap = 4;
constexpr double kEntryGap = 14;  // between entries in a row
constexpr double kRowGap = 3;

}  // namespace

std::string series_label(const chart_snapshot &chart, size_t series)
{
    if (!chart.series[series].name.empty())
        return oleaut::utf16_to_utf8(chart.series[series].name);
    return "Series" + std::to_string(series + 1);
}

legend_block lay_out_legend(const chart_snapshot &chart, bool in_rows, double max_width, const font_spec &font,
                            const text_measurer &measurer)
{
    double line_height = measurer.measure("", font).line_height;
    double key_side = std::min(line_height * 0.75, 9.0);
    struct measured {
        std::string text;
        double width;  // key, gap and text
    };
    std::vector<measured> items;
    for (size_t s = 0; s < chart.series.size(); ++s) {
        std::string text = ellipsize(series_label(chart, s), std::max(max_width - key_side - kKeyTextGap, 10.0),
                                     font, measurer);
        items.push_back({text, key_side + kKeyTextGap + measurer.measure(text, font).width});
    }

    // Rows of item indexes, top row first.
    std::vector<std::vector<size_t>> rows;
    std::vector<double> row_widths;
    for (size_t i = 0; i < items.size(); ++i) {
        bool fits = !rows.empty() && in_rows && row_widths.back() + kEntryGap + items[i].width <= max_width;
        if (fits) {
            rows.back().push_back(i);
            row_widths.back() += kEntryGap + items[i].width;
        } else {
            rows.push_back({i});
            row_widths.push_back(items[i].width);
        }
    }
    double width = rows.empty() ? 0 : *std::max_element(row_widths.begin(), row_widths.end());
    double height = rows.empty() ? 0 : static_cast<double>(rows.size()) * (line_height + kRowGap) - kRowGap;

    legend_block legend;
    legend.frame = {0, 0, width, height};
    for (size_t r = 0; r < rows.size(); ++r) {
        double x = in_rows ? (width - row_widths[r]) / 2 : 0;
        double top = height - static_cast<double>(r) * (line_height + kRowGap);
        double middle = top - line_height / 2;
        for (size_t i : rows[r]) {
            legend_entry e;
            e.series = i;
            e.key = {x, middle - key_side / 2, key_side, key_side};
            e.label = make_text_box({items[i].text}, font, style::kText, {x + key_side + kKeyTextGap, middle},
                                    h_align::left, v_align::middle, 0, measurer);
            legend.entries.push_back(std::move(e));
            x += items[i].width + kEntryGap;
        }
    }
    return legend;
}

legend_block moved(legend_block legend, double dx, double dy)
{
    legend.frame.x += dx;
    legend.frame.y += dy;
    for (legend_entry &e : legend.entries) {
        e.key.x += dx;
        e.key.y += dy;
        e.label = moved(std::move(e.label), dx, dy);
    }
    return legend;
}

}  // namespace sheethost::render
