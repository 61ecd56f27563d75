// What a cell may hold, and the arrays through which Range.Value reads and writes
// more than one cell at once (1-based, rows by columns, as the classic host uses them).
#ifndef SHEETHOST_AUTOMATION_CELL_VALUES_HPP
#define SHEETHOST_AUTOMATION_CELL_VALUES_HPP

#include <functional>
#include <vector>

#include "oleaut/variant.hpp"

namespace sheethost::automation {

// Range.Value reads and writes at most this many cells in one call: a whole column.
// Emptying (ClearContents, or Value = Empty) has no limit.
inline constexpr long long kMaxCellsPerValueCall = 65536;

// The value a cell stores for what a caller assigned: numbers, dates, currency,
// decimals, booleans, error values and text are kept as given (VT_EMPTY, Null and the
// empty string empty the cell, a null string is the empty string); objects and arrays
// are refused.
oleaut::variant storable_cell_value(const VARIANT &v);

// A rows x columns array of VARIANT, bounds 1..rows and 1..columns, filled by `at`.
oleaut::variant make_value_array(int rows, int columns, const std::function<oleaut::variant(int, int)> &at);

// The elements of a 1-D array (one row) or 2-D array (rows by columns) of any element
// type, each as a VARIANT. Refuses arrays of more dimensions.
std::vector<std::vector<oleaut::variant>> read_value_array(const VARIANT &v);

}  // namespace sheethost::automation

#endif
