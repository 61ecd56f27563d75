// The staging grid: the data sheet's cells through which every chart value passes.
// Column 1 holds the category headings, column m + 2 the values of the series started
// while the chart held m series; rows 1..n with n at most 25.
#ifndef QUILLET_CHART_STAGING_GRID_HPP
#define QUILLET_CHART_STAGING_GRID_HPP

#include "host/recordset.hpp"
#include "host/worksheet.hpp"

namespace quillet::staging_grid {

inline constexpr SHORT kMaxRows = 25;
inline constexpr SHORT kHeadingColumn = 1;

// Reads the field `column_name` of up to kMaxRows rows from the recordset's first row on,
// converts each value to `as` (VT_DECIMAL or VT_BSTR) and writes it down `column` from row
// 1. Answers the number of rows written. The recordset is left where reading stopped.
SHORT write_column(const host::Worksheet &sheet, const host::Recordset &rs, BSTR column_name, SHORT column,
                   VARTYPE as);

// Range(Cells(1, column), Cells(rows, column)) of the sheet.
host::Range column_range(const host::Worksheet &sheet, SHORT column, SHORT rows);

}  // namespace quillet::staging_grid

#endif
