// The legend: one entry per item the chart type lists (series, or categories for a
// pie, or value bands for a surface), each a key and its text. In rows centred on
// each other when the legend is above or below the plot area, in one column when it
// is beside it.
#ifndef SHEETHOST_RENDER_LEGEND_LAYOUT_HPP
#define SHEETHOST_RENDER_LEGEND_LAYOUT_HPP

#include <vector>

#include "render/chart_snapshot.hpp"
#include "render/chart_strategy.hpp"
#include "render/layout/text_box.hpp"

namespace sheethost::render {

struct legend_entry {
    size_t item;  // index into the items the legend was laid out from
    rect key;
    text_box label;
};

struct legend_block {
    rect frame;  // around all entries
    std::vector<legend_entry> entries;
};

// The legend with its frame's bottom-left corner at the origin. max_width bounds a row
// (and, shortened with an ellipsis, a name).
legend_block lay_out_legend(const std::vector<legend_item> &items, bool in_rows, double max_width, const font_spec &font,
                            const text_measurer &measurer);

legend_block moved(legend_block legend, double dx, double dy);

// The key's shapes for an entry: a box in the item's fill, or a line with its marker.
std::vector<shape> legend_key_shapes(const legend_item &item, const rect &key);

// The name a series shows: its own, or "Series<n>" like the host when it has none.
std::string series_label(const chart_snapshot &chart, size_t series);

}  // namespace sheethost::render

#endif
