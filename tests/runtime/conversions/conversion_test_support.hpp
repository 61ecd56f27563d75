// Helpers shared by the conversion tests: building source variants, running
// VariantChangeTypeEx, and reading results back in a form gtest can print.
#ifndef QUILLET_TESTS_CONVERSION_TEST_SUPPORT_HPP
#define QUILLET_TESTS_CONVERSION_TEST_SUPPORT_HPP

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "oleaut/variant.hpp"

namespace conversion_test {

using oleaut::variant;
using Maker = std::function<variant()>;

inline variant i1(signed char x) { variant v; v.vt = VT_I1; v.cVal = static_cast<CHAR>(x); return v; }
inline variant ui1(BYTE x) { variant v; v.vt = VT_UI1; v.bVal = x; return v; }
inline variant ui2(USHORT x) { variant v; v.vt = VT_UI2; v.uiVal = x; return v; }
inline variant ui4(ULONG x) { variant v; v.vt = VT_UI4; v.ulVal = x; return v; }
inline variant ui8(ULONGLONG x) { variant v; v.vt = VT_UI8; v.ullVal = x; return v; }
inline variant cy_units(LONGLONG ten_thousandths) { CY c; c.int64 = ten_thousandths; return variant::cy(c); }
inline variant str(const char *utf8) { return variant::str_utf8(utf8); }
inline variant bool_true() { return variant::boolean(true); }
inline variant empty() { return variant(); }

// A DECIMAL read from text by the runtime (used only where the test is not about parsing).
inline DECIMAL dec(const char16_t *text)
{
    DECIMAL d;
    DECIMAL_SETZERO(d);
    EXPECT_EQ(VarDecFromStr(text, LOCALE_EN_US, 0, &d), S_OK) << "fixture decimal";
    return d;
}
inline DECIMAL dec_parts(ULONG hi, ULONGLONG lo, BYTE scale, bool negative)
{
    DECIMAL d;
    DECIMAL_SETZERO(d);
    d.Hi32 = hi;
    d.Lo64 = lo;
    d.scale = scale;
    d.sign = negative ? DECIMAL_NEG : 0;
    return d;
}

// variant's static maker date() hides VARIANT::date, so dates are read through VARIANT.
inline DATE date_of(const VARIANT &v) { return v.date; }

inline HRESULT change(const variant &src, VARTYPE to, variant *out, USHORT flags = 0)
{
    return VariantChangeTypeEx(out->put(), &src, LOCALE_EN_US, flags, to);
}

inline std::string utf8(const BSTR b)
{
    return b ? oleaut::utf16_to_utf8(std::u16string_view(b, SysStringLen(b))) : "<null>";
}

// The text a BSTR variant holds, or a marker naming what it holds instead.
inline std::string text_of(const VARIANT &v)
{
    if (v.vt != VT_BSTR)
        return "<vt " + std::to_string(v.vt) + ">";
    return utf8(v.bstrVal);
}

// The result of converting to text, or the failure code.
inline std::string as_text(const variant &src, USHORT flags = 0)
{
    variant out;
    HRESULT hr = change(src, VT_BSTR, &out, flags);
    if (FAILED(hr)) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "hr=0x%08X", static_cast<unsigned>(hr));
        return buf;
    }
    return text_of(out);
}

inline std::string decimal_text(const DECIMAL &d)
{
    BSTR b = nullptr;
    if (FAILED(VarBstrFromDec(&d, LOCALE_EN_US, 0, &b)))
        return "<invalid decimal>";
    std::string s = utf8(b);
    SysFreeString(b);
    return s;
}

}  // namespace conversion_test

#endif
