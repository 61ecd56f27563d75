#include "automation/type_library.hpp"

#include "automation/quillet_object.hpp"
#include "oleaut/dispatch/server.hpp"

namespace quillet {

using oleaut::disp::enum_info;

namespace {

const enum_info &chart_types()
{
    static const enum_info e{OLESTR("xlChartType"),
                             GUID_xlChartType,
                             0,
                             {
                                 {OLESTR("xlColumnClustered"), 51},
                                 {OLESTR("xl3DColumnClustered"), 54},
                                 {OLESTR("xl3DColumn"), -4100},
                                 {OLESTR("xlBarClustered"), 57},
                                 {OLESTR("xl3DBarClustered"), 60},
                                 {OLESTR("xlLineMarkers"), 65},
                                 {OLESTR("xl3DLine"), -4101},
                                 {OLESTR("xlPie"), 5},
                                 {OLESTR("xlPieExploded"), 69},
                                 {OLESTR("xl3DPie"), -4102},
                                 {OLESTR("xl3DPieExploded"), 70},
                                 {OLESTR("xlArea"), 1},
                                 {OLESTR("xl3DArea"), -4098},
                                 {OLESTR("xlSurface"), 83},
                                 {OLESTR("xlCylinderColClustered"), 92},
                                 {OLESTR("xlCylinderBarClustered"), 95},
                                 {OLESTR("xlConeColClustered"), 99},
                                 {OLESTR("xlConeBarClustered"), 102},
                                 {OLESTR("xlPyramidBarClustered"), 109},
                                 {OLESTR("xlPyramidColClustered"), 106},
                             }};
    return e;
}

const enum_info &fill_effects()
{
    static const enum_info e{OLESTR("xlChartFillEffect"),
                             GUID_xlChartFillEffect,
                             0,
                             {
                                 {OLESTR("msoGradientEarlySunset"), 1},  {OLESTR("msoGradientLateSunset"), 2},
                                 {OLESTR("msoGradientNightfall"), 3},    {OLESTR("msoGradientDaybreak"), 4},
                                 {OLESTR("msoGradientHorizon"), 5},      {OLESTR("msoGradientDesert"), 6},
                                 {OLESTR("msoGradientOcean"), 7},        {OLESTR("msoGradientCalmWater"), 8},
                                 {OLESTR("msoGradientFire"), 9},         {OLESTR("msoGradientFog"), 10},
                                 {OLESTR("msoGradientMoss"), 11},        {OLESTR("msoGradientPeacock"), 12},
                                 {OLESTR("msoGradientWheat"), 13},       {OLESTR("msoGradientParchment"), 14},
                                 {OLESTR("msoGradientMahogany"), 15},    {OLESTR("msoGradientRainbow"), 16},
                                 {OLESTR("msoGradientRainbowII"), 17},   {OLESTR("msoGradientGold"), 18},
                                 {OLESTR("msoGradientGoldII"), 19},      {OLESTR("msoGradientBrass"), 20},
                                 {OLESTR("msoGradientChrome"), 21},      {OLESTR("msoGradientChromeII"), 22},
                                 {OLESTR("msoGradientSilver"), 23},      {OLESTR("msoGradientSapphire"), 24},
                                 {OLESTR("msoPresetGradientMixed"), -2},
                             }};
    return e;
}

const oleaut::disp::coclass_info &quillet_class()
{
    static const oleaut::disp::coclass_info c{OLESTR("cQuillet"), CLSID_cQuillet, TYPEFLAG_FCANCREATE,
                                              &cQuillet::dispatch_table().info()};
    return c;
}

}  // namespace

const oleaut::disp::library_info &quillet_library_info()
{
    static const oleaut::disp::library_info lib{
        OLESTR("Quillet"),
        LIBID_Quillet,
        LOCALE_EN_US,
        17,
        0,
        {&cQuillet::dispatch_table().info(), &quillet_class(), &chart_types(), &fill_effects()},
    };
    return lib;
}

#ifdef _WIN32
// On Windows the library is the one widl compiled from this same description into the
// module's resources; the platform reads it, and caches it across calls.
oleaut::com_ptr<ITypeLib> quillet_type_library()
{
    oleaut::com_ptr<ITypeLib> lib;
    oleaut::check(LoadTypeLibEx(oleaut::disp::own_library_file().c_str(), REGKIND_NONE, lib.put()));
    return lib;
}
#else
oleaut::com_ptr<ITypeLib> quillet_type_library() { return oleaut::disp::make_type_library(quillet_library_info()); }
#endif

oleaut::com_ptr<ITypeInfo> quillet_interface_type_info()
{
    oleaut::com_ptr<ITypeInfo> info;
    oleaut::check(quillet_type_library()->GetTypeInfoOfGuid(IID__cQuillet, info.put()));
    return info;
}

}  // namespace quillet
