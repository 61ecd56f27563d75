// Which strategy draws each chart type. The codes, names and flags are the model's one
// chart-type table (model/chart_types.cpp); this is the one place that turns its
// drawing column into a strategy. A type without one is refused with not_drawn_yet
// rather than drawn as something else.
#include "model/chart_types.hpp"
#include "render/chart_strategy.hpp"
#include "render/chart_types/column_strategies.hpp"
#include "render/chart_types/line_area_strategies.hpp"
#include "render/chart_types/pie_strategies.hpp"

namespace sheethost::render {

namespace {

using model::chart_drawing;

const chart_strategy *strategy_for(chart_drawing drawing)
{
    switch (drawing) {
    case chart_drawing::none:
        return nullptr;
    case chart_drawing::clustered_column_2d:
        return &clustered_column_2d();
    case chart_drawing::clustered_bar_2d:
        return &clustered_bar_2d();
    case chart_drawing::clustered_column_3d:
        return &clustered_column_3d();
    case chart_drawing::clustered_bar_3d:
        return &clustered_bar_3d();
    case chart_drawing::column_3d_in_depth:
        return &column_3d_series_in_depth();
    case chart_drawing::cylinder_column:
        return &clustered_cylinder_column();
    case chart_drawing::cylinder_bar:
        return &clustered_cylinder_bar();
    case chart_drawing::cone_column:
        return &clustered_cone_column();
    case chart_drawing::cone_bar:
        return &clustered_cone_bar();
    case chart_drawing::pyramid_column:
        return &clustered_pyramid_column();
    case chart_drawing::pyramid_bar:
        return &clustered_pyramid_bar();
    case chart_drawing::pie_2d:
        return &pie_2d();
    case chart_drawing::exploded_pie_2d:
        return &exploded_pie_2d();
    case chart_drawing::pie_3d:
        return &pie_3d();
    case chart_drawing::exploded_pie_3d:
        return &exploded_pie_3d();
    case chart_drawing::line_markers_2d:
        return &line_markers_2d();
    case chart_drawing::line_3d:
        return &line_3d();
    case chart_drawing::area_2d:
        return &area_2d();
    case chart_drawing::area_3d:
        return &area_3d();
    case chart_drawing::surface_3d:
        return &surface_3d();
    }
    return nullptr;
}

}  // namespace

const chart_strategy *find_strategy(int chart_type)
{
    const model::chart_type_info *type = model::find_chart_type(chart_type);
    return type ? strategy_for(type->drawing) : nullptr;
}

}  // namespace sheethost::render
