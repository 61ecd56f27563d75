// Choosing where rows come from: the connection string's Provider picks a reader, its
// Data Source names the file, and Open's Source is what the reader runs (a query for
// SQLite; nothing for CSV, which reads the whole file).
#ifndef RECORDSET_SOURCE_PROVIDERS_HPP
#define RECORDSET_SOURCE_PROVIDERS_HPP

#include <optional>
#include <string>
#include <string_view>

#include "values/row_table.hpp"

namespace recordset {

struct opened_source {
    row_table rows;
    std::u16string origin;  // "the CSV file 'sales.csv'": what error messages call the rows
};

opened_source open_source(std::u16string_view connection_string, const std::optional<std::u16string> &source);

}  // namespace recordset

#endif
