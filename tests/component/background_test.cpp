// SetBackgroundEffect against the recording host.
#include "component_fixture.hpp"

namespace {

using component_test::fixture;
using component_test::log_entry;

std::vector<std::string> surface_calls(const std::string &surface, int weight, int line_style, LONG effect)
{
    std::vector<std::string> calls = {
        "Chart.put WallsAndGridlines2D(BOOL 0)" , "Chart." + surface + "()",
        surface + ".Border()", "Border.put Weight(I4 " + std::to_string(weight) + ")",
        surface + ".Border()", "Border.put LineStyle(I4 " + std::to_string(line_style) + ")",
        surface + ".Fill()",
    };
    calls.erase(calls.begin());  // the 2-D switch happens once, before the walls
    if (effect >= 1 && effect <= 23) {
        calls.push_back("ChartFillFormat.PresetGradient(Style:=I2 1, Variant:=I2 1, PresetGradientType:=BYREF|I4 &" +
                        std::to_string(effect) + ")");
    } else {
        calls.push_back("ChartFillFormat.OneColorGradient(Style:=I2 1, Variant:=I2 1, Degree:=R8 0.23137254901960799)");
        calls.push_back(surface + ".Fill()");
        calls.push_back("ChartFillFormat.ForeColor()");
        calls.push_back("ChartColorFormat.put SchemeColor(I4 15)");
    }
    return calls;
}

class Background : public fixture, public ::testing::WithParamInterface<LONG> {
protected:
    std::vector<std::string> shapes() const
    {
        std::vector<std::string> calls = calls_since_mark();
        for (std::string &c : calls)
            for (size_t h; (h = c.find('#')) != std::string::npos;)
                c.erase(h, c.find_first_not_of("0123456789", h + 1) - h);
        return calls;
    }
};

TEST_P(Background, PresetsOneToTwentyThreeOtherwiseTheDefaultGradient)
{
    const LONG effect = GetParam();
    auto q = create();
    mark();
    ASSERT_EQ(q->SetBackgroundEffect(effect), S_OK);
    std::vector<std::string> expected = {"Chart.put WallsAndGridlines2D(BOOL 0)"};
    for (auto part : {surface_calls("Walls", 2, 1, effect), surface_calls("Floor", 1, -4105, effect)})
        expected.insert(expected.end(), part.begin(), part.end());
    EXPECT_EQ(shapes(), expected);
    EXPECT_TRUE(log_entries().empty());
}

INSTANTIATE_TEST_SUITE_P(Effects, Background, ::testing::Values(1, 5, 23, 24, -2, 0, 25, 2147483647));

TEST_F(Background, RefusedFloorKeepsTheWallsLogsOnceAndRaisesTheHostsError)
{
    auto q = create();
    fail("Chart", "Floor", 1, static_cast<HRESULT>(0x800A07D7), u"A 3-D pie chart has no floor");
    mark();
    EXPECT_EQ(q->SetBackgroundEffect(7), static_cast<HRESULT>(0x800A07D7));
    EXPECT_EQ(error_description(), "A 3-D pie chart has no floor");
    EXPECT_EQ(calls_of("PresetGradient").size(), 1u) << "the walls were filled before the failure";
    EXPECT_EQ(calls_since_mark().back(), "Chart#8.Floor()");
    EXPECT_EQ(log_entries(), (std::vector<log_entry>{{1, "A 3-D pie chart has no floor"}}));
}

}  // namespace
