// ChartFillFormat and ChartColorFormat: how a series, the walls or the floor are
// filled (automatic, solid, a one-colour gradient or a preset gradient) and in which
// colour. Scheme colours are entries of the classic 56-colour palette.
#include "automation/arguments.hpp"
#include "automation/host_object.hpp"
#include "automation/interface_ids.hpp"
#include "automation/objects.hpp"
#include "model/color_resolution.hpp"
#include "model/format_rules.hpp"

namespace sheethost::automation {

namespace {

using oleaut::variant;
using oleaut::disp::call;
using fill_kind = model::fill_state::kind;

// MsoFillType and MsoColorType codes, and the "mixed" answer for a gradient setting of
// a fill that has no gradient.
constexpr long kMsoFillSolid = 1;
constexpr long kMsoFillGradient = 3;
constexpr long kMsoColorTypeRGB = 1;
constexpr long kMsoColorTypeScheme = 2;
constexpr long kMsoMixed = -2;

class fill_object : public host_object<fill_object> {
public:
    static const oleaut::disp::table<fill_object> &dispatch_table();
    fill_object(object_scope scope, std::shared_ptr<model::fill_state> fill, model::rgb automatic)
        : host_object(std::move(scope)), fill_(std::move(fill)), automatic_(automatic)
    {
    }
    model::fill_state &fill() const { return *fill_; }
    const std::shared_ptr<model::fill_state> &fill_ptr() const { return fill_; }
    model::rgb automatic() const { return automatic_; }
    bool is_gradient() const
    {
        return fill_->type == fill_kind::one_color_gradient || fill_->type == fill_kind::preset_gradient;
    }

    // Every argument is checked before anything changes.
    void one_color_gradient(const call &c) const
    {
        int style = model::checked_gradient_style(c.i4(0));
        int variant_no = model::checked_gradient_variant(c.i4(1));
        float degree = model::checked_gradient_degree(c.r4(2));
        fill_->type = fill_kind::one_color_gradient;
        fill_->gradient_style = style;
        fill_->gradient_variant = variant_no;
        fill_->gradient_degree = degree;
    }

    void preset_gradient(const call &c) const
    {
        int style = model::checked_gradient_style(c.i4(0));
        int variant_no = model::checked_gradient_variant(c.i4(1));
        int preset = model::checked_preset_gradient(c.i4(2));
        fill_->type = fill_kind::preset_gradient;
        fill_->gradient_style = style;
        fill_->gradient_variant = variant_no;
        fill_->preset = preset;
    }

private:
    std::shared_ptr<model::fill_state> fill_;
    model::rgb automatic_;
};

const oleaut::disp::table<fill_object> &fill_object::dispatch_table()
{
    using self = fill_object;
    static const oleaut::disp::table<self> t(
        u"ChartFillFormat", kIID_ChartFillFormat, TYPEFLAG_FDISPATCHABLE,
        {
            {u"OneColorGradient", 0x655, INVOKE_FUNC,
             {{u"Style", VT_I4}, {u"Variant", VT_I4}, {u"Degree", VT_R4}}, VT_EMPTY,
             [](self &o, call &c) { o.one_color_gradient(c); }},
            {u"PresetGradient", 0x664, INVOKE_FUNC,
             {{u"Style", VT_I4}, {u"Variant", VT_I4}, {u"PresetGradientType", VT_I4}}, VT_EMPTY,
             [](self &o, call &c) { o.preset_gradient(c); }},
            {u"Solid", 0x65B, INVOKE_FUNC, {}, VT_EMPTY,
             [](self &o, call &) { o.fill().type = fill_kind::solid; }},
            {u"ForeColor", 0x667, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = make_fore_color(o.scope(), o.fill_ptr(), o.automatic()); }},
            {u"Type", 0x6C, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) { c.result() = variant::i4(o.is_gradient() ? kMsoFillGradient : kMsoFillSolid); }},
            {u"GradientStyle", 0x66A, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) { c.result() = variant::i4(o.is_gradient() ? o.fill().gradient_style : kMsoMixed); }},
            {u"GradientVariant", 0x66B, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) {
                 c.result() = variant::i4(o.is_gradient() ? o.fill().gradient_variant : kMsoMixed);
             }},
            {u"GradientDegree", 0x669, INVOKE_PROPERTYGET, {}, VT_R4,
             [](self &o, call &c) {
                 c.result() = variant::r4(o.fill().type == fill_kind::one_color_gradient ? o.fill().gradient_degree : 0);
             }},
            {u"PresetGradientType", 0x665, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) {
                 c.result() = variant::i4(o.fill().type == fill_kind::preset_gradient ? o.fill().preset : kMsoMixed);
             }},
        });
    return t;
}

class color_object : public host_object<color_object> {
public:
    static const oleaut::disp::table<color_object> &dispatch_table();
    color_object(object_scope scope, std::shared_ptr<model::fill_state> fill, model::rgb automatic)
        : host_object(std::move(scope)), fill_(std::move(fill)), automatic_(automatic)
    {
    }
    const model::color_state &color() const { return fill_->fore; }
    long rgb() const { return model::to_automation_rgb(model::resolve_color(color(), automatic_)); }

    // Choosing a colour makes an automatic fill a solid one; a gradient keeps its kind
    // and takes the new colour.
    void set_scheme(long index) const
    {
        fill_->fore = {model::color_state::kind::scheme, model::checked_palette_index(index, u"SchemeColor"), 0};
        if (fill_->type == fill_kind::automatic)
            fill_->type = fill_kind::solid;
    }

    // 0 while the colour is automatic.
    long scheme() const
    {
        switch (color().type) {
        case model::color_state::kind::scheme:
            return color().scheme;
        case model::color_state::kind::rgb:
            return model::nearest_palette_index(color().value);
        case model::color_state::kind::automatic:
            break;
        }
        return 0;
    }

private:
    std::shared_ptr<model::fill_state> fill_;
    model::rgb automatic_;
};

const oleaut::disp::table<color_object> &color_object::dispatch_table()
{
    using self = color_object;
    static const oleaut::disp::table<self> t(
        u"ChartColorFormat", kIID_ChartColorFormat, TYPEFLAG_FDISPATCHABLE,
        {
            {u"SchemeColor", 0x66E, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) { c.result() = variant::i4(o.scheme()); }},
            {u"SchemeColor", 0x66E, INVOKE_PROPERTYPUT, {{u"RHS", VT_I4}}, VT_EMPTY,
             [](self &o, call &c) { o.set_scheme(c.i4(0)); }},
            {u"RGB", 0x41F, INVOKE_PROPERTYGET, {}, VT_I4, [](self &o, call &c) { c.result() = variant::i4(o.rgb()); }},
            {u"_Default", DISPID_VALUE, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) { c.result() = variant::i4(o.rgb()); }},
            {u"Type", 0x6C, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) {
                 c.result() = variant::i4(o.color().type == model::color_state::kind::rgb ? kMsoColorTypeRGB
                                                                                          : kMsoColorTypeScheme);
             }},
        });
    return t;
}

}  // namespace

oleaut::variant make_fill(const object_scope &scope, std::shared_ptr<model::fill_state> fill, model::rgb automatic)
{
    return dispatch_result(new fill_object(scope, std::move(fill), automatic));
}

oleaut::variant make_fore_color(const object_scope &scope, std::shared_ptr<model::fill_state> fill,
                                model::rgb automatic)
{
    return dispatch_result(new color_object(scope, std::move(fill), automatic));
}

}  // namespace sheethost::automation
