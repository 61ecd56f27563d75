// AddDataSeries against the recording host and a scripted recordset.
#include <algorithm>
#include <cstring>

#include "component_fixture.hpp"

namespace {

using component_test::fixture;
using component_test::log_entry;
using oleaut::bstr;
using oleaut::com_ptr;
using oleaut::variant;

class DataSeries : public fixture {
protected:
    HRESULT add(quillet::cQuillet &q, IDispatch *rs, const char16_t *column = u"Sales", const char16_t *name = u"2024",
                VARIANT_BOOL labels = 0, VARIANT_BOOL shaded = 0)
    {
        bstr col(column), nm(name);
        return q.AddDataSeries(rs, column ? col.get() : nullptr, nm.get(), labels, shaded);
    }
};

TEST_F(DataSeries, FirstSeriesCallSequence)
{
    auto q = create();
    auto rs = recordset({variant::r8(10), variant::str(u"20.5")});
    mark();
    ASSERT_EQ(add(*q, rs.get(), u"Sales", u"North", -1, -1), S_OK);
    const std::vector<std::string> expected = {
        "Recordset#9.MoveFirst()",
        "Chart#8.SeriesCollection(ERROR missing)",
        "SeriesCollection#10.Count()",
        "Recordset#9.EOF()",
        "Recordset#9.Fields()",
        "Fields#11.Item(BSTR \"Sales\")",
        "Field#12.Value()",
        "Worksheet#6.Cells()",
        "Range#13.put Item(I2 1, I2 2, DECIMAL 10)",
        "Recordset#9.MoveNext()",
        "Recordset#9.EOF()",
        "Recordset#9.Fields()",
        "Fields#14.Item(BSTR \"Sales\")",
        "Field#15.Value()",
        "Worksheet#6.Cells()",
        "Range#16.put Item(I2 2, I2 2, DECIMAL 20.5)",
        "Recordset#9.MoveNext()",
        "Recordset#9.EOF()",
        "Chart#8.SeriesCollection(ERROR missing)",
        "SeriesCollection#17.NewSeries()",
        "Worksheet#6.Cells()",
        "Range#19.Item(I2 1, I2 2)",
        "Worksheet#6.Cells()",
        "Range#21.Item(I2 2, I2 2)",
        "Worksheet#6.Range(DISPATCH <Range#20>, DISPATCH <Range#22>)",
        "Series#18.put Values(DISPATCH <Range#23>)",
        "Series#18.put Name(BSTR \"North\")",
        "Series#18.Border()",
        "Border#24.put Weight(I4 2)",
        "Series#18.Border()",
        "Border#25.put LineStyle(I4 -4105)",
        "Series#18.Fill()",
        "ChartFillFormat#26.OneColorGradient(Style:=I2 1, Variant:=I2 1, Degree:=R8 0.23137254901960799)",
        "Series#18.ApplyDataLabels(Type:=I2 2, AutoText:=BOOL -1, LegendKey:=BOOL 0)",
        "Chart#8.SeriesCollection(ERROR missing)",
        "SeriesCollection#27.Count()",
        "Chart#8.put HasLegend(BOOL -1)",
        "Chart#8.Legend()",
        "Legend#28.put Position(I4 -4160)",
        "Chart#8.put WallsAndGridlines2D(BOOL -1)",
        "Chart#8.PlotArea()",
        "PlotArea#29.put Height(R8 250)",
        "Chart#8.PlotArea()",
        "PlotArea#30.put Width(R8 600)",
    };
    EXPECT_EQ(calls_since_mark(), expected);
    EXPECT_TRUE(log_entries().empty());
}

TEST_F(DataSeries, DegreeIsTheDoubleNearestTheFifteenDigitDecimal)
{
    double d = 0.231372549019608;
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    EXPECT_EQ(bits, 0x3FCD9D9D9D9D9DA3u);
}

TEST_F(DataSeries, SecondSeriesTakesTheNextColumnWithoutTheFirstSeriesLayout)
{
    auto q = create();
    auto first = recordset(numbers(3));
    ASSERT_EQ(add(*q, first.get()), S_OK);
    auto second = recordset(numbers(2));
    mark();
    ASSERT_EQ(add(*q, second.get()), S_OK);
    EXPECT_EQ(cell_writes(), (std::vector<std::string>{".put Item(I2 1, I2 3, DECIMAL 1.5)",
                                                        ".put Item(I2 2, I2 3, DECIMAL 3)"}));
    EXPECT_TRUE(calls_of("HasLegend").empty());
    EXPECT_TRUE(calls_of("Position").empty());
}

struct rows_case {
    int rows;
    size_t cells_written;
    size_t eof_reads;
    bool series_added;
};

class RowLimit : public DataSeries, public ::testing::WithParamInterface<rows_case> {};

TEST_P(RowLimit, ReadsAtMostTwentyFiveRows)
{
    const rows_case &c = GetParam();
    auto q = create();
    auto rs = recordset(numbers(c.rows));
    mark();
    ASSERT_EQ(add(*q, rs.get()), S_OK);
    EXPECT_EQ(cell_writes().size(), c.cells_written);
    EXPECT_EQ(calls_of("EOF").size(), c.eof_reads);
    EXPECT_EQ(calls_of("NewSeries").size(), c.series_added ? 1u : 0u);
    if (c.series_added) {
        // The bound range ends at the last row written: Range(Cells(1, 2), Cells(n, 2)).
        const std::string last_cell = ".Item(I2 " + std::to_string(c.cells_written) + ", I2 2)";
        std::vector<std::string> items = calls_of("Item");
        EXPECT_TRUE(std::any_of(items.begin(), items.end(), [&](const std::string &s) {
            return s.size() > last_cell.size() && s.compare(s.size() - last_cell.size(), last_cell.size(), last_cell) == 0;
        })) << last_cell;
    }
    // The recordset stays where reading stopped.
    EXPECT_EQ(calls_of("MoveNext").size(), c.cells_written);
}

INSTANTIATE_TEST_SUITE_P(Rows, RowLimit,
                         ::testing::Values(rows_case{0, 0, 1, false}, rows_case{1, 1, 2, true},
                                           rows_case{25, 25, 26, true}, rows_case{40, 25, 26, true}));

TEST_F(DataSeries, NullInRowFourWritesThreeRowsLogsAndAddsNoSeries)
{
    auto q = create();
    rows rows = numbers(6);
    rows[3] = variant::null();
    auto rs = recordset(rows);
    mark();
    EXPECT_EQ(add(*q, rs.get()), OART_E_INVALIDUSEOFNULL);
    EXPECT_EQ(error_description(), "Invalid use of Null");
    EXPECT_EQ(cell_writes(), (std::vector<std::string>{".put Item(I2 1, I2 2, DECIMAL 1.5)",
                                                        ".put Item(I2 2, I2 2, DECIMAL 3)",
                                                        ".put Item(I2 3, I2 2, DECIMAL 4.5)"}));
    EXPECT_EQ(calls_of("NewSeries").size(), 0u);
    EXPECT_EQ(log_entries(), (std::vector<log_entry>{{1, "Invalid use of Null"}}));

    // The next call writes the same column again.
    auto good = recordset(numbers(1));
    mark();
    ASSERT_EQ(add(*q, good.get()), S_OK);
    EXPECT_EQ(cell_writes(), std::vector<std::string>{".put Item(I2 1, I2 2, DECIMAL 1.5)"});
}

TEST_F(DataSeries, UnknownFieldIsUnnoticedOnAnEmptyRecordsetButLoggedOtherwise)
{
    auto q = create();
    auto empty = recordset({});
    EXPECT_EQ(add(*q, empty.get(), u"Nope"), S_OK);
    EXPECT_TRUE(log_entries().empty());

    auto rs = recordset(numbers(2));
    EXPECT_EQ(add(*q, rs.get(), u"Nope"), static_cast<HRESULT>(0x800A0CC1));
    EXPECT_EQ(log_entries(), (std::vector<log_entry>{{1, "No field of that name"}}));
}

struct flag_case {
    VARIANT_BOOL labels, shaded;
    size_t label_calls, gradient_calls;
};

class Flags : public DataSeries, public ::testing::WithParamInterface<flag_case> {};

TEST_P(Flags, ShadedOnlyWhenExactlyTrueLabelsWhenNonZero)
{
    const flag_case &c = GetParam();
    auto q = create();
    auto rs = recordset(numbers(2));
    mark();
    ASSERT_EQ(add(*q, rs.get(), u"Sales", u"", c.labels, c.shaded), S_OK);
    EXPECT_EQ(calls_of("ApplyDataLabels").size(), c.label_calls);
    EXPECT_EQ(calls_of("OneColorGradient").size(), c.gradient_calls);
    std::vector<std::string> names = calls_of("Name");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_NE(names[0].find(".put Name(BSTR \"\")"), std::string::npos) << "an empty name is still passed";
}

INSTANTIATE_TEST_SUITE_P(Values, Flags,
                         ::testing::Values(flag_case{0, 0, 0, 0}, flag_case{1, 1, 1, 0}, flag_case{-1, -1, 1, 1},
                                           flag_case{2, 0, 1, 0}));

TEST_F(DataSeries, OpeningCheckRefusesNullArgumentsUnlogged)
{
    auto q = create();
    auto rs = recordset(numbers(1));
    mark();
    EXPECT_EQ(add(*q, nullptr), static_cast<HRESULT>(0x800403E9));
    EXPECT_EQ(error_description(), "Invalid recordset or column name");
    EXPECT_EQ(add(*q, rs.get(), nullptr), static_cast<HRESULT>(0x800403E9));
    EXPECT_TRUE(calls_since_mark().empty());
    EXPECT_TRUE(log_entries().empty());
}

TEST_F(DataSeries, FirstSeriesLayoutOverridesEarlierSizeAndReturnsAfterReset)
{
    auto q = create();
    ASSERT_EQ(q->SetChartOptions(57, 400, 300), S_OK);
    auto rs = recordset(numbers(2));
    mark();
    ASSERT_EQ(add(*q, rs.get()), S_OK);
    EXPECT_EQ(calls_of("Height").back().substr(calls_of("Height").back().find('.')), ".put Height(R8 250)");
    EXPECT_EQ(calls_of("Width").back().substr(calls_of("Width").back().find('.')), ".put Width(R8 600)");
    ASSERT_EQ(q->Reset(), S_OK);
    mark();
    ASSERT_EQ(add(*q, rs.get()), S_OK);
    EXPECT_EQ(calls_of("HasLegend").size(), 1u) << "the layout is applied again after Reset";
}

// The series' column is the host's series count plus 2, as a grid column number (a
// 16-bit integer). A count too big for that is "Overflow", however big: never a
// wrapped-around column.
struct huge_count {
    LONG count;
    HRESULT hr;
};

class SeriesCountFromHost : public DataSeries, public ::testing::WithParamInterface<huge_count> {};

TEST_P(SeriesCountFromHost, BecomesAColumnOrOverflow)
{
    const huge_count &c = GetParam();
    auto q = create();
    host_->series_count_answer = c.count;
    auto rs = recordset(numbers(1));
    mark();
    EXPECT_EQ(add(*q, rs.get()), c.hr) << c.count;
    if (c.hr == S_OK) {
        EXPECT_EQ(cell_writes(), std::vector<std::string>{".put Item(I2 1, I2 32767, DECIMAL 1.5)"});
        EXPECT_TRUE(log_entries().empty());
        return;
    }
    const published_error e = last_error();
    EXPECT_EQ(e.source, u"Quillet.cQuillet") << c.count;
    EXPECT_EQ(e.description, "Overflow") << c.count;
    EXPECT_EQ(log_entries(), (std::vector<log_entry>{{1, "Overflow"}})) << c.count;
    EXPECT_TRUE(cell_writes().empty()) << c.count;
    EXPECT_TRUE(calls_of("NewSeries").empty()) << c.count;
}

INSTANTIATE_TEST_SUITE_P(Counts, SeriesCountFromHost,
                         ::testing::Values(huge_count{32765, S_OK}, huge_count{32766, OART_E_OVERFLOW},
                                           huge_count{2147483645, OART_E_OVERFLOW},
                                           huge_count{2147483646, OART_E_OVERFLOW},
                                           huge_count{2147483647, OART_E_OVERFLOW}));

}  // namespace
