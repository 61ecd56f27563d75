// The recordset's error table and the one place where descriptions are put together.
#include "errors/recordset_errors.hpp"

#include <string>

namespace recordset {

namespace {

// ADO's numbers: FACILITY_CONTROL with the code a client expects for the situation.
constexpr HRESULT ado(unsigned code) { return static_cast<HRESULT>(0x800A0000u | code); }

constexpr HRESULT kProviderFailed = ado(3000);
constexpr HRESULT kInvalidArgument = ado(3001);
constexpr HRESULT kOpeningFile = ado(3002);
constexpr HRESULT kReadFile = ado(3003);
constexpr HRESULT kNoCurrentRecord = ado(3021);
constexpr HRESULT kIllegalOperation = ado(3219);
constexpr HRESULT kFeatureNotAvailable = ado(3251);
constexpr HRESULT kItemNotFound = ado(3265);
constexpr HRESULT kObjectInCollection = ado(3367);
constexpr HRESULT kDataConversion = ado(3421);
constexpr HRESULT kObjectClosed = ado(3704);
constexpr HRESULT kObjectOpen = ado(3705);
constexpr HRESULT kProviderNotFound = ado(3706);
constexpr HRESULT kInvalidConnection = ado(3709);
constexpr HRESULT kDataOverflow = ado(3721);
constexpr HRESULT kSchemaViolation = ado(3722);
constexpr HRESULT kProviderNotSpecified = ado(3753);

constexpr error_entry kTable[] = {
    {error_id::provider_unknown, kProviderNotFound,
     u"The connection string names the provider '%1', which this recordset does not have. "
     u"Use Provider=SQLite or Provider=CSV."},
    {error_id::provider_missing, kProviderNotSpecified,
     u"The connection string '%1' names no provider. Write it as Provider=SQLite;Data Source=FILE "
     u"or Provider=CSV;Data Source=FILE."},
    {error_id::data_source_missing, kInvalidConnection,
     u"The connection string '%1' has no Data Source. Add Data Source=FILE with the path of the "
     u"database or CSV file."},
    {error_id::connection_syntax, kInvalidConnection,
     u"The connection string '%1' cannot be read: %2. Write it as Key=Value pairs separated by "
     u"semicolons, quoting a value that contains a semicolon."},
    {error_id::connection_not_text, kInvalidArgument,
     u"ActiveConnection must be a connection string such as Provider=SQLite;Data Source=FILE; "
     u"a value of variant type %1 cannot be used."},
    {error_id::connection_missing, kInvalidConnection,
     u"Open got the Source '%1' but no connection. Pass ActiveConnection as a connection string "
     u"such as Provider=SQLite;Data Source=FILE."},
    {error_id::nothing_to_open, kInvalidConnection,
     u"Open has nothing to open. Pass a Source and a connection string, or call Fields.Append "
     u"first to open an empty in-memory recordset."},
    {error_id::source_not_text, kInvalidArgument,
     u"Source must be text (an SQL query); a value of variant type %1 cannot be used."},
    {error_id::source_with_appended_fields, kInvalidArgument,
     u"This recordset has fields from Fields.Append, so it opens as an in-memory recordset: "
     u"call Open without Source and ActiveConnection."},
    {error_id::file_missing, kOpeningFile,
     u"The file '%1' does not exist. Check the Data Source path (a relative path counts from "
     u"the working directory '%2')."},
    {error_id::file_unreadable, kOpeningFile, u"The file '%1' cannot be read: %2."},
    {error_id::sqlite_open_failed, kOpeningFile, u"SQLite cannot open the database '%1': %2."},
    {error_id::sqlite_source_missing, kInvalidArgument,
     u"Open with Provider=SQLite needs a Source: the SQL query whose rows the recordset holds."},
    {error_id::sqlite_query_failed, kProviderFailed, u"SQLite refused the query: %1. The query was: %2"},
    {error_id::sqlite_no_columns, kInvalidArgument,
     u"The query returns no columns, so it cannot fill a recordset; use a SELECT or another "
     u"statement that returns rows. The query was: %1"},
    {error_id::sqlite_several_statements, kInvalidArgument,
     u"The Source holds more than one SQL statement, but a recordset runs exactly one query. "
     u"Remove everything after the first statement: %1"},
    {error_id::csv_source_given, kInvalidArgument,
     u"Provider=CSV reads the whole file named by Data Source, so Open takes no Source; leave "
     u"it out (it was '%1')."},
    {error_id::csv_syntax, kReadFile, u"The CSV file '%1' is malformed at line %2: %3."},
    {error_id::object_closed, kObjectClosed, u"The recordset is closed, so %1 cannot run. Call Open first."},
    {error_id::object_open, kObjectOpen, u"The recordset is open, so %1 cannot run. Call Close first."},
    {error_id::no_current_record, kNoCurrentRecord,
     u"There is no current record: the cursor is %1. Call MoveFirst and check EOF before "
     u"reading or changing a field."},
    {error_id::cursor_at_end, kNoCurrentRecord, u"%1 cannot move: the cursor is already %2."},
    {error_id::field_name_not_found, kItemNotFound, u"The recordset has no field named '%1'. Its fields are: %2."},
    {error_id::field_index_out_of_range, kItemNotFound,
     u"The recordset has no field at index %1: it has %2 fields, counted from 0."},
    {error_id::field_index_type, kInvalidArgument,
     u"A field is selected by its name (a string) or by its position counted from 0 (a number); "
     u"a value of variant type %1 selects nothing."},
    {error_id::field_stale, kObjectClosed,
     u"The field '%1' belongs to an earlier opening of the recordset, which has since been "
     u"closed or reopened. Fetch the field again from Fields."},
    {error_id::field_type_unknown, kInvalidArgument,
     u"Fields.Append does not know the field type %1. Use one of: %2."},
    {error_id::field_name_empty, kInvalidArgument,
     u"Fields.Append needs a field name; a field without one cannot be selected by name."},
    {error_id::field_name_duplicate, kObjectInCollection,
     u"The recordset already has a field named '%1'; field names must differ, ignoring case."},
    {error_id::field_size_invalid, kInvalidArgument,
     u"DefinedSize must be 0 (no limit) or more; %1 was given for the field '%2'."},
    {error_id::read_only, kFeatureNotAvailable,
     u"This recordset holds the rows of %1 and is read-only, so %2 cannot run. To build rows, "
     u"call Fields.Append and then Open without a Source."},
    {error_id::value_conversion, kDataConversion, u"The value for the field '%1' cannot be stored as %2: %3."},
    {error_id::value_null_refused, kSchemaViolation,
     u"The field '%1' does not accept Null. Append it with the attribute adFldIsNullable (32) "
     u"to allow Null values."},
    {error_id::value_too_long, kDataOverflow,
     u"The value for the field '%1' has %2 %3, but the field holds at most %4 (its DefinedSize)."},
    {error_id::list_mismatch, kInvalidArgument,
     u"%1 got %2 field names but %3 values; pass one value for each field."},
    {error_id::list_element_type, kInvalidArgument,
     u"%1 takes a single value or a one-dimensional array; an array of variant type %2 cannot "
     u"be used. Pass an array of variants, as Array(...) makes."},
    {error_id::edit_pending, kIllegalOperation,
     u"A change to the current record is pending, so %1 cannot run. Call Update to keep it or "
     u"CancelUpdate to drop it."},
    {error_id::argument_out_of_range, kInvalidArgument, u"%1 must be one of %2; %3 was given."},
    {error_id::script_failed, kProviderFailed, u"SQLite could not build the database '%1' from the script '%2': %3."},
};

static_assert(std::size(kTable) == static_cast<size_t>(error_id::count_), "every error_id needs its row");

}  // namespace

std::span<const error_entry> error_table() noexcept { return kTable; }

// Searched rather than indexed, so that the table's order is free. Errors are rare.
const error_entry &error_entry_of(error_id id) noexcept
{
    for (const error_entry &e : kTable)
        if (e.id == id)
            return e;
    return kTable[0];  // unreachable while every id has its row (the test checks that)
}

oleaut::com_error make_error(error_id id, std::initializer_list<std::u16string_view> args)
{
    const error_entry &e = error_entry_of(id);
    std::u16string out;
    std::u16string_view text = e.text;
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c == u'%' && i + 1 < text.size() && text[i + 1] >= u'1' && text[i + 1] <= u'9') {
            size_t n = static_cast<size_t>(text[i + 1] - u'1');
            if (n < args.size())
                out += *(args.begin() + n);
            ++i;
            continue;
        }
        out += c;
    }
    return oleaut::com_error(e.hr, kErrorSource, std::move(out));
}

void fail(error_id id, std::initializer_list<std::u16string_view> args) { throw make_error(id, args); }

std::u16string to_text(long long n)
{
    std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

std::u16string from_utf8(std::string_view s) { return oleaut::utf8_to_utf16(s); }

}  // namespace recordset
