// SetChartTitles against the recording host: the blank test, the 23 steps, and the
// continue-on-error rules.
#include "component_fixture.hpp"

namespace {

using component_test::fixture;
using oleaut::variant;

class Titles : public fixture {
protected:
    HRESULT titles(quillet::cQuillet &q, variant main, variant x, variant y)
    {
        return q.SetChartTitles(&main, &x, &y);
    }
    // Calls since mark() without instance numbers.
    std::vector<std::string> shapes() const
    {
        std::vector<std::string> calls = calls_since_mark();
        for (std::string &c : calls)
            for (size_t h; (h = c.find('#')) != std::string::npos;)
                c.erase(h, c.find_first_not_of("0123456789", h + 1) - h);
        return calls;
    }
};

const std::vector<std::string> kMainTitle = {
    "Chart.put HasTitle(BOOL -1)",        "Chart.ChartTitle()", "ChartTitle.put Caption(BSTR \"Sales\")",
    "Chart.ChartTitle()",                 "ChartTitle.Font()",  "Font.put Name(BSTR \"Verdana\")",
    "Chart.ChartTitle()",                 "ChartTitle.Font()",  "Font.put FontStyle(BSTR \"Bold\")",
    "Chart.ChartTitle()",                 "ChartTitle.Font()",  "Font.put Size(I2 14)",
};

std::vector<std::string> axis_title(int axis, const std::string &text)
{
    std::string axes = "Chart.Axes(I4 " + std::to_string(axis) + ", I4 1)";
    std::vector<std::string> calls = {
        axes, "Axis.put HasTitle(BOOL -1)",
        axes, "Axis.AxisTitle()", "AxisTitle.Characters()", "Characters.put Text(" + text + ")",
        axes, "Axis.AxisTitle()", "AxisTitle.Font()", "Font.put Name(BSTR \"Verdana\")",
        axes, "Axis.AxisTitle()", "AxisTitle.Font()", "Font.put FontStyle(BSTR \"Bold\")",
        axes, "Axis.AxisTitle()", "AxisTitle.Font()", "Font.put Size(I2 12)",
    };
    if (axis == 2) {
        for (const char *put : {"AxisTitle.put HorizontalAlignment(I4 -4108)", "AxisTitle.put VerticalAlignment(I4 -4108)",
                                "AxisTitle.put Orientation(I4 -4166)"}) {
            calls.push_back(axes);
            calls.push_back("Axis.AxisTitle()");
            calls.push_back(put);
        }
    }
    return calls;
}

TEST_F(Titles, ThreeTextsMakeExactlyTheseCalls)
{
    auto q = create();
    mark();
    ASSERT_EQ(titles(*q, variant::str(u"Sales"), variant::str(u"Month"), variant::str(u"Amount")), S_OK);
    std::vector<std::string> expected = kMainTitle;
    for (auto part : {axis_title(1, "BSTR \"Month\""), axis_title(2, "BSTR \"Amount\"")})
        expected.insert(expected.end(), part.begin(), part.end());
    EXPECT_EQ(shapes(), expected);
    EXPECT_TRUE(log_entries().empty());
}

struct blank_case {
    const char *what;
    variant value;
    bool blank;
};

class BlankTest : public Titles, public ::testing::WithParamInterface<blank_case> {};

TEST_P(BlankTest, DecidesWhetherTheTitleIsTouched)
{
    auto q = create();
    mark();
    ASSERT_EQ(titles(*q, variant::str(u""), variant::str(u""), GetParam().value), S_OK);
    EXPECT_EQ(calls_since_mark().empty(), GetParam().blank) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Values, BlankTest,
                         ::testing::Values(blank_case{"empty string", variant::str(u""), true},
                                           blank_case{"spaces", variant::str(u"   "), true},
                                           blank_case{"Null", variant::null(), true},
                                           blank_case{"Empty", variant(), true},
                                           blank_case{"tab", variant::str(u"\t"), false},
                                           blank_case{"line break", variant::str(u" \n "), false},
                                           blank_case{"zero", variant::i4(0), false},
                                           blank_case{"false", variant::boolean(false), false},
                                           blank_case{"date", variant::date(0), false},
                                           blank_case{"null string", variant::null_bstr(), true}));

TEST_F(Titles, CaptionIsConvertedButAxisTextIsTheCallersVariantUntrimmed)
{
    auto q = create();
    mark();
    ASSERT_EQ(titles(*q, variant::i4(2024), variant::str(u"  Month  "), variant::i4(2024)), S_OK);
    std::vector<std::string> calls = shapes();
    EXPECT_EQ(calls[2], "ChartTitle.put Caption(BSTR \"2024\")");
    EXPECT_EQ(calls[12 + 5], "Characters.put Text(BSTR \"  Month  \")");
    EXPECT_EQ(calls[12 + 18 + 5], "Characters.put Text(I4 2024)") << "a number stays a number";
}

TEST_F(Titles, ArrayAsMainTitleSwitchesTheTitleOnWithoutText)
{
    auto q = create();
    VARIANT array;
    array.vt = VT_ARRAY | VT_I4;
    array.parray = SafeArrayCreateVector(VT_I4, 0, 2);
    variant main = variant::attach(array);
    variant empty = variant::str(u"");
    mark();
    ASSERT_EQ(q->SetChartTitles(&main, &empty, &empty), S_OK);
    std::vector<std::string> expected = kMainTitle;
    expected.erase(expected.begin() + 1, expected.begin() + 3);  // no caption: its conversion fails
    EXPECT_EQ(shapes(), expected);
}

TEST_F(Titles, RefusedStepsAreSkippedAndLaterStepsRun)
{
    auto q = create();
    fail("Chart", "Axes", 0);  // no axes at all, as on a pie chart
    mark();
    ASSERT_EQ(titles(*q, variant::str(u"Sales"), variant::str(u"Month"), variant::str(u"Amount")), S_OK);
    std::vector<std::string> expected = kMainTitle;
    for (int i = 0; i < 5 + 8; ++i)
        expected.push_back(i < 5 ? "Chart.Axes(I4 1, I4 1)" : "Chart.Axes(I4 2, I4 1)");
    EXPECT_EQ(shapes(), expected);
    EXPECT_TRUE(log_entries().empty());
}

TEST_F(Titles, MissingArgumentsAreRefusedBeforeAnyRoutineRuns)
{
    auto q = create();
    variant a = variant::str(u"Sales");
    VARIANT args[2];
    args[0] = variant::byref(&a);
    args[1] = variant::byref(&a);
    DISPPARAMS dp{args, nullptr, 2, 0};
    mark();
    UINT arg_err = 0;
    EXPECT_EQ(q->Invoke(quillet::DISPID_SetChartTitles, IID_NULL, LOCALE_EN_US, DISPATCH_METHOD, &dp, nullptr,
                        nullptr, &arg_err),
              DISP_E_PARAMNOTFOUND);
    EXPECT_TRUE(calls_since_mark().empty());
}

}  // namespace
