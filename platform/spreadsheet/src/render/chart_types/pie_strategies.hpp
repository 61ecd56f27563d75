// The pie family's strategies: the first series as a pie, one slice per category.
#ifndef SHEETHOST_RENDER_PIE_STRATEGIES_HPP
#define SHEETHOST_RENDER_PIE_STRATEGIES_HPP

#include "render/chart_strategy.hpp"

namespace sheethost::render {

const chart_strategy &pie_2d();           // xlPie, 5
const chart_strategy &exploded_pie_2d();  // xlPieExploded, 69
const chart_strategy &pie_3d();           // xl3DPie, -4102
const chart_strategy &exploded_pie_3d();  // xl3DPieExploded, 70

}  // namespace sheethost::render

#endif
