#include "objects/fields_object.hpp"

#include "errors/recordset_errors.hpp"
#include "objects/recordset_ids.hpp"
#include "values/field_types.hpp"

namespace recordset {

using oleaut::variant;
using oleaut::disp::call;

fields_object *fields_object::create(std::shared_ptr<recordset_state> state) { return new fields_object(std::move(state)); }

field_object *fields_object::item(const VARIANT &index)
{
    size_t i = state_->field_index(index);
    if (made_.size() != state_->field_count())
        made_.resize(state_->field_count());
    oleaut::com_ptr<field_object> &slot = made_[i];
    // A field made for an earlier opening describes another column: make a new one.
    if (!slot || !state_->is_current_field(i, slot->described()))
        slot = oleaut::com_ptr<field_object>::attach(field_object::create(state_, i));
    return slot.get();
}

const oleaut::disp::table<fields_object> &fields_object::dispatch_table()
{
    static const oleaut::disp::table<fields_object> t(
        u"Fields", kIID_Fields, TYPEFLAG_FDISPATCHABLE,
        {
            {u"Item", fields_id::item, INVOKE_PROPERTYGET, {{u"Index", VT_VARIANT}}, VT_DISPATCH,
             [](fields_object &f, call &c) { c.result() = variant::dispatch(f.item(c.arg(0))); },
             u"Field"},
            // `rs("Sales") = 5`: a put through the default members sets the field's value.
            {u"Item", fields_id::item, INVOKE_PROPERTYPUT, {{u"Index", VT_VARIANT}, {u"RHS", VT_VARIANT}}, VT_EMPTY,
             [](fields_object &f, call &c) { f.item(c.arg(0))->set_value(c.arg(1)); }},
            {u"Count", fields_id::count, INVOKE_PROPERTYGET, {}, VT_I4,
             [](fields_object &f, call &c) { c.result() = variant::i4(static_cast<LONG>(f.state_->field_count())); }},
            {u"Append", fields_id::append, INVOKE_FUNC,
             {{u"Name", VT_BSTR}, {u"Type", VT_I4}, {u"DefinedSize", VT_I4, true}, {u"Attrib", VT_I4, true}},
             VT_EMPTY,
             [](fields_object &f, call &c) {
                 BSTR name = c.bstr(0);
                 f.state_->append_field(name ? std::u16string(name, SysStringLen(name)) : std::u16string(), c.i4(1),
                                        c.missing(2) ? 0 : c.i4(2), c.missing(3) ? kAttrUnspecified : c.i4(3));
             }},
        });
    return t;
}

}  // namespace recordset
