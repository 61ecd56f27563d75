// SetChartTitles: up to three titles (chart, category axis, value axis). A title whose
// argument carries text is switched on, given the text and set in bold Verdana; a blank
// argument leaves its title as it is. Continue-on-error mode: every step fetches its
// objects afresh from the chart, so one refusal costs only that step.
#include "chart/chart_builder.hpp"
#include "chart/conversions.hpp"
#include "chart/failure_modes.hpp"
#include "host/chart.hpp"

namespace quillet {

using namespace quillet::host;

namespace {

constexpr LONG kXlCategory = 1;
constexpr LONG kXlValue = 2;
constexpr LONG kXlPrimary = 1;
constexpr LONG kXlCenter = -4108;
constexpr LONG kXlVertical = -4166;
constexpr OLECHAR kTitleFont[] = OLESTR("Verdana");
constexpr OLECHAR kTitleStyle[] = OLESTR("Bold");
constexpr SHORT kMainTitleSize = 14;
constexpr SHORT kAxisTitleSize = 12;

// Blank: Null, or a text form that is empty once leading and trailing spaces (U+0020 only)
// are removed. A value without a text form fails the test.
bool is_blank(const VARIANT &v)
{
    const VARIANT *value = &v;
    while (value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal)
        value = value->pvarVal;
    if (value->vt == VT_NULL)
        return true;
    oleaut::bstr text = to_string(*value);
    for (OLECHAR c : text.view())
        if (c != OLESTR(' '))
            return false;
    return true;
}

void axis_title_steps(continue_on_error &steps, const Chart &chart, LONG axis, const VARIANT &text,
                      bool value_axis)
{
    auto title = [&] { return chart.Axes(axis, kXlPrimary).get_AxisTitle(); };
    steps.step([&] { chart.Axes(axis, kXlPrimary).put_HasTitle(true); });
    steps.step([&] { title().get_Characters().put_Text(text); });  // the caller's variant, unconverted
    steps.step([&] { title().get_Font().put_Name(kTitleFont); });
    steps.step([&] { title().get_Font().put_FontStyle(kTitleStyle); });
    steps.step([&] { title().get_Font().put_Size(kAxisTitleSize); });
    if (!value_axis)
        return;
    steps.step([&] { title().put_HorizontalAlignment(kXlCenter); });
    steps.step([&] { title().put_VerticalAlignment(kXlCenter); });
    steps.step([&] { title().put_Orientation(kXlVertical); });
}

}  // namespace

void chart_builder::chart_titles(const VARIANT &strMainTitle, const VARIANT &strXAxisTitle, const VARIANT &strYAxisTitle)
{
    continue_on_error steps;
    Chart chart;
    steps.step([&] { chart = Chart(oQuillet); });

    if (steps.test([&] { return !is_blank(strMainTitle); })) {
        steps.step([&] { chart.put_HasTitle(true); });
        steps.step([&] {
            oleaut::bstr caption = to_string(strMainTitle);
            chart.get_ChartTitle().put_Caption(oleaut::variant::take_bstr(std::move(caption)));
        });
        steps.step([&] { chart.get_ChartTitle().get_Font().put_Name(kTitleFont); });
        steps.step([&] { chart.get_ChartTitle().get_Font().put_FontStyle(kTitleStyle); });
        steps.step([&] { chart.get_ChartTitle().get_Font().put_Size(kMainTitleSize); });
    }
    if (steps.test([&] { return !is_blank(strXAxisTitle); }))
        axis_title_steps(steps, chart, kXlCategory, strXAxisTitle, false);
    if (steps.test([&] { return !is_blank(strYAxisTitle); }))
        axis_title_steps(steps, chart, kXlValue, strYAxisTitle, true);
}

}  // namespace quillet
