// The line, area and surface strategies.
#ifndef SHEETHOST_RENDER_LINE_AREA_STRATEGIES_HPP
#define SHEETHOST_RENDER_LINE_AREA_STRATEGIES_HPP

#include "render/chart_strategy.hpp"

namespace sheethost::render {

// Which chart types each draws: the drawing column of model/chart_types.cpp.
const chart_strategy &line_markers_2d();
const chart_strategy &line_3d();
const chart_strategy &area_2d();
const chart_strategy &area_3d();
const chart_strategy &surface_3d();

}  // namespace sheethost::render

#endif
