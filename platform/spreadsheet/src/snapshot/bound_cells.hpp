// Reading the cells a series is bound to, at the moment of reading: this is what
// makes a binding live. Numbers (decimals, doubles, currency, dates) are values; text,
// booleans, error values and empty cells are not. Headings are the cells' text.
#ifndef SHEETHOST_SNAPSHOT_BOUND_CELLS_HPP
#define SHEETHOST_SNAPSHOT_BOUND_CELLS_HPP

#include <optional>
#include <string>
#include <vector>

#include "model/chart_state.hpp"
#include "oleaut/variant.hpp"

namespace sheethost::snapshot {

// The cells in reading order (row by row); empty when the worksheet is gone.
std::vector<oleaut::variant> bound_cells(const model::range_binding &binding);

// A cell's value as a chart value: its number, or nothing (also for NaN and infinities).
std::optional<double> chart_value(const VARIANT &cell);

// A cell as a category heading: text as it is, numbers and dates as the runtime writes
// them (locale 1033), booleans True/False, error values as #N/A and the like, empty "".
std::u16string heading_text(const VARIANT &cell);

// "Sheet1!$B$1:$B$25", or "" when the worksheet is gone.
std::u16string binding_reference(const model::range_binding &binding);

}  // namespace sheethost::snapshot

#endif
