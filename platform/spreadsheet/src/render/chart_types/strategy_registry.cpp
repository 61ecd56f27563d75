// Which chart types have a strategy. A type missing here is refused with
// not_drawn_yet rather than drawn as something else.
#include "render/chart_strategy.hpp"
#include "render/chart_types/column_strategies.hpp"
#include "render/chart_types/line_area_strategies.hpp"
#include "render/chart_types/pie_strategies.hpp"

namespace sheethost::render {

const chart_strategy *find_strategy(int chart_type)
{
    switch (chart_type) {
    case 51:
        return &clustered_column_2d();
    case 54:
        return &clustered_column_3d();
    case 57:
        return &clustered_bar_2d();
    case 60:
        return &clustered_bar_3d();
    case -4100:
        return &column_3d_series_in_depth();
    case 92:
        return &clustered_cylinder_column();
    case 95:
        return &clustered_cylinder_bar();
    case 99:
        return &clustered_cone_column();
    case 102:
        return &clustered_cone_bar();
    case 106:
        return &clustered_pyramid_column();
    case 109:
        return &clustered_pyramid_bar();
    case 5:
        return &pie_2d();
    case 69:
        return &exploded_pie_2d();
    case -4102:
        return &pie_3d();
    case 70:
        return &exploded_pie_3d();
    case 65:
        return &line_markers_2d();
    case -4101:
        return &line_3d();
    case 1:
        return &area_2d();
    case -4098:
        return &area_3d();
    case 83:
        return &surface_3d();
    default:
        return nullptr;
    }
}

}  // namespace sheethost::render
