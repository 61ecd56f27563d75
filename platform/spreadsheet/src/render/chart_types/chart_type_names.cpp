// xlChartType names of the 20 chart types the component uses.
#include "render/chart_types/chart_type_names.hpp"

namespace sheethost::render {

namespace {

struct named_type {
    int code;
    const char16_t *name;
};

constexpr named_type kChartTypes[] = {
    {51, u"xlColumnClustered"},      {54, u"xl3DColumnClustered"},     {-4100, u"xl3DColumn"},
    {57, u"xlBarClustered"},         {60, u"xl3DBarClustered"},        {65, u"xlLineMarkers"},
    {-4101, u"xl3DLine"},            {5, u"xlPie"},                    {69, u"xlPieExploded"},
    {-4102, u"xl3DPie"},             {70, u"xl3DPieExploded"},         {1, u"xlArea"},
    {-4098, u"xl3DArea"},            {83, u"xlSurface"},               {92, u"xlCylinderColClustered"},
    {95, u"xlCylinderBarClustered"}, {99, u"xlConeColClustered"},      {102, u"xlConeBarClustered"},
    {106, u"xlPyramidColClustered"}, {109, u"xlPyramidBarClustered"},
};

std::u16string number(int v)
{
    std::string s = std::to_string(v);
    return std::u16string(s.begin(), s.end());
}

}  // namespace

std::u16string chart_type_label(int chart_type)
{
    for (const named_type &t : kChartTypes)
        if (t.code == chart_type)
            return std::u16string(t.name) + u" (" + number(chart_type) + u")";
    return number(chart_type);
}

}  // namespace sheethost::render
