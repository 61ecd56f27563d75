#include "automation/type_library.hpp"

#include "automation/quillet_object.hpp"

namespace quillet {

using oleaut::disp::enum_info;

namespace {

const enum_info &chart_types()
{
    static const enum_info e{u"xlChartType",
                             GUID_xlChartType,
                             0,
                             {
                                 {u"xlColumnClustered", 51},
                                 {u"xl3DColumnClustered", 54},
                                 {u"xl3DColumn", -4100},
                                 {u"xlBarClustered", 57},
                                 {u"xl3DBarClustered", 60},
                                 {u"xlLineMarkers", 65},
                                 {u"xl3DLine", -4101},
                                 {u"xlPie", 5},
                                 {u"xlPieExploded", 69},
                                 {u"xl3DPie", -4102},
                                 {u"xl3DPieExploded", 70},
                                 {u"xlArea", 1},
                                 {u"xl3DArea", -4098},
                                 {u"xlSurface", 83},
                                 {u"xlCylinderColClustered", 92},
                                 {u"xlCylinderBarClustered", 95},
                                 {u"xlConeColClustered", 99},
                                 {u"xlConeBarClustered", 102},
                                 {u"xlPyramidBarClustered", 109},
                                 {u"xlPyramidColClustered", 106},
                             }};
    return e;
}

const enum_info &fill_effects()
{
    static const enum_info e{u"xlChartFillEffect",
                             GUID_xlChartFillEffect,
                             0,
                             {
                                 {u"msoGradientEarlySunset", 1},  {u"msoGradientLateSunset", 2},
                                 {u"msoGradientNightfall", 3},    {u"msoGradientDaybreak", 4},
                                 {u"msoGradientHorizon", 5},      {u"msoGradientDesert", 6},
                                 {u"msoGradientOcean", 7},        {u"msoGradientCalmWater", 8},
                                 {u"msoGradientFire", 9},         {u"msoGradientFog", 10},
                                 {u"msoGradientMoss", 11},        {u"msoGradientPeacock", 12},
                                 {u"msoGradientWheat", 13},       {u"msoGradientParchment", 14},
                                 {u"msoGradientMahogany", 15},    {u"msoGradientRainbow", 16},
                                 {u"msoGradientRainbowII", 17},   {u"msoGradientGold", 18},
                                 {u"msoGradientGoldII", 19},      {u"msoGradientBrass", 20},
                                 {u"msoGradientChrome", 21},      {u"msoGradientChromeII", 22},
                                 {u"msoGradientSilver", 23},      {u"msoGradientSapphire", 24},
                                 {u"msoPresetGradientMixed", -2},
                             }};
    return e;
}

const oleaut::disp::coclass_info &quillet_class()
{
    static const oleaut::disp::coclass_info c{u"cQuillet", CLSID_cQuillet, TYPEFLAG_FCANCREATE,
                                              &cQuillet::dispatch_table().info()};
    return c;
}

}  // namespace

const oleaut::disp::library_info &quillet_library_info()
{
    static const oleaut::disp::library_info lib{
        u"Quillet",
        LIBID_Quillet,
        LOCALE_EN_US,
        17,
        0,
        {&cQuillet::dispatch_table().info(), &quillet_class(), &chart_types(), &fill_effects()},
    };
    return lib;
}

oleaut::com_ptr<ITypeLib> quillet_type_library() { return oleaut::disp::make_type_library(quillet_library_info()); }

oleaut::com_ptr<ITypeInfo> quillet_interface_type_info()
{
    oleaut::com_ptr<ITypeInfo> info;
    oleaut::check(quillet_type_library()->GetTypeInfoOfGuid(IID__cQuillet, info.put()));
    return info;
}

}  // namespace quillet
