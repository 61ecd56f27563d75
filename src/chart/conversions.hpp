// The runtime's own conversions as the component's code uses them (what CDec, CStr and
// CInt mean to a script): the platform's VariantChangeTypeEx in locale 1033, with its
// failures reported as the runtime's errors: "Invalid use of Null" for a Null, "Type
// mismatch" for a value of no such form, "Overflow" for one out of range.
#ifndef QUILLET_CHART_CONVERSIONS_HPP
#define QUILLET_CHART_CONVERSIONS_HPP

#include "comutil.hpp"

namespace quillet {

inline oleaut::variant convert(const VARIANT &value, VARTYPE to)
{
    const VARIANT *v = &value;
    while (v->vt == (VT_BYREF | VT_VARIANT) && v->pvarVal)
        v = v->pvarVal;
    if (v->vt == VT_NULL)
        throw oleaut::com_error(OART_E_INVALIDUSEOFNULL);
    oleaut::variant out;
    // Strings take booleans as "True"/"False", as the runtime's string conversion does.
    HRESULT hr = VariantChangeTypeEx(out.put(), v, LOCALE_EN_US, to == VT_BSTR ? VARIANT_ALPHABOOL : 0, to);
    if (hr == DISP_E_OVERFLOW)
        throw oleaut::com_error(OART_E_OVERFLOW);
    if (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_BADVARTYPE)
        throw oleaut::com_error(OART_E_TYPEMISMATCH);
    oleaut::check(hr);
    return out;
}

inline oleaut::bstr to_string(const VARIANT &value)
{
    oleaut::variant s = convert(value, VT_BSTR);
    return oleaut::bstr::attach(std::exchange(s.bstrVal, nullptr));
}

// 64 bits wide so that a sum of LONGs (a count from the host plus an offset) reaches
// the range check whole: an overflow is "Overflow", never a wrapped value.
inline SHORT to_short(LONGLONG value) { return convert(oleaut::variant::i8(value), VT_I2).iVal; }

}  // namespace quillet

#endif
