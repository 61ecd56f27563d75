// One table per property; a code not in its table takes the row marked as the default.
#include "snapshot/host_values.hpp"

namespace sheethost::snapshot {

namespace {

template <typename T>
struct code_row {
    int code;
    T value;
};

template <typename T, size_t N>
T look_up(const code_row<T> (&table)[N], int code, T otherwise)
{
    for (const code_row<T> &row : table)
        if (row.code == code)
            return row.value;
    return otherwise;
}

using render::border_weight;
using render::gradient_direction;
using render::h_align;
using render::label_content;
using render::legend_place;
using render::line_dash;
using render::v_align;

constexpr code_row<legend_place> kLegendPlaces[] = {
    {-4152, legend_place::right},  // xlLegendPositionRight: also the default
    {-4160, legend_place::top},
    {-4107, legend_place::bottom},
    {-4131, legend_place::left},
    {2, legend_place::corner},
};

constexpr code_row<h_align> kHorizontal[] = {{-4131, h_align::left}, {-4108, h_align::centre}, {-4152, h_align::right}};
constexpr code_row<v_align> kVertical[] = {{-4160, v_align::top}, {-4108, v_align::middle}, {-4107, v_align::bottom}};

constexpr int kXlHorizontal = -4128, kXlUpward = -4171, kXlDownward = -4170, kXlVertical = -4166;

constexpr code_row<border_weight> kWeights[] = {
    {1, border_weight::hairline},
    {2, border_weight::thin},  // also the default
    {-4138, border_weight::medium},
    {4, border_weight::thick},
};

constexpr code_row<line_dash> kLineStyles[] = {
    {1, line_dash::continuous},  // also automatic (-4105) and double (-4119)
    {-4115, line_dash::dash},
    {-4118, line_dash::dot},
    {4, line_dash::dash_dot},
    {13, line_dash::dash_dot},  // slanted dash-dot
    {5, line_dash::dash_dot_dot},
    {-4142, line_dash::none},
};

constexpr code_row<label_content> kLabelContents[] = {
    {-4142, label_content::none},
    {2, label_content::value},  // also the default
    {4, label_content::category},
};

constexpr code_row<gradient_direction> kGradients[] = {
    {1, gradient_direction::horizontal},
    {2, gradient_direction::vertical},
    {3, gradient_direction::diagonal_up},
    {4, gradient_direction::diagonal_down},
    {5, gradient_direction::from_corner},
    {7, gradient_direction::from_centre},  // also the default (from the title: a chart has none)
};

}  // namespace

legend_place legend_place_of(int code) { return look_up(kLegendPlaces, code, legend_place::right); }
h_align h_align_of(int code) { return look_up(kHorizontal, code, h_align::centre); }
v_align v_align_of(int code) { return look_up(kVertical, code, v_align::middle); }
border_weight border_weight_of(int code) { return look_up(kWeights, code, border_weight::thin); }
line_dash line_dash_of(int code) { return look_up(kLineStyles, code, line_dash::continuous); }
label_content label_content_of(int code) { return look_up(kLabelContents, code, label_content::value); }
gradient_direction gradient_direction_of(int code) { return look_up(kGradients, code, gradient_direction::from_centre); }

render::text_orientation orientation_of(int code)
{
    switch (code) {
    case kXlVertical:
        return {0, true};
    case kXlUpward:
        return {90, false};
    case kXlDownward:
        return {-90, false};
    case kXlHorizontal:
        return {0, false};
    default:  // degrees
        return {code >= -90 && code <= 90 ? static_cast<double>(code) : 0, false};
    }
}

}  // namespace sheethost::snapshot
