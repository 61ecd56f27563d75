// Series: one data series. Values and XValues take a Range of the chart's workbook
// and keep the binding, not the numbers: the cells are read again at every export.
#include <algorithm>

#include "automation/arguments.hpp"
#include "automation/host_object.hpp"
#include "automation/interface_ids.hpp"
#include "automation/objects.hpp"
#include "host_errors.hpp"
#include "model/cell_address.hpp"
#include "model/format_rules.hpp"
#include "model/number_text.hpp"
#include "snapshot/bound_cells.hpp"

namespace sheethost::automation {

namespace {

using oleaut::variant;
using oleaut::disp::call;

class series_object : public host_object<series_object> {
public:
    static const oleaut::disp::table<series_object> &dispatch_table();
    series_object(object_scope scope, std::shared_ptr<model::sheet_state> sheet,
                  std::shared_ptr<model::series_state> series)
        : host_object(std::move(scope)), sheet_(std::move(sheet)), series_(std::move(series))
    {
    }
    model::series_state &series() const { return *series_; }
    const std::shared_ptr<model::series_state> &series_ptr() const { return series_; }

    model::range_binding binding_for(const VARIANT &value, const char16_t *member) const
    {
        std::optional<range_view> range;
        if (value.vt == VT_DISPATCH && value.pdispVal)
            range = range_behind(value.pdispVal);
        if (!range || range->scope.book_ptr() != scope().book_ptr())
            raise_host_error(host_error::invalid_range, std::u16string(u"Series.") + member + u": " + describe(value));
        if (!range->cells.is_line())
            raise_host_error(host_error::series_cells, reference(*range),
                             u"a series takes one row or one column of cells");
        if (range->cells.count() > model::kMaxPointsPerSeries)
            raise_host_error(host_error::series_cells, reference(*range),
                             u"a series takes at most " + model::integer_text(model::kMaxPointsPerSeries) + u" cells, not " +
                                 model::integer_text(range->cells.count()));
        return model::range_binding{range->sheet, range->cells};
    }

    // Values as numbers, headings as they stand; Empty while unbound.
    static variant bound_values(const std::optional<model::range_binding> &binding, bool as_numbers)
    {
        if (!binding)
            return variant();
        std::vector<variant> cells = snapshot::bound_cells(*binding);
        SAFEARRAY *psa = SafeArrayCreateVector(VT_VARIANT, 1, static_cast<ULONG>(cells.size()));
        if (!psa)
            throw std::bad_alloc();
        variant out;
        out.vt = VT_ARRAY | VT_VARIANT;
        out.parray = psa;
        for (LONG i = 0; i < static_cast<LONG>(cells.size()); ++i) {
            variant element = cells[static_cast<size_t>(i)];
            if (as_numbers) {
                std::optional<double> number = snapshot::chart_value(element);
                element = number ? variant::r8(*number) : variant();
            }
            LONG index = i + 1;
            oleaut::check(SafeArrayPutElement(psa, &index, &element));
        }
        return out;
    }

    // =SERIES(name, categories, values, plot order), as the classic host shows a series.
    std::u16string formula() const
    {
        std::u16string name = u"\"";
        for (char16_t ch : series_->name)
            name += ch == u'"' ? std::u16string(u"\"\"") : std::u16string(1, ch);
        name += u"\"";
        auto ref = [](const std::optional<model::range_binding> &b) {
            return b ? snapshot::binding_reference(*b) : std::u16string();
        };
        return u"=SERIES(" + name + u"," + ref(series_->x_values) + u"," + ref(series_->values) + u"," +
               model::integer_text(plot_order()) + u")";
    }

    long plot_order() const
    {
        const auto &all = sheet_->chart.series;
        return static_cast<long>(std::find(all.begin(), all.end(), series_) - all.begin()) + 1;
    }

    void apply_data_labels(const call &c) const
    {
        int type = model::checked_data_label_type(c.missing(0) ? 2 : c.i4(0));
        bool legend_key = !c.missing(1) && truth(c.arg(1), u"ApplyDataLabels LegendKey");
        // AutoText and HasLeaderLines only have to be booleans: labels here always show
        // their value, and columns have no leader lines.
        if (!c.missing(2))
            truth(c.arg(2), u"ApplyDataLabels AutoText");
        if (!c.missing(3))
            truth(c.arg(3), u"ApplyDataLabels HasLeaderLines");
        series_->data_labels = type != -4142;
        series_->data_label_type = type == -4142 ? series_->data_label_type : type;
        series_->legend_key = legend_key;
    }

