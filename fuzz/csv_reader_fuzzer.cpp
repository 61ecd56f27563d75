// The recordset's CSV reader, two ways: the reader itself on the input's bytes, and a
// Recordset opened on a file holding the same bytes (in a private temporary directory;
// the input never names a path), walked row by row as a client walks it.
//
// Checked on every input, beyond "no crash, no leak": bytes that are not UTF-8 are
// refused; a table the reader accepts has whole rows of text or Null; and the Recordset
// agrees with the reader, opening exactly when the reader succeeds, with the same number
// of rows and the same values.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "objects/recordset_object.hpp"
#include "oleaut/dispatch/module.hpp"
#include "oleaut/late_bound.hpp"
#include "sources/csv_parser.hpp"
#include "sources/csv_source.hpp"

namespace {

using oleaut::variant;
namespace late = oleaut::late;

// How many rows the Recordset walk compares; the reader itself reads every row.
constexpr size_t kRowsWalked = 64;

std::string g_directory;
std::string g_file;

void remove_directory() { std::filesystem::remove_all(g_directory); }

[[noreturn]] void disagreement(const std::string &what)
{
    std::fprintf(stderr, "CSV reader: %s\n", what.c_str());
    std::abort();
}

bool same_value(const VARIANT &a, const VARIANT &b)
{
    if (a.vt != b.vt)
        return false;
    if (a.vt != VT_BSTR)
        return true;  // Null
    return SysStringLen(a.bstrVal) == SysStringLen(b.bstrVal) &&
           std::u16string_view(a.bstrVal, SysStringLen(a.bstrVal)) ==
               std::u16string_view(b.bstrVal, SysStringLen(b.bstrVal));
}

std::optional<recordset::row_table> read_directly(std::string_view bytes)
{
    try {
        recordset::row_table table = recordset::read_csv_text(bytes, u"input.csv");
        const size_t width = table.columns.size();
        if (width == 0 || table.cells.size() % width != 0)
            disagreement("a table of " + std::to_string(table.cells.size()) + " cells in " + std::to_string(width) +
                         " columns");
        for (const oleaut::variant &cell : table.cells)
            if (cell.vt != VT_BSTR && cell.vt != VT_NULL)
                disagreement("a cell of type " + std::to_string(cell.vt));
        return table;
    } catch (const oleaut::com_error &) {
        return std::nullopt;  // refused with a number and a description: what a bad file gets
    }
}

void walk_recordset(const std::optional<recordset::row_table> &expected)
{
    auto rs = oleaut::com_ptr<IDispatch>::attach(recordset::recordset_object::create());
    const std::u16string connection = u"Provider=CSV;Data Source=" + oleaut::utf8_to_utf16(g_file);
    try {
        late::call(rs.get(), u"Open", {variant::missing(), variant::str(connection)});
    } catch (const oleaut::com_error &e) {
        if (expected)
            disagreement("Open refused a file the reader accepts: " + oleaut::utf16_to_utf8(e.description()));
        return;
    }
    if (!expected)
        disagreement("Open accepted a file the reader refuses");
    const size_t width = expected->columns.size();
    if (static_cast<size_t>(late::get(rs.get(), u"RecordCount").lVal) != expected->row_count())
        disagreement("RecordCount differs from the reader's rows");
    auto fields = late::object_of(late::get(rs.get(), u"Fields"));
    if (static_cast<size_t>(late::get(fields.get(), u"Count").lVal) != width)
        disagreement("Fields.Count differs from the reader's columns");
    size_t row = 0;
    for (; row < kRowsWalked && !late::get(rs.get(), u"EOF").boolVal; ++row) {
        for (size_t c = 0; c < width; ++c) {
            auto field = late::object_of(late::get(fields.get(), u"Item", {variant::i4(static_cast<LONG>(c))}));
            if (!same_value(late::get(field.get(), u"Value"), expected->cells[row * width + c]))
                disagreement("a value differs from the reader's at row " + std::to_string(row + 1));
        }
        late::call(rs.get(), u"MoveNext");
    }
    if (row < kRowsWalked && row != expected->row_count())
        disagreement("EOF after " + std::to_string(row) + " rows");
    late::call(rs.get(), u"Close");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    const char *base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/quillet-csv-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    g_directory = pattern;
    g_file = g_directory + "/input.csv";
    std::atexit(remove_directory);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const long objects_before = oleaut::disp::module_live_count();
    std::optional<recordset::row_table> table = read_directly(bytes);
    if (table && recordset::first_invalid_utf8(bytes) != std::string_view::npos)
        disagreement("bytes that are not UTF-8 were accepted");
    {
        std::ofstream out(g_file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    try {
        walk_recordset(table);
    } catch (const oleaut::com_error &e) {
        disagreement("walking an open recordset failed: " + std::string(e.what()));
    }
    if (oleaut::disp::module_live_count() != objects_before)
        disagreement("a recordset object was not released");
    return 0;
}
