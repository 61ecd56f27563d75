// Reading numbers out of text the way automation does for locale 1033: spaces
// around, "," between integer digits, one "." , a leading or trailing sign,
// parentheses for a negative value, a "$" before or after the digits, an
// exponent (E or D, as Basic writes doubles), and "&H" hex / "&O" octal.
//
// The digits are kept as text so that each target type rounds the exact value
// once (integers, currency and decimal are all exact in automation).
#ifndef OLEAUT_NUMBER_PARSE_H
#define OLEAUT_NUMBER_PARSE_H

#include <string>
#include <string_view>

#include "conv_wide_int.h"
#include "oleaut.h"

namespace oleaut::conv {

struct ParsedNumber {
    bool negative = false;
    bool radix = false;  // written with &H or &O: `bits` holds the value, digits are unused
    uint64_t bits = 0;
    std::string digits;  // the decimal significand without leading zeros; empty means zero
    int exponent = 0;    // the value is digits x 10^exponent
};

// DISP_E_TYPEMISMATCH when the text is not a number, DISP_E_OVERFLOW when a
// hex or octal number needs more than 64 bits.
HRESULT parse_number(std::u16string_view text, ParsedNumber *out);

// The exact value x 10^scale, rounded half to even to an integer. False when
// the magnitude reaches 10^38 (far beyond every automation type).
bool scaled_integer(const ParsedNumber &n, int scale, i128 *out);

// The value of a hex or octal number for an integer target `bytes` wide and
// signed or not: a pattern that fits the width is read as that type's bits,
// so "&HFFFF" is -1 as a 16-bit signed integer and 65535 as a 32-bit one.
i128 radix_value_for_integer(const ParsedNumber &n, unsigned bytes, bool is_signed);

// The value of a hex or octal number for a non-integer target: the narrowest of
// 16, 32 or 64 signed bits that holds the pattern, as Basic reads "&H" literals.
int64_t radix_value_for_real(const ParsedNumber &n);

// The double nearest to the value; DISP_E_OVERFLOW when beyond the double range.
HRESULT parsed_to_double(const ParsedNumber &n, double *out);

// True when the value is zero.
bool is_zero(const ParsedNumber &n);

}  // namespace oleaut::conv

#endif
