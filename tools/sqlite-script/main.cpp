// sqlite-script SCRIPT.sql DATABASE: builds a SQLite database from a .sql script, the way
// the build makes the demo's sample database (nothing binary is kept in the repository).
#include <cstdio>

#include "comutil.hpp"
#include "sqlite_script.hpp"

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fputs("usage: sqlite-script SCRIPT.sql DATABASE\n", stderr);
        return 2;
    }
    try {
        recordset::create_database_from_script(oleaut::utf8_to_utf16(argv[1]), oleaut::utf8_to_utf16(argv[2]));
    } catch (const oleaut::com_error &e) {
        std::fprintf(stderr, "sqlite-script: %s\n", oleaut::utf16_to_utf8(e.description()).c_str());
        return 1;
    }
    return 0;
}
