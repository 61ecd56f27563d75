// variant: a VARIANT that owns its contents. It keeps VARIANT's exact layout, so a
// variant* can be passed wherever a VARIANT* is wanted. Construction is explicit
// and names the type; conversion goes through VariantChangeTypeEx (locale 1033),
// never through hand-written rules.
#ifndef OLEAUT_VARIANT_HPP
#define OLEAUT_VARIANT_HPP

#include <string_view>
#include <utility>

#include "com_error.hpp"

namespace oleaut {

class variant : public tagVARIANT {
public:
    variant() noexcept { VariantInit(this); }
    variant(const variant &o) : variant() { check(VariantCopy(this, &o)); }
    variant(variant &&o) noexcept : tagVARIANT(o) { VariantInit(&o); }
    explicit variant(const VARIANT &o) : variant() { check(VariantCopy(this, &o)); }
    ~variant() { VariantClear(this); }
    variant &operator=(const variant &o)
    {
        if (this != &o)
            check(VariantCopy(this, &o));
        return *this;
    }
    variant &operator=(variant &&o) noexcept
    {
        if (this != &o) {
            VariantClear(this);
            static_cast<tagVARIANT &>(*this) = o;
            VariantInit(&o);
        }
        return *this;
    }

    // Typed makers: the name says which VARTYPE the value gets.
    static variant null()
    {
        variant v;
        v.vt = VT_NULL;
        return v;
    }
    static variant i2(SHORT x) { return make(VT_I2, [&](VARIANT &v) { v.iVal = x; }); }
    static variant i4(LONG x) { return make(VT_I4, [&](VARIANT &v) { v.lVal = x; }); }
    static variant i8(LONGLONG x) { return make(VT_I8, [&](VARIANT &v) { v.llVal = x; }); }
    static variant r4(FLOAT x) { return make(VT_R4, [&](VARIANT &v) { v.fltVal = x; }); }
    static variant r8(DOUBLE x) { return make(VT_R8, [&](VARIANT &v) { v.dblVal = x; }); }
    static variant date(DATE x) { return make(VT_DATE, [&](VARIANT &v) { v.date = x; }); }
    static variant cy(CY x) { return make(VT_CY, [&](VARIANT &v) { v.cyVal = x; }); }
    static variant boolean(bool x) { return make(VT_BOOL, [&](VARIANT &v) { v.boolVal = x ? VARIANT_TRUE : VARIANT_FALSE; }); }
    // A VT_BOOL holding exactly the given 16-bit value (automation does not normalise it).
    static variant bool_raw(VARIANT_BOOL x) { return make(VT_BOOL, [&](VARIANT &v) { v.boolVal = x; }); }
    static variant error(SCODE x) { return make(VT_ERROR, [&](VARIANT &v) { v.scode = x; }); }
    // An optional argument left out.
    static variant missing() { return error(DISP_E_PARAMNOTFOUND); }
    static variant decimal(const DECIMAL &d)
    {
        variant v;
        v.decVal = d;
        v.vt = VT_DECIMAL;
        return v;
    }
    static variant str(oleaut::ostring_view s) { return take_bstr(bstr(s)); }
    static variant str_utf8(std::string_view s) { return take_bstr(bstr(s)); }
    static variant take_bstr(bstr b)
    {
        variant v;
        v.vt = VT_BSTR;
        v.bstrVal = b.detach();
        return v;
    }
    // A VT_BSTR holding a null pointer: a null string, not an empty one.
    static variant null_bstr() { return make(VT_BSTR, [](VARIANT &v) { v.bstrVal = nullptr; }); }
    // Takes a new reference to d.
    static variant dispatch(IDispatch *d)
    {
        variant v;
        v.vt = VT_DISPATCH;
        v.pdispVal = d;
        if (d)
            d->AddRef();
        return v;
    }
    static variant unknown(IUnknown *u)
    {
        variant v;
        v.vt = VT_UNKNOWN;
        v.punkVal = u;
        if (u)
            u->AddRef();
        return v;
    }
    // A by-reference variant pointing at target (the target stays the caller's).
    static variant byref(VARIANT *target)
    {
        variant v;
        v.vt = VT_BYREF | VT_VARIANT;
        v.pvarVal = target;
        return v;
    }

    // Adopts the contents of a VARIANT the caller owns; the source is left empty.
    static variant attach(VARIANT &src) noexcept
    {
        variant v;
        static_cast<tagVARIANT &>(v) = src;
        VariantInit(&src);
        return v;
    }
    // Moves the contents out into dest (which must hold nothing that needs clearing).
    void detach(VARIANT *dest) noexcept
    {
        *dest = *this;
        VariantInit(this);
    }
    // Clears and answers the slot for an out parameter.
    VARIANT *put() noexcept
    {
        VariantClear(this);
        return this;
    }
    void clear() noexcept { VariantClear(this); }

    VARTYPE type() const noexcept { return vt; }
    bool is_missing() const noexcept { return vt == VT_ERROR && scode == DISP_E_PARAMNOTFOUND; }

    // This value converted to vt (locale 1033); throws com_error on failure.
    variant changed_to(VARTYPE to, USHORT flags = 0) const
    {
        variant out;
        check(VariantChangeTypeEx(&out, this, LOCALE_EN_US, flags, to));
        return out;
    }
    // The automation runtime's "convert to string": booleans as True/False.
    bstr to_bstr() const
    {
        variant s = changed_to(VT_BSTR, VARIANT_ALPHABOOL);
        return bstr::attach(std::exchange(s.bstrVal, nullptr));
    }
    LONG to_i4() const { return changed_to(VT_I4).lVal; }
    SHORT to_i2() const { return changed_to(VT_I2).iVal; }
    DOUBLE to_r8() const { return changed_to(VT_R8).dblVal; }
    VARIANT_BOOL to_bool() const { return changed_to(VT_BOOL).boolVal; }
    DECIMAL to_decimal() const { return changed_to(VT_DECIMAL).decVal; }

private:
    template <class F>
    static variant make(VARTYPE t, F &&set)
    {
        variant v;
        v.vt = t;
        set(v);
        return v;
    }
};

static_assert(sizeof(variant) == sizeof(VARIANT), "variant must keep VARIANT's layout");

}  // namespace oleaut

#endif
