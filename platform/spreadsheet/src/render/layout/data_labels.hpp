// Placing value labels: each starts just outside its bar's end and moves outward (up,
// down, right or left as its request's side says)
// until it covers neither another label nor another bar; when the plot area has no
// room left it goes inside its own bar's end. Label text is dark, or white where the
// bar or the backdrop (a filled wall behind the labels) is dark. A label whose series
// asks for a legend key gets a small key in the series' colour before the value.
#ifndef SHEETHOST_RENDER_DATA_LABELS_HPP
#define SHEETHOST_RENDER_DATA_LABELS_HPP

#include <optional>
#include <vector>

#include "render/chart_strategy.hpp"
#include "render/layout/text_box.hpp"

namespace sheethost::render {

struct data_label {
    text_box text;
    std::optional<rect> key;  // the legend key beside the value, when asked for
    rgb key_colour = 0;
    rect bounds;              // text and key together
};

std::vector<data_label> place_data_labels(const std::vector<data_label_request> &requests,
                                          const std::vector<rect> &obstacles, const rect &plot,
                                          const font_spec &font, const std::optional<paint> &backdrop,
                                          const text_measurer &measurer);

// Dark text on light colours, white on dark ones.
rgb text_colour_on(rgb background);

}  // namespace sheethost::render

#endif
