// Chart snapshots for the pie family's layout, image and golden tests: plain pies of
// given values, the component's shaded series, crowded small slices and empty data.
#ifndef TESTS_SPREADSHEET_RENDER_TEST_PIES_H
#define TESTS_SPREADSHEET_RENDER_TEST_PIES_H

#include <optional>
#include <string>
#include <vector>

#include "render/style/chart_style.hpp"
#include "render_test_charts.h"

namespace render_test {

// The pie chart types: xlPie, xlPieExploded, xl3DPie, xl3DPieExploded.
inline const std::vector<int> &pie_types()
{
    static const std::vector<int> types = {5, 69, -4102, 70};
    return types;
}

inline bool is_3d_pie(int type) { return type == -4102 || type == 70; }
inline bool is_exploded_pie(int type) { return type == 69 || type == 70; }

// A bare pie of one series: no titles, no legend, no labels, headings A, B, C, ...
// std::nullopt stands for an empty cell.
inline chart_snapshot pie_chart(int type, const std::vector<std::optional<double>> &values)
{
    chart_snapshot c;
    c.chart_type = type;
    c.plot_width = 400;
    c.plot_height = 300;
    series_data s;
    s.name = u"Share";
    s.values = values;
    c.series = {s};
    for (size_t i = 0; i < values.size(); ++i)
        c.categories.push_back(std::u16string(1, static_cast<char16_t>(u'A' + i)));
    return c;
}

// The first series shaded as AddDataSeries shades it: a one-colour gradient, Style 1,
// Variant 1, Degree 59/255, in the series' automatic colour.
inline chart_snapshot shaded_pie_chart(int type)
{
    chart_snapshot c = one_series_chart(type);
    c.title.text = u"Revenue by month";
    fill_spec &f = c.series[0].fill;
    f.type = fill_spec::kind::one_color_gradient;
    f.fore = sheethost::render::series_colour(0);
    f.gradient_style = sheethost::render::gradient_direction::horizontal;
    f.gradient_variant = 1;
    f.gradient_degree = 0.231372549019608;
    return c;
}

// One large slice and many thin ones, all labelled: the labels crowd together.
inline chart_snapshot small_slices_chart(int type)
{
    chart_snapshot c = titled_chart(type);
    c.title.text = u"Market share";
    c.legend_position = sheethost::render::legend_place::right;
    for (const char *name : {"Acme", "Globex", "Initech", "Umbrella", "Hooli", "Vandelay", "Stark", "Wayne",
                             "Tyrell", "Cyberdyne", "Soylent", "Other"})
        c.categories.push_back(u16(name));
    c.series = {series("Share", {40, 25, 12, 6, 4, 3, 2.5, 2, 1.5, 1.5, 1, 0.5})};
    c.series[0].data_labels = true;
    return c;
}

inline chart_snapshot all_zero_pie_chart(int type)
{
    chart_snapshot c = titled_chart(type);
    c.title.text = u"Nothing sold";
    c.categories = {u"Q1", u"Q2", u"Q3"};
    c.series = {series("Sales", {0, 0, 0})};
    c.series[0].data_labels = true;
    return c;
}

}  // namespace render_test

#endif
