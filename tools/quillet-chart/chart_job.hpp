// Builds one chart with the Quillet.cQuillet component, driven late-bound by name.
#ifndef QUILLET_CHART_CHART_JOB_HPP
#define QUILLET_CHART_CHART_JOB_HPP

#include "options.hpp"

namespace quillet_chart {

// Throws com_error for any failure of the component, the recordset or the runtime.
void build_chart(const options &o);

}  // namespace quillet_chart

#endif
