// What Open refuses before reading anything: connection strings without a provider we
// have, without a Data Source, a source without a connection, and arguments of the
// wrong kind.
#include <gtest/gtest.h>

#include "recordset_test_support.hpp"

namespace {

using namespace rs_test;

struct open_case {
    const char *name;
    variant (*source)();
    variant (*connection)();
    HRESULT hr;
    const char *part;
};

variant nothing() { return variant::missing(); }

const open_case kRefused[] = {
    {"unknown_provider", [] { return variant::str(u"SELECT 1"); },
     [] { return variant::str(u"Provider=PostgreSQL;Data Source=sales"); }, kProviderNotFound,
     "names the provider 'PostgreSQL', which this recordset does not have"},
    {"no_provider", [] { return variant::str(u"SELECT 1"); }, [] { return variant::str(u"Data Source=x.db"); },
     kProviderNotSpecified, "The connection string 'Data Source=x.db' names no provider"},
    {"no_data_source", [] { return variant::str(u"SELECT 1"); }, [] { return variant::str(u"Provider=sqlite"); },
     kInvalidConnection, "The connection string 'Provider=sqlite' has no Data Source"},
    {"source_without_connection", [] { return variant::str(u"SELECT 1"); }, nothing, kInvalidConnection,
     "Open got the Source 'SELECT 1' but no connection"},
    {"unreadable_connection", nothing, [] { return variant::str(u"Provider=CSV;x"); }, kInvalidConnection,
     "the part 'x' has no '='"},
    {"connection_not_text", nothing, [] { return variant::error(E_FAIL); }, kInvalidArgument,
     "ActiveConnection must be a connection string"},
    {"nothing", nothing, nothing, kInvalidConnection, "Open has nothing to open"},
};

class OpenRefused : public ::testing::TestWithParam<open_case> {};

TEST_P(OpenRefused, WithAnErrorThatSaysWhy)
{
    const open_case &c = GetParam();
    com_ptr<IDispatch> rs = new_recordset();
    expect_error([&] { call(rs.get(), u"Open", {c.source(), c.connection()}); }, c.hr, c.part);
    EXPECT_EQ(get(rs.get(), u"State").lVal, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, OpenRefused, ::testing::ValuesIn(kRefused),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(OpenArguments, CursorAndLockTypesOutsideTheirEnumerations)
{
    com_ptr<IDispatch> rs = new_recordset();
    variant conn = variant::str(csv_connection(data_file("sales.csv")));
    expect_error([&] { call(rs.get(), u"Open", {variant::missing(), conn, variant::i4(7)}); }, kInvalidArgument,
                 "CursorType must be one of -1 (unspecified)");
    expect_error([&] { call(rs.get(), u"Open", {variant::missing(), conn, variant::i4(3), variant::i4(0)}); },
                 kInvalidArgument, "LockType must be one of");
    call(rs.get(), u"Open", {variant::missing(), conn, variant::i4(3), variant::i4(3), variant::i4(-1)});
    EXPECT_EQ(get(rs.get(), u"State").lVal, 1);
}

TEST(OpenArguments, ProviderNameIgnoresCaseAndQuotedPathsWork)
{
    com_ptr<IDispatch> rs =
        open_recordset(std::nullopt, u"provider=csv; data source=\"" + u16(data_file("sales.csv")) + u"\"");
    EXPECT_EQ(get(rs.get(), u"RecordCount").lVal, 4);
}

}  // namespace
