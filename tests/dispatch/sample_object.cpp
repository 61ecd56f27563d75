#include "sample_object.h"

namespace sample {

using oleaut::com_error;
using oleaut::variant;
using oleaut::disp::call;

const oleaut::disp::table<object> &object::dispatch_table()
{
    static const oleaut::disp::table<object> t(
        u"ISample", kIID, TYPEFLAG_FDISPATCHABLE,
        {
            {u"Name", kName, INVOKE_PROPERTYGET, {}, VT_BSTR,
             [](object &o, call &c) {
                 ++o.member_runs;
                 c.result() = variant::str(o.name);
             }},
            {u"Name", kName, INVOKE_PROPERTYPUT, {{u"RHS", VT_BSTR}}, VT_EMPTY,
             [](object &o, call &c) {
                 ++o.member_runs;
                 o.name = c.bstr(0) ? std::u16string(c.bstr(0), SysStringLen(c.bstr(0))) : u"";
             }},
            {u"Subtract", kSubtract, INVOKE_FUNC, {{u"Minuend", VT_I4}, {u"Subtrahend", VT_I4, true}}, VT_I4,
             [](object &o, call &c) {
                 ++o.member_runs;
                 o.optional_left_out = c.missing(1);
                 c.result() = variant::i4(c.i4(0) - (c.missing(1) ? 1 : c.i4(1)));
             }},
            {u"Swap", kSwap, INVOKE_FUNC, {{u"Target", VT_BYREF | VT_VARIANT}}, VT_EMPTY,
             [](object &o, call &c) {
                 ++o.member_runs;
                 VARIANT *target = c.ref(0);
                 oleaut::check(VariantClear(target));
                 variant::str(u"swapped").detach(target);
             }},
            {u"Child", kChild, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](object &o, call &c) {
                 ++o.member_runs;
                 if (!o.child)
                     o.child = object::create();
                 c.result() = variant::dispatch(o.child);
             }},
            {u"Item", DISPID_VALUE, INVOKE_PROPERTYGET, {{u"Index", VT_I4}}, VT_VARIANT,
             [](object &o, call &c) {
                 ++o.member_runs;
                 auto it = o.items.find(c.i4(0));
                 if (it == o.items.end())
                     throw com_error(DISP_E_BADINDEX);
                 c.result() = it->second;
             }},
            {u"Item", DISPID_VALUE, INVOKE_PROPERTYPUT, {{u"Index", VT_I4}, {u"RHS", VT_VARIANT}}, VT_EMPTY,
             [](object &o, call &c) {
                 ++o.member_runs;
                 o.items[c.i4(0)] = variant(c.arg(1));
             }},
            {u"Fail", kFail, INVOKE_FUNC, {}, VT_VARIANT,
             [](object &o, call &c) {
                 ++o.member_runs;
                 c.result() = variant::i2(1);  // must not reach the caller
                 throw com_error(static_cast<HRESULT>(0x800403E9), u"Sample.Source", u"It broke");
             }},
            {u"Flag", kFlag, INVOKE_FUNC, {{u"Value", VT_BOOL}}, VT_EMPTY,
             [](object &o, call &c) {
                 ++o.member_runs;
                 o.last_flag = c.boolean(0);
             }},
            {u"Text", kText, INVOKE_FUNC, {{u"Value", VT_BSTR}}, VT_EMPTY,
             [](object &o, call &c) {
                 ++o.member_runs;
                 o.last_text_null = c.bstr(0) == nullptr;
                 o.last_text = c.bstr(0) ? std::u16string(c.bstr(0), SysStringLen(c.bstr(0))) : u"";
             }},
            {u"Take", kTake, INVOKE_FUNC, {{u"Target", VT_DISPATCH, false, u"Chart"}}, VT_EMPTY,
             [](object &o, call &c) {
                 ++o.member_runs;
                 o.last_object_null = c.object(0) == nullptr;
             }},
            {u"Gradient", kGradient, INVOKE_FUNC,
             {{u"Style", VT_I2}, {u"Variant", VT_I2, true}, {u"Degree", VT_R8, true}}, VT_EMPTY,
             [](object &o, call &c) {
                 ++o.member_runs;
                 o.style = c.i2(0);
                 o.variant_no = c.missing(1) ? -1 : c.i2(1);
                 o.degree = c.missing(2) ? -1 : c.r8(2);
             }},
            {u"Hidden", kHidden, INVOKE_PROPERTYGET, {}, VT_I4,
             [](object &o, call &c) {
                 ++o.member_runs;
                 c.result() = variant::i4(7);
             },
             nullptr, 0, true},
            {u"Count", kCount, INVOKE_PROPERTYGET, {}, VT_I4,
             [](object &o, call &c) {
                 ++o.member_runs;
                 c.result() = variant::i4(static_cast<LONG>(o.items.size()));
             }},
        });
    return t;
}

}  // namespace sample
