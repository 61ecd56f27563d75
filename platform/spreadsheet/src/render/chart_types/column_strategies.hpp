// The column and bar family's strategies: 2-D columns and bars, one strategy turned
// either way (clustered_2d_strategy.cpp), and the 3-D ones built from boxes,
// cylinders, cones and pyramids (clustered_3d_strategy.cpp).
#ifndef SHEETHOST_RENDER_COLUMN_STRATEGIES_HPP
#define SHEETHOST_RENDER_COLUMN_STRATEGIES_HPP

#include "render/chart_strategy.hpp"

namespace sheethost::render {

const chart_strategy &clustered_column_2d();        // xlColumnClustered, 51
const chart_strategy &clustered_bar_2d();           // xlBarClustered, 57
const chart_strategy &clustered_column_3d();        // xl3DColumnClustered, 54
const chart_strategy &clustered_bar_3d();           // xl3DBarClustered, 60
const chart_strategy &column_3d_series_in_depth();  // xl3DColumn, -4100
const chart_strategy &clustered_cylinder_column();  // xlCylinderColClustered, 92
const chart_strategy &clustered_cylinder_bar();     // xlCylinderBarClustered, 95
const chart_strategy &clustered_cone_column();      // xlConeColClustered, 99
const chart_strategy &clustered_cone_bar();         // xlConeBarClustered, 102
const chart_strategy &clustered_pyramid_column();   // xlPyramidColClustered, 106
const chart_strategy &clustered_pyramid_bar();      // xlPyramidBarClustered, 109

}  // namespace sheethost::render

#endif
