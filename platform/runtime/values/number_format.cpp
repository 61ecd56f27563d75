// Number to text, locale 1033.
#include "number_format.h"

#include <cmath>
#include <cstdio>

namespace oleaut::conv {
namespace {

std::u16string widen(const char *s)
{
    std::u16string out;
    for (; *s; ++s)
        out.push_back(static_cast<char16_t>(*s));
    return out;
}

// %G with the given precision writes exactly Basic's form: no trailing zeros,
// "E+20" with at least two exponent digits, and the exponent form once the
// decimal exponent is below -4 or reaches the precision.
std::u16string format_real(double d, int significant_digits)
{
    if (std::isnan(d))
        return u"-1.#IND";
    if (std::isinf(d))
        return d < 0 ? u"-1.#INF" : u"1.#INF";
    if (d == 0)
        return u"0";  // negative zero too: a sign on zero means nothing to a reader
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", significant_digits, d);
    return widen(buf);
}

}  // namespace

std::u16string format_r8(double d) { return format_real(d, 15); }

std::u16string format_r4(float f) { return format_real(f, 7); }

std::u16string format_integer(i128 v) { return format_scaled(v, 0); }

std::u16string format_scaled(i128 v, int scale)
{
    const bool negative = v < 0;
    const u128 magnitude = negative ? static_cast<u128>(-(v + 1)) + 1 : static_cast<u128>(v);
    return format_scaled(magnitude, negative, scale);
}

std::u16string format_scaled(u128 magnitude, bool negative, int scale)
{
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    if (static_cast<int>(digits.size()) <= scale)
        digits.insert(0, static_cast<size_t>(scale) + 1 - digits.size(), u'0');

    std::u16string whole = digits.substr(0, digits.size() - static_cast<size_t>(scale));
    std::u16string fraction = digits.substr(digits.size() - static_cast<size_t>(scale));
    while (!fraction.empty() && fraction.back() == u'0')
        fraction.pop_back();

    const bool is_zero = whole == u"0" && fraction.empty();
    std::u16string out = (negative && !is_zero) ? u"-" : u"";
    out += whole;
    if (!fraction.empty()) {
        out += u'.';
        out += fraction;
    }
    return out;
}

}  // namespace oleaut::conv
