// SeriesCollection: the chart's series in plot order. NewSeries adds an empty one;
// Count follows every add and every Delete.
#include "automation/arguments.hpp"
#include "automation/host_object.hpp"
#include "automation/interface_ids.hpp"
#include "automation/objects.hpp"
#include "host_errors.hpp"
#include "model/number_text.hpp"

namespace sheethost::automation {

namespace {

using oleaut::variant;
using oleaut::disp::call;

class series_collection_object : public host_object<series_collection_object> {
public:
    static const oleaut::disp::table<series_collection_object> &dispatch_table();
    series_collection_object(object_scope scope, std::shared_ptr<model::sheet_state> sheet)
        : host_object(std::move(scope)), sheet_(std::move(sheet))
    {
    }
    const std::shared_ptr<model::sheet_state> &sheet() const { return sheet_; }
    std::vector<std::shared_ptr<model::series_state>> &series() const { return sheet_->chart.series; }

    variant new_series() const
    {
        if (series().size() >= static_cast<size_t>(model::kMaxSeries))
            raise_host_error(host_error::too_many_series, model::integer_text(model::kMaxSeries));
        auto s = std::make_shared<model::series_state>();
        s->name = u"Series" + model::integer_text(static_cast<long long>(series().size() + 1));
        series().push_back(s);
        return make_series(scope(), sheet_, s);
    }

private:
    std::shared_ptr<model::sheet_state> sheet_;
};

const oleaut::disp::table<series_collection_object> &series_collection_object::dispatch_table()
{
    using self = series_collection_object;
    static const oleaut::disp::table<self> t(
        u"SeriesCollection", kIID_SeriesCollection, TYPEFLAG_FDISPATCHABLE,
        {
            {u"Count", 0x76, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) { c.result() = variant::i4(static_cast<LONG>(o.series().size())); }},
            {u"NewSeries", 0x45D, INVOKE_FUNC, {}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = o.new_series(); }},
            {u"Item", 0xAA, INVOKE_FUNC, {{u"Index", VT_VARIANT}}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = make_series_item(o.scope(), o.sheet(), c.arg(0)); }},
            {u"_Default", DISPID_VALUE, INVOKE_PROPERTYGET, {{u"Index", VT_VARIANT}}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = make_series_item(o.scope(), o.sheet(), c.arg(0)); }},
        });
    return t;
}

}  // namespace

oleaut::variant make_series_collection(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet)
{
    return dispatch_result(new series_collection_object(scope, std::move(chart_sheet)));
}

oleaut::variant make_series_item(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet,
                                 const VARIANT &index)
{
    const auto &series = chart_sheet->chart.series;
    item_key key = item_key_of(index, u"SeriesCollection Index");
    for (size_t i = 0; i < series.size(); ++i) {
        bool match = key.by_name ? oleaut::disp::names_equal(series[i]->name, key.name)
                                 : key.position == static_cast<long>(i + 1);
        if (match)
            return make_series(scope, chart_sheet, series[i]);
    }
    raise_host_error(host_error::series_index, key.shown, model::integer_text(static_cast<long long>(series.size())));
}

}  // namespace sheethost::automation
