// Reading a query's rows from SQLite. The database is opened read-only, so neither a
// mistyped path (which would otherwise create an empty database) nor the query can
// change anything on disk.
#include "sources/sqlite_source.hpp"

#include <sqlite3.h>

#include <cstring>
#include <memory>
#include <new>

#include "errors/recordset_errors.hpp"
#include "sources/file_checks.hpp"
#include "values/field_types.hpp"

namespace recordset {

namespace {

struct db_closer {
    void operator()(sqlite3 *db) const noexcept { sqlite3_close(db); }
};
struct stmt_finalizer {
    void operator()(sqlite3_stmt *s) const noexcept { sqlite3_finalize(s); }
};
using db_handle = std::unique_ptr<sqlite3, db_closer>;
using stmt_handle = std::unique_ptr<sqlite3_stmt, stmt_finalizer>;

std::u16string message_of(sqlite3 *db)
{
    const void *m = sqlite3_errmsg16(db);
    return m ? std::u16string(static_cast<const char16_t *>(m)) : std::u16string(u"out of memory");
}

db_handle open_read_only(std::u16string_view path)
{
    require_readable_file(path);
    std::string utf8 = oleaut::utf16_to_utf8(path);
    sqlite3 *raw = nullptr;
    int rc = sqlite3_open_v2(utf8.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    db_handle db(raw);
    if (rc != SQLITE_OK)
        fail(error_id::sqlite_open_failed, {path, db ? message_of(db.get()) : from_utf8(sqlite3_errstr(rc))});
    // Another program may be writing the file; wait for its lock instead of failing at once.
    sqlite3_busy_timeout(db.get(), 5000);
    return db;
}

stmt_handle prepare_single(sqlite3 *db, std::u16string_view query)
{
    sqlite3_stmt *raw = nullptr;
    const void *tail = nullptr;
    int bytes = static_cast<int>(query.size() * sizeof(char16_t));
    int rc = sqlite3_prepare16_v2(db, query.data(), bytes, &raw, &tail);
    stmt_handle stmt(raw);
    if (rc != SQLITE_OK)
        fail(error_id::sqlite_query_failed, {message_of(db), query});
    if (!stmt)  // only blanks or comments
        fail(error_id::sqlite_source_missing);
    // Whatever follows the first statement must compile to nothing (blanks, semicolons,
    // comments); a second statement would silently never run.
    size_t used = static_cast<size_t>(static_cast<const char16_t *>(tail) - query.data());
    std::u16string_view rest = query.substr(used);
    sqlite3_stmt *next = nullptr;
    int rest_rc = sqlite3_prepare16_v2(db, rest.data(), static_cast<int>(rest.size() * sizeof(char16_t)), &next, nullptr);
    sqlite3_finalize(next);
    if (rest_rc != SQLITE_OK || next)
        fail(error_id::sqlite_several_statements, {query});
    return stmt;
}

// Which storage classes one column showed, to give the field a type that describes it.
struct seen_classes {
    bool int32 = false, int64 = false, real = false, text = false, blob = false;
};

oleaut::variant blob_value(sqlite3_stmt *stmt, int col)
{
    int n = sqlite3_column_bytes(stmt, col);
    const void *data = sqlite3_column_blob(stmt, col);
    SAFEARRAY *sa = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(n));
    if (!sa)
        throw std::bad_alloc();
    oleaut::variant v;
    v.vt = VT_ARRAY | VT_UI1;
    v.parray = sa;
    if (n > 0) {
        void *dest = nullptr;
        oleaut::check(SafeArrayAccessData(sa, &dest));
        std::memcpy(dest, data, static_cast<size_t>(n));
        oleaut::check(SafeArrayUnaccessData(sa));
    }
    return v;
}

oleaut::variant cell_value(sqlite3_stmt *stmt, int col, seen_classes &seen)
{
    switch (sqlite3_column_type(stmt, col)) {
    case SQLITE_INTEGER: {
        sqlite3_int64 x = sqlite3_column_int64(stmt, col);
        if (x >= INT32_MIN && x <= INT32_MAX) {
            seen.int32 = true;
            return oleaut::variant::i4(static_cast<LONG>(x));
        }
        seen.int64 = true;
        return oleaut::variant::i8(x);
    }
    case SQLITE_FLOAT:
        seen.real = true;
        return oleaut::variant::r8(sqlite3_column_double(stmt, col));
    case SQLITE_TEXT: {
        const void *text = sqlite3_column_text16(stmt, col);
        if (!text)
            throw std::bad_alloc();
        size_t units = static_cast<size_t>(sqlite3_column_bytes16(stmt, col)) / sizeof(char16_t);
        seen.text = true;
        return oleaut::variant::str(std::u16string_view(static_cast<const char16_t *>(text), units));
    }
    case SQLITE_BLOB:
        seen.blob = true;
        return blob_value(stmt, col);
    default:
        return oleaut::variant::null();
    }
}

bool contains(const std::string &s, const char *part) { return s.find(part) != std::string::npos; }

// A column without values: its declared type, by SQLite's own affinity rules.
LONG type_from_declaration(const char *decl)
{
    if (!decl)
        return ad_variant;
    std::string d(decl);
    for (char &c : d)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    if (contains(d, "INT"))
        return ad_integer;
    if (contains(d, "CHAR") || contains(d, "CLOB") || contains(d, "TEXT"))
        return ad_var_wchar;
    if (contains(d, "BLOB"))
        return ad_long_var_binary;
    if (contains(d, "REAL") || contains(d, "FLOA") || contains(d, "DOUB"))
        return ad_double;
    return ad_variant;
}

LONG column_type(const seen_classes &s, const char *decl)
{
    bool number = s.int32 || s.int64 || s.real;
    if (number && !s.text && !s.blob)
        return s.real ? ad_double : s.int64 ? ad_big_int : ad_integer;
    if (s.text && !number && !s.blob)
        return ad_var_wchar;
    if (s.blob && !number && !s.text)
        return ad_long_var_binary;
    if (!number && !s.text && !s.blob)
        return type_from_declaration(decl);
    return ad_variant;
}

}  // namespace

row_table read_sqlite_query(std::u16string_view database_path, std::u16string_view query)
{
    db_handle db = open_read_only(database_path);
    stmt_handle stmt = prepare_single(db.get(), query);
    int columns = sqlite3_column_count(stmt.get());
    if (columns == 0)
        fail(error_id::sqlite_no_columns, {query});

    row_table t;
    t.columns.resize(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c) {
        const void *name = sqlite3_column_name16(stmt.get(), c);
        if (!name)
            throw std::bad_alloc();
        t.columns[static_cast<size_t>(c)].name = static_cast<const char16_t *>(name);
        t.columns[static_cast<size_t>(c)].attributes = kAttrIsNullable | kAttrMayBeNull;
    }
    std::vector<seen_classes> seen(static_cast<size_t>(columns));
    for (;;) {
        int rc = sqlite3_step(stmt.get());
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            fail(error_id::sqlite_query_failed, {message_of(db.get()), query});
        for (int c = 0; c < columns; ++c)
            t.cells.push_back(cell_value(stmt.get(), c, seen[static_cast<size_t>(c)]));
    }
    for (int c = 0; c < columns; ++c)
        t.columns[static_cast<size_t>(c)].type = column_type(seen[static_cast<size_t>(c)],
                                                            sqlite3_column_decltype(stmt.get(), c));
    return t;
}

}  // namespace recordset
