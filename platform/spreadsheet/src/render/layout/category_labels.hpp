// Category headings under the category axis. They go across when every heading fits
// its slot, else wrapped onto up to three lines, else turned 45 degrees (reading
// upward, ending at their tick). Turned headings longer than max_turned_length are
// shortened with an ellipsis, and when even turned headings would touch, only every
// n-th is shown. Headings never overlap.
#ifndef SHEETHOST_RENDER_CATEGORY_LABELS_HPP
#define SHEETHOST_RENDER_CATEGORY_LABELS_HPP

#include <string>
#include <vector>

#include "render/chart_snapshot.hpp"
#include "render/layout/text_box.hpp"

namespace sheethost::render {

// Category i's heading: its cell's text, or "1", "2", ... when the chart has none.
std::string category_heading(const chart_snapshot &chart, size_t category);

struct category_label_plan {
    enum class arrangement { across, wrapped, turned } how = arrangement::across;
    size_t every = 1;  // every n-th heading is shown
    std::vector<text_box> labels;
};

category_label_plan plan_category_labels(const std::vector<std::string> &headings, const std::vector<point> &anchors,
                                         double slot, const font_spec &font, double max_turned_length,
                                         const text_measurer &measurer);

// Headings left of a vertical category axis (bar charts): each ends just left of its
// anchor, across when it fits max_width, else wrapped onto as many lines as the slot's
// height takes (at most three), else shortened with an ellipsis; when even one line
// is taller than the slot, only every n-th heading is shown. Slot is the vertical
// distance between anchors.
category_label_plan plan_side_category_labels(const std::vector<std::string> &headings,
                                              const std::vector<point> &anchors, double slot, const font_spec &font,
                                              double max_width, const text_measurer &measurer);

}  // namespace sheethost::render

#endif
