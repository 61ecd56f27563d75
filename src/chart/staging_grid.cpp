#include "chart/staging_grid.hpp"

#include "chart/conversions.hpp"

namespace quillet::staging_grid {

SHORT write_column(const host::Worksheet &sheet, const host::Recordset &rs, BSTR column_name, SHORT column,
                   VARTYPE as)
{
    SHORT row = 0;
    for (;;) {
        // Both conditions are evaluated on every pass, so EOF is read once more after the
        // last row the grid takes.
        const bool at_end = rs.EOF_();
        if (at_end || row >= kMaxRows)
            return row;
        ++row;
        oleaut::variant value = convert(rs.FieldValue(column_name), as);
        sheet.get_Cells().put_Item(row, column, value);
        rs.MoveNext();
    }
}

host::Range column_range(const host::Worksheet &sheet, SHORT column, SHORT rows)
{
    // Two statements: the first cell is fetched before the last.
    const host::Range first = sheet.get_Cells().Item(1, column);
    const host::Range last = sheet.get_Cells().Item(rows, column);
    return sheet.get_Range(first, last);
}

}  // namespace quillet::staging_grid
