// The names of the xlChartType codes, for messages that name a chart type.
#ifndef SHEETHOST_RENDER_CHART_TYPE_NAMES_HPP
#define SHEETHOST_RENDER_CHART_TYPE_NAMES_HPP

#include <string>

namespace sheethost::render {

// "xlPie (5)" for a known code, just the number for any other.
std::u16string chart_type_label(int chart_type);

}  // namespace sheethost::render

#endif
