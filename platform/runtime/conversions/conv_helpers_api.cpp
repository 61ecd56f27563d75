// The Var<To>From<From> entry points: each reads its argument as a source
// value, applies the one rule for its target type and reports failures.
#include <string>

#include "conv_error.h"
#include "conv_targets.h"
#include "values/date_calendar.h"
#include "values/number_format.h"

using namespace oleaut::conv;

namespace {

// The text of a source value for failure messages.
std::u16string value_text(const Scalar &s)
{
    std::u16string text;
    if (s.shape != Shape::Empty && FAILED(to_text(s, 0, BoolText::Words, &text)))
        text.clear();
    return text;
}

HRESULT fail(HRESULT hr, const char16_t *function, const Scalar &s, VARTYPE to)
{
    return report_failure(hr, ConversionFailure{function, s.vt, to, value_text(s), s.shape == Shape::String});
}

HRESULT null_argument(const char16_t *function)
{
    return report_failure(E_INVALIDARG, function, u"A required pointer argument is null.");
}

template <class T>
HRESULT to_int(const char16_t *function, const Scalar &s, VARTYPE to, T *out)
{
    if (!out)
        return null_argument(function);
    i128 v = 0;
    HRESULT hr = to_integer(s, integer_type_of(to), &v);
    if (FAILED(hr))
        return fail(hr, function, s, to);
    *out = static_cast<T>(v);
    return S_OK;
}

// Text arguments must be present; a null string is not an empty one here.
bool text_arg(LPCOLESTR str, Scalar *s)
{
    if (!str)
        return false;
    *s = Scalar::of_text(str);
    return true;
}

template <class T, class Convert>
HRESULT convert(const char16_t *function, const Scalar &s, VARTYPE to, T *out, Convert rule)
{
    if (!out)
        return null_argument(function);
    T v{};
    HRESULT hr = rule(s, &v);
    if (FAILED(hr))
        return fail(hr, function, s, to);
    *out = v;
    return S_OK;
}

HRESULT to_bstr(const char16_t *function, const Scalar &s, ULONG date_flags, BSTR *out)
{
    if (!out)
        return null_argument(function);
    std::u16string text;
    HRESULT hr = to_text(s, date_flags, BoolText::Words, &text);
    if (FAILED(hr))
        return fail(hr, function, s, VT_BSTR);
    BSTR b = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!b)
        return fail(E_OUTOFMEMORY, function, s, VT_BSTR);
    *out = b;
    return S_OK;
}

Scalar of_dec_ptr(const DECIMAL *d) { return Scalar::of_dec(*d); }

}  // namespace

#define OLEAUT_TEXT_SOURCE(fn, str, s) \
    Scalar s;                          \
    if (!text_arg(str, &s))            \
        return null_argument(fn);

/* ---- Integers ------------------------------------------------------------------- */
STDAPI VarI2FromI4(LONG lIn, SHORT *psOut)
{
    return to_int(u"VarI2FromI4", Scalar::of_integer(VT_I4, lIn), VT_I2, psOut);
}
STDAPI VarI2FromR8(DOUBLE dblIn, SHORT *psOut) { return to_int(u"VarI2FromR8", Scalar::of_r8(dblIn), VT_I2, psOut); }
STDAPI VarI2FromStr(LPCOLESTR strIn, LCID, ULONG, SHORT *psOut)
{
    OLEAUT_TEXT_SOURCE(u"VarI2FromStr", strIn, s)
    return to_int(u"VarI2FromStr", s, VT_I2, psOut);
}
STDAPI VarI2FromDec(const DECIMAL *pdecIn, SHORT *psOut)
{
    return pdecIn ? to_int(u"VarI2FromDec", of_dec_ptr(pdecIn), VT_I2, psOut) : null_argument(u"VarI2FromDec");
}
STDAPI VarI4FromI8(LONG64 llIn, LONG *plOut)
{
    return to_int(u"VarI4FromI8", Scalar::of_integer(VT_I8, llIn), VT_I4, plOut);
}
STDAPI VarI4FromR8(DOUBLE dblIn, LONG *plOut) { return to_int(u"VarI4FromR8", Scalar::of_r8(dblIn), VT_I4, plOut); }
STDAPI VarI4FromStr(LPCOLESTR strIn, LCID, ULONG, LONG *plOut)
{
    OLEAUT_TEXT_SOURCE(u"VarI4FromStr", strIn, s)
    return to_int(u"VarI4FromStr", s, VT_I4, plOut);
}
STDAPI VarI4FromDec(const DECIMAL *pdecIn, LONG *plOut)
{
    return pdecIn ? to_int(u"VarI4FromDec", of_dec_ptr(pdecIn), VT_I4, plOut) : null_argument(u"VarI4FromDec");
}
STDAPI VarI8FromR8(DOUBLE dblIn, LONG64 *pi64Out)
{
    return to_int(u"VarI8FromR8", Scalar::of_r8(dblIn), VT_I8, pi64Out);
}
STDAPI VarI8FromStr(LPCOLESTR strIn, LCID, ULONG, LONG64 *pi64Out)
{
    OLEAUT_TEXT_SOURCE(u"VarI8FromStr", strIn, s)
    return to_int(u"VarI8FromStr", s, VT_I8, pi64Out);
}
STDAPI VarI8FromDec(const DECIMAL *pdecIn, LONG64 *pi64Out)
{
    return pdecIn ? to_int(u"VarI8FromDec", of_dec_ptr(pdecIn), VT_I8, pi64Out) : null_argument(u"VarI8FromDec");
}

