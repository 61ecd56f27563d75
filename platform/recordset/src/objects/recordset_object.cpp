#include "objects/recordset_object.hpp"

#include <initializer_list>

#include "errors/recordset_errors.hpp"
#include "objects/recordset_ids.hpp"
#include "state/recordset_open.hpp"

namespace recordset {

using oleaut::variant;
using oleaut::disp::call;

namespace {

// ObjectStateEnum
constexpr LONG kStateClosed = 0;
constexpr LONG kStateOpen = 1;

// The cursor is always static and in-memory recordsets always accept changes, so these
// arguments choose nothing; a value outside its enumeration is still a caller's mistake
// (often arguments in the wrong order) and is reported.
void check_choice(const call &c, size_t i, const char16_t *name, std::initializer_list<LONG> allowed,
                  const char16_t *allowed_text)
{
    if (c.missing(i))
        return;
    for (LONG a : allowed)
        if (c.i4(i) == a)
            return;
    fail(error_id::argument_out_of_range, {name, allowed_text, to_text(c.i4(i))});
}

const VARIANT &arg_or_missing(const call &c, size_t i)
{
    static const variant left_out = variant::missing();
    return c.missing(i) ? left_out : c.arg(i);
}

}  // namespace

recordset_object::recordset_object()
    : state_(std::make_shared<recordset_state>()), fields_(oleaut::com_ptr<fields_object>::attach(fields_object::create(state_)))
{
}

recordset_object *recordset_object::create() { return new recordset_object(); }

const oleaut::disp::table<recordset_object> &recordset_object::dispatch_table()
{
    static const oleaut::disp::table<recordset_object> t(
        u"_Recordset", kIID_Recordset, TYPEFLAG_FDISPATCHABLE,
        {
            {u"Fields", rs_id::fields, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](recordset_object &r, call &c) { c.result() = variant::dispatch(r.fields_.get()); }, u"Fields"},
            {u"Open", rs_id::open, INVOKE_FUNC,
             {{u"Source", VT_VARIANT, true},
              {u"ActiveConnection", VT_VARIANT, true},
              {u"CursorType", VT_I4, true},
              {u"LockType", VT_I4, true},
              {u"Options", VT_I4, true}},
             VT_EMPTY,
             [](recordset_object &r, call &c) {
                 check_choice(c, 2, u"CursorType", {-1, 0, 1, 2, 3},
                              u"-1 (unspecified), 0 (forward-only), 1 (keyset), 2 (dynamic) or 3 (static)");
                 check_choice(c, 3, u"LockType", {-1, 1, 2, 3, 4},
                              u"-1 (unspecified), 1 (read-only), 2 (pessimistic), 3 (optimistic) or 4 (batch optimistic)");
                 open_recordset(*r.state_, arg_or_missing(c, 0), arg_or_missing(c, 1));
             }},
            {u"Close", rs_id::close, INVOKE_FUNC, {}, VT_EMPTY, [](recordset_object &r, call &) { r.state_->close(); }},
            {u"AddNew", rs_id::add_new, INVOKE_FUNC, {{u"FieldList", VT_VARIANT, true}, {u"Values", VT_VARIANT, true}},
             VT_EMPTY,
             [](recordset_object &r, call &c) { r.state_->add_new(arg_or_missing(c, 0), arg_or_missing(c, 1)); }},
            {u"Update", rs_id::update, INVOKE_FUNC, {{u"Fields", VT_VARIANT, true}, {u"Values", VT_VARIANT, true}},
             VT_EMPTY,
             [](recordset_object &r, call &c) { r.state_->update(arg_or_missing(c, 0), arg_or_missing(c, 1)); }},
            {u"CancelUpdate", rs_id::cancel_update, INVOKE_FUNC, {}, VT_EMPTY,
             [](recordset_object &r, call &) { r.state_->cancel_update(); }},
            {u"MoveFirst", rs_id::move_first, INVOKE_FUNC, {}, VT_EMPTY,
             [](recordset_object &r, call &) { r.state_->move_first(); }},
            {u"MoveLast", rs_id::move_last, INVOKE_FUNC, {}, VT_EMPTY,
             [](recordset_object &r, call &) { r.state_->move_last(); }},
            {u"MoveNext", rs_id::move_next, INVOKE_FUNC, {}, VT_EMPTY,
             [](recordset_object &r, call &) { r.state_->move_next(); }},
            {u"MovePrevious", rs_id::move_previous, INVOKE_FUNC, {}, VT_EMPTY,
             [](recordset_object &r, call &) { r.state_->move_previous(); }},
            {u"EOF", rs_id::eof, INVOKE_PROPERTYGET, {}, VT_BOOL,
             [](recordset_object &r, call &c) { c.result() = variant::boolean(r.state_->eof()); }},
            {u"BOF", rs_id::bof, INVOKE_PROPERTYGET, {}, VT_BOOL,
             [](recordset_object &r, call &c) { c.result() = variant::boolean(r.state_->bof()); }},
            {u"RecordCount", rs_id::record_count, INVOKE_PROPERTYGET, {}, VT_I4,
             [](recordset_object &r, call &c) { c.result() = variant::i4(r.state_->record_count()); }},
            {u"State", rs_id::state, INVOKE_PROPERTYGET, {}, VT_I4,
             [](recordset_object &r, call &c) {
                 c.result() = variant::i4(r.state_->is_open() ? kStateOpen : kStateClosed);
             }},
        });
    return t;
}

}  // namespace recordset
