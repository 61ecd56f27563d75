// Packing, fitting, comparing and rescaling DECIMAL values.
#include "decimal.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "number_format.h"

namespace oleaut::conv {

bool unpack(const DECIMAL &d, Dec *out)
{
    if (d.scale > kDecMaxScale || (d.sign != 0 && d.sign != DECIMAL_NEG))
        return false;
    out->mantissa = (static_cast<u128>(d.Hi32) << 64) | d.Lo64;
    out->scale = d.scale;
    out->negative = d.sign == DECIMAL_NEG;
    return true;
}

DECIMAL pack(const Dec &d)
{
    DECIMAL out;
    DECIMAL_SETZERO(out);
    out.wReserved = 0;
    out.Lo64 = static_cast<ULONGLONG>(d.mantissa);
    out.Hi32 = static_cast<ULONG>(d.mantissa >> 64);
    out.scale = static_cast<BYTE>(d.scale);
    out.sign = d.negative ? DECIMAL_NEG : 0;
    return out;
}

HRESULT fit_decimal(u128 mantissa, int scale, bool negative, DECIMAL *out)
{
    if (scale > kDecMaxScale) {
        mantissa = divide_pow10(mantissa, scale - kDecMaxScale, Rounding::HalfEven);
        scale = kDecMaxScale;
    }
    while (mantissa > kDecMaxMantissa && scale > 0) {
        // Dropping one digit at a time keeps as many fraction digits as fit.
        mantissa = divide_pow10(mantissa, 1, Rounding::HalfEven);
        --scale;
    }
    if (mantissa > kDecMaxMantissa)
        return DISP_E_OVERFLOW;
    *out = pack(Dec{mantissa, scale, negative});
    return S_OK;
}

int compare(const Dec &a, const Dec &b)
{
    const bool a_zero = a.mantissa == 0, b_zero = b.mantissa == 0;
    if (a_zero && b_zero)
        return 0;
    const bool a_neg = a.negative && !a_zero, b_neg = b.negative && !b_zero;
    if (a_neg != b_neg)
        return a_neg ? -1 : 1;

    // Bring both to the larger scale. Only the side with the smaller scale is
    // multiplied; if that overflows 128 bits it is certainly the larger
    // magnitude, since the other side is below 2^96.
    u128 ma = a.mantissa, mb = b.mantissa;
    int magnitude_order = 0;
    const int diff = a.scale - b.scale;
    u128 &grow = diff > 0 ? mb : ma;
    const int by = diff > 0 ? diff : -diff;
    const u128 limit = ~static_cast<u128>(0) / pow10(by);
    if (grow > limit) {
        magnitude_order = diff > 0 ? -1 : 1;
    } else {
        grow *= pow10(by);
        magnitude_order = ma < mb ? -1 : ma > mb ? 1 : 0;
    }
    return a_neg ? -magnitude_order : magnitude_order;
}

bool rescale(const Dec &d, int scale, i128 *out)
{
    u128 m = d.mantissa;
    if (scale <= d.scale) {
        m = divide_pow10(m, d.scale - scale, Rounding::HalfEven);
    } else {
        const int by = scale - d.scale;
        if (by > kMaxPow10 || m > (static_cast<u128>(1) << 127) / pow10(by))
            return false;
        m *= pow10(by);
    }
    if (m >= (static_cast<u128>(1) << 127))
        return false;
    *out = d.negative ? -static_cast<i128>(m) : static_cast<i128>(m);
    return true;
}

double to_double(const Dec &d)
{
    // strtod rounds the exact digits correctly; dividing by a power of ten in
    // floating point would round twice.
    std::string text = d.negative ? "-" : "";
    u128 m = d.mantissa;
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
        m /= 10;
    } while (m != 0);
    text += digits;
    text += "e-" + std::to_string(d.scale);
    return std::strtod(text.c_str(), nullptr);
}

std::u16string to_text(const Dec &d) { return format_scaled(d.mantissa, d.negative, d.scale); }

}  // namespace oleaut::conv
