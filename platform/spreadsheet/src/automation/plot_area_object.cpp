// PlotArea: the size of the area the data is drawn in, in points, bounded so that no
// size can make the exported picture absurd (see model/chart_limits.hpp).
#include "automation/host_object.hpp"
#include "automation/interface_ids.hpp"
#include "automation/objects.hpp"
#include "model/format_rules.hpp"

namespace sheethost::automation {

namespace {

using oleaut::variant;
using oleaut::disp::call;

class plot_area_object : public host_object<plot_area_object> {
public:
    static const oleaut::disp::table<plot_area_object> &dispatch_table();
    plot_area_object(object_scope scope, std::shared_ptr<model::sheet_state> sheet)
        : host_object(std::move(scope)), sheet_(std::move(sheet))
    {
    }
    model::chart_state &chart() const { return sheet_->chart; }

private:
    std::shared_ptr<model::sheet_state> sheet_;
};

const oleaut::disp::table<plot_area_object> &plot_area_object::dispatch_table()
{
    using self = plot_area_object;
    static const oleaut::disp::table<self> t(
        u"PlotArea", kIID_PlotArea, TYPEFLAG_FDISPATCHABLE,
        {
            {u"Height", 0x7B, INVOKE_PROPERTYGET, {}, VT_R8,
             [](self &o, call &c) { c.result() = variant::r8(o.chart().plot_height); }},
            {u"Height", 0x7B, INVOKE_PROPERTYPUT, {{u"RHS", VT_R8}}, VT_EMPTY,
             [](self &o, call &c) { o.chart().plot_height = model::checked_plot_size(c.r8(0), u"height"); }},
            {u"Width", 0x7A, INVOKE_PROPERTYGET, {}, VT_R8,
             [](self &o, call &c) { c.result() = variant::r8(o.chart().plot_width); }},
            {u"Width", 0x7A, INVOKE_PROPERTYPUT, {{u"RHS", VT_R8}}, VT_EMPTY,
             [](self &o, call &c) { o.chart().plot_width = model::checked_plot_size(c.r8(0), u"width"); }},
        });
    return t;
}

}  // namespace

oleaut::variant make_plot_area(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet)
{
    return dispatch_result(new plot_area_object(scope, std::move(chart_sheet)));
}

}  // namespace sheethost::automation
