// SetXAxisHeadings against the recording host and a scripted recordset.
#include "component_fixture.hpp"

namespace {

using component_test::fixture;
using component_test::log_entry;
using oleaut::bstr;
using oleaut::com_ptr;
using oleaut::variant;

class Headings : public fixture {
protected:
    HRESULT headings(quillet::cQuillet &q, IDispatch *rs, const char16_t *column = u"Month")
    {
        bstr col(column);
        return q.SetXAxisHeadings(rs, column ? col.get() : nullptr);
    }
};

TEST_F(Headings, CallSequenceWithOneSeries)
{
    auto q = create();
    add_series(*q, 1);
    auto rs = recordset({variant::str(u"Jan"), variant::r8(2024)}, u"Month");
    mark();
    ASSERT_EQ(headings(*q, rs.get()), S_OK);
    std::vector<std::string> calls = calls_since_mark();
    // Strip instance numbers: the order and the arguments are what matter here.
    for (std::string &c : calls)
        for (size_t h; (h = c.find('#')) != std::string::npos;)
            c.erase(h, c.find_first_not_of("0123456789", h + 1) - h);
    const std::vector<std::string> expected = {
        "Chart.SeriesCollection(ERROR missing)",
        "SeriesCollection.Count()",
        "Recordset.MoveFirst()",
        "Recordset.EOF()",
        "Recordset.Fields()",
        "Fields.Item(BSTR \"Month\")",
        "Field.Value()",
        "Worksheet.Cells()",
        "Range.put Item(I2 1, I2 1, BSTR \"Jan\")",
        "Recordset.MoveNext()",
        "Recordset.EOF()",
        "Recordset.Fields()",
        "Fields.Item(BSTR \"Month\")",
        "Field.Value()",
        "Worksheet.Cells()",
        "Range.put Item(I2 2, I2 1, BSTR \"2024\")",
        "Recordset.MoveNext()",
        "Recordset.EOF()",
        "Worksheet.Cells()",
        "Range.Item(I2 1, I2 1)",
        "Worksheet.Cells()",
        "Range.Item(I2 2, I2 1)",
        "Worksheet.Range(DISPATCH <Range>, DISPATCH <Range>)",
        "Chart.SeriesCollection(I2 1)",
        "Series.put XValues(DISPATCH <Range>)",
    };
    EXPECT_EQ(calls, expected);
    EXPECT_TRUE(log_entries().empty());
}

TEST_F(Headings, ChartWithoutSeriesIsRefusedUnloggedWithoutTouchingTheRecordset)
{
    auto q = create();
    auto rs = recordset(words("M", 3), u"Month");
    mark();
    EXPECT_EQ(headings(*q, rs.get()), static_cast<HRESULT>(0x800403E9));
    EXPECT_EQ(error_description(), "Invalid recordset or column name");
    EXPECT_EQ(calls_since_mark(), (std::vector<std::string>{"Chart#8.SeriesCollection(ERROR missing)",
                                                            "SeriesCollection#10.Count()"}));
    EXPECT_TRUE(log_entries().empty());
}

TEST_F(Headings, NullArgumentsAreRefusedAfterTheSeriesCountIsRead)
{
    auto q = create();
    add_series(*q, 1);
    auto rs = recordset(words("M", 3), u"Month");
    for (auto call : {std::function<HRESULT()>([&] { return headings(*q, nullptr); }),
                      std::function<HRESULT()>([&] { return headings(*q, rs.get(), nullptr); })}) {
        mark();
        EXPECT_EQ(call(), static_cast<HRESULT>(0x800403E9));
        EXPECT_EQ(calls_of("Count").size(), 1u) << "the series count is read in every case";
        EXPECT_TRUE(calls_of("MoveFirst").empty());
    }
    EXPECT_TRUE(log_entries().empty());
}

TEST_F(Headings, ALongerEarlierCallLeavesItsLowerRowsOutsideTheRange)
{
    auto q = create();
    add_series(*q, 1);
    auto twenty = recordset(words("Old", 20), u"Month");
    ASSERT_EQ(headings(*q, twenty.get()), S_OK);
    auto ten = recordset(words("New", 10), u"Month");
    mark();
    ASSERT_EQ(headings(*q, ten.get()), S_OK);
    std::vector<std::string> writes = cell_writes();
    ASSERT_EQ(writes.size(), 10u);
    EXPECT_EQ(writes.back(), ".put Item(I2 10, I2 1, BSTR \"New10\")");
    std::vector<std::string> items = calls_of("Item");
    EXPECT_NE(items[items.size() - 1].find(".Item(I2 10, I2 1)"), std::string::npos) << "the range ends at row 10";
}

TEST_F(Headings, OnlyTheFirstSeriesGetsXValues)
{
    auto q = create();
    add_series(*q, 3);
    auto rs = recordset(words("M", 4), u"Month");
    mark();
    ASSERT_EQ(headings(*q, rs.get()), S_OK);
    EXPECT_EQ(calls_of("SeriesCollection").back(), "Chart#8.SeriesCollection(I2 1)");
    EXPECT_EQ(calls_of("XValues").size(), 1u);
}

TEST_F(Headings, NullInRowFourLeavesXValuesAndLogsOnce)
{
    auto q = create();
    add_series(*q, 1);
    rows rows = words("M", 6);
    rows[3] = variant::null();
    auto rs = recordset(rows, u"Month");
    mark();
    EXPECT_EQ(headings(*q, rs.get()), OART_E_INVALIDUSEOFNULL);
    EXPECT_EQ(cell_writes().size(), 3u);
    EXPECT_TRUE(calls_of("XValues").empty());
    EXPECT_EQ(log_entries(), (std::vector<log_entry>{{1, "Invalid use of Null"}}));
}

TEST_F(Headings, EmptyRecordsetChangesNothingEvenWithAnUnknownField)
{
    auto q = create();
    add_series(*q, 1);
    auto rs = recordset({}, u"Month");
    mark();
    ASSERT_EQ(headings(*q, rs.get(), u"Nope"), S_OK);
    EXPECT_TRUE(calls_of("XValues").empty());
    EXPECT_TRUE(log_entries().empty());
}

}  // namespace
