// Border: the line around a series, the walls or the floor.
#include "automation/arguments.hpp"
#include "automation/host_object.hpp"
#include "automation/interface_ids.hpp"
#include "automation/objects.hpp"
#include "host_errors.hpp"
#include "model/color_resolution.hpp"
#include "model/format_rules.hpp"
#include "model/number_text.hpp"

namespace sheethost::automation {

namespace {

using oleaut::variant;
using oleaut::disp::call;

constexpr long kXlAutomatic = -4105;
constexpr long kXlNone = -4142;

class border_object : public host_object<border_object> {
public:
    static const oleaut::disp::table<border_object> &dispatch_table();
    border_object(object_scope scope, std::shared_ptr<model::border_state> border)
        : host_object(std::move(scope)), border_(std::move(border))
    {
    }
    model::border_state &border() const { return *border_; }

    long color_index() const
    {
        if (border_->line_style == kXlNone)
            return kXlNone;
        switch (border_->color.type) {
        case model::color_state::kind::scheme:
            return border_->color.scheme;
        case model::color_state::kind::rgb:
            return model::nearest_palette_index(border_->color.value);
        case model::color_state::kind::automatic:
            break;
        }
        return kXlAutomatic;
    }

    void set_color_index(long index) const
    {
        if (index == kXlNone) {
            border_->line_style = kXlNone;
            return;
        }
        if (index == kXlAutomatic) {
            border_->color = {};
            return;
        }
        border_->color = {model::color_state::kind::scheme, model::checked_palette_index(index, u"Border.ColorIndex"), 0};
    }

private:
    std::shared_ptr<model::border_state> border_;
};

const oleaut::disp::table<border_object> &border_object::dispatch_table()
{
    using self = border_object;
    static const oleaut::disp::table<self> t(
        u"Border", kIID_Border, TYPEFLAG_FDISPATCHABLE,
        {
            {u"Weight", 0x78, INVOKE_PROPERTYGET, {}, VT_VARIANT,
             [](self &o, call &c) { c.result() = variant::i4(o.border().weight); }},
            {u"Weight", 0x78, INVOKE_PROPERTYPUT, {{u"RHS", VT_VARIANT}}, VT_EMPTY,
             [](self &o, call &c) {
                 o.border().weight = model::checked_border_weight(whole_number(c.arg(0), u"Border.Weight"));
             }},
            {u"LineStyle", 0x77, INVOKE_PROPERTYGET, {}, VT_VARIANT,
             [](self &o, call &c) { c.result() = variant::i4(o.border().line_style); }},
            {u"LineStyle", 0x77, INVOKE_PROPERTYPUT, {{u"RHS", VT_VARIANT}}, VT_EMPTY,
             [](self &o, call &c) {
                 o.border().line_style = model::checked_line_style(whole_number(c.arg(0), u"Border.LineStyle"));
             }},
            {u"ColorIndex", 0x61, INVOKE_PROPERTYGET, {}, VT_VARIANT,
             [](self &o, call &c) { c.result() = variant::i4(o.color_index()); }},
            {u"ColorIndex", 0x61, INVOKE_PROPERTYPUT, {{u"RHS", VT_VARIANT}}, VT_EMPTY,
             [](self &o, call &c) { o.set_color_index(whole_number(c.arg(0), u"Border.ColorIndex")); }},
            {u"Color", 0x63, INVOKE_PROPERTYGET, {}, VT_VARIANT,
             [](self &o, call &c) {
                 c.result() = variant::i4(
                     model::to_automation_rgb(model::resolve_color(o.border().color, model::kAutomaticLineColor)));
             }},
            {u"Color", 0x63, INVOKE_PROPERTYPUT, {{u"RHS", VT_VARIANT}}, VT_EMPTY,
             [](self &o, call &c) {
                 long value = whole_number(c.arg(0), u"Border.Color");
                 if (value < 0 || value > 0xFFFFFF)
                     raise_host_error(host_error::invalid_argument,
                                      u"Border.Color must be an RGB value from 0 to 16777215, not " +
                                          model::integer_text(value));
                 o.border().color = {model::color_state::kind::rgb, 0,
                                     model::from_automation_rgb(static_cast<int32_t>(value))};
             }},
        });
    return t;
}

}  // namespace

oleaut::variant make_border(const object_scope &scope, std::shared_ptr<model::border_state> border)
{
    return dispatch_result(new border_object(scope, std::move(border)));
}

}  // namespace sheethost::automation
