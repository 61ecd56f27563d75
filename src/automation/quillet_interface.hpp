// _cQuillet, the component's default interface: a dual interface whose interface
// table follows IDispatch's seven entries in the order of its member list below.
#ifndef QUILLET_AUTOMATION_QUILLET_INTERFACE_HPP
#define QUILLET_AUTOMATION_QUILLET_INTERFACE_HPP

#include "automation/member_signatures.hpp"
#include "oleaut.h"

namespace quillet {

// {5B0E7A31-3C2D-4F19-A6E4-71C2D9A0B001}
inline constexpr GUID IID__cQuillet = {0x5B0E7A31, 0x3C2D, 0x4F19, {0xA6, 0xE4, 0x71, 0xC2, 0xD9, 0xA0, 0xB0, 0x01}};
// {5B0E7A31-3C2D-4F19-A6E4-71C2D9A0B002}
inline constexpr GUID CLSID_cQuillet = {0x5B0E7A31, 0x3C2D, 0x4F19, {0xA6, 0xE4, 0x71, 0xC2, 0xD9, 0xA0, 0xB0, 0x02}};
// {5B0E7A31-3C2D-4F19-A6E4-71C2D9A0B000}
inline constexpr GUID LIBID_Quillet = {0x5B0E7A31, 0x3C2D, 0x4F19, {0xA6, 0xE4, 0x71, 0xC2, 0xD9, 0xA0, 0xB0, 0x00}};
// {5B0E7A31-3C2D-4F19-A6E4-71C2D9A0B003}
inline constexpr GUID GUID_xlChartType = {0x5B0E7A31, 0x3C2D, 0x4F19, {0xA6, 0xE4, 0x71, 0xC2, 0xD9, 0xA0, 0xB0, 0x03}};
// {5B0E7A31-3C2D-4F19-A6E4-71C2D9A0B004}
inline constexpr GUID GUID_xlChartFillEffect = {0x5B0E7A31, 0x3C2D, 0x4F19, {0xA6, 0xE4, 0x71, 0xC2, 0xD9, 0xA0, 0xB0, 0x04}};

enum : DISPID {
    DISPID_oQuillet = 0x40030002,
    DISPID_SetChartOptions = 0x60030002,
    DISPID_AddDataSeries = 0x60030003,
    DISPID_SetChartTitles = 0x60030004,
    DISPID_SetXAxisHeadings = 0x60030005,
    DISPID_SetBackgroundEffect = 0x60030006,
    DISPID_ExportToGif = 0x60030007,
    DISPID_Reset = 0x60030008,
};

// _cQuillet's members, each written once, in interface-table order. A row is
//   MEMBER(entry, dispatch name, invoke kind, routine, result, result's type name,
//          late bound, parameters)
// `entry` names the interface-table entry, `routine` the chart_builder routine the member
// runs; the result and parameters are described in member_signatures.hpp. A member that is
// not late bound stays in the interface table (and the type library marks it so) but is
// never offered to Invoke: assignment by value, kept for binary compatibility. Object
// parameters are typed as the host's Chart and the recordset's Recordset; both arrive as
// IDispatch.
#define QUILLET_CQUILLET_MEMBERS(MEMBER)                                                                        \
    MEMBER(get_oQuillet, oQuillet, PROPERTYGET, chart_reference, VT_DISPATCH, OLESTR("Chart"), true, )                  \
    MEMBER(put_oQuillet, oQuillet, PROPERTYPUT, set_chart_reference, VT_EMPTY, nullptr, false,                   \
           (VT_DISPATCH, RHS, OLESTR("Chart")))                                                                         \
    MEMBER(putref_oQuillet, oQuillet, PROPERTYPUTREF, set_chart_reference, VT_EMPTY, nullptr, true,              \
           (VT_DISPATCH, RHS, OLESTR("Chart")))                                                                         \
    MEMBER(SetChartOptions, SetChartOptions, FUNC, chart_options, VT_EMPTY, nullptr, true,                       \
           (VT_I4, iXlChartType, OLESTR("xlChartType"))(VT_I2, iPlotAreaWidth)(VT_I2, iPlotAreaHeight))                 \
    MEMBER(AddDataSeries, AddDataSeries, FUNC, add_data_series, VT_EMPTY, nullptr, true,                         \
           (VT_DISPATCH, oRs, OLESTR("Recordset"))(VT_BSTR, strValueCol)(VT_BSTR, strSeriesName)                        \
           (VT_BOOL, flgShowDataLabels)(VT_BOOL, flgShaded))                                                      \
    MEMBER(SetChartTitles, SetChartTitles, FUNC, chart_titles, VT_EMPTY, nullptr, true,                          \
           (VT_BYREF | VT_VARIANT, strMainTitle)(VT_BYREF | VT_VARIANT, strXAxisTitle)                           \
           (VT_BYREF | VT_VARIANT, strYAxisTitle))                                                               \
    MEMBER(SetXAxisHeadings, SetXAxisHeadings, FUNC, x_axis_headings, VT_EMPTY, nullptr, true,                   \
           (VT_DISPATCH, oRs, OLESTR("Recordset"))(VT_BSTR, strValueCol))                                               \
    MEMBER(SetBackgroundEffect, SetBackgroundEffect, FUNC, background_effect, VT_EMPTY, nullptr, true,           \
           (VT_I4, iXlChartFillEffect, OLESTR("xlChartFillEffect")))                                                    \
    MEMBER(ExportToGif, ExportToGif, FUNC, export_to_gif, VT_VARIANT, nullptr, true, (VT_BSTR, strFileName))     \
    MEMBER(Reset, Reset, FUNC, reset, VT_EMPTY, nullptr, true, )

// The interface table: IDispatch's seven entries, then one per member.
#define QUILLET_PURE_ENTRY(entry, name, kind, routine, result_vt, result_type, late_bound, params) \
    STDMETHOD(entry)(QUILLET_ENTRY_PARAMS(result_vt, params)) PURE;

struct _cQuillet : public IDispatch {
    QUILLET_CQUILLET_MEMBERS(QUILLET_PURE_ENTRY)

protected:
    ~_cQuillet() = default;
};

#undef QUILLET_PURE_ENTRY

}  // namespace quillet

OLEAUT_DECLARE_UUID(quillet::_cQuillet, quillet::IID__cQuillet);

#endif
