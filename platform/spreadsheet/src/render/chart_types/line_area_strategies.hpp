// The line, area and surface strategies.
#ifndef SHEETHOST_RENDER_LINE_AREA_STRATEGIES_HPP
#define SHEETHOST_RENDER_LINE_AREA_STRATEGIES_HPP

#include "render/chart_strategy.hpp"

namespace sheethost::render {

const chart_strategy &line_markers_2d();  // xlLineMarkers, 65
const chart_strategy &line_3d();          // xl3DLine, -4101
const chart_strategy &area_2d();          // xlArea, 1
const chart_strategy &area_3d();          // xl3DArea, -4098
const chart_strategy &surface_3d();       // xlSurface, 83

}  // namespace sheethost::render

#endif
