// Every failure the recordset reports, in one table: its HRESULT, and a description
// template whose %1, %2, ... are filled with what the caller needs to act (a file name,
// a field name, a line number, SQLite's own message). The numbers are the ones ADO
// clients already test for (0x800A0000 | n); the texts are ours.
#ifndef RECORDSET_ERRORS_HPP
#define RECORDSET_ERRORS_HPP

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "oleaut/com_error.hpp"

namespace recordset {

inline constexpr const char16_t *kErrorSource = u"Recordset";

enum class error_id {
    provider_unknown,
    provider_missing,
    data_source_missing,
    connection_syntax,
    connection_not_text,
    connection_missing,
    nothing_to_open,
    source_not_text,
    source_with_appended_fields,
    file_missing,
    file_unreadable,
    sqlite_open_failed,
    sqlite_source_missing,
    sqlite_query_failed,
    sqlite_no_columns,
    sqlite_several_statements,
    csv_source_given,
    csv_syntax,
    object_closed,
    object_open,
    no_current_record,
    cursor_at_end,
    field_name_not_found,
    field_index_out_of_range,
    field_index_type,
    field_stale,
    field_type_unknown,
    field_name_empty,
    field_name_duplicate,
    field_size_invalid,
    read_only,
    value_conversion,
    value_null_refused,
    value_too_long,
    list_mismatch,
    list_element_type,
    edit_pending,
    argument_out_of_range,
    script_failed,
    count_  // not an error: the number of ids above
};

struct error_entry {
    error_id id;
    HRESULT hr;
    const char16_t *text;  // %1 .. %9 stand for the arguments
};

// The whole table.
std::span<const error_entry> error_table() noexcept;
const error_entry &error_entry_of(error_id id) noexcept;

// The error with its placeholders filled, ready to throw.
oleaut::com_error make_error(error_id id, std::initializer_list<std::u16string_view> args = {});
[[noreturn]] void fail(error_id id, std::initializer_list<std::u16string_view> args = {});

// Small helpers for the arguments.
std::u16string to_text(long long n);
std::u16string from_utf8(std::string_view s);

}  // namespace recordset

#endif
