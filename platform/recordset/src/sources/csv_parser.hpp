// Splitting CSV text into records and fields, as RFC 4180 describes it: fields separated
// by commas, records by CRLF or LF, a field in double quotes may hold commas, line
// breaks and doubled quotes. The parser keeps whether a field was quoted, because an
// empty unquoted field means Null and a quoted empty one the empty string.
#ifndef RECORDSET_CSV_PARSER_HPP
#define RECORDSET_CSV_PARSER_HPP

#include <string>
#include <string_view>
#include <vector>

namespace recordset {

struct csv_field {
    std::string text;  // UTF-8, quotes removed
    bool quoted = false;
};

struct csv_record {
    size_t line = 0;  // where the record starts, counted from 1
    std::vector<csv_field> fields;
};

// The records of a whole file (UTF-8, with or without a byte-order mark). Blank lines at
// the end of the file are not records. Throws the csv_syntax error naming `file_name`
// and the line of the fault: a quote left open, text after a closing quote, a quote in
// an unquoted field, bytes that are not UTF-8, or a file with no header row.
std::vector<csv_record> parse_csv(std::string_view bytes, std::u16string_view file_name);

// The byte offset of the first malformed UTF-8 sequence, or npos when there is none.
size_t first_invalid_utf8(std::string_view bytes) noexcept;

}  // namespace recordset

#endif
