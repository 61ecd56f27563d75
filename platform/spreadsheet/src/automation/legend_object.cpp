// Legend: where the chart's legend stands. It exists only while HasLegend is True.
#include "automation/host_object.hpp"
#include "automation/interface_ids.hpp"
#include "automation/objects.hpp"
#include "host_errors.hpp"
#include "model/format_rules.hpp"

namespace sheethost::automation {

namespace {

using oleaut::variant;
using oleaut::disp::call;

class legend_object : public host_object<legend_object> {
public:
    static const oleaut::disp::table<legend_object> &dispatch_table();
    legend_object(object_scope scope, std::shared_ptr<model::sheet_state> sheet)
        : host_object(std::move(scope)), sheet_(std::move(sheet))
    {
    }
    model::chart_state &chart() const { return sheet_->chart; }

private:
    std::shared_ptr<model::sheet_state> sheet_;
};

const oleaut::disp::table<legend_object> &legend_object::dispatch_table()
{
    using self = legend_object;
    static const oleaut::disp::table<self> t(
        u"Legend", kIID_Legend, TYPEFLAG_FDISPATCHABLE,
        {
            {u"Position", 0x85, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) { c.result() = variant::i4(o.chart().legend_position); }},
            {u"Position", 0x85, INVOKE_PROPERTYPUT, {{u"RHS", VT_I4}}, VT_EMPTY,
             [](self &o, call &c) { o.chart().legend_position = model::checked_legend_position(c.i4(0)); }},
        });
    return t;
}

}  // namespace

oleaut::variant make_legend(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet)
{
    object_scope shown = scope.with([sheet = chart_sheet] {
        if (!sheet->chart.has_legend)
            raise_host_error(host_error::legend_is_off);
    });
    return dispatch_result(new legend_object(std::move(shown), std::move(chart_sheet)));
}

}  // namespace sheethost::automation
