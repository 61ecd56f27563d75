// The provider table. A new kind of source is one more row here and a reader of its own.
#include "sources/source_providers.hpp"

#include "errors/recordset_errors.hpp"
#include "oleaut/dispatch/describe.hpp"
#include "sources/connection_string.hpp"
#include "sources/csv_source.hpp"
#include "sources/sqlite_source.hpp"

namespace recordset {

namespace {

opened_source open_sqlite(std::u16string_view file, const std::optional<std::u16string> &source)
{
    if (!source || source->find_first_not_of(u" \t\r\n") == std::u16string::npos)
        fail(error_id::sqlite_source_missing);
    return {read_sqlite_query(file, *source), u"the SQLite query on '" + std::u16string(file) + u"'"};
}

opened_source open_csv(std::u16string_view file, const std::optional<std::u16string> &source)
{
    if (source && !source->empty())
        fail(error_id::csv_source_given, {*source});
    return {read_csv_file(file), u"the CSV file '" + std::u16string(file) + u"'"};
}

struct provider {
    const char16_t *name;
    opened_source (*open)(std::u16string_view data_source, const std::optional<std::u16string> &source);
};

constexpr provider kProviders[] = {
    {u"SQLite", &open_sqlite},
    {u"CSV", &open_csv},
};

}  // namespace

opened_source open_source(std::u16string_view connection_string, const std::optional<std::u16string> &source)
{
    connection_settings settings = connection_settings::parse(connection_string);
    const std::u16string *name = settings.find(u"Provider");
    if (!name || name->empty())
        fail(error_id::provider_missing, {connection_string});
    for (const provider &p : kProviders) {
        if (!oleaut::disp::names_equal(p.name, *name))
            continue;
        const std::u16string *file = settings.find(u"Data Source");
        if (!file || file->empty())
            fail(error_id::data_source_missing, {connection_string});
        return p.open(*file, source);
    }
    fail(error_id::provider_unknown, {*name});
}

}  // namespace recordset
