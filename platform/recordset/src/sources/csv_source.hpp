// Rows from a CSV file: the first record names the fields, every later record is a row.
// Fields hold text (VT_BSTR); an empty unquoted field is Null, a quoted empty field the
// empty string.
#ifndef RECORDSET_CSV_SOURCE_HPP
#define RECORDSET_CSV_SOURCE_HPP

#include <string_view>

#include "values/row_table.hpp"

namespace recordset {

// Throws file_missing / file_unreadable, and csv_syntax with the line of the fault
// (including a row whose field count differs from the header's).
row_table read_csv_file(std::u16string_view path);

// The same from text already in memory; `file_name` only names it in errors.
row_table read_csv_text(std::string_view bytes, std::u16string_view file_name);

}  // namespace recordset

#endif
