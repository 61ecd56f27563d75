// Axes and Axis: the category axis (type 1, xlCategory) and the value axis (type 2,
// xlValue) of a chart whose type has axes. An axis refuses work once the chart turns
// into a type without axes (a pie), since its title could not be drawn.
#include "automation/arguments.hpp"
#include "automation/host_object.hpp"
#include "automation/interface_ids.hpp"
#include "automation/objects.hpp"
#include "host_errors.hpp"
#include "model/chart_types.hpp"
#include "model/number_text.hpp"

namespace sheethost::automation {

namespace {

using oleaut::variant;
using oleaut::disp::call;

class axis_object : public host_object<axis_object> {
public:
    static const oleaut::disp::table<axis_object> &dispatch_table();
    axis_object(object_scope scope, std::shared_ptr<model::sheet_state> sheet, int type)
        : host_object(std::move(scope)), sheet_(std::move(sheet)), type_(type)
    {
    }
    int type() const { return type_; }
    std::shared_ptr<model::text_state> title() const
    {
        model::chart_state &chart = sheet_->chart;
        return {sheet_, type_ == 1 ? &chart.category_axis_title : &chart.value_axis_title};
    }

    void set_has_title(bool on) const
    {
        auto t = title();
        t->visible = on;
        if (on && t->text.empty())
            t->text = u"Axis Title";
    }

    variant axis_title() const
    {
        auto t = title();
        if (!t->visible)
            raise_host_error(host_error::title_is_off, type_ == 1 ? u"category axis" : u"value axis");
        return make_axis_title(scope(), t, type_);
    }

private:
    std::shared_ptr<model::sheet_state> sheet_;
    int type_;
};

const oleaut::disp::table<axis_object> &axis_object::dispatch_table()
{
    using self = axis_object;
    static const oleaut::disp::table<self> t(
        u"Axis", kIID_Axis, TYPEFLAG_FDISPATCHABLE,
        {
            {u"HasTitle", 0x36, INVOKE_PROPERTYGET, {}, VT_BOOL,
             [](self &o, call &c) { c.result() = variant::boolean(o.title()->visible); }},
            {u"HasTitle", 0x36, INVOKE_PROPERTYPUT, {{u"RHS", VT_BOOL}}, VT_EMPTY,
             [](self &o, call &c) { o.set_has_title(c.boolean(0) != VARIANT_FALSE); }},
            {u"AxisTitle", 0x52, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = o.axis_title(); }},
            {u"Type", 0x6C, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) { c.result() = variant::i4(o.type()); }},
            {u"AxisGroup", 0x2F, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &, call &c) { c.result() = variant::i4(1); }},
        });
    return t;
}

class axes_object : public host_object<axes_object> {
public:
    static const oleaut::disp::table<axes_object> &dispatch_table();
    axes_object(object_scope scope, std::shared_ptr<model::sheet_state> sheet)
        : host_object(std::move(scope)), sheet_(std::move(sheet))
    {
    }
    variant item(const call &c) const
    {
        long type = c.i4(0);
        if ((type != 1 && type != 2) || (!c.missing(1) && c.i4(1) != 1))
            raise_host_error(host_error::invalid_argument,
                             u"Axes: this host has the category axis (1) and the value axis (2) of the primary "
                             u"group (1), not axis " +
                                 model::integer_text(type) + u" of group " +
                                 (c.missing(1) ? std::u16string(u"1") : model::integer_text(c.i4(1))));
        return make_axis(scope(), sheet_, static_cast<int>(type));
    }

private:
    std::shared_ptr<model::sheet_state> sheet_;
};

const oleaut::disp::table<axes_object> &axes_object::dispatch_table()
{
    using self = axes_object;
    static const oleaut::disp::table<self> t(
        u"Axes", kIID_Axes, TYPEFLAG_FDISPATCHABLE,
        {
            {u"Count", 0x76, INVOKE_PROPERTYGET, {}, VT_I4, [](self &, call &c) { c.result() = variant::i4(2); }},
            {u"Item", 0xAA, INVOKE_FUNC, {{u"Type", VT_I4}, {u"AxisGroup", VT_I4, true}}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = o.item(c); }},
            {u"_Default", DISPID_VALUE, INVOKE_PROPERTYGET, {{u"Type", VT_I4}, {u"AxisGroup", VT_I4, true}},
             VT_DISPATCH, [](self &o, call &c) { c.result() = o.item(c); }},
        });
    return t;
}

// Usable while the chart's type has axes.
object_scope while_axes(const object_scope &scope, std::shared_ptr<model::sheet_state> sheet)
{
    return scope.with([sheet] {
        const model::chart_type_info *type = model::find_chart_type(sheet->chart.type);
        if (!type || !type->has_axes)
            raise_host_error(host_error::no_axes, model::chart_type_description(sheet->chart.type));
    });
}

}  // namespace

oleaut::variant make_axes(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet)
{
    return dispatch_result(new axes_object(while_axes(scope, chart_sheet), chart_sheet));
}

oleaut::variant make_axis(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet, int type)
{
    return dispatch_result(new axis_object(while_axes(scope, chart_sheet), chart_sheet, type));
}

}  // namespace sheethost::automation
