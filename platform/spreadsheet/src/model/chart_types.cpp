#include "model/chart_types.hpp"

#include <string>

namespace sheethost::model {

namespace {

// The xlChartType constants. Surfaces seen from the top are drawn flat, so only the
// two 3-D surface views stand in a box.
constexpr chart_type_info kChartTypes[] = {
    {51, u"clustered column", true, false},
    {52, u"stacked column", true, false},
    {53, u"100% stacked column", true, false},
    {54, u"3-D clustered column", true, true},
    {55, u"3-D stacked column", true, true},
    {56, u"3-D 100% stacked column", true, true},
    {-4100, u"3-D column", true, true},
    {57, u"clustered bar", true, false},
    {58, u"stacked bar", true, false},
    {59, u"100% stacked bar", true, false},
    {60, u"3-D clustered bar", true, true},
    {61, u"3-D stacked bar", true, true},
    {62, u"3-D 100% stacked bar", true, true},
    {4, u"line", true, false},
    {63, u"stacked line", true, false},
    {64, u"100% stacked line", true, false},
    {65, u"line with markers", true, false},
    {66, u"stacked line with markers", true, false},
    {67, u"100% stacked line with markers", true, false},
    {-4101, u"3-D line", true, true},
    {5, u"pie", false, false},
    {69, u"exploded pie", false, false},
    {-4102, u"3-D pie", false, false},
    {70, u"exploded 3-D pie", false, false},
    {68, u"pie of pie", false, false},
    {71, u"bar of pie", false, false},
    {-4120, u"doughnut", false, false},
    {80, u"exploded doughnut", false, false},
    {-4169, u"scatter", true, false},
    {72, u"scatter with smoothed lines", true, false},
    {73, u"scatter with smoothed lines and no markers", true, false},
    {74, u"scatter with lines", true, false},
    {75, u"scatter with lines and no markers", true, false},
    {1, u"area", true, false},
    {76, u"stacked area", true, false},
    {77, u"100% stacked area", true, false},
    {-4098, u"3-D area", true, true},
    {78, u"3-D stacked area", true, true},
    {79, u"3-D 100% stacked area", true, true},
    {-4151, u"radar", true, false},
    {81, u"radar with markers", true, false},
    {82, u"filled radar", true, false},
    {83, u"3-D surface", true, true},
    {84, u"3-D wireframe surface", true, true},
    {85, u"contour", true, false},
    {86, u"wireframe contour", true, false},
    {15, u"bubble", true, false},
    {87, u"bubble with 3-D effect", true, false},
    {88, u"high-low-close stock", true, false},
    {89, u"open-high-low-close stock", true, false},
    {90, u"volume-high-low-close stock", true, false},
    {91, u"volume-open-high-low-close stock", true, false},
    {92, u"clustered cylinder column", true, true},
    {93, u"stacked cylinder column", true, true},
    {94, u"100% stacked cylinder column", true, true},
    {95, u"clustered cylinder bar", true, true},
    {96, u"stacked cylinder bar", true, true},
    {97, u"100% stacked cylinder bar", true, true},
    {98, u"3-D cylinder column", true, true},
    {99, u"clustered cone column", true, true},
    {100, u"stacked cone column", true, true},
    {101, u"100% stacked cone column", true, true},
    {102, u"clustered cone bar", true, true},
    {103, u"stacked cone bar", true, true},
    {104, u"100% stacked cone bar", true, true},
    {105, u"3-D cone column", true, true},
    {106, u"clustered pyramid column", true, true},
    {107, u"stacked pyramid column", true, true},
    {108, u"100% stacked pyramid column", true, true},
    {109, u"clustered pyramid bar", true, true},
    {110, u"stacked pyramid bar", true, true},
    {111, u"100% stacked pyramid bar", true, true},
    {112, u"3-D pyramid column", true, true},
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
