// Describing failed conversions.
#include "conv_error.h"

#include <cstdio>
#include <string>

#include "conv_scalar.h"

namespace oleaut::conv {
namespace {

std::u16string quoted(std::u16string_view v)
{
    constexpr size_t kShown = 60;  // enough to recognise the value, short enough for a message box
    std::u16string out = u"\"";
    out += v.substr(0, kShown);
    if (v.size() > kShown)
        out += u"...";
    out += u"\"";
    return out;
}

std::u16string hex_vartype(VARTYPE vt)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%04X", static_cast<unsigned>(vt));
    std::u16string out;
    for (const char *p = buf; *p; ++p)
        out.push_back(static_cast<char16_t>(*p));
    return out;
}

std::u16string describe(HRESULT hr, const ConversionFailure &w)
{
    std::u16string subject;
    if (w.value_is_text)
        subject = u"The text " + quoted(w.value);
    else if (!w.value.empty())
        subject = u"The value " + std::u16string(w.value) + u" of type " + std::u16string(type_name(w.from));
    else
        subject = u"A value of type " + std::u16string(type_name(w.from));
    const std::u16string target(type_name(w.to));

    switch (hr) {
    case DISP_E_OVERFLOW:
        return subject + u" does not fit in " + target + u" (overflow): use a wider type or a smaller value.";
    case DISP_E_TYPEMISMATCH:
        if (w.from == VT_NULL)
            return u"Null (VT_NULL) cannot be converted to " + target +
                   u": Null converts to nothing but Null (invalid use of Null).";
        if (w.value_is_text && w.to == VT_DATE)
            return subject + u" is not a date or time that can be converted to " + target + u".";
        if (w.value_is_text && w.to == VT_BOOL)
            return subject + u" is neither True, False nor a number, so it cannot be converted to " + target + u".";
        if (w.value_is_text)
            return subject + u" is not a number, so it cannot be converted to " + target + u" (type mismatch).";
        if (w.from & VT_ARRAY)
            return u"An array cannot be converted to " + target + u" (type mismatch).";
        return subject + u" cannot be converted to " + target + u" (type mismatch).";
    case DISP_E_BADVARTYPE:
        return u"The variant type " + hex_vartype(w.to) + u" or " + hex_vartype(w.from) +
               u" is not a type a VARIANT can hold or be converted to.";
    case E_INVALIDARG:
        if (w.from == VT_DECIMAL)
            return u"The DECIMAL value is malformed: its scale is above 28 or its sign byte is neither 0 nor "
                   u"DECIMAL_NEG (0x80).";
        if (w.from == VT_DATE)
            return u"The date value lies outside 1/1/100 to 12/31/9999 and cannot be written as a date.";
        return u"An argument of the conversion is missing or invalid.";
    case E_OUTOFMEMORY:
        return u"There is not enough memory to hold the converted value.";
    default:
        return subject + u" could not be converted to " + target + u".";
    }
}

}  // namespace

HRESULT report_failure(HRESULT hr, const char16_t *function, std::u16string_view description)
{
    ICreateErrorInfo *create = nullptr;
    if (FAILED(CreateErrorInfo(&create)) || !create)
        return hr;  // nothing more can be said than hr itself
    std::u16string source(function), text(description);
    create->SetGUID(IID_NULL);
    create->SetSource(source.data());
    create->SetDescription(text.data());
    IErrorInfo *info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void **>(&info))) && info) {
        SetErrorInfo(0, info);
        info->Release();
    }
    create->Release();
    return hr;
}

HRESULT report_failure(HRESULT hr, const ConversionFailure &what)
{
    return report_failure(hr, what.function, describe(hr, what));
}

}  // namespace oleaut::conv
