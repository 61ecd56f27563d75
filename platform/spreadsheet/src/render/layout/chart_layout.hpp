// Layout: every box and shape of the picture in points, from the snapshot alone.
//
// Size rule: the plot area is exactly the size set (450 x 250 points when automatic)
// and the image grows around it: left of it the vertical axis's title and labels (the
// value axis's, or for bars the category axis's), below it the horizontal axis's
// labels and title and a bottom legend,
// above it the chart title and a top legend, right of it whatever headings stick out
// and a right legend, each block kGap apart and kOuterPad from the edge. The image is
// widened, with the plot area centred in the extra room, when the title or legend
// needs more width. Sizes and the plot area's corner are rounded up to whole pixels
// at 96 dpi (multiples of 0.75 point).
#ifndef SHEETHOST_RENDER_CHART_LAYOUT_HPP
#define SHEETHOST_RENDER_CHART_LAYOUT_HPP

#include <optional>
#include <vector>

#include "render/layout/category_labels.hpp"
#include "render/chart_snapshot.hpp"
#include "render/layout/data_labels.hpp"
#include "render/layout/legend_layout.hpp"
#include "render/scene.hpp"
#include "render/layout/text_box.hpp"
#include "render/text_measurer.hpp"
#include "render/value_scale.hpp"

namespace sheethost::render {

struct chart_layout {
    scene picture;  // everything, in painting order
    rect plot;
    value_scale scale;
    std::optional<text_box> title;
    std::optional<text_box> value_title;
    std::optional<text_box> category_title;
    std::optional<legend_block> legend;
    std::vector<text_box> value_labels;
    category_label_plan categories;
    std::vector<data_label> data_labels;
};

// Throws not_drawn_yet for a chart type without a strategy and render_failed for a
// plot area the renderer cannot draw.
chart_layout lay_out_chart(const chart_snapshot &chart, const text_measurer &measurer);

// The plot area's size: the set size, or the automatic one for a 0.
double plot_side(double set, double automatic);

}  // namespace sheethost::render

#endif
