// What the 2-D and 3-D clustered columns share: where a series' bar sits within its
// category, the bar colours and borders, and the text of a value label.
#ifndef SHEETHOST_RENDER_COLUMN_GEOMETRY_HPP
#define SHEETHOST_RENDER_COLUMN_GEOMETRY_HPP

#include <cstddef>
#include <optional>
#include <string>

#include "render/chart_snapshot.hpp"
#include "render/layout/category_labels.hpp"
#include "render/scene.hpp"

namespace sheethost::render {

// The span of series k's bar within a category slot [0, 1): the cluster of bars
// leaves one bar's width free between neighbouring clusters (a gap width of 100%).
struct bar_span {
    double from;
    double to;
};
bar_span clustered_bar_span(size_t series, size_t series_count);

// The series' own colour: its fill's middle colour, or the default palette's.
rgb series_base_colour(const chart_snapshot &chart, size_t series);

// The bar outline: the series border, in a darker shade of the bar when automatic.
std::optional<stroke> bar_stroke(const chart_snapshot &chart, size_t series);

// The label text for series s at category i (the value, or the heading when the
// labels show the category); nothing when the series has no labels.
std::optional<std::string> data_label_text(const chart_snapshot &chart, size_t series, size_t category,
                                           double value);

}  // namespace sheethost::render

#endif
