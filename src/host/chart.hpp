// The chart and the objects reached from it, as the component drives them.
#ifndef QUILLET_HOST_CHART_HPP
#define QUILLET_HOST_CHART_HPP

#include "host/late_bound.hpp"
#include "host/worksheet.hpp"

namespace quillet::host {

class ChartColorFormat : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_SchemeColor(LONG index) const { put_value(u"SchemeColor", variant::i4(index)); }
};

class ChartFillFormat : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void OneColorGradient(SHORT style, SHORT variant_no, DOUBLE degree) const
    {
        variant s = variant::i2(style), v = variant::i2(variant_no), d = variant::r8(degree);
        call(get(), u"OneColorGradient", {}, {{u"Style", s}, {u"Variant", v}, {u"Degree", d}});
    }
    // PresetGradientType travels by reference to the caller's own copy.
    void PresetGradient(SHORT style, SHORT variant_no, LONG *preset_type) const
    {
        variant s = variant::i2(style), v = variant::i2(variant_no);
        VARIANT type_ref;
        type_ref.vt = VT_BYREF | VT_I4;
        type_ref.plVal = preset_type;
        call(get(), u"PresetGradient", {}, {{u"Style", s}, {u"Variant", v}, {u"PresetGradientType", type_ref}});
    }
    ChartColorFormat get_ForeColor() const { return ChartColorFormat(get_object(u"ForeColor")); }
};

class Border : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_Weight(LONG weight) const { put_value(u"Weight", variant::i4(weight)); }
    void put_LineStyle(LONG style) const { put_value(u"LineStyle", variant::i4(style)); }
};

// Walls and Floor offer the same two members.
class Surface : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    Border get_Border() const { return Border(get_object(u"Border")); }
    ChartFillFormat get_Fill() const { return ChartFillFormat(get_object(u"Fill")); }
};

class Font : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_Name(const char16_t *name) const { put_value(u"Name", variant::str(name)); }
    void put_FontStyle(const char16_t *style) const { put_value(u"FontStyle", variant::str(style)); }
    void put_Size(SHORT size) const { put_value(u"Size", variant::i2(size)); }
};

class Characters : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_Text(const VARIANT &text) const { put_value(u"Text", text); }
};

class AxisTitle : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    Characters get_Characters() const { return Characters(get_object(u"Characters")); }
    Font get_Font() const { return Font(get_object(u"Font")); }
    void put_HorizontalAlignment(LONG a) const { put_value(u"HorizontalAlignment", variant::i4(a)); }
    void put_VerticalAlignment(LONG a) const { put_value(u"VerticalAlignment", variant::i4(a)); }
    void put_Orientation(LONG o) const { put_value(u"Orientation", variant::i4(o)); }
};

class Axis : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_HasTitle(bool has) const { put_value(u"HasTitle", variant::boolean(has)); }
    AxisTitle get_AxisTitle() const { return AxisTitle(get_object(u"AxisTitle")); }
};

class ChartTitle : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_Caption(const VARIANT &caption) const { put_value(u"Caption", caption); }
    Font get_Font() const { return Font(get_object(u"Font")); }
};

class Legend : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_Position(LONG position) const { put_value(u"Position", variant::i4(position)); }
};

class PlotArea : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_Height(DOUBLE h) const { put_value(u"Height", variant::r8(h)); }
    void put_Width(DOUBLE w) const { put_value(u"Width", variant::r8(w)); }
};

class Series : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_Values(const Range &r) const { put_value(u"Values", variant::dispatch(r.get())); }
    void put_XValues(const Range &r) const { put_value(u"XValues", variant::dispatch(r.get())); }
    void put_Name(BSTR name) const
    {
        VARIANT v;
        v.vt = VT_BSTR;
        v.bstrVal = name;  // passed as the caller's string, a null one included
        put_value(u"Name", v);
    }
    Border get_Border() const { return Border(get_object(u"Border")); }
    ChartFillFormat get_Fill() const { return ChartFillFormat(get_object(u"Fill")); }
    // ApplyDataLabels(Type:=, AutoText:=, LegendKey:=)
    void ApplyDataLabels(SHORT type, bool auto_text, bool legend_key) const
    {
        variant t = variant::i2(type), a = variant::boolean(auto_text), l = variant::boolean(legend_key);
        call(get(), u"ApplyDataLabels", {}, {{u"Type", t}, {u"AutoText", a}, {u"LegendKey", l}});
    }
    void Delete() const { call(get(), u"Delete"); }
};

class SeriesCollection : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    LONG Count() const { return get_value(u"Count").to_i4(); }
    Series NewSeries() const { return Series(object_of(invoke(get(), u"NewSeries", DISPATCH_METHOD))); }
};

class Chart : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_ChartType(LONG type) const { put_value(u"ChartType", variant::i4(type)); }
    void put_SizeWithWindow(bool on) const { put_value(u"SizeWithWindow", variant::boolean(on)); }
    void put_HasDataTable(bool on) const { put_value(u"HasDataTable", variant::boolean(on)); }
    void put_HasLegend(bool on) const { put_value(u"HasLegend", variant::boolean(on)); }
    void put_HasTitle(bool on) const { put_value(u"HasTitle", variant::boolean(on)); }
    void put_WallsAndGridlines2D(bool on) const { put_value(u"WallsAndGridlines2D", variant::boolean(on)); }
    Legend get_Legend() const { return Legend(get_object(u"Legend")); }
    PlotArea get_PlotArea() const { return PlotArea(get_object(u"PlotArea")); }
    ChartTitle get_ChartTitle() const { return ChartTitle(get_object(u"ChartTitle")); }
    Surface get_Walls() const { return Surface(get_object(u"Walls")); }
    Surface get_Floor() const { return Surface(get_object(u"Floor")); }
    // SeriesCollection with its Index left out: the collection.
    SeriesCollection get_SeriesCollection() const
    {
        return SeriesCollection(get_object(u"SeriesCollection", {variant::missing()}));
    }
    // SeriesCollection(Index): one series.
    Series SeriesCollection_Item(SHORT index) const
    {
        return Series(object_of(invoke(get(), u"SeriesCollection", DISPATCH_METHOD, {variant::i2(index)})));
    }
    Axis Axes(LONG type, LONG group) const
    {
        return Axis(object_of(invoke(get(), u"Axes", DISPATCH_METHOD, {variant::i4(type), variant::i4(group)})));
    }
    // Export(Filename, FilterName; Interactive left out). The answer is not examined.
    void Export(BSTR filename, const char16_t *filter) const
    {
        VARIANT name;
        name.vt = VT_BSTR;
        name.bstrVal = filename;  // exactly as the caller passed it
        call(get(), u"Export", {name, variant::str(filter), variant::missing()});
    }
};

}  // namespace quillet::host

#endif
