#include "sources/csv_source.hpp"

#include "errors/recordset_errors.hpp"
#include "sources/csv_parser.hpp"
#include "sources/file_checks.hpp"
#include "values/field_types.hpp"

namespace recordset {

row_table read_csv_text(std::string_view bytes, std::u16string_view file_name)
{
    std::vector<csv_record> records = parse_csv(bytes, file_name);
    row_table t;
    for (const csv_field &f : records.front().fields)
        t.columns.push_back(column{from_utf8(f.text), ad_var_wchar, 0, kAttrIsNullable | kAttrMayBeNull});
    const size_t width = t.columns.size();
    t.cells.reserve(width * (records.size() - 1));
    for (size_t r = 1; r < records.size(); ++r) {
        const csv_record &rec = records[r];
        if (rec.fields.size() != width)
            fail(error_id::csv_syntax,
                 {file_name, to_text(static_cast<long long>(rec.line)),
                  u"the row has " + to_text(static_cast<long long>(rec.fields.size())) + u" fields but the header has " +
                      to_text(static_cast<long long>(width))});
        for (const csv_field &f : rec.fields)
            t.cells.push_back(f.text.empty() && !f.quoted ? oleaut::variant::null() : oleaut::variant::str_utf8(f.text));
    }
    return t;
}

row_table read_csv_file(std::u16string_view path) { return read_csv_text(read_whole_file(path), path); }

}  // namespace recordset
