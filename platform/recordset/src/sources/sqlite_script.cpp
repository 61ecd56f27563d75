#include "sources/sqlite_script.hpp"

#include <sqlite3.h>

#include <filesystem>
#include <string>

#include "errors/recordset_errors.hpp"
#include "sources/file_checks.hpp"

namespace recordset {

namespace {

[[noreturn]] void script_failure(const std::filesystem::path &building, std::u16string_view database_path,
                                 std::u16string_view script_name, std::u16string_view why)
{
    std::error_code ignored;
    std::filesystem::remove(building, ignored);
    fail(error_id::script_failed, {database_path, script_name, why});
}

}  // namespace

void create_database_from_sql(std::string_view sql, std::u16string_view database_path, std::u16string_view script_name)
{
    const std::filesystem::path target(oleaut::utf16_to_utf8(database_path));
    // Built beside the target and renamed into place, so a failed script never leaves a
    // half-made database where a reader would find it.
    std::filesystem::path building = target;
    building += ".building";
    std::error_code ignored;
    std::filesystem::remove(building, ignored);

    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(building.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        std::u16string why = from_utf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        script_failure(building, database_path, script_name, why);
    }
    std::string text(sql);
    char *message = nullptr;
    rc = sqlite3_exec(db, text.c_str(), nullptr, nullptr, &message);
    std::u16string why = rc == SQLITE_OK ? u"" : from_utf8(message ? message : sqlite3_errstr(rc));
    sqlite3_free(message);
    if (sqlite3_close(db) != SQLITE_OK && rc == SQLITE_OK) {
        why = u"the database could not be closed";
        rc = SQLITE_ERROR;
    }
    if (rc != SQLITE_OK)
        script_failure(building, database_path, script_name, why);
    std::error_code ec;
    std::filesystem::rename(building, target, ec);
    if (ec)
        script_failure(building, database_path, script_name, from_utf8(ec.message()));
}

void create_database_from_script(std::u16string_view script_path, std::u16string_view database_path)
{
    create_database_from_sql(read_whole_file(script_path), database_path, script_path);
}

}  // namespace recordset
