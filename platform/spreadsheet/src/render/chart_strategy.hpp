// One strategy per chart type: the layout asks it for the data's range, where the
// axes' labels attach and what to draw in the plot area; everything around the plot
// area (titles, legend, tick labels, headings) is the layout's own and shared.
// Strategies never write back to the snapshot.
#ifndef SHEETHOST_RENDER_CHART_STRATEGY_HPP
#define SHEETHOST_RENDER_CHART_STRATEGY_HPP

#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "render/chart_snapshot.hpp"
#include "render/geometry.hpp"
#include "render/scene.hpp"
#include "render/value_scale.hpp"

namespace sheethost::render {

struct data_bounds {
    double min = NAN;  // NaN when there is no number at all
    double max = NAN;
};

// Which way a chart's axes run around the plot area.
enum class axes_layout {
    value_up,      // categories along the bottom, values up the left side (columns, lines, areas)
    value_across,  // categories down the left side, values along the bottom (bars)
    none,          // no axes at all (pies)
};

// Where the axes' labels attach for one placement of the plot area. With value_up
// value labels end left of their tick's point and headings hang below their anchors;
// with value_across value labels hang below their tick's point and headings end left
// of their anchors, category_slot then being the vertical distance between them.
struct axis_frame {
    struct value_tick {
        double value;
        point at;  // the tick's outer end, where its label attaches
    };
    std::vector<value_tick> value_ticks;
    std::vector<point> category_anchors;  // headings hang below these points
    double category_slot = 0;             // the distance between neighbouring anchors
};

// Which way a value label moves off its data point: above a column's end, below a
// negative column's end, right of a bar's end, left of a negative bar's end.
enum class label_side { above, below, right, left };

// A value label a strategy wants next to one data point.
struct data_label_request {
    std::string text;
    point anchor;       // the middle of the bar's outer end as drawn
    label_side side = label_side::above;
    rect bar;           // the bar's box on the image
    rgb bar_colour = 0; // for a readable colour when the label moves inside the bar, and for its key
    bool legend_key = false;  // a legend key beside the value
};

// One legend entry: a key and its text. Box keys are small squares in the fill;
// line keys are a short line in the border's stroke with the marker on it.
struct legend_item {
    std::string label;  // UTF-8
    fill_spec fill;     // the key's fill (an automatic fill paints `automatic`)
    rgb automatic = 0;
    std::optional<stroke> border;
    enum class key_kind { box, line } key = key_kind::box;
    int marker = 0;  // line keys: a marker_shape (markers.hpp), 0 for none
};

struct plot_content {
    std::vector<scene_item> items;  // walls, gridlines, bars, axis lines: painted before any text
    std::vector<data_label_request> labels;
    std::vector<rect> obstacles;    // what value labels must not cover
    std::optional<paint> backdrop;  // what lies behind the value labels, when not the background
};

struct plot_context {
    const chart_snapshot &chart;
    const value_scale &scale;
    rect plot;
    size_t categories;
};

class chart_strategy {
public:
    virtual ~chart_strategy() = default;
    // The smallest and largest numbers the value axis must show; empty cells skipped.
    virtual data_bounds bounds(const chart_snapshot &chart) const;
    virtual axes_layout axes() const { return axes_layout::value_up; }
    // What the legend lists: by default one box key per series in the series' fill.
    virtual std::vector<legend_item> legend_items(const chart_snapshot &chart, const value_scale &scale) const;
    // The value axis's drawn length for a plot area of that size showing that many
    // categories (the tick density depends on it).
    virtual double value_axis_length(const rect &plot, size_t categories) const = 0;
    virtual axis_frame frame(const plot_context &ctx) const = 0;
    virtual plot_content draw(const plot_context &ctx) const = 0;
};

// The strategy for an xlChartType code, or nullptr when that type is not drawn yet.
const chart_strategy *find_strategy(int chart_type);

// How many categories the chart shows: the longest series or the headings, at least 1.
size_t category_count(const chart_snapshot &chart);

// The value of series s at category i, when the cell held a finite number.
bool value_at(const series_data &s, size_t i, double &out);

}  // namespace sheethost::render

#endif