/* ---- Single, Double, Currency ------------------------------------------------------ */
STDAPI VarR4FromR8(DOUBLE dblIn, FLOAT *pfltOut)
{
    return convert(u"VarR4FromR8", Scalar::of_r8(dblIn), VT_R4, pfltOut, to_r4);
}
STDAPI VarR8FromStr(LPCOLESTR strIn, LCID, ULONG, DOUBLE *pdblOut)
{
    OLEAUT_TEXT_SOURCE(u"VarR8FromStr", strIn, s)
    return convert(u"VarR8FromStr", s, VT_R8, pdblOut, to_r8);
}
STDAPI VarR8FromDec(const DECIMAL *pdecIn, DOUBLE *pdblOut)
{
    return pdecIn ? convert(u"VarR8FromDec", of_dec_ptr(pdecIn), VT_R8, pdblOut, to_r8)
                  : null_argument(u"VarR8FromDec");
}
STDAPI VarR8FromCy(CY cyIn, DOUBLE *pdblOut)
{
    return convert(u"VarR8FromCy", Scalar::of_cy(cyIn), VT_R8, pdblOut, to_r8);
}
STDAPI VarCyFromR8(DOUBLE dblIn, CY *pcyOut)
{
    return convert(u"VarCyFromR8", Scalar::of_r8(dblIn), VT_CY, pcyOut, to_cy);
}
STDAPI VarCyFromStr(LPCOLESTR strIn, LCID, ULONG, CY *pcyOut)
{
    OLEAUT_TEXT_SOURCE(u"VarCyFromStr", strIn, s)
    return convert(u"VarCyFromStr", s, VT_CY, pcyOut, to_cy);
}
STDAPI VarCyFromDec(const DECIMAL *pdecIn, CY *pcyOut)
{
    return pdecIn ? convert(u"VarCyFromDec", of_dec_ptr(pdecIn), VT_CY, pcyOut, to_cy) : null_argument(u"VarCyFromDec");
}

/* ---- Decimal ------------------------------------------------------------------------ */
STDAPI VarDecFromI8(LONG64 llIn, DECIMAL *pdecOut)
{
    return convert(u"VarDecFromI8", Scalar::of_integer(VT_I8, llIn), VT_DECIMAL, pdecOut, to_decimal);
}
STDAPI VarDecFromUI8(ULONGLONG ullIn, DECIMAL *pdecOut)
{
    return convert(u"VarDecFromUI8", Scalar::of_integer(VT_UI8, ullIn), VT_DECIMAL, pdecOut, to_decimal);
}
STDAPI VarDecFromR8(DOUBLE dblIn, DECIMAL *pdecOut)
{
    return convert(u"VarDecFromR8", Scalar::of_r8(dblIn), VT_DECIMAL, pdecOut, to_decimal);
}
STDAPI VarDecFromR4(FLOAT fltIn, DECIMAL *pdecOut)
{
    return convert(u"VarDecFromR4", Scalar::of_r4(fltIn), VT_DECIMAL, pdecOut, to_decimal);
}
STDAPI VarDecFromCy(CY cyIn, DECIMAL *pdecOut)
{
    return convert(u"VarDecFromCy", Scalar::of_cy(cyIn), VT_DECIMAL, pdecOut, to_decimal);
}
STDAPI VarDecFromStr(LPCOLESTR strIn, LCID, ULONG, DECIMAL *pdecOut)
{
    OLEAUT_TEXT_SOURCE(u"VarDecFromStr", strIn, s)
    return convert(u"VarDecFromStr", s, VT_DECIMAL, pdecOut, to_decimal);
}
STDAPI VarDecFromBool(VARIANT_BOOL boolIn, DECIMAL *pdecOut)
{
    return convert(u"VarDecFromBool", Scalar::of_bool(boolIn), VT_DECIMAL, pdecOut, to_decimal);
}
STDAPI VarDecFromDate(DATE dateIn, DECIMAL *pdecOut)
{
    return convert(u"VarDecFromDate", Scalar::of_date(dateIn), VT_DECIMAL, pdecOut, to_decimal);
}

