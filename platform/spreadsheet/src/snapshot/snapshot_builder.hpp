// What Chart.Export hands the renderer: the chart's state resolved into plain values
// at the moment of the export. Bound cells are read now (numbers become values, other
// cells gaps), category headings are the text of the cells the first series' XValues
// are bound to, and every colour is resolved to RGB (scheme colours through the
// classic palette, automatic series fills to the classic chart-fill colours, automatic
// walls and floor to grey 25%).
#ifndef SHEETHOST_SNAPSHOT_SNAPSHOT_BUILDER_HPP
#define SHEETHOST_SNAPSHOT_SNAPSHOT_BUILDER_HPP

#include "model/chart_state.hpp"
#include "render/chart_snapshot.hpp"

namespace sheethost::snapshot {

render::chart_snapshot build_snapshot(const model::chart_state &chart);

}  // namespace sheethost::snapshot

#endif
