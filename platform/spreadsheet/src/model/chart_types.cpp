#include "model/chart_types.hpp"

#include <string>

namespace sheethost::model {

namespace {

// The xlChartType constants. Surfaces seen from the top are drawn flat, so only the
// two 3-D surface views stand in a box. The last column is how the renderer draws the
// type; a type with none is refused at export with not_drawn_yet.
constexpr chart_type_info kChartTypes[] = {
    {51, u"clustered column", true, false, chart_drawing::clustered_column_2d},
    {52, u"stacked column", true, false, chart_drawing::none},
    {53, u"100% stacked column", true, false, chart_drawing::none},
    {54, u"3-D clustered column", true, true, chart_drawing::clustered_column_3d},
    {55, u"3-D stacked column", true, true, chart_drawing::none},
    {56, u"3-D 100% stacked column", true, true, chart_drawing::none},
    {-4100, u"3-D column", true, true, chart_drawing::column_3d_in_depth},
    {57, u"clustered bar", true, false, chart_drawing::clustered_bar_2d},
    {58, u"stacked bar", true, false, chart_drawing::none},
    {59, u"100% stacked bar", true, false, chart_drawing::none},
    {60, u"3-D clustered bar", true, true, chart_drawing::clustered_bar_3d},
    {61, u"3-D stacked bar", true, true, chart_drawing::none},
    {62, u"3-D 100% stacked bar", true, true, chart_drawing::none},
    {4, u"line", true, false, chart_drawing::none},
    {63, u"stacked line", true, false, chart_drawing::none},
    {64, u"100% stacked line", true, false, chart_drawing::none},
    {65, u"line with markers", true, false, chart_drawing::line_markers_2d},
    {66, u"stacked line with markers", true, false, chart_drawing::none},
    {67, u"100% stacked line with markers", true, false, chart_drawing::none},
    {-4101, u"3-D line", true, true, chart_drawing::line_3d},
    {5, u"pie", false, false, chart_drawing::pie_2d},
    {69, u"exploded pie", false, false, chart_drawing::exploded_pie_2d},
    {-4102, u"3-D pie", false, false, chart_drawing::pie_3d},
    {70, u"exploded 3-D pie", false, false, chart_drawing::exploded_pie_3d},
    {68, u"pie of pie", false, false, chart_drawing::none},
    {71, u"bar of pie", false, false, chart_drawing::none},
    {-4120, u"doughnut", false, false, chart_drawing::none},
    {80, u"exploded doughnut", false, false, chart_drawing::none},
    {-4169, u"scatter", true, false, chart_drawing::none},
    {72, u"scatter with smoothed lines", true, false, chart_drawing::none},
    {73, u"scatter with smoothed lines and no markers", true, false, chart_drawing::none},
    {74, u"scatter with lines", true, false, chart_drawing::none},
    {75, u"scatter with lines and no markers", true, false, chart_drawing::none},
    {1, u"area", true, false, chart_drawing::area_2d},
    {76, u"stacked area", true, false, chart_drawing::none},
    {77, u"100% stacked area", true, false, chart_drawing::none},
    {-4098, u"3-D area", true, true, chart_drawing::area_3d},
    {78, u"3-D stacked area", true, true, chart_drawing::none},
    {79, u"3-D 100% stacked area", true, true, chart_drawing::none},
    {-4151, u"radar", true, false, chart_drawing::none},
    {81, u"radar with markers", true, false, chart_drawing::none},
    {82, u"filled radar", true, false, chart_drawing::none},
    {83, u"3-D surface", true, true, chart_drawing::surface_3d},
    {84, u"3-D wireframe surface", true, true, chart_drawing::none},
    {85, u"contour", true, false, chart_drawing::none},
    {86, u"wireframe contour", true, false, chart_drawing::none},
    {15, u"bubble", true, false, chart_drawing::none},
    {87, u"bubble with 3-D effect", true, false, chart_drawing::none},
    {88, u"high-low-close stock", true, false, chart_drawing::none},
    {89, u"open-high-low-close stock", true, false, chart_drawing::none},
    {90, u"volume-high-low-close stock", true, false, chart_drawing::none},
    {91, u"volume-open-high-low-close stock", true, false, chart_drawing::none},
    {92, u"clustered cylinder column", true, true, chart_drawing::cylinder_column},
    {93, u"stacked cylinder column", true, true, chart_drawing::none},
    {94, u"100% stacked cylinder column", true, true, chart_drawing::none},
    {95, u"clustered cylinder bar", true, true, chart_drawing::cylinder_bar},
    {96, u"stacked cylinder bar", true, true, chart_drawing::none},
    {97, u"100% stacked cylinder bar", true, true, chart_drawing::none},
    {98, u"3-D cylinder column", true, true, chart_drawing::none},
    {99, u"clustered cone column", true, true, chart_drawing::cone_column},
    {100, u"stacked cone column", true, true, chart_drawing::none},
    {101, u"100% stacked cone column", true, true, chart_drawing::none},
    {102, u"clustered cone bar", true, true, chart_drawing::cone_bar},
    {103, u"stacked cone bar", true, true, chart_drawing::none},
    {104, u"100% stacked cone bar", true, true, chart_drawing::none},
    {105, u"3-D cone column", true, true, chart_drawing::none},
    {106, u"clustered pyramid column", true, true, chart_drawing::pyramid_column},
    {107, u"stacked pyramid column", true, true, chart_drawing::none},
    {108, u"100% stacked pyramid column", true, true, chart_drawing::none},
    {109, u"clustered pyramid bar", true, true, chart_drawing::pyramid_bar},
    {110, u"stacked pyramid bar", true, true, chart_drawing::none},
    {111, u"100% stacked pyramid bar", true, true, chart_drawing::none},
    {112, u"3-D pyramid column", true, true, chart_drawing::none},
};

}  // namespace

const chart_type_info *find_chart_type(int code)
{
    for (const chart_type_info &t : kChartTypes)
        if (t.code == code)
            return &t;
    return nullptr;
}

std::u16string chart_type_description(int code)
{
    if (const chart_type_info *t = find_chart_type(code))
        return t->description;
    std::string digits = std::to_string(code);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace sheethost::model
