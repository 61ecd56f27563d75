// Conversions to Decimal. Doubles keep 15 significant digits and singles 7,
// rounded to nearest, so binary noise never shows up as decimal digits
// (0.1 becomes exactly 0.1); everything else is exact up to scale 28.
#include "conv_targets.h"
#include "values/decimal.h"
#include "values/number_parse.h"

namespace oleaut::conv {

HRESULT to_decimal(const Scalar &s, DECIMAL *out)
{
    switch (s.shape) {
    case Shape::Empty:
        return decimal_from_integer(0, out);
    case Shape::Integer:
        return decimal_from_integer(s.integer, out);
    case Shape::Bool:
        return decimal_from_integer(s.boolean, out);
    case Shape::R4:
        return decimal_from_double(s.real, 7, out);
    case Shape::R8:
    case Shape::Date:
        return decimal_from_double(s.real, 15, out);
    case Shape::Currency: {
        const bool negative = s.cy.int64 < 0;
        const u128 magnitude = negative ? static_cast<u128>(-(s.cy.int64 + 1)) + 1 : static_cast<u128>(s.cy.int64);
        return fit_decimal(magnitude, 4, negative, out);
    }
    case Shape::Decimal: {
        Dec d;
        if (!unpack(s.dec, &d))
            return E_INVALIDARG;
        *out = pack(d);
        return S_OK;
    }
    case Shape::String: {
        ParsedNumber n;
        HRESULT hr = parse_number(s.text, &n);
        return FAILED(hr) ? hr : decimal_from_parsed(n, out);
    }
    case Shape::Error:
        break;
    }
    return DISP_E_TYPEMISMATCH;
}

}  // namespace oleaut::conv
