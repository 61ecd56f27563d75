// Chart: a chart sheet's chart. Its options are plain flags and codes; its parts
// (title, legend, plot area, axes, walls, floor, series) are objects of their own
// that refuse to exist while the chart has none of them (a title switched off, a pie's
// axes, a flat chart's walls).
#include "automation/arguments.hpp"
#include "automation/host_object.hpp"
#include "automation/interface_ids.hpp"
#include "automation/objects.hpp"
#include "automation/sheet_naming.hpp"
#include "host_errors.hpp"
#include "model/chart_types.hpp"
#include "model/format_rules.hpp"
#include "model/number_text.hpp"
#include "render/export/exporter.hpp"
#include "snapshot/snapshot_builder.hpp"

namespace sheethost::automation {

namespace {

using oleaut::variant;
using oleaut::disp::call;

class chart_object : public host_object<chart_object> {
public:
    static const oleaut::disp::table<chart_object> &dispatch_table();
    chart_object(object_scope scope, std::shared_ptr<model::sheet_state> sheet)
        : host_object(std::move(scope)), sheet_(std::move(sheet))
    {
    }
    const std::shared_ptr<model::sheet_state> &sheet() const { return sheet_; }
    model::chart_state &chart() const { return sheet_->chart; }

    void set_has_title(bool on) const
    {
        chart().title.visible = on;
        if (on && chart().title.text.empty())
            chart().title.text = u"Chart Title";
    }

    variant chart_title() const
    {
        if (!chart().title.visible)
            raise_host_error(host_error::title_is_off, u"chart");
        return make_chart_title(scope(), sheet_);
    }

    variant legend() const
    {
        if (!chart().has_legend)
            raise_host_error(host_error::legend_is_off);
        return make_legend(scope(), sheet_);
    }

    variant surface(bool walls) const
    {
        const model::chart_type_info *type = model::find_chart_type(chart().type);
        if (!type || !type->has_walls)
            raise_host_error(host_error::no_walls_or_floor, model::chart_type_description(chart().type),
                             walls ? u"walls" : u"floor");
        return walls ? make_walls(scope(), sheet_) : make_floor(scope(), sheet_);
    }

    variant axes(const call &c) const
    {
        const model::chart_type_info *type = model::find_chart_type(chart().type);
        if (!type || !type->has_axes)
            raise_host_error(host_error::no_axes, model::chart_type_description(chart().type));
        if (!c.missing(1) && c.i4(1) != 1)
            raise_host_error(host_error::invalid_argument,
                             u"Chart.Axes: AxisGroup must be 1 (xlPrimary); this host draws no secondary axes, "
                             u"and was given " + model::integer_text(c.i4(1)));
        if (c.missing(0))
            return make_axes(scope(), sheet_);
        long axis = whole_number(c.arg(0), u"Chart.Axes Type");
        if (axis != 1 && axis != 2)
            raise_host_error(host_error::invalid_argument,
                             u"Chart.Axes: Type must be 1 (xlCategory) or 2 (xlValue); this host has no series "
                             u"axis, and was given " + model::integer_text(axis));
        return make_axis(scope(), sheet_, static_cast<int>(axis));
    }

