// The values each chart setting accepts, in one place, each check refusing anything
// else with the member's name, what it takes and what it was given. Codes are the
// host's constants; the names in messages are theirs too, so a reader can look them up.
#ifndef SHEETHOST_MODEL_FORMAT_RULES_HPP
#define SHEETHOST_MODEL_FORMAT_RULES_HPP

#include <string_view>

namespace sheethost::model {

int checked_chart_type(long code);                   // ChartType: a known xlChartType
double checked_plot_size(double points, std::u16string_view which);  // "width" or "height"
int checked_border_weight(long code);                // xlHairline, xlThin, xlMedium, xlThick
int checked_line_style(long code);                   // the xlLineStyle codes and xlAutomatic
int checked_legend_position(long code);              // bottom, corner, left, right, top
int checked_horizontal_alignment(long code);
int checked_vertical_alignment(long code);
int checked_orientation(long code);                  // the four codes; 0, 90, -90 degrees map to them
int checked_gradient_style(long style);              // msoGradientStyle 1..7
int checked_gradient_variant(long variant);          // 1..4
float checked_gradient_degree(double degree);        // 0..1
int checked_preset_gradient(long type);              // msoPresetGradientType 1..24
int checked_data_label_type(long type);              // xlDataLabelsType, or none
int checked_palette_index(long index, std::u16string_view member);  // 1..56
double checked_font_size(double points);
int checked_sheets_in_new_workbook(long count);

}  // namespace sheethost::model

#endif
