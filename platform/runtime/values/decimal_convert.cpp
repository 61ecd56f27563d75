// DECIMAL values made from integers, doubles and parsed text.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "decimal.h"

namespace oleaut::conv {

HRESULT decimal_from_integer(i128 v, DECIMAL *out)
{
    const bool negative = v < 0;
    const u128 magnitude = negative ? static_cast<u128>(-(v + 1)) + 1 : static_cast<u128>(v);
    return fit_decimal(magnitude, 0, negative, out);
}

namespace {

// Trailing zeros of the significand say nothing about the value, and the
// platform does not keep them as scale: "1.500" is 1.5 (scale 1), "1.000" is 1
// (scale 0) and "0.0" is 0 (scale 0).
ParsedNumber without_trailing_zeros(const ParsedNumber &n)
{
    ParsedNumber trimmed = n;
    while (!trimmed.digits.empty() && trimmed.digits.back() == '0') {
        trimmed.digits.pop_back();
        ++trimmed.exponent;
    }
    if (trimmed.digits.empty())
        trimmed.exponent = 0;
    return trimmed;
}

}  // namespace

HRESULT decimal_from_parsed(const ParsedNumber &parsed, DECIMAL *out)
{
    if (parsed.radix)
        return decimal_from_integer(radix_value_for_real(parsed), out);
    const ParsedNumber n = without_trailing_zeros(parsed);

    // The scale the significant digits ask for, then as few digits fewer as 96 bits need.
    long scale = n.exponent < 0 ? -static_cast<long>(n.exponent) : 0;
    if (scale > kDecMaxScale)
        scale = kDecMaxScale;
    if (n.digits.empty()) {
        *out = pack(Dec{0, static_cast<int>(scale), n.negative});
        return S_OK;
    }
    const long int_len = static_cast<long>(n.digits.size()) + n.exponent;  // digits before the point
    if (int_len > 29)
        return DISP_E_OVERFLOW;  // at least 10^29, beyond 79228162514264337593543950335
    if (int_len + scale > 29)
        scale = 29 - int_len;

    ParsedNumber magnitude = n;
    magnitude.negative = false;
    for (;;) {
        i128 m = 0;
        scaled_integer(magnitude, static_cast<int>(scale), &m);  // at most 29 digits: cannot fail
        if (static_cast<u128>(m) <= kDecMaxMantissa) {
            *out = pack(Dec{static_cast<u128>(m), static_cast<int>(scale), n.negative});
            return S_OK;
        }
        if (scale == 0)
            return DISP_E_OVERFLOW;
        --scale;
    }
}

HRESULT decimal_from_double(double v, int significant_digits, DECIMAL *out)
{
    if (!std::isfinite(v))
        return DISP_E_OVERFLOW;
    if (v == 0) {
        *out = pack(Dec{});
        return S_OK;
    }
    // "%.*e" rounds the binary value to the wanted significant digits exactly;
    // its digits and exponent are then an exact decimal to build from.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", significant_digits - 1, std::fabs(v));
    ParsedNumber n;
    n.negative = v < 0;
    const char *p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            n.digits.push_back(*p);
    const int exp10 = *p == 'e' ? std::atoi(p + 1) : 0;
    n.exponent = exp10 - (significant_digits - 1);
    return decimal_from_parsed(n, out);
}

}  // namespace oleaut::conv
