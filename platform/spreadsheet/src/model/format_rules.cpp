#include "model/format_rules.hpp"

#include <cmath>
#include <initializer_list>
#include <string>

#include "host_errors.hpp"
#include "model/chart_limits.hpp"
#include "model/chart_types.hpp"
#include "model/classic_palette.hpp"
#include "model/number_text.hpp"
#include "model/workbook_state.hpp"

namespace sheethost::model {

namespace {

struct named_code {
    long code;
    const char16_t *name;
};

// "<member> must be 1 (xlHairline), 2 (xlThin) or 4 (xlThick), not 7"
[[noreturn]] void refuse(std::u16string_view member, std::initializer_list<named_code> allowed, long given)
{
    std::u16string text = std::u16string(member) + u" must be ";
    size_t i = 0;
    for (const named_code &c : allowed) {
        if (i > 0)
            text += i + 1 == allowed.size() ? u" or " : u", ";
        text += integer_text(c.code) + u" (" + c.name + u")";
        ++i;
    }
    raise_host_error(host_error::invalid_argument, text + u", not " + integer_text(given));
}

int one_of(long value, std::u16string_view member, std::initializer_list<named_code> allowed)
{
    for (const named_code &c : allowed)
        if (c.code == value)
            return static_cast<int>(value);
    refuse(member, allowed, value);
}

int in_range(long value, long low, long high, std::u16string_view member)
{
    if (value < low || value > high)
        raise_host_error(host_error::invalid_argument, std::u16string(member) + u" must be from " +
                                                           integer_text(low) + u" to " + integer_text(high) +
                                                           u", not " + integer_text(value));
    return static_cast<int>(value);
}

}  // namespace

int checked_chart_type(long code)
{
    if (!find_chart_type(static_cast<int>(code)) || code != static_cast<int>(code))
        raise_host_error(host_error::invalid_chart_type, integer_text(code));
    return static_cast<int>(code);
}

double checked_plot_size(double points, std::u16string_view which)
{
    if (!(points > 0 && points <= kMaxPlotSize))  // also refuses NaN
        raise_host_error(host_error::invalid_plot_size, std::u16string(which) + u" (" + number_text(points) + u")",
                         number_text(kMaxPlotSize));
    return points;
}

int checked_border_weight(long code)
{
    return one_of(code, u"Border.Weight",
                  {{1, u"xlHairline"}, {2, u"xlThin"}, {-4138, u"xlMedium"}, {4, u"xlThick"}});
}

int checked_line_style(long code)
{
    return one_of(code, u"Border.LineStyle",
                  {{1, u"xlContinuous"},
                   {-4115, u"xlDash"},
                   {4, u"xlDashDot"},
                   {5, u"xlDashDotDot"},
                   {-4118, u"xlDot"},
                   {-4119, u"xlDouble"},
                   {13, u"xlSlantDashDot"},
                   {-4142, u"xlLineStyleNone"},
                   {-4105, u"xlAutomatic"}});
}

int checked_legend_position(long code)
{
    return one_of(code, u"Legend.Position",
                  {{-4107, u"xlLegendPositionBottom"},
                   {2, u"xlLegendPositionCorner"},
                   {-4131, u"xlLegendPositionLeft"},
                   {-4152, u"xlLegendPositionRight"},
                   {-4160, u"xlLegendPositionTop"}});
}

int checked_horizontal_alignment(long code)
{
    return one_of(code, u"HorizontalAlignment",
                  {{-4131, u"xlLeft"}, {-4108, u"xlCenter"}, {-4152, u"xlRight"}, {-4130, u"xlJustify"},
                   {-4117, u"xlDistributed"}});
}

int checked_vertical_alignment(long code)
{
    return one_of(code, u"VerticalAlignment",
                  {{-4160, u"xlTop"}, {-4108, u"xlCenter"}, {-4107, u"xlBottom"}, {-4130, u"xlJustify"},
                   {-4117, u"xlDistributed"}});
}

int checked_orientation(long code)
{
    // Text turned by whole degrees is not drawn; the three right angles are the codes.
    if (code == 0)
        return -4128;
    if (code == 90)
        return -4171;
    if (code == -90)
        return -4170;
    return one_of(code, u"Orientation",
                  {{-4128, u"xlHorizontal"}, {-4166, u"xlVertical"}, {-4171, u"xlUpward"}, {-4170, u"xlDownward"}});
}

int checked_gradient_style(long style)
{
    return one_of(style, u"Style",
                  {{1, u"msoGradientHorizontal"},
                   {2, u"msoGradientVertical"},
                   {3, u"msoGradientDiagonalUp"},
                   {4, u"msoGradientDiagonalDown"},
                   {5, u"msoGradientFromCorner"},
                   {6, u"msoGradientFromTitle"},
                   {7, u"msoGradientFromCenter"}});
}

int checked_gradient_variant(long variant) { return in_range(variant, 1, 4, u"Variant"); }

float checked_gradient_degree(double degree)
{
    if (!(degree >= 0 && degree <= 1))
        raise_host_error(host_error::invalid_argument,
                         u"Degree must be from 0 (darkest) to 1 (lightest), not " + number_text(degree));
    return static_cast<float>(degree);
}

int checked_preset_gradient(long type)
{
    // msoGradientEarlySunset (1) .. msoGradientSapphire (24)
    return in_range(type, 1, 24, u"PresetGradientType");
}

int checked_data_label_type(long type)
{
    return one_of(type, u"ApplyDataLabels Type",
                  {{-4142, u"xlDataLabelsShowNone"},
                   {2, u"xlDataLabelsShowValue"},
                   {3, u"xlDataLabelsShowPercent"},
                   {4, u"xlDataLabelsShowLabel"},
                   {5, u"xlDataLabelsShowLabelAndPercent"},
                   {6, u"xlDataLabelsShowBubbleSizes"}});
}

int checked_palette_index(long index, std::u16string_view member)
{
    return in_range(index, 1, kPaletteSize, member);
}

double checked_font_size(double points)
{
    if (!(points >= kMinFontSize && points <= kMaxFontSize))
        raise_host_error(host_error::invalid_argument, u"Font.Size must be from " + number_text(kMinFontSize) +
                                                           u" to " + number_text(kMaxFontSize) + u" points, not " +
                                                           number_text(points));
    return points;
}

int checked_sheets_in_new_workbook(long count)
{
    return in_range(count, kMinSheetsInNewWorkbook, kMaxSheetsInNewWorkbook, u"SheetsInNewWorkbook");
}

}  // namespace sheethost::model
