// 128-bit integers for the conversion module.
//
// Every exact conversion (integers of any width, currency scaled by 10^4, the
// 96-bit decimal mantissa) is carried out in 128 bits, so a value is range
// checked once, after rounding, instead of guarding each intermediate step.
#ifndef OLEAUT_CONV_WIDE_INT_H
#define OLEAUT_CONV_WIDE_INT_H

#include <cstdint>

namespace oleaut::conv {

__extension__ typedef __int128 i128;
__extension__ typedef unsigned __int128 u128;

// 10^38 is the largest power of ten below 2^128.
inline constexpr int kMaxPow10 = 38;

// 10^n for 0 <= n <= 38.
constexpr u128 pow10(int n)
{
    u128 v = 1;
    for (int i = 0; i < n; ++i)
        v *= 10;
    return v;
}

// The ways a value loses digits. Automation rounds to integers half to even
// ("banker's rounding") everywhere a number is narrowed.
enum class Rounding { HalfEven, HalfAwayFromZero, TowardZero };

// |v| / 10^digits rounded as asked; digits may exceed 38 (the result is then 0
// unless rounding up a half).
u128 divide_pow10(u128 v, int digits, Rounding mode);

// Rounds value / 10^digits, keeping the sign.
i128 divide_pow10_signed(i128 v, int digits, Rounding mode);

}  // namespace oleaut::conv

#endif
