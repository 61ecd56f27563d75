// Font: a title's typeface, style and size. The classic object model types these
// members as VARIANT; each converts what it is given and refuses what it cannot use.
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

// "Regular", "Bold", "Italic", "Bold Italic" (any case, "Normal" and "Oblique" too).
void apply_font_style(model::font_state &font, const std::u16string &style)
{
    bool bold = false, italic = false;
    size_t i = 0;
    while (i < style.size()) {
        size_t end = style.find(u' ', i);
        std::u16string word = style.substr(i, end == std::u16string::npos ? std::u16string::npos : end - i);
        i = end == std::u16string::npos ? style.size() : end + 1;
        if (word.empty() || oleaut::disp::names_equal(word, u"Regular") || oleaut::disp::names_equal(word, u"Normal"))
            continue;
        if (oleaut::disp::names_equal(word, u"Bold"))
            bold = true;
        else if (oleaut::disp::names_equal(word, u"Italic") || oleaut::disp::names_equal(word, u"Oblique"))
            italic = true;
        else
            raise_host_error(host_error::invalid_argument, u"Font.FontStyle \"" + style +
                                                               u"\" is not Regular, Bold, Italic or Bold Italic");
    }
    font.bold = bold;
    font.italic = italic;
}

std::u16string font_style_name(const model::font_state &font)
{
    if (font.bold && font.italic)
        return u"Bold Italic";
    if (font.bold)
        return u"Bold";
    return font.italic ? u"Italic" : u"Regular";
}

class font_object : public host_object<font_object> {
public:
    static const oleaut::disp::table<font_object> &dispatch_table();
    font_object(object_scope scope, std::shared_ptr<model::font_state> font)
        : host_object(std::move(scope)), font_(std::move(font))
    {
    }
    model::font_state &font() const { return *font_; }

    void set_name(const VARIANT &v) const
    {
        std::u16string name = text_of(v, u"Font.Name");
        if (name.empty() || name.size() > 31)
            raise_host_error(host_error::invalid_argument,
                             u"Font.Name must be a typeface name of 1 to 31 characters, not " + describe(v));
        font_->name = name;
    }

private:
    std::shared_ptr<model::font_state> font_;
};

const oleaut::disp::table<font_object> &font_object::dispatch_table()
{
    using self = font_object;
    static const oleaut::disp::table<self> t(
        u"Font", kIID_Font, TYPEFLAG_FDISPATCHABLE,
        {
            {u"Name", 0x6E, INVOKE_PROPERTYGET, {}, VT_VARIANT,
             [](self &o, call &c) { c.result() = variant::str(o.font().name); }},
            {u"Name", 0x6E, INVOKE_PROPERTYPUT, {{u"RHS", VT_VARIANT}}, VT_EMPTY,
             [](self &o, call &c) { o.set_name(c.arg(0)); }},
            {u"FontStyle", 0xB1, INVOKE_PROPERTYGET, {}, VT_VARIANT,
             [](self &o, call &c) { c.result() = variant::str(font_style_name(o.font())); }},
            {u"FontStyle", 0xB1, INVOKE_PROPERTYPUT, {{u"RHS", VT_VARIANT}}, VT_EMPTY,
             [](self &o, call &c) { apply_font_style(o.font(), text_of(c.arg(0), u"Font.FontStyle")); }},
            {u"Size", 0x68, INVOKE_PROPERTYGET, {}, VT_VARIANT,
             [](self &o, call &c) { c.result() = variant::r8(o.font().size); }},
            {u"Size", 0x68, INVOKE_PROPERTYPUT, {{u"RHS", VT_VARIANT}}, VT_EMPTY,
             [](self &o, call &c) { o.font().size = model::checked_font_size(real_number(c.arg(0), u"Font.Size")); }},
            {u"Bold", 0x60, INVOKE_PROPERTYGET, {}, VT_VARIANT,
             [](self &o, call &c) { c.result() = variant::boolean(o.font().bold); }},
            {u"Bold", 0x60, INVOKE_PROPERTYPUT, {{u"RHS", VT_VARIANT}}, VT_EMPTY,
             [](self &o, call &c) { o.font().bold = truth(c.arg(0), u"Font.Bold"); }},
            {u"Italic", 0x65, INVOKE_PROPERTYGET, {}, VT_VARIANT,
             [](self &o, call &c) { c.result() = variant::boolean(o.font().italic); }},
            {u"Italic", 0x65, INVOKE_PROPERTYPUT, {{u"RHS", VT_VARIANT}}, VT_EMPTY,
             [](self &o, call &c) { o.font().italic = truth(c.arg(0), u"Font.Italic"); }},
        });
    return t;
}

}  // namespace

oleaut::variant make_font(const object_scope &scope, std::shared_ptr<model::font_state> font)
{
    return dispatch_result(new font_object(scope, std::move(font)));
}

}  // namespace sheethost::automation
