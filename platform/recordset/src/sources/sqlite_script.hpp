// Building a SQLite database from a .sql script. Sample and test databases live in the
// repository as scripts a person can read and review; the binary file is made from the
// script when it is needed.
#ifndef RECORDSET_SQLITE_SCRIPT_HPP
#define RECORDSET_SQLITE_SCRIPT_HPP

#include <string_view>

namespace recordset {

// Replaces any file at database_path with a new database holding what the script makes.
// Nothing is left behind when the script fails part-way. Throws file_missing for a
// missing script and script_failed with SQLite's message.
void create_database_from_script(std::u16string_view script_path, std::u16string_view database_path);

// The same with the script's text in hand.
void create_database_from_sql(std::string_view sql, std::u16string_view database_path,
                              std::u16string_view script_name);

}  // namespace recordset

#endif
