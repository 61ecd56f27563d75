// The pie family's strategies: the first series as a pie, one slice per category.
#ifndef SHEETHOST_RENDER_PIE_STRATEGIES_HPP
#define SHEETHOST_RENDER_PIE_STRATEGIES_HPP

#include "render/chart_strategy.hpp"

namespace sheethost::render {

// Which chart types each draws: the drawing column of model/chart_types.cpp.
const chart_strategy &pie_2d();
const chart_strategy &exploded_pie_2d();
const chart_strategy &pie_3d();
const chart_strategy &exploded_pie_3d();

}  // namespace sheethost::render

#endif