/* ---- Date, Boolean ------------------------------------------------------------------ */
STDAPI VarDateFromStr(LPCOLESTR strIn, LCID, ULONG dwFlags, DATE *pdateOut)
{
    OLEAUT_TEXT_SOURCE(u"VarDateFromStr", strIn, s)
    return convert(u"VarDateFromStr", s, VT_DATE, pdateOut,
                   [dwFlags](const Scalar &src, DATE *d) { return to_date(src, dwFlags, d); });
}
STDAPI VarDateFromR8(DOUBLE dblIn, DATE *pdateOut)
{
    return convert(u"VarDateFromR8", Scalar::of_r8(dblIn), VT_DATE, pdateOut,
                   [](const Scalar &src, DATE *d) { return to_date(src, 0, d); });
}
STDAPI VarBoolFromStr(LPCOLESTR strIn, LCID, ULONG, VARIANT_BOOL *pboolOut)
{
    OLEAUT_TEXT_SOURCE(u"VarBoolFromStr", strIn, s)
    return convert(u"VarBoolFromStr", s, VT_BOOL, pboolOut, to_bool);
}
STDAPI VarBoolFromR8(DOUBLE dblIn, VARIANT_BOOL *pboolOut)
{
    return convert(u"VarBoolFromR8", Scalar::of_r8(dblIn), VT_BOOL, pboolOut, to_bool);
}
STDAPI VarBoolFromDec(const DECIMAL *pdecIn, VARIANT_BOOL *pboolOut)
{
    return pdecIn ? convert(u"VarBoolFromDec", of_dec_ptr(pdecIn), VT_BOOL, pboolOut, to_bool)
                  : null_argument(u"VarBoolFromDec");
}

/* ---- Strings ---------------------------------------------------------------------- */
STDAPI VarBstrFromR8(DOUBLE dblIn, LCID, ULONG, BSTR *pbstrOut)
{
    return to_bstr(u"VarBstrFromR8", Scalar::of_r8(dblIn), 0, pbstrOut);
}
STDAPI VarBstrFromR4(FLOAT fltIn, LCID, ULONG, BSTR *pbstrOut)
{
    return to_bstr(u"VarBstrFromR4", Scalar::of_r4(fltIn), 0, pbstrOut);
}
STDAPI VarBstrFromI8(LONG64 llIn, LCID, ULONG, BSTR *pbstrOut)
{
    return to_bstr(u"VarBstrFromI8", Scalar::of_integer(VT_I8, llIn), 0, pbstrOut);
}
STDAPI VarBstrFromUI8(ULONGLONG ullIn, LCID, ULONG, BSTR *pbstrOut)
{
    return to_bstr(u"VarBstrFromUI8", Scalar::of_integer(VT_UI8, ullIn), 0, pbstrOut);
}
STDAPI VarBstrFromCy(CY cyIn, LCID, ULONG, BSTR *pbstrOut)
{
    return to_bstr(u"VarBstrFromCy", Scalar::of_cy(cyIn), 0, pbstrOut);
}
STDAPI VarBstrFromDate(DATE dateIn, LCID, ULONG dwFlags, BSTR *pbstrOut)
{
    return to_bstr(u"VarBstrFromDate", Scalar::of_date(dateIn), dwFlags, pbstrOut);
}
// Unlike VariantChangeType without VARIANT_ALPHABOOL, VarBstrFromBool always
// writes the words "True" / "False".
STDAPI VarBstrFromBool(VARIANT_BOOL boolIn, LCID, ULONG, BSTR *pbstrOut)
{
    return to_bstr(u"VarBstrFromBool", Scalar::of_bool(boolIn), 0, pbstrOut);
}
STDAPI VarBstrFromDec(const DECIMAL *pdecIn, LCID, ULONG, BSTR *pbstrOut)
{
    return pdecIn ? to_bstr(u"VarBstrFromDec", of_dec_ptr(pdecIn), 0, pbstrOut) : null_argument(u"VarBstrFromDec");
}
