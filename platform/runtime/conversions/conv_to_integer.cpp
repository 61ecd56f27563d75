// Conversions to the integer types (I1 through UI8, INT, UINT): exact for
// integers, currency, decimal and text; half to even for doubles; then one
// range check against the table of limits.
#include <cmath>

#include "conv_targets.h"
#include "values/decimal.h"
#include "values/number_parse.h"

namespace oleaut::conv {
namespace {

// A Boolean keeps its 16 bits as a signed number (True is -1). Byte takes the
// low 8 bits, so True becomes 255 as Basic's CByte(True) does; the wider
// unsigned types go through the signed 16-bit value, so True overflows them
// (the documented VT_BOOL -> VT_UINT path converts to VT_I2 first).
i128 from_bool(VARIANT_BOOL b, const IntegerType &t)
{
    if (t.vt == VT_UI1)
        return static_cast<uint8_t>(b);
    return b;
}

HRESULT from_text(std::u16string_view text, const IntegerType &t, i128 *out)
{
    ParsedNumber n;
    HRESULT hr = parse_number(text, &n);
    if (FAILED(hr))
        return hr;
    if (n.radix) {
        *out = radix_value_for_integer(n, t.bytes, !is_unsigned(t));
        return S_OK;
    }
    return scaled_integer(n, 0, out) ? S_OK : DISP_E_OVERFLOW;
}

HRESULT from_decimal(const DECIMAL &d, i128 *out)
{
    Dec dec;
    if (!unpack(d, &dec))
        return E_INVALIDARG;
    return rescale(dec, 0, out) ? S_OK : DISP_E_OVERFLOW;
}

}  // namespace

bool round_half_even(double d, i128 *out)
{
    // 2^100 is beyond every integer type yet well inside 128 bits.
    if (!(std::fabs(d) < 0x1p100))
        return false;
    // nearbyint rounds in the default mode, to nearest with ties to even.
    *out = static_cast<i128>(std::nearbyint(d));
    return true;
}

HRESULT to_integer(const Scalar &s, const IntegerType &t, i128 *out)
{
    i128 v = 0;
    HRESULT hr = S_OK;
    switch (s.shape) {
    case Shape::Empty:
        break;
    case Shape::Integer:
        v = s.integer;
        break;
    case Shape::Bool:
        v = from_bool(s.boolean, t);
        break;
    case Shape::R4:
    case Shape::R8:
    case Shape::Date:
        if (!round_half_even(s.real, &v))
            return DISP_E_OVERFLOW;
        break;
    case Shape::Currency:
        v = divide_pow10_signed(s.cy.int64, 4, Rounding::HalfEven);
        break;
    case Shape::Decimal:
        hr = from_decimal(s.dec, &v);
        break;
    case Shape::String:
        hr = from_text(s.text, t, &v);
        break;
    case Shape::Error:
        return DISP_E_TYPEMISMATCH;
    }
    if (FAILED(hr))
        return hr;
    if (!fits(t, v))
        return DISP_E_OVERFLOW;
    *out = v;
    return S_OK;
}

}  // namespace oleaut::conv
