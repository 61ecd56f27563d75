// sqlite_from_script SCRIPT.sql DATABASE: builds a SQLite database from a script at build
// time, so that sample databases live in the repository as reviewable text.
#include <cstdio>

#include "oleaut/utf.hpp"
#include "sources/sqlite_script.hpp"

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SCRIPT.sql DATABASE\n", argv[0]);
        return 2;
    }
    try {
        recordset::create_database_from_script(oleaut::utf8_to_utf16(argv[1]), oleaut::utf8_to_utf16(argv[2]));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "sqlite_from_script: %s\n", e.what());
        return 1;
    }
    return 0;
}
