// _cQuillet's members: the one table from which GetIDsOfNames, Invoke, the interface
// table's entries and the type information are all derived.
#include "automation/type_library.hpp"
#include "chart/quillet.hpp"

namespace quillet {

using oleaut::variant;
using oleaut::disp::call;
using oleaut::disp::param;

namespace {

constexpr WORD kInterfaceFlags =
    TYPEFLAG_FDUAL | TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;

}  // namespace

const oleaut::disp::table<cQuillet> &cQuillet::dispatch_table()
{
    static const oleaut::disp::table<cQuillet> t = [] {
        oleaut::disp::table<cQuillet> table(
            u"_cQuillet", IID__cQuillet, kInterfaceFlags,
            {
                {u"oQuillet", DISPID_oQuillet, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
                 [](cQuillet &q, call &c) { c.result() = variant::dispatch(q.oQuillet.get()); }, u"Chart"},
                {u"oQuillet", DISPID_oQuillet, INVOKE_PROPERTYPUT, {{u"RHS", VT_DISPATCH, false, u"Chart"}},
                 VT_EMPTY, [](cQuillet &q, call &c) { q.oQuillet = oleaut::com_ptr<IDispatch>(c.object(0)); },
                 nullptr, 0, true},
                {u"oQuillet", DISPID_oQuillet, INVOKE_PROPERTYPUTREF, {{u"RHS", VT_DISPATCH, false, u"Chart"}},
                 VT_EMPTY, [](cQuillet &q, call &c) { q.oQuillet = oleaut::com_ptr<IDispatch>(c.object(0)); }},
                {u"SetChartOptions", DISPID_SetChartOptions, INVOKE_FUNC,
                 {{u"iXlChartType", VT_I4, false, u"xlChartType"},
                  {u"iPlotAreaWidth", VT_I2},
                  {u"iPlotAreaHeight", VT_I2}},
                 VT_EMPTY, [](cQuillet &q, call &c) { q.chart_options(c.i4(0), c.i2(1), c.i2(2)); }},
                {u"AddDataSeries", DISPID_AddDataSeries, INVOKE_FUNC,
                 {{u"oRs", VT_DISPATCH, false, u"Recordset"},
                  {u"strValueCol", VT_BSTR},
                  {u"strSeriesName", VT_BSTR},
                  {u"flgShowDataLabels", VT_BOOL},
                  {u"flgShaded", VT_BOOL}},
                 VT_EMPTY,
                 [](cQuillet &q, call &c) {
                     q.add_data_series(c.object(0), c.bstr(1), c.bstr(2), c.boolean(3), c.boolean(4));
                 }},
                {u"SetChartTitles", DISPID_SetChartTitles, INVOKE_FUNC,
                 {{u"strMainTitle", VT_BYREF | VT_VARIANT},
                  {u"strXAxisTitle", VT_BYREF | VT_VARIANT},
                  {u"strYAxisTitle", VT_BYREF | VT_VARIANT}},
                 VT_EMPTY, [](cQuillet &q, call &c) { q.chart_titles(*c.ref(0), *c.ref(1), *c.ref(2)); }},
                {u"SetXAxisHeadings", DISPID_SetXAxisHeadings, INVOKE_FUNC,
                 {{u"oRs", VT_DISPATCH, false, u"Recordset"}, {u"strValueCol", VT_BSTR}}, VT_EMPTY,
                 [](cQuillet &q, call &c) { q.x_axis_headings(c.object(0), c.bstr(1)); }},
                {u"SetBackgroundEffect", DISPID_SetBackgroundEffect, INVOKE_FUNC,
                 {{u"iXlChartFillEffect", VT_I4, false, u"xlChartFillEffect"}}, VT_EMPTY,
                 [](cQuillet &q, call &c) { q.background_effect(c.i4(0)); }},
                {u"ExportToGif", DISPID_ExportToGif, INVOKE_FUNC, {{u"strFileName", VT_BSTR}}, VT_VARIANT,
                 [](cQuillet &q, call &c) { c.result() = q.export_to_gif(c.bstr(0)); }},
                {u"Reset", DISPID_Reset, INVOKE_FUNC, {}, VT_EMPTY, [](cQuillet &q, call &) { q.reset(); }},
            });
        table.set_type_info_source(&quillet_interface_type_info);
        return table;
    }();
    return t;
}

// --- the interface table: the same members, reached without Invoke ------------------------

namespace {

VARIANT object_arg(IDispatch *d)
{
    VARIANT v;
    v.vt = VT_DISPATCH;
    v.pdispVal = d;
    return v;
}

VARIANT string_arg(BSTR s)
{
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = s;
    return v;
}

VARIANT bool_arg(VARIANT_BOOL b)
{
    VARIANT v;
    v.vt = VT_BOOL;
    v.boolVal = b;
    return v;
}

VARIANT ref_arg(VARIANT *target)
{
    VARIANT v;
    v.vt = VT_BYREF | VT_VARIANT;
    v.pvarVal = target;
    return v;
}

}  // namespace

HRESULT cQuillet::get_oQuillet(IDispatch **chart)
{
    if (!chart)
        return E_POINTER;
    variant v;
    HRESULT hr = call_member(DISPID_oQuillet, INVOKE_PROPERTYGET, {}, v.put());
    *chart = SUCCEEDED(hr) && v.vt == VT_DISPATCH ? std::exchange(v.pdispVal, nullptr) : nullptr;
    return hr;
}

// Assignment by value works on the stored reference like the put by reference; it is
// only absent from the late-bound path.
HRESULT cQuillet::put_oQuillet(IDispatch *chart)
{
    oQuillet = oleaut::com_ptr<IDispatch>(chart);
    return S_OK;
}

HRESULT cQuillet::putref_oQuillet(IDispatch *chart)
{
    return call_member(DISPID_oQuillet, INVOKE_PROPERTYPUTREF, {object_arg(chart)});
}

HRESULT cQuillet::SetChartOptions(LONG iXlChartType, SHORT iPlotAreaWidth, SHORT iPlotAreaHeight)
{
    return call_member(DISPID_SetChartOptions, INVOKE_FUNC,
                       {variant::i4(iXlChartType), variant::i2(iPlotAreaWidth), variant::i2(iPlotAreaHeight)});
}

HRESULT cQuillet::AddDataSeries(IDispatch *oRs, BSTR strValueCol, BSTR strSeriesName, VARIANT_BOOL flgShowDataLabels,
                                VARIANT_BOOL flgShaded)
{
    return call_member(DISPID_AddDataSeries, INVOKE_FUNC,
                       {object_arg(oRs), string_arg(strValueCol), string_arg(strSeriesName),
                        bool_arg(flgShowDataLabels), bool_arg(flgShaded)});
}

HRESULT cQuillet::SetChartTitles(VARIANT *strMainTitle, VARIANT *strXAxisTitle, VARIANT *strYAxisTitle)
{
    if (!strMainTitle || !strXAxisTitle || !strYAxisTitle)
        return E_POINTER;
    return call_member(DISPID_SetChartTitles, INVOKE_FUNC,
                       {ref_arg(strMainTitle), ref_arg(strXAxisTitle), ref_arg(strYAxisTitle)});
}

HRESULT cQuillet::SetXAxisHeadings(IDispatch *oRs, BSTR strValueCol)
{
    return call_member(DISPID_SetXAxisHeadings, INVOKE_FUNC, {object_arg(oRs), string_arg(strValueCol)});
}

HRESULT cQuillet::SetBackgroundEffect(LONG iXlChartFillEffect)
{
    return call_member(DISPID_SetBackgroundEffect, INVOKE_FUNC, {variant::i4(iXlChartFillEffect)});
}

HRESULT cQuillet::ExportToGif(BSTR strFileName, VARIANT *result)
{
    if (!result)
        return E_POINTER;
    return call_member(DISPID_ExportToGif, INVOKE_FUNC, {string_arg(strFileName)}, result);
}

HRESULT cQuillet::Reset() { return call_member(DISPID_Reset, INVOKE_FUNC, {}); }

}  // namespace quillet
