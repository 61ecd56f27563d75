// Division by powers of ten with the rounding rules automation uses.
#include "conv_wide_int.h"

namespace oleaut::conv {

u128 divide_pow10(u128 v, int digits, Rounding mode)
{
    if (digits <= 0)
        return v;
    if (digits > kMaxPow10)
        return 0;  // v < 2^128 < 10^39 / 2, so the quotient is 0 and the rest is below one half
    const u128 divisor = pow10(digits);
    const u128 q = v / divisor;
    const u128 r = v % divisor;
    if (r == 0 || mode == Rounding::TowardZero)
        return q;
    const u128 half = divisor / 2;  // divisor is even, so half is exact
    if (r > half)
        return q + 1;
    if (r < half)
        return q;
    if (mode == Rounding::HalfAwayFromZero)
        return q + 1;
    return (q & 1) ? q + 1 : q;
}

i128 divide_pow10_signed(i128 v, int digits, Rounding mode)
{
    if (v < 0) {
        const u128 magnitude = static_cast<u128>(-(v + 1)) + 1;
        return -static_cast<i128>(divide_pow10(magnitude, digits, mode));
    }
    return static_cast<i128>(divide_pow10(static_cast<u128>(v), digits, mode));
}

}  // namespace oleaut::conv
