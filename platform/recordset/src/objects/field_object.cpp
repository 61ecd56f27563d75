#include "objects/field_object.hpp"

#include "errors/recordset_errors.hpp"
#include "objects/recordset_ids.hpp"
#include "values/field_types.hpp"

namespace recordset {

using oleaut::variant;
using oleaut::disp::call;

field_object::field_object(std::shared_ptr<recordset_state> state, size_t index)
    : state_(std::move(state)), index_(index), column_(state_->field(index))
{
}

field_object *field_object::create(std::shared_ptr<recordset_state> state, size_t index)
{
    return new field_object(std::move(state), index);
}

void field_object::require_current() const
{
    if (state_->is_open() && !state_->is_current_field(index_, column_.get()))
        fail(error_id::field_stale, {column_->name});
}

const VARIANT &field_object::value() const
{
    require_current();
    return state_->value(index_);
}

void field_object::set_value(const VARIANT &v)
{
    require_current();
    state_->set_value(index_, v);
}

const oleaut::disp::table<field_object> &field_object::dispatch_table()
{
    static const oleaut::disp::table<field_object> t(
        u"Field", kIID_Field, TYPEFLAG_FDISPATCHABLE,
        {
            {u"Value", field_id::value, INVOKE_PROPERTYGET, {}, VT_VARIANT,
             [](field_object &f, call &c) { oleaut::check(VariantCopy(&c.result(), &f.value())); }},
            {u"Value", field_id::value, INVOKE_PROPERTYPUT, {{u"RHS", VT_VARIANT}}, VT_EMPTY,
             [](field_object &f, call &c) { f.set_value(c.arg(0)); }},
            {u"Name", field_id::name, INVOKE_PROPERTYGET, {}, VT_BSTR,
             [](field_object &f, call &c) { c.result() = variant::str(f.column_->name); }},
            {u"Type", field_id::type, INVOKE_PROPERTYGET, {}, VT_I4,
             [](field_object &f, call &c) { c.result() = variant::i4(f.column_->type); }},
            {u"DefinedSize", field_id::defined_size, INVOKE_PROPERTYGET, {}, VT_I4,
             [](field_object &f, call &c) { c.result() = variant::i4(f.column_->defined_size); }},
            // "Unspecified" (-1) is what Append was told, not an attribute the field has.
            {u"Attributes", field_id::attributes, INVOKE_PROPERTYGET, {}, VT_I4,
             [](field_object &f, call &c) {
                 LONG a = f.column_->attributes;
                 c.result() = variant::i4(a == kAttrUnspecified ? 0 : a);
             }},
        });
    return t;
}

}  // namespace recordset
