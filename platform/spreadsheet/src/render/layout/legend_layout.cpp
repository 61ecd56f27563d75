// Legend layout: entries are measured once, then flowed into rows (or stacked) and
// the rows centred.
#include "render/layout/legend_layout.hpp"

#include <algorithm>

#include "oleaut/utf.hpp"
#include "render/style/chart_style.hpp"
#include "render/style/fill_style.hpp"
#include "render/style/markers.hpp"
#include "render/layout/text_fitting.hpp"

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

legend_block lay_out_legend(const std::vector<legend_item> &legend_items, bool in_rows, double max_width, const font_spec &font,
                            const text_measurer &measurer)
{
    double line_height = measurer.measure("", font).line_height;
    double key_side = std::min(line_height * 0.75, 9.0);
    bool line_keys = std::any_of(legend_items.begin(), legend_items.end(),
                                 [](const legend_item &i) { return i.key == legend_item::key_kind::line; });
    double key_width = line_keys ? key_side * 2.4 : key_side;
    struct measured {
        std::string text;
        double width;  // key, gap and text
    };
    std::vector<measured> items;
    for (const legend_item &item : legend_items) {
        std::string text =
            ellipsize(item.label, std::max(max_width - key_width - kKeyTextGap, 10.0), font, measurer);
        items.push_back({text, key_width + kKeyTextGap + measurer.measure(text, font).width});
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
            e.item = i;
            e.key = {x, middle - key_side / 2, key_width, key_side};
            e.label = make_text_box({items[i].text}, font, style::kText, {x + key_width + kKeyTextGap, middle},
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

std::vector<shape> legend_key_shapes(const legend_item &item, const rect &key)
{
    std::vector<shape> out;
    if (item.key == legend_item::key_kind::box) {
        shape box;
        box.outline = corners(key);
        box.fill = paint_for(item.fill, key, item.automatic);
        box.line = item.border;
        box.crisp = true;
        out.push_back(std::move(box));
        return out;
    }
    rgb colour = representative_colour(item.fill, item.automatic);
    double y = key.centre().y;
    shape line;
    line.outline = {{key.left(), y}, {key.right(), y}};
    line.closed = false;
    line.line = item.border ? *item.border : stroke{2, colour, {}};
    out.push_back(std::move(line));
    if (item.marker != marker_none)
        out.push_back(marker(item.marker, key.centre(), key.h * 0.8, colour));
    return out;
}

}  // namespace sheethost::render