    variant export_picture(const call &c) const
    {
        std::u16string file = bstr_text(c.bstr(0));
        if (file.empty())
            raise_host_error(host_error::invalid_argument, u"Chart.Export needs a file name");
        // Without a FilterName the exporter goes by the file's extension.
        std::u16string filter = c.missing(1) ? std::u16string() : text_of(c.arg(1), u"Chart.Export FilterName");
        render::export_chart(snapshot::build_snapshot(chart()), oleaut::utf16_to_utf8(file), filter);
        return variant::boolean(true);
    }

private:
    std::shared_ptr<model::sheet_state> sheet_;
};

// Get and put of one boolean option of the chart.
template <bool model::chart_state::*Flag>
void get_flag(chart_object &o, call &c)
{
    c.result() = variant::boolean(o.chart().*Flag);
}
template <bool model::chart_state::*Flag>
void put_flag(chart_object &o, call &c)
{
    o.chart().*Flag = c.boolean(0) != VARIANT_FALSE;
}

const oleaut::disp::table<chart_object> &chart_object::dispatch_table()
{
    using self = chart_object;
    static const oleaut::disp::table<self> t(
        u"Chart", kIID_Chart, TYPEFLAG_FDISPATCHABLE,
        {
            {u"ChartType", 0x578, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) { c.result() = variant::i4(o.chart().type); }},
            {u"ChartType", 0x578, INVOKE_PROPERTYPUT, {{u"RHS", VT_I4}}, VT_EMPTY,
             [](self &o, call &c) { o.chart().type = model::checked_chart_type(c.i4(0)); }},
            {u"SizeWithWindow", 0x5E, INVOKE_PROPERTYGET, {}, VT_BOOL, &get_flag<&model::chart_state::size_with_window>},
            {u"SizeWithWindow", 0x5E, INVOKE_PROPERTYPUT, {{u"RHS", VT_BOOL}}, VT_EMPTY, &put_flag<&model::chart_state::size_with_window>},
            {u"HasDataTable", 0x574, INVOKE_PROPERTYGET, {}, VT_BOOL, &get_flag<&model::chart_state::has_data_table>},
            {u"HasDataTable", 0x574, INVOKE_PROPERTYPUT, {{u"RHS", VT_BOOL}}, VT_EMPTY, &put_flag<&model::chart_state::has_data_table>},
            {u"HasLegend", 0x35, INVOKE_PROPERTYGET, {}, VT_BOOL, &get_flag<&model::chart_state::has_legend>},
            {u"HasLegend", 0x35, INVOKE_PROPERTYPUT, {{u"RHS", VT_BOOL}}, VT_EMPTY, &put_flag<&model::chart_state::has_legend>},
            {u"WallsAndGridlines2D", 0xD2, INVOKE_PROPERTYGET, {}, VT_BOOL, &get_flag<&model::chart_state::walls_and_gridlines_2d>},
            {u"WallsAndGridlines2D", 0xD2, INVOKE_PROPERTYPUT, {{u"RHS", VT_BOOL}}, VT_EMPTY, &put_flag<&model::chart_state::walls_and_gridlines_2d>},
            {u"HasTitle", 0x36, INVOKE_PROPERTYGET, {}, VT_BOOL,
             [](self &o, call &c) { c.result() = variant::boolean(o.chart().title.visible); }},
            {u"HasTitle", 0x36, INVOKE_PROPERTYPUT, {{u"RHS", VT_BOOL}}, VT_EMPTY,
             [](self &o, call &c) { o.set_has_title(c.boolean(0) != VARIANT_FALSE); }},
            {u"ChartTitle", 0x51, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = o.chart_title(); }},
            {u"Legend", 0x54, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = o.legend(); }},
            {u"PlotArea", 0x55, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = make_plot_area(o.scope(), o.sheet()); }},
            {u"Walls", 0x56, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = o.surface(true); }},
            {u"Floor", 0x53, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = o.surface(false); }},
            {u"SeriesCollection", 0x44, INVOKE_FUNC, {{u"Index", VT_VARIANT, true}}, VT_DISPATCH,
             [](self &o, call &c) {
                 c.result() = c.missing(0) ? make_series_collection(o.scope(), o.sheet())
                                           : make_series_item(o.scope(), o.sheet(), c.arg(0));
             }},
            {u"Axes", 0x17, INVOKE_FUNC, {{u"Type", VT_VARIANT, true}, {u"AxisGroup", VT_I4, true}}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = o.axes(c); }},
            {u"Export", 0x586, INVOKE_FUNC,
             {{u"Filename", VT_BSTR}, {u"FilterName", VT_VARIANT, true}, {u"Interactive", VT_VARIANT, true}}, VT_BOOL,
             [](self &o, call &c) { c.result() = o.export_picture(c); }},
            {u"Name", 0x6E, INVOKE_PROPERTYGET, {}, VT_BSTR,
             [](self &o, call &c) { c.result() = variant::str(o.sheet()->name); }},
            {u"Name", 0x6E, INVOKE_PROPERTYPUT, {{u"RHS", VT_BSTR}}, VT_EMPTY,
             [](self &o, call &c) { rename_sheet(*o.scope().book_ptr(), *o.sheet(), bstr_text(c.bstr(0))); }},
            {u"Index", 0x1E6, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) { c.result() = variant::i4(sheet_index(*o.scope().book_ptr(), *o.sheet())); }},
        });
    return t;
}

}  // namespace

oleaut::variant make_chart(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet)
{
    return dispatch_result(new chart_object(scope, std::move(chart_sheet)));
}

std::shared_ptr<model::sheet_state> chart_sheet_behind(IDispatch *d)
{
    oleaut::com_ptr<IDispatch> mine;
    if (!d || FAILED(d->QueryInterface(kIID_Chart, mine.put_void())) || !mine)
        return nullptr;
    return static_cast<chart_object *>(mine.get())->sheet();
}

}  // namespace sheethost::automation
