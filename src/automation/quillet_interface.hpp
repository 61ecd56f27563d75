// _cQuillet, the component's default interface: a dual interface whose interface
// table follows IDispatch's seven entries in this order. Object parameters are typed
// as the host's Chart and the recordset's Recordset; both arrive as IDispatch.
#ifndef QUILLET_AUTOMATION_QUILLET_INTERFACE_HPP
#define QUILLET_AUTOMATION_QUILLET_INTERFACE_HPP

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

struct _cQuillet : public IDispatch {
    STDMETHOD(get_oQuillet)(IDispatch **chart) PURE;
    // Assignment by value: kept in the table for binary compatibility, never offered to
    // late-bound clients.
    STDMETHOD(put_oQuillet)(IDispatch *chart) PURE;
    STDMETHOD(putref_oQuillet)(IDispatch *chart) PURE;
    STDMETHOD(SetChartOptions)(LONG iXlChartType, SHORT iPlotAreaWidth, SHORT iPlotAreaHeight) PURE;
    STDMETHOD(AddDataSeries)(IDispatch *oRs, BSTR strValueCol, BSTR strSeriesName, VARIANT_BOOL flgShowDataLabels,
                             VARIANT_BOOL flgShaded) PURE;
    STDMETHOD(SetChartTitles)(VARIANT *strMainTitle, VARIANT *strXAxisTitle, VARIANT *strYAxisTitle) PURE;
    STDMETHOD(SetXAxisHeadings)(IDispatch *oRs, BSTR strValueCol) PURE;
    STDMETHOD(SetBackgroundEffect)(LONG iXlChartFillEffect) PURE;
    STDMETHOD(ExportToGif)(BSTR strFileName, VARIANT *result) PURE;
    STDMETHOD(Reset)() PURE;

protected:
    ~_cQuillet() = default;
};

}  // namespace quillet

OLEAUT_DECLARE_UUID(quillet::_cQuillet, quillet::IID__cQuillet);

#endif
