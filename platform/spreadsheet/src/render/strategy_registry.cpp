// Which chart types have a strategy. A type missing here is refused with
// not_drawn_yet rather than drawn as something else.
#include "render/chart_strategy.hpp"
#include "render/column_strategies.hpp"

namespace sheethost::render {

const chart_strategy *find_strategy(int chart_type)
{
    switch (chart_type) {
    case 51:
        return &clustered_column_2d();
    case 54:
        return &clustered_column_3d();
    default:
        return nullptr;
    }
}

}  // namespace sheethost::render
