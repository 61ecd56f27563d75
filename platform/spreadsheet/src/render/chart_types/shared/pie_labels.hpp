// Value labels around a pie. Each label starts just outside its slice's rim at the
// slice's middle angle and hangs away from the pie (right of it on the right half,
// left of it on the left half). Labels on one side that would overlap are spread
// apart vertically, top to bottom, kept within the plot area, and pushed clear of the
// pie; a label that had to move away from its slice gets a thin leader line back to
// the rim. The shared label placement then takes the requests and still moves any
// label outward that would cover the pie or another label.
#ifndef SHEETHOST_RENDER_PIE_LABELS_HPP
#define SHEETHOST_RENDER_PIE_LABELS_HPP

#include <vector>

#include "render/chart_strategy.hpp"
#include "render/chart_types/shared/pie_slices.hpp"

namespace sheethost::render {

// Where one slice's label attaches.
struct pie_label_spot {
    pie_slice slice;
    point rim;  // the slice's outer edge at its middle angle, as drawn
};

// The room the largest value label takes (zero when the series shows none), worked
// out from the text alone - the strategy has no text measurer - and erring on the
// large side so the pie always leaves enough.
struct label_room {
    double width = 0;
    double height = 0;
};
label_room pie_label_room(const chart_snapshot &chart);

// The margin a pie leaves on each side of the plot area for its labels.
struct pie_margins {
    double across = 0;  // left and right
    double up = 0;      // top and bottom
};
pie_margins pie_label_margins(const chart_snapshot &chart);

// Horizontal strips of strip_height that together cover the polygons: what the
// labels keep clear of (a pie is round, so one box around it would keep the labels
// needlessly far from its slanting edges).
std::vector<rect> covering_strips(const std::vector<std::vector<point>> &outlines, double strip_height);

// The label requests for the spots that have labels, and leader lines for those that
// had to move; out.obstacles must already hold the pie's strips.
void add_pie_labels(const plot_context &ctx, const std::vector<pie_label_spot> &spots, plot_content &out);

}  // namespace sheethost::render

#endif