    void remove() const
    {
        std::erase(sheet_->chart.series, series_);
        series_->deleted = true;
    }

private:
    static std::u16string reference(const range_view &range)
    {
        return model::format_reference(range.sheet->name, range.cells);
    }

    std::shared_ptr<model::sheet_state> sheet_;
    std::shared_ptr<model::series_state> series_;
};

const oleaut::disp::table<series_object> &series_object::dispatch_table()
{
    using self = series_object;
    static const oleaut::disp::table<self> t(
        u"Series", kIID_Series, TYPEFLAG_FDISPATCHABLE,
        {
            {u"Values", 0xA4, INVOKE_PROPERTYGET, {}, VT_VARIANT,
             [](self &o, call &c) { c.result() = self::bound_values(o.series().values, true); }},
            {u"Values", 0xA4, INVOKE_PROPERTYPUT, {{u"RHS", VT_VARIANT}}, VT_EMPTY,
             [](self &o, call &c) { o.series().values = o.binding_for(c.arg(0), u"Values"); }},
            {u"XValues", 0x457, INVOKE_PROPERTYGET, {}, VT_VARIANT,
             [](self &o, call &c) { c.result() = self::bound_values(o.series().x_values, false); }},
            {u"XValues", 0x457, INVOKE_PROPERTYPUT, {{u"RHS", VT_VARIANT}}, VT_EMPTY,
             [](self &o, call &c) { o.series().x_values = o.binding_for(c.arg(0), u"XValues"); }},
            {u"Name", 0x6E, INVOKE_PROPERTYGET, {}, VT_BSTR,
             [](self &o, call &c) { c.result() = variant::str(o.series().name); }},
            {u"Name", 0x6E, INVOKE_PROPERTYPUT, {{u"RHS", VT_BSTR}}, VT_EMPTY,
             [](self &o, call &c) { o.series().name = bstr_text(c.bstr(0)); }},
            {u"Border", 0x80, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) {
                 c.result() = make_border(o.scope(), {o.series_ptr(), &o.series().border});
             }},
            {u"Fill", 0x67F, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) {
                 c.result() = make_fill(o.scope(), {o.series_ptr(), &o.series().fill},
                                        model::automatic_series_color(static_cast<int>(o.plot_order())));
             }},
            {u"ApplyDataLabels", 0x97, INVOKE_FUNC,
             {{u"Type", VT_I4, true},
              {u"LegendKey", VT_VARIANT, true},
              {u"AutoText", VT_VARIANT, true},
              {u"HasLeaderLines", VT_VARIANT, true}},
             VT_VARIANT,
             [](self &o, call &c) {
                 o.apply_data_labels(c);
                 c.result() = variant::boolean(true);
             }},
            {u"HasDataLabels", 0x4E, INVOKE_PROPERTYGET, {}, VT_BOOL,
             [](self &o, call &c) { c.result() = variant::boolean(o.series().data_labels); }},
            {u"HasDataLabels", 0x4E, INVOKE_PROPERTYPUT, {{u"RHS", VT_BOOL}}, VT_EMPTY,
             [](self &o, call &c) { o.series().data_labels = c.boolean(0) != VARIANT_FALSE; }},
            {u"Formula", 0x105, INVOKE_PROPERTYGET, {}, VT_BSTR,
             [](self &o, call &c) { c.result() = variant::str(o.formula()); }},
            {u"PlotOrder", 0xE4, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) { c.result() = variant::i4(o.plot_order()); }},
            {u"Delete", 0x75, INVOKE_FUNC, {}, VT_VARIANT,
             [](self &o, call &c) {
                 o.remove();
                 c.result() = variant::boolean(true);
             }},
        });
    return t;
}

}  // namespace

oleaut::variant make_series(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet,
                            std::shared_ptr<model::series_state> series)
{
    std::weak_ptr<model::series_state> watched = series;
    object_scope alive = scope.with([watched] {
        auto s = watched.lock();
        if (!s || s->deleted)
            raise_host_error(host_error::object_deleted, u"Series \"" + (s ? s->name : std::u16string()) + u"\"");
    });
    return dispatch_result(new series_object(std::move(alive), std::move(chart_sheet), std::move(series)));
}

}  // namespace sheethost::automation
