// Chart snapshots the render tests, image tests, golden images and the benchmark
// share: the reference chart (3 series by 12 months) and the column family's hard
// cases.
#ifndef TESTS_SPREADSHEET_RENDER_TEST_CHARTS_H
#define TESTS_SPREADSHEET_RENDER_TEST_CHARTS_H

#include <cmath>
#include <string>
#include <vector>

#include "render/chart_snapshot.hpp"

namespace render_test {

using sheethost::render::chart_snapshot;
using sheethost::render::fill_spec;
using sheethost::render::series_data;

inline std::u16string u16(const std::string &s) { return std::u16string(s.begin(), s.end()); }

inline series_data series(const std::string &name, const std::vector<double> &values)
{
    series_data s;
    s.name = u16(name);
    for (double v : values)
        s.values.emplace_back(v);
    return s;
}

inline chart_snapshot titled_chart(int type)
{
    chart_snapshot c;
    c.chart_type = type;
    c.has_legend = true;
    c.legend_position = sheethost::render::legend_place::top;
    c.title = {true, u"Sales 2026", {u"Verdana", 14, true, false}};
    c.value_axis_title = {true, u"Amount", {u"Verdana", 10, true, false}};
    c.value_axis_title.orientation = {0, true};  // stacked
    c.category_axis_title = {true, u"Month", {u"Verdana", 10, true, false}};
    c.plot_width = 540;
    c.plot_height = 250;
    return c;
}

inline std::vector<std::u16string> months()
{
    std::vector<std::u16string> out;
    for (const char *m : {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"})
        out.push_back(u16(m));
    return out;
}

// The reference chart: 3 series by 12 months, three titles, legend on top, value
// labels on the first series.
inline chart_snapshot reference_chart(int type = 54)
{
    chart_snapshot c = titled_chart(type);
    c.categories = months();
    c.series = {series("A", {10, 12, 15, 14, 18, 21, 25, 24, 20, 17, 13, 11}),
                series("B", {5, 7, 9, 12, 15, 19, 22, 21, 17, 12, 8, 6}),
                series("C", {3, 4, 6, 8, 11, 14, 16, 15, 12, 9, 5, 4})};
    c.series[0].data_labels = true;
    return c;
}

inline chart_snapshot one_series_chart(int type)
{
    chart_snapshot c = titled_chart(type);
    c.categories = months();
    c.series = {series("Revenue", {120.5, 98, 143.25, 160, 151, 170.75, 182, 176, 165, 150, 139, 190})};
    c.series[0].data_labels = true;
    return c;
}

inline chart_snapshot negative_chart(int type)
{
    chart_snapshot c = titled_chart(type);
    c.title.text = u"Profit and loss";
    c.categories = {u"Q1", u"Q2", u"Q3", u"Q4", u"Q5", u"Q6"};
    c.series = {series("North", {12, -8, 5, -15, 20, 3}), series("South", {-4, 6, -11, 9, -2, 14})};
    c.series[0].data_labels = true;
    c.series[1].data_labels = true;
    return c;
}

// 25 points and no headings: the host numbers the categories 1..25.
inline chart_snapshot many_points_chart(int type)
{
    chart_snapshot c = titled_chart(type);
    c.title.text = u"Daily visits";
    c.category_axis_title.text = u"Day";
    std::vector<double> v;
    for (int i = 0; i < 25; ++i)
        v.push_back(std::round(40 + 25 * std::sin(i * 0.45) + i));
    c.series = {series("Visits", v)};
    return c;
}

inline chart_snapshot long_heading_chart(int type)
{
    chart_snapshot c = titled_chart(type);
    c.title.text = u"Sales by region";
    c.category_axis_title.text = u"Region";
    for (const char *r : {"North-East Metropolitan Area", "South-West Coastal Region", "Central Highlands and Valleys",
                          "Northern Territories (remote)", "Western Industrial Belt", "Eastern Seaboard Cities",
                          "Southern Agricultural Plains", "Islands"})
        c.categories.push_back(u16(r));
    c.series = {series("2025", {34, 28, 19, 8, 25, 41, 22, 6}), series("2026", {38, 31, 21, 11, 24, 45, 26, 9})};
    return c;
}

// The long headings in a plot area too narrow to wrap them: they turn.
inline chart_snapshot turned_heading_chart(int type)
{
    chart_snapshot c = long_heading_chart(type);
    c.plot_width = 320;
    return c;
}

inline chart_snapshot single_point_chart(int type)
{
    chart_snapshot c = titled_chart(type);
    c.title.text = u"Total";
    c.categories = {u"2026"};
    c.series = {series("Total", {42})};
    c.series[0].data_labels = true;
    return c;
}

// Preset walls, a one-colour gradient floor and one-colour gradient series shading.
inline chart_snapshot gradient_chart()
{
    chart_snapshot c = reference_chart(54);
    c.walls.fill.type = fill_spec::kind::preset_gradient;
    c.walls.fill.preset = 7;  // Ocean
    c.walls.fill.gradient_style = sheethost::render::gradient_direction::horizontal;
    c.walls.fill.gradient_variant = 2;
    c.floor.fill.type = fill_spec::kind::one_color_gradient;
    c.floor.fill.fore = 0xC0C0C0;
    c.floor.fill.gradient_degree = 0.3;
    for (size_t i = 0; i < c.series.size(); ++i) {
        fill_spec &f = c.series[i].fill;
        f.type = fill_spec::kind::one_color_gradient;
        f.fore = i == 0 ? 0xFF8000 : i == 1 ? 0x00A0A0 : 0xF0E0A0;
        f.gradient_style = sheethost::render::gradient_direction::vertical;
        f.gradient_variant = 3;
        f.gradient_degree = 0.2;
    }
    return c;
}

// The reference chart as the component leaves it after SetBackgroundEffect with a
// preset: walls and floor share one horizontal preset gradient (Style 1, Variant 1),
// the walls get a thin continuous border, the floor a hairline automatic one, and the
// 2-D walls are off. This is the picture whose GIF size the component promises.
inline chart_snapshot reference_chart_with_background(int type = 54, int preset = 7 /* Ocean */)
{
    chart_snapshot c = reference_chart(type);
    c.walls_and_gridlines_2d = false;
    for (sheethost::render::surface_spec *s : {&c.walls, &c.floor}) {
        s->fill.type = fill_spec::kind::preset_gradient;
        s->fill.preset = preset;
        s->fill.gradient_style = sheethost::render::gradient_direction::horizontal;
        s->fill.gradient_variant = 1;
    }
    c.walls.border.weight = sheethost::render::border_weight::thin;
    c.walls.border.line_style = sheethost::render::line_dash::continuous;
    c.floor.border.weight = sheethost::render::border_weight::hairline;
    c.floor.border.line_style = sheethost::render::line_dash::continuous;  // automatic
    return c;
}

inline chart_snapshot flat_walls_chart()
{
    chart_snapshot c = reference_chart(54);
    c.walls_and_gridlines_2d = true;
    return c;
}

}  // namespace render_test

#endif
