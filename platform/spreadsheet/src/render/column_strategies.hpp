// The column family's strategies.
#ifndef SHEETHOST_RENDER_COLUMN_STRATEGIES_HPP
#define SHEETHOST_RENDER_COLUMN_STRATEGIES_HPP

#include "render/chart_strategy.hpp"

namespace sheethost::render {

const chart_strategy &clustered_column_2d();  // xlColumnClustered, 51
const chart_strategy &clustered_column_3d();  // xl3DColumnClustered, 54

}  // namespace sheethost::render

#endif
