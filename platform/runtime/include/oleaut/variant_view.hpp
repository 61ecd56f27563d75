// A VARIANT someone else owns, read without taking it over: an argument of a call, a
// value inside a caller's array. References are followed (a VT_BYREF | VT_VARIANT to the
// variant it points at, a typed reference such as VT_BYREF | VT_I4 to its value), typed
// reads and conversions go through VariantChangeType into a temporary the reader owns,
// and nothing of the original is ever changed or freed.
//
//   variant_view arg(given);
//   if (arg.missing()) ...
//   if (arg.type() == VT_BSTR) use(arg.text());
//   variant n = arg.converted(VT_I4);  // throws com_error when it does not convert
#ifndef OLEAUT_VARIANT_VIEW_HPP
#define OLEAUT_VARIANT_VIEW_HPP

#include <string_view>

#include "com_error.hpp"
#include "variant.hpp"

namespace oleaut {

class variant_view {
public:
    explicit variant_view(const VARIANT &given) noexcept : given_(given), value_(followed(given)) {}
    variant_view(const variant_view &) = delete;
    variant_view &operator=(const variant_view &) = delete;

    // What the owner passed, as it is.
    const VARIANT &given() const noexcept { return given_; }
    bool by_ref() const noexcept { return given_.vt & VT_BYREF; }

    // The value behind any reference: a shallow VARIANT that shares the owner's string,
    // object or array. Copy it (variant(view.value())) to keep it; never clear it.
    const VARIANT &value() const noexcept { return value_; }
    VARTYPE type() const noexcept { return value_.vt; }
    // False only for a reference this view cannot follow (a null pointer, an unknown type).
    bool followed_all() const noexcept { return !(value_.vt & VT_BYREF); }
    // The value, for a reader that has no use for a reference it could not follow: such a
    // reference throws com_error (E_INVALIDARG), as VariantCopyInd refuses it.
    const VARIANT &plain_value() const
    {
        if (!followed_all())
            throw com_error(E_INVALIDARG);
        return value_;
    }

    // An optional argument the caller left out.
    bool missing() const noexcept { return value_.vt == VT_ERROR && value_.scode == DISP_E_PARAMNOTFOUND; }
    bool is_array() const noexcept { return value_.vt & VT_ARRAY; }

    // The text of a VT_BSTR value as it stands (a null string reads as empty).
    oleaut::ostring_view text() const noexcept
    {
        if (value_.vt != VT_BSTR || !value_.bstrVal)
            return {};
        return {value_.bstrVal, SysStringLen(value_.bstrVal)};
    }

    // The value converted to `to`, into a temporary the caller owns; the HRESULT of the
    // conversion, with `out` untouched on failure.
    HRESULT convert(variant &out, VARTYPE to, USHORT flags = 0, LCID lcid = LOCALE_EN_US) const noexcept
    {
        variant converted;
        HRESULT hr = VariantChangeTypeEx(&converted, &value_, lcid, flags, to);
        if (SUCCEEDED(hr))
            out = std::move(converted);
        return hr;
    }
    // The same, throwing com_error when the value does not convert.
    variant converted(VARTYPE to, USHORT flags = 0, LCID lcid = LOCALE_EN_US) const
    {
        variant out;
        check(convert(out, to, flags, lcid));
        return out;
    }

private:
    // One VT_BYREF | VT_VARIANT step, then the value of a typed reference, copied bit for
    // bit (sharing, not copying, what it points at).
    static VARIANT followed(const VARIANT &given) noexcept
    {
        const VARIANT &v = given.vt == (VT_BYREF | VT_VARIANT) && given.pvarVal ? *given.pvarVal : given;
        if (!(v.vt & VT_BYREF) || v.vt == (VT_BYREF | VT_VARIANT) || !v.byref)
            return v;
        VARIANT out = v;
        const VARTYPE base = v.vt & ~VT_BYREF;
        if (base & VT_ARRAY) {
            out.parray = *v.pparray;
        } else {
            switch (base) {
            case VT_I1: case VT_UI1: out.bVal = *v.pbVal; break;
            case VT_I2: case VT_UI2: case VT_BOOL: out.iVal = *v.piVal; break;
            case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_ERROR: out.lVal = *v.plVal; break;
            case VT_I8: case VT_UI8: out.llVal = *v.pllVal; break;
            case VT_R4: out.fltVal = *v.pfltVal; break;
            case VT_R8: case VT_DATE: out.dblVal = *v.pdblVal; break;
            case VT_CY: out.cyVal = *v.pcyVal; break;
            case VT_BSTR: out.bstrVal = *v.pbstrVal; break;
            case VT_DISPATCH: case VT_UNKNOWN: out.punkVal = *v.ppunkVal; break;
            case VT_DECIMAL: out.decVal = *v.pdecVal; break;  // overlays the whole variant
            default: return v;  // not a reference this view knows how to follow
            }
        }
        out.vt = base;
        return out;
    }

    const VARIANT &given_;
    VARIANT value_;
};

}  // namespace oleaut

#endif
