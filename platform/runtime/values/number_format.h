// Writing numbers as automation does for locale 1033: doubles with at most 15
// significant digits and singles with 7 (so 0.1 + 0.2 reads "0.3"), switching
// to the "1E+20" / "1E-05" form outside 1E-05 <= |x| < 1E+15; exact values
// (integers, currency, decimal) in full with no trailing fraction zeros.
#ifndef OLEAUT_NUMBER_FORMAT_H
#define OLEAUT_NUMBER_FORMAT_H

#include <string>

#include "conv_wide_int.h"

namespace oleaut::conv {

std::u16string format_r8(double d);
std::u16string format_r4(float f);
std::u16string format_integer(i128 v);
// v / 10^scale written exactly, without trailing zeros after the point.
std::u16string format_scaled(i128 v, int scale);
// The same for an unsigned magnitude with a separate sign.
std::u16string format_scaled(u128 magnitude, bool negative, int scale);

}  // namespace oleaut::conv

#endif
