// One chart as plain data: its type and options, titles, legend, plot-area size,
// walls and floor, and its series. A series does not copy numbers: it is bound to
// cells of a worksheet, read when the chart is drawn, so that a cell changed after
// binding shows in the next export.
#ifndef SHEETHOST_MODEL_CHART_STATE_HPP
#define SHEETHOST_MODEL_CHART_STATE_HPP

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/cell_range.hpp"
#include "model/chart_limits.hpp"
#include "model/format_state.hpp"

namespace sheethost::model {

struct sheet_state;

// Cells a series reads. The chart does not own the worksheet: when the worksheet is
// gone the binding reads as empty.
struct range_binding {
    std::weak_ptr<sheet_state> sheet;
    cell_range cells;
};

struct series_state {
    std::u16string name;
    std::optional<range_binding> values;
    std::optional<range_binding> x_values;
    border_state border;
    fill_state fill;
    bool data_labels = false;
    int data_label_type = 2;  // xlDataLabelsShowValue
    bool legend_key = false;
    // Set by Delete: the series left the chart and its objects refuse further calls.
    bool deleted = false;
};

struct chart_state {
    int type = 51;  // xlColumnClustered, the classic host's default
    bool size_with_window = false;
    bool has_data_table = false;
    bool has_legend = true;
    int legend_position = -4152;  // xlLegendPositionRight
    bool walls_and_gridlines_2d = false;
    double plot_width = kDefaultPlotWidth;
    double plot_height = kDefaultPlotHeight;
    text_state title = [] {
        text_state t;
        t.text = u"Chart Title";
        t.font.size = 12;
        t.font.bold = true;
        return t;
    }();
    text_state category_axis_title = [] {
        text_state t;
        t.text = u"Axis Title";
        t.font.bold = true;
        return t;
    }();
    text_state value_axis_title = [] {
        text_state t;
        t.text = u"Axis Title";
        t.font.bold = true;
        t.orientation = -4171;  // xlUpward: the value axis reads bottom to top
        return t;
    }();
    surface_state walls;
    surface_state floor;
    std::vector<std::shared_ptr<series_state>> series;
};

}  // namespace sheethost::model

#endif
