// Building databases from .sql scripts: the result can be queried, and a failing script
// leaves no database behind, not even a half-built one.
#include <gtest/gtest.h>

#include <filesystem>

#include "recordset_test_support.hpp"

namespace {

using namespace rs_test;

TEST(SqliteScript, BuildsAQueryableDatabase)
{
    scratch_dir dir;
    recordset::create_database_from_sql("CREATE TABLE t(x); INSERT INTO t VALUES (41), (42);", u16(dir.file("t.db")),
                                        u"inline");
    com_ptr<IDispatch> rs = open_recordset(u"SELECT SUM(x) AS total FROM t", sqlite_connection(dir.file("t.db")));
    EXPECT_EQ(value_of(rs.get(), u"total").lVal, 83);
}

TEST(SqliteScript, ReplacesAnOlderDatabase)
{
    scratch_dir dir;
    std::u16string db = u16(dir.file("t.db"));
    recordset::create_database_from_sql("CREATE TABLE t(x); INSERT INTO t VALUES (1);", db, u"first");
    recordset::create_database_from_sql("CREATE TABLE t(x); INSERT INTO t VALUES (2);", db, u"second");
    com_ptr<IDispatch> rs = open_recordset(u"SELECT x FROM t", sqlite_connection(dir.file("t.db")));
    EXPECT_EQ(value_of(rs.get(), u"x").lVal, 2);
}

TEST(SqliteScript, FailingScriptLeavesNothing)
{
    scratch_dir dir;
    std::string db = dir.file("t.db");
    expect_error([&] { recordset::create_database_from_sql("CREATE TABLE t(x); INSERT INTO nope VALUES (1);", u16(db), u"broken.sql"); },
                 kProviderFailed, "from the script 'broken.sql': no such table: nope");
    EXPECT_FALSE(std::filesystem::exists(db));
    EXPECT_FALSE(std::filesystem::exists(db + ".building"));
}

TEST(SqliteScript, MissingScript)
{
    scratch_dir dir;
    expect_error([&] { recordset::create_database_from_script(u16(dir.file("none.sql")), u16(dir.file("t.db"))); },
                 kOpeningFile, "none.sql' does not exist");
}

}  // namespace
