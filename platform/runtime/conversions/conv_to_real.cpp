// Conversions to Double and Single. Exact sources (integers, currency,
// decimal, text) are rounded once to the nearest double; Single then narrows
// and overflows past its largest finite value.
#include <cfloat>
#include <cmath>

#include "conv_targets.h"
#include "values/decimal.h"
#include "values/number_parse.h"

namespace oleaut::conv {

HRESULT to_r8(const Scalar &s, double *out)
{
    switch (s.shape) {
    case Shape::Empty:
        *out = 0;
        return S_OK;
    case Shape::Integer:
        *out = static_cast<double>(s.integer);
        return S_OK;
    case Shape::Bool:
        *out = s.boolean;
        return S_OK;
    case Shape::R4:
    case Shape::R8:
    case Shape::Date:
        *out = s.real;
        return S_OK;
    case Shape::Currency: {
        const bool negative = s.cy.int64 < 0;
        const u128 magnitude = negative ? static_cast<u128>(-(s.cy.int64 + 1)) + 1 : static_cast<u128>(s.cy.int64);
        *out = to_double(Dec{magnitude, 4, negative});
        return S_OK;
    }
    case Shape::Decimal: {
        Dec d;
        if (!unpack(s.dec, &d))
            return E_INVALIDARG;
        *out = to_double(d);
        return S_OK;
    }
    case Shape::String: {
        ParsedNumber n;
        HRESULT hr = parse_number(s.text, &n);
        return FAILED(hr) ? hr : parsed_to_double(n, out);
    }
    case Shape::Error:
        break;
    }
    return DISP_E_TYPEMISMATCH;
}

HRESULT to_r4(const Scalar &s, float *out)
{
    if (s.shape == Shape::Integer) {
        *out = static_cast<float>(s.integer);  // one rounding, not two through double
        return S_OK;
    }
    double d = 0;
    HRESULT hr = to_r8(s, &d);
    if (FAILED(hr))
        return hr;
    if (std::fabs(d) > FLT_MAX)  // false for NaN, which passes through
        return DISP_E_OVERFLOW;
    *out = static_cast<float>(d);
    return S_OK;
}

}  // namespace oleaut::conv
