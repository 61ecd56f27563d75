// The chart and the objects reached from it, as the component drives them.
#ifndef QUILLET_HOST_CHART_HPP
#define QUILLET_HOST_CHART_HPP

#include "host/late_bound.hpp"
#include "host/worksheet.hpp"

namespace quillet::host {

class ChartColorFormat : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_SchemeColor(LONG index) const { put_value(OLESTR("SchemeColor"), variant::i4(index)); }
};

class ChartFillFormat : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void OneColorGradient(SHORT style, SHORT variant_no, DOUBLE degree) const
    {
        variant s = variant::i2(style), v = variant::i2(variant_no), d = variant::r8(degree);
        call(get(), OLESTR("OneColorGradient"), {}, {{OLESTR("Style"), s}, {OLESTR("Variant"), v}, {OLESTR("Degree"), d}});
    }
    // PresetGradientType travels by reference to the caller's own copy.
    void PresetGradient(SHORT style, SHORT variant_no, LONG *preset_type) const
    {
        variant s = variant::i2(style), v = variant::i2(variant_no);
        VARIANT type_ref;
        type_ref.vt = VT_BYREF | VT_I4;
        type_ref.plVal = preset_type;
        call(get(), OLESTR("PresetGradient"), {}, {{OLESTR("Style"), s}, {OLESTR("Variant"), v}, {OLESTR("PresetGradientType"), type_ref}});
    }
    ChartColorFormat get_ForeColor() const { return ChartColorFormat(get_object(OLESTR("ForeColor"))); }
};

class Border : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_Weight(LONG weight) const { put_value(OLESTR("Weight"), variant::i4(weight)); }
    void put_LineStyle(LONG style) const { put_value(OLESTR("LineStyle"), variant::i4(style)); }
};

// Walls and Floor offer the same two members.
class Surface : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    Border get_Border() const { return Border(get_object(OLESTR("Border"))); }
    ChartFillFormat get_Fill() const { return ChartFillFormat(get_object(OLESTR("Fill"))); }
};

class Font : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_Name(const OLECHAR *name) const { put_value(OLESTR("Name"), variant::str(name)); }
    void put_FontStyle(const OLECHAR *style) const { put_value(OLESTR("FontStyle"), variant::str(style)); }
    void put_Size(SHORT size) const { put_value(OLESTR("Size"), variant::i2(size)); }
};

class Characters : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_Text(const VARIANT &text) const { put_value(OLESTR("Text"), text); }
};

class AxisTitle : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    Characters get_Characters() const { return Characters(get_object(OLESTR("Characters"))); }
    Font get_Font() const { return Font(get_object(OLESTR("Font"))); }
    void put_HorizontalAlignment(LONG a) const { put_value(OLESTR("HorizontalAlignment"), variant::i4(a)); }
    void put_VerticalAlignment(LONG a) const { put_value(OLESTR("VerticalAlignment"), variant::i4(a)); }
    void put_Orientation(LONG o) const { put_value(OLESTR("Orientation"), variant::i4(o)); }
};

class Axis : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_HasTitle(bool has) const { put_value(OLESTR("HasTitle"), variant::boolean(has)); }
    AxisTitle get_AxisTitle() const { return AxisTitle(get_object(OLESTR("AxisTitle"))); }
};

class ChartTitle : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_Caption(const VARIANT &caption) const { put_value(OLESTR("Caption"), caption); }
    Font get_Font() const { return Font(get_object(OLESTR("Font"))); }
};

class Legend : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_Position(LONG position) const { put_value(OLESTR("Position"), variant::i4(position)); }
};

class PlotArea : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_Height(DOUBLE h) const { put_value(OLESTR("Height"), variant::r8(h)); }
    void put_Width(DOUBLE w) const { put_value(OLESTR("Width"), variant::r8(w)); }
};

class Series : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_Values(const Range &r) const { put_value(OLESTR("Values"), variant::dispatch(r.get())); }
    void put_XValues(const Range &r) const { put_value(OLESTR("XValues"), variant::dispatch(r.get())); }
    void put_Name(BSTR name) const
    {
        VARIANT v;
        v.vt = VT_BSTR;
        v.bstrVal = name;  // passed as the caller's string, a null one included
        put_value(OLESTR("Name"), v);
    }
    Border get_Border() const { return Border(get_object(OLESTR("Border"))); }
    ChartFillFormat get_Fill() const { return ChartFillFormat(get_object(OLESTR("Fill"))); }
    // ApplyDataLabels(Type:=, AutoText:=, LegendKey:=)
    void ApplyDataLabels(SHORT type, bool auto_text, bool legend_key) const
    {
        variant t = variant::i2(type), a = variant::boolean(auto_text), l = variant::boolean(legend_key);
        call(get(), OLESTR("ApplyDataLabels"), {}, {{OLESTR("Type"), t}, {OLESTR("AutoText"), a}, {OLESTR("LegendKey"), l}});
    }
    void Delete() const { call(get(), OLESTR("Delete")); }
};

class SeriesCollection : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    LONG Count() const { return get_value(OLESTR("Count")).to_i4(); }
    Series NewSeries() const { return Series(object_of(invoke(get(), OLESTR("NewSeries"), DISPATCH_METHOD))); }
};

class Chart : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_ChartType(LONG type) const { put_value(OLESTR("ChartType"), variant::i4(type)); }
    void put_SizeWithWindow(bool on) const { put_value(OLESTR("SizeWithWindow"), variant::boolean(on)); }
    void put_HasDataTable(bool on) const { put_value(OLESTR("HasDataTable"), variant::boolean(on)); }
    void put_HasLegend(bool on) const { put_value(OLESTR("HasLegend"), variant::boolean(on)); }
    void put_HasTitle(bool on) const { put_value(OLESTR("HasTitle"), variant::boolean(on)); }
    void put_WallsAndGridlines2D(bool on) const { put_value(OLESTR("WallsAndGridlines2D"), variant::boolean(on)); }
    Legend get_Legend() const { return Legend(get_object(OLESTR("Legend"))); }
    PlotArea get_PlotArea() const { return PlotArea(get_object(OLESTR("PlotArea"))); }
    ChartTitle get_ChartTitle() const { return ChartTitle(get_object(OLESTR("ChartTitle"))); }
    Surface get_Walls() const { return Surface(get_object(OLESTR("Walls"))); }
    Surface get_Floor() const { return Surface(get_object(OLESTR("Floor"))); }
    // SeriesCollection with its Index left out: the collection.
    SeriesCollection get_SeriesCollection() const
    {
        return SeriesCollection(get_object(OLESTR("SeriesCollection"), {variant::missing()}));
    }
    // SeriesCollection(Index): one series.
    Series SeriesCollection_Item(SHORT index) const
    {
        return Series(object_of(invoke(get(), OLESTR("SeriesCollection"), DISPATCH_METHOD, {variant::i2(index)})));
    }
    Axis Axes(LONG type, LONG group) const
    {
        return Axis(object_of(invoke(get(), OLESTR("Axes"), DISPATCH_METHOD, {variant::i4(type), variant::i4(group)})));
    }
    // Export(Filename, FilterName; Interactive left out). The answer is not examined.
    void Export(BSTR filename, const OLECHAR *filter) const
    {
        VARIANT name;
        name.vt = VT_BSTR;
        name.bstrVal = filename;  // exactly as the caller passed it
        call(get(), OLESTR("Export"), {name, variant::str(filter), variant::missing()});
    }
};

}  // namespace quillet::host

#endif
