// Conversions to Currency: a 64-bit integer of ten-thousandths. Exact sources
// are rounded half to even at the fourth decimal; doubles are scaled by 10^4
// first, as the platform does.
#include <limits>

#include "conv_targets.h"
#include "values/decimal.h"
#include "values/number_parse.h"

namespace oleaut::conv {
namespace {

constexpr int kCurrencyScale = 4;
constexpr i128 kCurrencyUnit = 10000;

bool fits_int64(i128 v)
{
    return v >= std::numeric_limits<int64_t>::min() && v <= std::numeric_limits<int64_t>::max();
}

HRESULT from_text(std::u16string_view text, i128 *out)
{
    ParsedNumber n;
    HRESULT hr = parse_number(text, &n);
    if (FAILED(hr))
        return hr;
    if (n.radix) {
        *out = static_cast<i128>(radix_value_for_real(n)) * kCurrencyUnit;
        return S_OK;
    }
    return scaled_integer(n, kCurrencyScale, out) ? S_OK : DISP_E_OVERFLOW;
}

}  // namespace

HRESULT to_cy(const Scalar &s, CY *out)
{
    i128 v = 0;
    HRESULT hr = S_OK;
    switch (s.shape) {
    case Shape::Empty:
        break;
    case Shape::Integer:
        v = s.integer * kCurrencyUnit;  // |integer| < 2^64, so no 128-bit overflow
        break;
    case Shape::Bool:
        v = s.boolean * kCurrencyUnit;
        break;
    case Shape::R4:
    case Shape::R8:
    case Shape::Date:
        if (!round_half_even(s.real * 10000.0, &v))
            return DISP_E_OVERFLOW;
        break;
    case Shape::Currency:
        v = s.cy.int64;
        break;
    case Shape::Decimal: {
        Dec d;
        if (!unpack(s.dec, &d))
            return E_INVALIDARG;
        if (!rescale(d, kCurrencyScale, &v))
            return DISP_E_OVERFLOW;
        break;
    }
    case Shape::String:
        hr = from_text(s.text, &v);
        break;
    case Shape::Error:
        return DISP_E_TYPEMISMATCH;
    }
    if (FAILED(hr))
        return hr;
    if (!fits_int64(v))
        return DISP_E_OVERFLOW;
    out->int64 = static_cast<int64_t>(v);
    return S_OK;
}

}  // namespace oleaut::conv
