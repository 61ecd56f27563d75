// Characters: a run of a title's text, from Start (counted from 1) for Length
// characters, or to the end. Writing its Text replaces just that run, so Characters
// without arguments replaces the whole title. A title has one font, so the run's Font
// is the title's.
#include <algorithm>

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

class characters_object : public host_object<characters_object> {
public:
    static const oleaut::disp::table<characters_object> &dispatch_table();
    characters_object(object_scope scope, std::shared_ptr<model::text_state> text, size_t first,
                      std::optional<size_t> length)
        : host_object(std::move(scope)), text_(std::move(text)), first_(first), length_(length)
    {
    }
    const std::shared_ptr<model::text_state> &text_ptr() const { return text_; }

    // The run as it lies in the current text (which may have changed since).
    std::pair<size_t, size_t> run() const
    {
        size_t size = text_->text.size();
        size_t first = std::min(first_, size);
        size_t count = length_ ? std::min(*length_, size - first) : size - first;
        return {first, count};
    }
    std::u16string read() const
    {
        auto [first, count] = run();
        return text_->text.substr(first, count);
    }
    void write(const std::u16string &replacement) const
    {
        auto [first, count] = run();
        text_->text.replace(first, count, replacement);
    }

private:
    std::shared_ptr<model::text_state> text_;
    size_t first_;
    std::optional<size_t> length_;
};

const oleaut::disp::table<characters_object> &characters_object::dispatch_table()
{
    using self = characters_object;
    static const oleaut::disp::table<self> t(
        u"Characters", kIID_Characters, TYPEFLAG_FDISPATCHABLE,
        {
            {u"Text", 0x8A, INVOKE_PROPERTYGET, {}, VT_BSTR,
             [](self &o, call &c) { c.result() = variant::str(o.read()); }},
            {u"Text", 0x8A, INVOKE_PROPERTYPUT, {{u"RHS", VT_BSTR}}, VT_EMPTY,
             [](self &o, call &c) { o.write(bstr_text(c.bstr(0))); }},
            {u"Caption", 0x8B, INVOKE_PROPERTYGET, {}, VT_BSTR,
             [](self &o, call &c) { c.result() = variant::str(o.read()); }},
            {u"Caption", 0x8B, INVOKE_PROPERTYPUT, {{u"RHS", VT_BSTR}}, VT_EMPTY,
             [](self &o, call &c) { o.write(bstr_text(c.bstr(0))); }},
            {u"Count", 0x76, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) { c.result() = variant::i4(static_cast<LONG>(o.run().second)); }},
            {u"Font", 0x92, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = make_font(o.scope(), {o.text_ptr(), &o.text_ptr()->font}); }},
        });
    return t;
}

}  // namespace

oleaut::variant make_characters(const object_scope &scope, std::shared_ptr<model::text_state> text, long start,
                                std::optional<long> length)
{
    if (start < 1)
        raise_host_error(host_error::invalid_argument,
                         u"Characters: Start counts from 1, not " + model::integer_text(start));
    if (length && *length < 0)
        raise_host_error(host_error::invalid_argument,
                         u"Characters: Length cannot be negative: " + model::integer_text(*length));
    std::optional<size_t> count;
    if (length)
        count = static_cast<size_t>(*length);
    return dispatch_result(new characters_object(scope, std::move(text), static_cast<size_t>(start - 1), count));
}

}  // namespace sheethost::automation
