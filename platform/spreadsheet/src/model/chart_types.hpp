// Every chart-type code the host's ChartType accepts, with what a chart of that type
// has: axes (everything but the pie family) and walls and a floor (the 3-D types
// drawn in a box). Codes outside this table are refused.
#ifndef SHEETHOST_MODEL_CHART_TYPES_HPP
#define SHEETHOST_MODEL_CHART_TYPES_HPP

#include <string>

namespace sheethost::model {

struct chart_type_info {
    int code;
    const char16_t *description;  // "3-D clustered column": fits "A ... chart has no axes"
    bool has_axes;
    bool has_walls;  // and a floor
};

// The row for code, or nullptr when the host knows no such chart type.
const chart_type_info *find_chart_type(int code);

// The description of a code, or its digits when unknown (for messages).
std::u16string chart_type_description(int code);

}  // namespace sheethost::model

#endif
