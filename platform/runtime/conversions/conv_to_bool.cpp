// Conversions to Boolean: zero is False, anything else is True (-1). Text is
// "True" or "False" in any case, the same words between "#" as Basic writes
// Boolean literals in files ("#TRUE#"), or else a number.
#include "conv_targets.h"
#include "values/decimal.h"
#include "values/number_parse.h"

namespace oleaut::conv {
namespace {

bool is_space(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == 0x00A0; }

bool equals_ignoring_case(std::u16string_view a, std::u16string_view ascii_lower)
{
    if (a.size() != ascii_lower.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char16_t c = a[i];
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != ascii_lower[i])
            return false;
    }
    return true;
}

// "#TRUE#" is read as "TRUE": the marks must come as a pair around the word.
std::u16string_view without_literal_marks(std::u16string_view word)
{
    if (word.size() >= 2 && word.front() == u'#' && word.back() == u'#')
        return word.substr(1, word.size() - 2);
    return word;
}

HRESULT from_text(std::u16string_view text, bool *out)
{
    std::u16string_view word = text;
    while (!word.empty() && is_space(word.front()))
        word.remove_prefix(1);
    while (!word.empty() && is_space(word.back()))
        word.remove_suffix(1);
    word = without_literal_marks(word);
    if (equals_ignoring_case(word, u"true")) {
        *out = true;
        return S_OK;
    }
    if (equals_ignoring_case(word, u"false")) {
        *out = false;
        return S_OK;
    }
    ParsedNumber n;
    HRESULT hr = parse_number(text, &n);
    if (FAILED(hr))
        return hr;
    *out = !is_zero(n);
    return S_OK;
}

}  // namespace

HRESULT to_bool(const Scalar &s, VARIANT_BOOL *out)
{
    bool b = false;
    switch (s.shape) {
    case Shape::Empty:
        break;
    case Shape::Integer:
        b = s.integer != 0;
        break;
    case Shape::Bool:
        b = s.boolean != 0;
        break;
    case Shape::R4:
    case Shape::R8:
    case Shape::Date:
        b = s.real != 0;  // NaN is not zero: True
        break;
    case Shape::Currency:
        b = s.cy.int64 != 0;
        break;
    case Shape::Decimal: {
        Dec d;
        if (!unpack(s.dec, &d))
            return E_INVALIDARG;
        b = d.mantissa != 0;
        break;
    }
    case Shape::String: {
        HRESULT hr = from_text(s.text, &b);
        if (FAILED(hr))
            return hr;
        break;
    }
    case Shape::Error:
        return DISP_E_TYPEMISMATCH;
    }
    *out = b ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

}  // namespace oleaut::conv
