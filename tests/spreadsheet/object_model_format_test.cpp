// Titles, fonts, borders and fills: the values the component's titles and background
// effect pass, read back, and the values the host refuses.
#include "spreadsheet/host_fixture.hpp"

namespace {

using namespace test_support;
using sheethost::host_error;

using FormatTest = HostTest;

TEST_F(FormatTest, ChartTitleInBoldVerdana)
{
    open_chart_workbook();
    chart.put(u"HasTitle", variant::boolean(true));
    chart.object(u"ChartTitle").put(u"Caption", variant::str(u"  Sales  "));
    late_bound font = chart.object(u"ChartTitle").object(u"Font");
    font.put(u"Name", variant::str(u"Verdana"));
    font.put(u"FontStyle", variant::str(u"Bold"));
    font.put(u"Size", variant::i2(14));

    late_bound title = chart.object(u"ChartTitle");
    EXPECT_EQ(text(title.get(u"Caption")), u"  Sales  ");
    EXPECT_EQ(text(title.get(u"Text")), u"  Sales  ");
    late_bound read = title.object(u"Font");
    EXPECT_EQ(text(read.get(u"Name")), u"Verdana");
    EXPECT_EQ(text(read.get(u"FontStyle")), u"Bold");
    EXPECT_EQ(read.get(u"Bold").boolVal, VARIANT_TRUE);
    EXPECT_EQ(read.get(u"Italic").boolVal, VARIANT_FALSE);
    EXPECT_DOUBLE_EQ(read.get(u"Size").changed_to(VT_R8).dblVal, 14);
}

TEST_F(FormatTest, AxisTitleTextThroughCharactersAndItsPlacement)
{
    open_chart_workbook();
    late_bound axis = chart.call_object(u"Axes", {variant::i4(2), variant::i4(1)});
    axis.put(u"HasTitle", variant::boolean(true));
    axis.object(u"AxisTitle").object(u"Characters").put(u"Text", variant::i4(2024));  // a number, as given
    late_bound title = axis.object(u"AxisTitle");
    EXPECT_EQ(text(title.get(u"Caption")), u"2024");
    title.object(u"Characters").put(u"Text", variant::str(u"\t"));
    EXPECT_EQ(text(title.object(u"Characters").get(u"Text")), u"\t");

    title.put(u"HorizontalAlignment", variant::i4(-4108));
    title.put(u"VerticalAlignment", variant::i4(-4108));
    title.put(u"Orientation", variant::i4(-4166));
    EXPECT_EQ(title.get(u"HorizontalAlignment").changed_to(VT_I4).lVal, -4108);
    EXPECT_EQ(title.get(u"VerticalAlignment").changed_to(VT_I4).lVal, -4108);
    EXPECT_EQ(title.get(u"Orientation").changed_to(VT_I4).lVal, -4166);
    title.put(u"Orientation", variant::i4(90));  // degrees at a right angle are the codes
    EXPECT_EQ(title.get(u"Orientation").changed_to(VT_I4).lVal, -4171);

    const struct {
        const char16_t *member;
        LONG value;
        const char16_t *says;
    } refused[] = {
        {u"HorizontalAlignment", 1, u"HorizontalAlignment must be -4131 (xlLeft)"},
        {u"VerticalAlignment", -4131, u"VerticalAlignment must be -4160 (xlTop)"},
        {u"Orientation", 45, u"Orientation must be -4128 (xlHorizontal), -4166 (xlVertical), -4171 (xlUpward) or "
                             u"-4170 (xlDownward), not 45"},
    };
    for (const auto &r : refused)
        expect_host_error(error_of([&] { title.put(r.member, variant::i4(r.value)); }), host_error::invalid_argument,
                          r.says);
    EXPECT_EQ(title.get(u"Orientation").changed_to(VT_I4).lVal, -4171);
}

TEST_F(FormatTest, CharactersReplaceOnlyTheirRun)
{
    open_chart_workbook();
    chart.put(u"HasTitle", variant::boolean(true));
    late_bound title = chart.object(u"ChartTitle");
    title.put(u"Text", variant::str(u"Quarterly sales"));
    late_bound run = title.object(u"Characters", {variant::i2(11), variant::i2(5)});
    EXPECT_EQ(text(run.get(u"Text")), u"sales");
    EXPECT_EQ(run.get(u"Count").lVal, 5);
    run.put(u"Text", variant::str(u"revenue"));
    EXPECT_EQ(text(title.get(u"Caption")), u"Quarterly revenue");
    expect_host_error(error_of([&] { title.get(u"Characters", {variant::i2(0)}); }), host_error::invalid_argument,
                      u"Start counts from 1");
}

TEST_F(FormatTest, FontRefusesWhatItCannotUse)
{
    open_chart_workbook();
    chart.put(u"HasTitle", variant::boolean(true));
    late_bound font = chart.object(u"ChartTitle").object(u"Font");
    font.put(u"FontStyle", variant::str(u"bold italic"));
    EXPECT_EQ(text(font.get(u"FontStyle")), u"Bold Italic");
    font.put(u"FontStyle", variant::str(u"Regular"));
    EXPECT_EQ(text(font.get(u"FontStyle")), u"Regular");
    const struct {
        const char16_t *member;
        variant value;
        const char16_t *says;
    } refused[] = {
        {u"FontStyle", variant::str(u"Heavy"), u"Font.FontStyle \"Heavy\" is not Regular, Bold, Italic or Bold Italic"},
        {u"Size", variant::i2(0), u"Font.Size must be from 1 to 409 points, not 0"},
        {u"Size", variant::r8(410), u"not 410"},
        {u"Size", variant::str(u"big"), u"Font.Size must be a number, not \"big\""},
        {u"Name", variant::str(u""), u"Font.Name must be a typeface name"},
        {u"Name", variant::null(), u"Font.Name must be text, not Null"},
    };
    for (const auto &r : refused)
        expect_host_error(error_of([&] { font.put(r.member, r.value); }), host_error::invalid_argument, r.says);
    EXPECT_EQ(text(font.get(u"Name")), u"Arial");
}

TEST_F(FormatTest, BackgroundEffectOnWallsAndFloor)
{
    open_chart_workbook();
    chart.put(u"ChartType", variant::i4(54));
    chart.put(u"WallsAndGridlines2D", variant::boolean(false));
    late_bound walls = chart.object(u"Walls");
    walls.object(u"Border").put(u"Weight", variant::i4(2));
    walls.object(u"Border").put(u"LineStyle", variant::i4(1));
    // The preset type travels by reference, as the component passes its own copy.
    VARIANT preset;
    VariantInit(&preset);
    LONG preset_type = 7;
    preset.vt = VT_BYREF | VT_I4;
    preset.plVal = &preset_type;
    walls.object(u"Fill").call(u"PresetGradient", {},
                               {{u"Style", variant::i2(1)}, {u"Variant", variant::i2(1)},
                                {u"PresetGradientType", variant(preset)}});
    EXPECT_EQ(preset_type, 7);  // only read

    late_bound floor = chart.object(u"Floor");
    floor.object(u"Border").put(u"Weight", variant::i4(1));
    floor.object(u"Border").put(u"LineStyle", variant::i4(-4105));
    floor.object(u"Fill").call(u"OneColorGradient", {},
                               {{u"Style", variant::i2(1)}, {u"Variant", variant::i2(1)},
                                {u"Degree", variant::r8(0.231372549019608)}});
    floor.object(u"Fill").object(u"ForeColor").put(u"SchemeColor", variant::i4(15));

    late_bound wall_fill = chart.object(u"Walls").object(u"Fill");
    EXPECT_EQ(wall_fill.get(u"PresetGradientType").lVal, 7);
    EXPECT_EQ(wall_fill.get(u"GradientStyle").lVal, 1);
    EXPECT_EQ(chart.object(u"Walls").object(u"Border").get(u"LineStyle").lVal, 1);
    late_bound floor_fill = chart.object(u"Floor").object(u"Fill");
    EXPECT_EQ(floor_fill.get(u"PresetGradientType").lVal, -2);  // not a preset: "mixed"
    EXPECT_FLOAT_EQ(floor_fill.get(u"GradientDegree").fltVal, 0.231372549f);
    late_bound color = floor_fill.object(u"ForeColor");
    EXPECT_EQ(color.get(u"SchemeColor").lVal, 15);
    EXPECT_EQ(color.get(u"RGB").lVal, 0xC0C0C0);  // grey 25% of the classic palette
    EXPECT_EQ(chart.object(u"Floor").object(u"Border").get(u"Weight").lVal, 1);
    EXPECT_EQ(chart.get(u"WallsAndGridlines2D").boolVal, VARIANT_FALSE);
}

TEST_F(FormatTest, FillsAndColoursRefuseValuesOutsideTheirCodes)
{
    open_chart_workbook();
    chart.put(u"ChartType", variant::i4(54));
    late_bound fill = chart.object(u"Walls").object(u"Fill");
    // Style, Variant and a third named argument.
    const struct {
        const char16_t *method;
        LONG style, variant_no;
        variant third;
        const char16_t *third_name;
        const char16_t *says;
    } refused[] = {
        {u"PresetGradient", 1, 1, variant::i4(25), u"PresetGradientType", u"PresetGradientType must be from 1 to 24, not 25"},
        {u"PresetGradient", 1, 1, variant::i4(-2), u"PresetGradientType", u"not -2"},
        {u"PresetGradient", 8, 1, variant::i4(3), u"PresetGradientType", u"Style must be 1 (msoGradientHorizontal)"},
        {u"OneColorGradient", 1, 5, variant::r8(0.5), u"Degree", u"Variant must be from 1 to 4, not 5"},
        {u"OneColorGradient", 1, 1, variant::r8(1.5), u"Degree", u"Degree must be from 0 (darkest) to 1 (lightest)"},
    };
    for (const auto &r : refused)
        expect_host_error(error_of([&] {
                              fill.call(r.method, {},
                                        {{u"Style", variant::i4(r.style)}, {u"Variant", variant::i4(r.variant_no)},
                                         {r.third_name, r.third}});
                          }),
                          host_error::invalid_argument, r.says);
    EXPECT_EQ(fill.get(u"Type").lVal, 1);  // still the automatic (solid) fill
    EXPECT_EQ(fill.get(u"GradientStyle").lVal, -2);

    late_bound color = fill.object(u"ForeColor");
    for (LONG bad : {0, 57, -4105})
        expect_host_error(error_of([&] { color.put(u"SchemeColor", variant::i4(bad)); }), host_error::invalid_argument,
                          u"SchemeColor must be from 1 to 56");
    EXPECT_EQ(color.get(u"SchemeColor").lVal, 0);  // still automatic
    color.put(u"SchemeColor", variant::i4(3));
    EXPECT_EQ(color.get(u"RGB").lVal, 0x0000FF);  // red, in automation's RGB order
    EXPECT_EQ(fill.get(u"Type").lVal, 1);
}

TEST_F(FormatTest, BordersTakeTheClassicWeightsAndStyles)
{
    open_chart_workbook();
    late_bound border = chart.call_object(u"SeriesCollection").call_object(u"NewSeries").object(u"Border");
    for (LONG weight : {1, 2, -4138, 4}) {
        border.put(u"Weight", variant::i4(weight));
        EXPECT_EQ(border.get(u"Weight").lVal, weight);
    }
    for (LONG style : {1, -4115, 4, 5, -4118, -4119, 13, -4142, -4105}) {
        border.put(u"LineStyle", variant::i2(static_cast<SHORT>(style)));
        EXPECT_EQ(border.get(u"LineStyle").lVal, style);
    }
    expect_host_error(error_of([&] { border.put(u"Weight", variant::i4(3)); }), host_error::invalid_argument,
                      u"Border.Weight must be 1 (xlHairline), 2 (xlThin), -4138 (xlMedium) or 4 (xlThick), not 3");
    expect_host_error(error_of([&] { border.put(u"LineStyle", variant::i4(2)); }), host_error::invalid_argument,
                      u"Border.LineStyle must be");
    border.put(u"LineStyle", variant::i4(1));
    border.put(u"ColorIndex", variant::i4(5));
    EXPECT_EQ(border.get(u"ColorIndex").lVal, 5);
    EXPECT_EQ(border.get(u"Color").lVal, 0xFF0000);  // blue as automation writes it
    border.put(u"Color", variant::i4(0x0000FF));     // red
    EXPECT_EQ(border.get(u"ColorIndex").lVal, 3);
    expect_host_error(error_of([&] { border.put(u"Color", variant::i4(-1)); }), host_error::invalid_argument,
                      u"Border.Color must be an RGB value");
}

}  // namespace
