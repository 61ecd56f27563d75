// Rows from SQLite: runs one query on a database file opened read-only and reads every
// row into a row_table. Integers become VT_I4 (VT_I8 when they do not fit), reals VT_R8,
// text VT_BSTR, NULL VT_NULL and blobs a byte array.
#ifndef RECORDSET_SQLITE_SOURCE_HPP
#define RECORDSET_SQLITE_SOURCE_HPP

#include <string_view>

#include "values/row_table.hpp"

namespace recordset {

// Throws the recordset's errors: a missing file (never creating one), a database SQLite
// cannot open, and SQLite's own message for a query it refuses, together with the query.
row_table read_sqlite_query(std::u16string_view database_path, std::u16string_view query);

}  // namespace recordset

#endif
