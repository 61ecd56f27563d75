// Everything the exporter draws, resolved to plain values: the object model builds
// one snapshot per Export from the chart's state and the cells its series are bound
// to, and the renderer never looks back at the object model. Units: points; colours:
// 0xRRGGBB.
#ifndef SHEETHOST_RENDER_CHART_SNAPSHOT_HPP
#define SHEETHOST_RENDER_CHART_SNAPSHOT_HPP

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sheethost::render {

using rgb = uint32_t;

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
    int gradient_style = 1;      // msoGradientHorizontal = 1, vertical 2, diagonal up 3, down 4, from corner 5, from center 7
    int gradient_variant = 1;    // 1..4
    double gradient_degree = 0;  // one-colour gradient: 0 = darkest .. 1 = lightest
    int preset = 0;              // preset gradient type, 1..24
};

struct border_spec {
    bool visible = true;
    int weight = 2;        // xlHairline 1, xlThin 2, xlMedium -4138, xlThick 4
    int line_style = 1;    // xlContinuous 1, xlDash -4115, xlDot -4118, xlAutomatic -4105, xlLineStyleNone -4142
    std::optional<rgb> color;
};

struct text_block {
    bool visible = false;
    std::u16string text;
    font_spec font;
    int horizontal_alignment = -4108;  // xlCenter
    int vertical_alignment = -4108;
    int orientation = -4128;           // xlHorizontal; xlUpward -4171, xlDownward -4170, xlVertical -4166
};

struct series_data {
    std::u16string name;
    // One entry per bound cell, in order; empty when the cell holds no number.
    std::vector<std::optional<double>> values;
    border_spec border;
    fill_spec fill;
    bool data_labels = false;
    int data_label_type = 2;  // xlDataLabelsShowValue
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
    int legend_position = -4152;  // xlLegendPositionRight; top -4160, bottom -4107, left -4131, corner 2
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
