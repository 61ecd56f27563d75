// ChartTitle and AxisTitle: a title's text, font and placement. Both exist only while
// their title is switched on (HasTitle True), and say so when it is not.
#include "automation/arguments.hpp"
#include "automation/host_object.hpp"
#include "automation/interface_ids.hpp"
#include "automation/objects.hpp"
#include "host_errors.hpp"
#include "model/format_rules.hpp"

namespace sheethost::automation {

namespace {

using oleaut::variant;
using oleaut::disp::call;

struct chart_title_tag {
    static constexpr const char16_t *name = u"ChartTitle";
    static constexpr const GUID &iid = kIID_ChartTitle;
};
struct axis_title_tag {
    static constexpr const char16_t *name = u"AxisTitle";
    static constexpr const GUID &iid = kIID_AxisTitle;
};

template <class Tag>
class title_object : public host_object<title_object<Tag>> {
public:
    static const oleaut::disp::table<title_object> &dispatch_table();
    title_object(object_scope scope, std::shared_ptr<model::text_state> text)
        : host_object<title_object>(std::move(scope)), text_(std::move(text))
    {
    }
    model::text_state &text() const { return *text_; }
    const std::shared_ptr<model::text_state> &text_ptr() const { return text_; }

private:
    std::shared_ptr<model::text_state> text_;
};

template <class Tag>
const oleaut::disp::table<title_object<Tag>> &title_object<Tag>::dispatch_table()
{
    using self = title_object<Tag>;
    static const oleaut::disp::table<self> t(
        Tag::name, Tag::iid, TYPEFLAG_FDISPATCHABLE,
        {
            {u"Caption", 0x8B, INVOKE_PROPERTYGET, {}, VT_BSTR,
             [](self &o, call &c) { c.result() = variant::str(o.text().text); }},
            {u"Caption", 0x8B, INVOKE_PROPERTYPUT, {{u"RHS", VT_BSTR}}, VT_EMPTY,
             [](self &o, call &c) { o.text().text = bstr_text(c.bstr(0)); }},
            {u"Text", 0x8A, INVOKE_PROPERTYGET, {}, VT_BSTR,
             [](self &o, call &c) { c.result() = variant::str(o.text().text); }},
            {u"Text", 0x8A, INVOKE_PROPERTYPUT, {{u"RHS", VT_BSTR}}, VT_EMPTY,
             [](self &o, call &c) { o.text().text = bstr_text(c.bstr(0)); }},
            {u"Characters", 0x25B, INVOKE_PROPERTYGET, {{u"Start", VT_VARIANT, true}, {u"Length", VT_VARIANT, true}},
             VT_DISPATCH,
             [](self &o, call &c) {
                 long start = c.missing(0) ? 1 : whole_number(c.arg(0), u"Characters Start");
                 std::optional<long> length;
                 if (!c.missing(1))
                     length = whole_number(c.arg(1), u"Characters Length");
                 c.result() = make_characters(o.scope(), o.text_ptr(), start, length);
             }},
            {u"Font", 0x92, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = make_font(o.scope(), {o.text_ptr(), &o.text().font}); }},
            {u"HorizontalAlignment", 0x88, INVOKE_PROPERTYGET, {}, VT_VARIANT,
             [](self &o, call &c) { c.result() = variant::i4(o.text().horizontal_alignment); }},
            {u"HorizontalAlignment", 0x88, INVOKE_PROPERTYPUT, {{u"RHS", VT_VARIANT}}, VT_EMPTY,
             [](self &o, call &c) {
                 o.text().horizontal_alignment =
                     model::checked_horizontal_alignment(whole_number(c.arg(0), u"HorizontalAlignment"));
             }},
            {u"VerticalAlignment", 0x89, INVOKE_PROPERTYGET, {}, VT_VARIANT,
             [](self &o, call &c) { c.result() = variant::i4(o.text().vertical_alignment); }},
            {u"VerticalAlignment", 0x89, INVOKE_PROPERTYPUT, {{u"RHS", VT_VARIANT}}, VT_EMPTY,
             [](self &o, call &c) {
                 o.text().vertical_alignment =
                     model::checked_vertical_alignment(whole_number(c.arg(0), u"VerticalAlignment"));
             }},
            {u"Orientation", 0x86, INVOKE_PROPERTYGET, {}, VT_VARIANT,
             [](self &o, call &c) { c.result() = variant::i4(o.text().orientation); }},
            {u"Orientation", 0x86, INVOKE_PROPERTYPUT, {{u"RHS", VT_VARIANT}}, VT_EMPTY,
             [](self &o, call &c) {
                 o.text().orientation = model::checked_orientation(whole_number(c.arg(0), u"Orientation"));
             }},
        });
    return t;
}

// The title's scope: usable while its title is shown.
object_scope while_shown(const object_scope &scope, std::shared_ptr<model::text_state> text, const char16_t *which)
{
    return scope.with([text, which] {
        if (!text->visible)
            raise_host_error(host_error::title_is_off, which);
    });
}

}  // namespace

oleaut::variant make_chart_title(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet)
{
    std::shared_ptr<model::text_state> text(chart_sheet, &chart_sheet->chart.title);
    return dispatch_result(new title_object<chart_title_tag>(while_shown(scope, text, u"chart"), text));
}

oleaut::variant make_axis_title(const object_scope &scope, std::shared_ptr<model::text_state> text, int axis_type)
{
    const char16_t *which = axis_type == 1 ? u"category axis" : u"value axis";
    return dispatch_result(new title_object<axis_title_tag>(while_shown(scope, text, which), text));
}

}  // namespace sheethost::automation
