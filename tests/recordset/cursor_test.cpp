// The cursor as the chart component relies on it, over a three-row CSV: MoveFirst
// rewinds, EOF turns true past the last row, MoveNext advances one row, and reading
// where there is no record fails. Each case is a script of moves and what follows.
#include <gtest/gtest.h>

#include "recordset_test_support.hpp"

namespace {

using namespace rs_test;

// Writes a three-row CSV (Sales: 10, 20, 30) into a scratch directory.
class CursorFixture {
public:
    CursorFixture()
    {
        test_support::write_file(dir_.file("three.csv"), "Sales\n10\n20\n30\n");
        rs_ = open_recordset(std::nullopt, csv_connection(dir_.file("three.csv")));
    }
    IDispatch *rs() const { return rs_.get(); }

private:
    scratch_dir dir_;
    com_ptr<IDispatch> rs_;
};

struct move_case {
    const char *name;
    std::vector<const char16_t *> moves;
    const char *expected;  // "BOF EOF value" after the moves, e.g. "0 0 20", value "-" when none
};

const move_case kMoves[] = {
    {"opened_on_first", {}, "0 0 10"},
    {"next", {u"MoveNext"}, "0 0 20"},
    {"past_last", {u"MoveNext", u"MoveNext", u"MoveNext"}, "0 1 -"},
    {"first_rewinds", {u"MoveNext", u"MoveNext", u"MoveNext", u"MoveFirst"}, "0 0 10"},
    {"last", {u"MoveLast"}, "0 0 30"},
    {"previous_from_eof", {u"MoveLast", u"MoveNext", u"MovePrevious"}, "0 0 30"},
    {"before_first", {u"MovePrevious"}, "1 0 -"},
    {"next_from_bof", {u"MovePrevious", u"MoveNext"}, "0 0 10"},
};

std::string observe(IDispatch *rs)
{
    std::string out = std::string(bof(rs) ? "1" : "0") + " " + (eof(rs) ? "1" : "0") + " ";
    std::optional<com_error> e = error_of([&] { out += value_of(rs, u"sales").to_bstr().utf8(); });
    if (e) {
        EXPECT_EQ(static_cast<unsigned>(e->hr()), static_cast<unsigned>(kNoCurrentRecord)) << e->what();
        out += "-";
    }
    return out;
}

class CursorMoves : public ::testing::TestWithParam<move_case> {};

TEST_P(CursorMoves, LandWhereExpected)
{
    CursorFixture f;
    for (const char16_t *m : GetParam().moves)
        call(f.rs(), m);
    EXPECT_EQ(observe(f.rs()), GetParam().expected);
    // Reading is no move: a second look sees the same.
    EXPECT_EQ(observe(f.rs()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CursorMoves, ::testing::ValuesIn(kMoves),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Cursor, ComponentLoopReadsEveryRowOnce)
{
    CursorFixture f;
    std::vector<variant> v = read_column(f.rs(), u"Sales");
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[2].to_bstr().utf8(), "30");
    // A second pass starts over.
    EXPECT_EQ(read_column(f.rs(), u"Sales").size(), 3u);
}

TEST(Cursor, ReadingAtEofNamesWhereTheCursorIs)
{
    CursorFixture f;
    call(f.rs(), u"MoveLast");
    call(f.rs(), u"MoveNext");
    expect_error([&] { value_of(f.rs(), u"Sales"); }, kNoCurrentRecord,
                 "There is no current record: the cursor is past the last record (EOF is true)");
    expect_error([&] { call(f.rs(), u"MoveNext"); }, kNoCurrentRecord,
                 "MoveNext cannot move: the cursor is already past the last record");
}

TEST(Cursor, ReadingAtBof)
{
    CursorFixture f;
    call(f.rs(), u"MovePrevious");
    expect_error([&] { value_of(f.rs(), u"Sales"); }, kNoCurrentRecord, "before the first record (BOF is true)");
    expect_error([&] { call(f.rs(), u"MovePrevious"); }, kNoCurrentRecord, "MovePrevious cannot move");
}

TEST(Cursor, EmptyRecordset)
{
    scratch_dir dir;
    test_support::write_file(dir.file("header_only.csv"), "Sales\r\n");
    com_ptr<IDispatch> rs = open_recordset(std::nullopt, csv_connection(dir.file("header_only.csv")));
    call(rs.get(), u"MoveFirst");
    call(rs.get(), u"MoveLast");
    EXPECT_TRUE(eof(rs.get()));
    EXPECT_TRUE(bof(rs.get()));
    expect_error([&] { value_of(rs.get(), u"Sales"); }, kNoCurrentRecord, "in an empty recordset");
    expect_error([&] { call(rs.get(), u"MoveNext"); }, kNoCurrentRecord, "in an empty recordset");
}

TEST(Cursor, ClosedRecordsetRefusesEveryCursorMember)
{
    CursorFixture f;
    com_ptr<IDispatch> sales = field(f.rs(), u"Sales");
    call(f.rs(), u"Close");
    for (const char16_t *member : {u"MoveFirst", u"MoveLast", u"MoveNext", u"MovePrevious", u"EOF", u"BOF",
                                   u"RecordCount", u"Close"})
        expect_error([&] { call(f.rs(), member); }, kObjectClosed,
                     "The recordset is closed, so " + u8(member) + " cannot run");
    expect_error([&] { get(sales.get(), u"Value"); }, kObjectClosed, "so Field.Value cannot run");
    EXPECT_EQ(get(f.rs(), u"State").lVal, 0);
}

TEST(Cursor, NewRecordsetIsClosed)
{
    com_ptr<IDispatch> rs = new_recordset();
    EXPECT_EQ(get(rs.get(), u"State").lVal, 0);
    expect_error([&] { call(rs.get(), u"MoveFirst"); }, kObjectClosed, "so MoveFirst cannot run");
    expect_error([&] { call(rs.get(), u"Open"); }, kInvalidConnection, "Open has nothing to open");
}

TEST(Cursor, OpenTwiceIsRefused)
{
    CursorFixture f;
    expect_error([&] { call(f.rs(), u"Open", {variant::missing(), variant::str(u"Provider=CSV;Data Source=x")}); },
                 kObjectOpen, "The recordset is open, so Open cannot run");
}

}  // namespace
