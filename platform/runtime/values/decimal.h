// DECIMAL arithmetic, exact: a 96-bit unsigned mantissa, a power-of-ten scale
// from 0 to 28 and a sign, handled in 128-bit integers so no step rounds
// unless a rule says it must.
#ifndef OLEAUT_DECIMAL_H
#define OLEAUT_DECIMAL_H

#include "conv_wide_int.h"
#include "number_parse.h"
#include "oleaut.h"

namespace oleaut::conv {

inline constexpr int kDecMaxScale = 28;
inline constexpr u128 kDecMaxMantissa = (static_cast<u128>(1) << 96) - 1;

// A DECIMAL taken apart.
struct Dec {
    u128 mantissa = 0;
    int scale = 0;
    bool negative = false;
};

// False when d is not a valid DECIMAL (scale above 28, or a sign byte other
// than 0 or DECIMAL_NEG).
bool unpack(const DECIMAL &d, Dec *out);
DECIMAL pack(const Dec &d);

// mantissa / 10^scale with the given sign, made to fit a DECIMAL: digits past
// scale 28, or past what 96 bits hold, are rounded half to even.
// DISP_E_OVERFLOW when the integer part alone does not fit.
HRESULT fit_decimal(u128 mantissa, int scale, bool negative, DECIMAL *out);

// -1, 0 or 1; zero equals zero whatever its sign or scale.
int compare(const Dec &a, const Dec &b);

// The value rounded half to even to `scale` fraction digits, as a signed
// integer scaled by 10^scale. False when that does not fit in 127 bits.
bool rescale(const Dec &d, int scale, i128 *out);

// The double nearest to the exact value.
double to_double(const Dec &d);

// The exact value written out, without trailing fraction zeros.
std::u16string to_text(const Dec &d);

HRESULT decimal_from_integer(i128 v, DECIMAL *out);
// Keeps `significant_digits` significant digits of the double, rounded to
// nearest, so that 0.1 becomes exactly 0.1 (15 for a double, 7 for a single).
HRESULT decimal_from_double(double v, int significant_digits, DECIMAL *out);
// The value read from text; trailing zeros of the fraction are not kept as
// scale ("1.500" is 15 at scale 1), as the platform reads text.
HRESULT decimal_from_parsed(const ParsedNumber &n, DECIMAL *out);

}  // namespace oleaut::conv

#endif
