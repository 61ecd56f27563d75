// The column and bar family's strategies: 2-D columns and bars, one strategy turned
// either way (clustered_2d_strategy.cpp), and the 3-D ones built from boxes,
// cylinders, cones and pyramids (clustered_3d_strategy.cpp).
#ifndef SHEETHOST_RENDER_COLUMN_STRATEGIES_HPP
#define SHEETHOST_RENDER_COLUMN_STRATEGIES_HPP

#include "render/chart_strategy.hpp"

namespace sheethost::render {

// Which chart types each draws: the drawing column of model/chart_types.cpp.
const chart_strategy &clustered_column_2d();
const chart_strategy &clustered_bar_2d();
const chart_strategy &clustered_column_3d();
const chart_strategy &clustered_bar_3d();
const chart_strategy &column_3d_series_in_depth();
const chart_strategy &clustered_cylinder_column();
const chart_strategy &clustered_cylinder_bar();
const chart_strategy &clustered_cone_column();
const chart_strategy &clustered_cone_bar();
const chart_strategy &clustered_pyramid_column();
const chart_strategy &clustered_pyramid_bar();

}  // namespace sheethost::render

#endif
