// The one chart-type table: every code the host's ChartType accepts, with its
// description, what a chart of that type has (axes: everything but the pie family;
// walls and a floor: the 3-D types drawn in a box) and how the renderer draws it.
// Codes outside this table are refused. The renderer maps each drawing to its strategy
// in one place (render/chart_types/strategy_registry.cpp); the model never sees one.
#ifndef SHEETHOST_MODEL_CHART_TYPES_HPP
#define SHEETHOST_MODEL_CHART_TYPES_HPP

#include <string>

namespace sheethost::model {

// One value per renderer strategy; none for the types not drawn yet.
enum class chart_drawing : unsigned char {
    none,
    clustered_column_2d,
    clustered_bar_2d,
    clustered_column_3d,
    clustered_bar_3d,
    column_3d_in_depth,
    cylinder_column,
    cylinder_bar,
    cone_column,
    cone_bar,
    pyramid_column,
    pyramid_bar,
    pie_2d,
    exploded_pie_2d,
    pie_3d,
    exploded_pie_3d,
    line_markers_2d,
    line_3d,
    area_2d,
    area_3d,
    surface_3d,
};

struct chart_type_info {
    int code;
    const char16_t *description;  // "3-D clustered column": fits "A ... chart has no axes"
    bool has_axes;
    bool has_walls;  // and a floor
    chart_drawing drawing;
};

// The row for code, or nullptr when the host knows no such chart type.
const chart_type_info *find_chart_type(int code);

// The description of a code, or its digits when unknown (for messages).
std::u16string chart_type_description(int code);

}  // namespace sheethost::model

#endif
