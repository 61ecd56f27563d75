// SetChartOptions and the first-series layout, against the recording host.
#include "component_fixture.hpp"

namespace {

using component_test::fixture;

struct options_case {
    LONG type;
    SHORT width, height;
    std::vector<std::string> calls;
};

class ChartOptions : public fixture, public ::testing::WithParamInterface<options_case> {};

TEST_P(ChartOptions, SetsTypeThenHeightThenWidthOnlyAboveFifty)
{
    const options_case &c = GetParam();
    auto q = create();
    mark();
    EXPECT_EQ(q->SetChartOptions(c.type, c.width, c.height), S_OK);
    EXPECT_EQ(calls_since_mark(), c.calls);
    EXPECT_TRUE(log_entries().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ChartOptions,
    ::testing::Values(
        options_case{5, 400, 300,
                     {"Chart#8.put ChartType(I4 5)", "Chart#8.PlotArea()", "PlotArea#9.put Height(R8 300)",
                      "Chart#8.PlotArea()", "PlotArea#10.put Width(R8 400)"}},
        options_case{51, 50, 50, {"Chart#8.put ChartType(I4 51)"}},
        options_case{51, 51, 51,
                     {"Chart#8.put ChartType(I4 51)", "Chart#8.PlotArea()", "PlotArea#9.put Height(R8 51)",
                      "Chart#8.PlotArea()", "PlotArea#10.put Width(R8 51)"}},
        options_case{57, 0, -300, {"Chart#8.put ChartType(I4 57)"}},
        options_case{0, 32767, 32767,
                     {"Chart#8.put ChartType(I4 0)", "Chart#8.PlotArea()", "PlotArea#9.put Height(R8 32767)",
                      "Chart#8.PlotArea()", "PlotArea#10.put Width(R8 32767)"}}));

using ChartOptionsFailures = fixture;

TEST_F(ChartOptionsFailures, RefusedTypeStillAppliesTheSizes)
{
    auto q = create();
    fail("Chart", "ChartType");
    fail("PlotArea", "Height");
    mark();
    EXPECT_EQ(q->SetChartOptions(12345, 400, 300), S_OK);
    EXPECT_EQ(calls_since_mark(),
              (std::vector<std::string>{"Chart#8.put ChartType(I4 12345)", "Chart#8.PlotArea()",
                                        "PlotArea#9.put Height(R8 300)", "Chart#8.PlotArea()",
                                        "PlotArea#10.put Width(R8 400)"}));
    EXPECT_TRUE(log_entries().empty());
}

}  // namespace
