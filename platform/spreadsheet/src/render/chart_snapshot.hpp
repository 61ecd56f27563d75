// Everything the exporter draws, resolved to plain values: the object model builds
// one snapshot per Export from the chart's state and the cells its series are bound
// to, and the renderer never looks back at the object model. Units: points; colours:
// 0xRRGGBB. Every choice the host makes with one of its constants arrives here as a
// typed value (snapshot/ translates them once), so no renderer file knows a host code.
#ifndef SHEETHOST_RENDER_CHART_SNAPSHOT_HPP
#define SHEETHOST_RENDER_CHART_SNAPSHOT_HPP

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sheethost::render {

using rgb = uint32_t;

enum class h_align { left, centre, right };
enum class v_align { top, middle, bottom };

// Which way a gradient runs (and, for the two round ones, where it starts).
enum class gradient_direction { horizontal, vertical, diagonal_up, diagonal_down, from_corner, from_centre };

enum class border_weight { hairline, thin, medium, thick };

// How a border is dashed; a slanted dash-dot draws as dash-dot, automatic and double
// lines as continuous ones. `none` draws no line at all.
enum class line_dash { continuous, dash, dot, dash_dot, dash_dot_dot, none };

// A title read level (angle 0), turned by angle degrees counter-clockwise (90 reads
// upward), or stacked: its characters upright one under another.
struct text_orientation {
    double angle = 0;
    bool stacked = false;
    bool operator==(const text_orientation &) const = default;
};

// What a value label shows.
enum class label_content { none, value, category };

enum class legend_place { right, top, bottom, left, corner };

struct font_spec {
    std::u16string name = u"Arial";
    double size = 10;  // points
    bool bold = false;
    bool italic = false;
};

// A fill as the host's ChartFillFormat describes it.
struct fill_spec {
    enum class kind { automatic, solid, one_color_gradient, preset_gradient } type = kind::automatic;
    rgb fore = 0xC0C0C0;         // the fill's ForeColor (resolved from its scheme colour)
    gradient_direction gradient_style = gradient_direction::horizontal;
    int gradient_variant = 1;    // 1..4
    double gradient_degree = 0;  // one-colour gradient: 0 = darkest .. 1 = lightest
    int preset = 0;              // preset gradient type, 1..24
};

struct border_spec {
    bool visible = true;
    border_weight weight = border_weight::thin;
    line_dash line_style = line_dash::continuous;
    std::optional<rgb> color;
};

struct text_block {
    bool visible = false;
    std::u16string text;
    font_spec font;
    h_align horizontal_alignment = h_align::centre;
    v_align vertical_alignment = v_align::middle;
    text_orientation orientation{};
};

struct series_data {
    std::u16string name;
    // One entry per bound cell, in order; empty when the cell holds no number.
    std::vector<std::optional<double>> values;
    border_spec border;
    fill_spec fill;
    bool data_labels = false;
    label_content data_label_type = label_content::value;
    bool legend_key = false;  // a legend key beside each label
};

struct surface_spec {
    border_spec border;
    fill_spec fill;
};

struct chart_snapshot {
    int chart_type = 54;       // the host's xlChartType code
    double plot_width = 0;     // points; 0 = automatic
    double plot_height = 0;
    bool has_legend = false;
    legend_place legend_position = legend_place::right;
    bool walls_and_gridlines_2d = false;
    bool has_data_table = false;
    text_block title;
    text_block category_axis_title;
    text_block value_axis_title;
    surface_spec walls;
    surface_spec floor;
    // Category headings: the text of the cells the first series' XValues are bound to,
    // or empty for automatic headings "1", "2", ...
    std::vector<std::u16string> categories;
    std::vector<series_data> series;
};

// What the caller wants back from an export.
enum class image_format { gif, png };

}  // namespace sheethost::render

#endif
