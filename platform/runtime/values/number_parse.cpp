// The number grammar of locale 1033 and exact rounding of what it read.
#include "number_parse.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace oleaut::conv {
namespace {

// Far beyond any representable magnitude, small enough never to overflow int.
constexpr int kExponentLimit = 100000;

bool is_space(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == 0x00A0;
}

bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }

int hex_value(char16_t c)
{
    if (is_digit(c))
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

class Reader {
public:
    explicit Reader(std::u16string_view t) : t_(t) {}
    bool done() const { return i_ >= t_.size(); }
    char16_t peek(size_t ahead = 0) const { return i_ + ahead < t_.size() ? t_[i_ + ahead] : u'\0'; }
    void next(size_t n = 1) { i_ += n; }
    void skip_spaces()
    {
        while (!done() && is_space(t_[i_]))
            ++i_;
    }

private:
    std::u16string_view t_;
    size_t i_ = 0;
};

// "&H1F" / "&O17": the digits after the prefix, into 64 bits.
HRESULT read_radix(Reader &r, ParsedNumber *out)
{
    const char16_t kind = r.peek(1);
    const unsigned shift = (kind == u'H' || kind == u'h') ? 4 : (kind == u'O' || kind == u'o') ? 3 : 0;
    if (shift == 0)
        return DISP_E_TYPEMISMATCH;
    r.next(2);
    bool any = false;
    uint64_t v = 0;
    for (;;) {
        const int d = hex_value(r.peek());
        if (d < 0 || d >= (1 << shift))
            break;
        if (v >> (64 - shift))
            return DISP_E_OVERFLOW;
        v = (v << shift) | static_cast<uint64_t>(d);
        any = true;
        r.next();
    }
    if (!any)
        return DISP_E_TYPEMISMATCH;
    out->radix = true;
    out->bits = v;
    return S_OK;
}

// Digits with thousands separators and a decimal point, then an optional exponent.
HRESULT read_decimal(Reader &r, ParsedNumber *out)
{
    bool any_digit = false;
    bool in_fraction = false;
    for (;;) {
        const char16_t c = r.peek();
        if (is_digit(c)) {
            any_digit = true;
            if (!(out->digits.empty() && c == u'0'))
                out->digits.push_back(static_cast<char>(c));
            if (in_fraction)
                --out->exponent;
        } else if (c == u',' && any_digit && !in_fraction) {
            // Separators are accepted wherever they stand between integer digits.
        } else if (c == u'.' && !in_fraction) {
            in_fraction = true;
        } else {
            break;
        }
        r.next();
    }
    if (!any_digit)
        return DISP_E_TYPEMISMATCH;

    const char16_t e = r.peek();
    if (e == u'E' || e == u'e' || e == u'D' || e == u'd') {
        size_t k = 1;
        bool negative = false;
        if (r.peek(k) == u'+' || r.peek(k) == u'-') {
            negative = r.peek(k) == u'-';
            ++k;
        }
        if (!is_digit(r.peek(k)))
            return DISP_E_TYPEMISMATCH;
        r.next(k);
        int exp = 0;
        while (is_digit(r.peek())) {
            if (exp < kExponentLimit)
                exp = exp * 10 + (r.peek() - u'0');
            r.next();
        }
        out->exponent += negative ? -exp : exp;
    }
    return S_OK;
}

}  // namespace

HRESULT parse_number(std::u16string_view text, ParsedNumber *out)
{
    *out = ParsedNumber{};
    Reader r(text);
    bool paren = false, closed = false, sign = false, currency = false;

    r.skip_spaces();
    for (;;) {
        const char16_t c = r.peek();
        if (c == u'(' && !paren && !sign) {
            paren = true;
            r.next();
            r.skip_spaces();
        } else if ((c == u'+' || c == u'-') && !sign) {
            sign = true;
            out->negative = c == u'-';
            r.next();
        } else if (c == u'$' && !currency) {
            currency = true;
            r.next();
            r.skip_spaces();
        } else {
            break;
        }
    }

    HRESULT hr;
    if (r.peek() == u'&') {
        // Hex and octal stand alone: no sign, parentheses or currency.
        if (paren || sign || currency)
            return DISP_E_TYPEMISMATCH;
        hr = read_radix(r, out);
    } else {
        hr = read_decimal(r, out);
    }
    if (FAILED(hr))
        return hr;

    for (;;) {
        r.skip_spaces();
        const char16_t c = r.peek();
        if (c == u'$' && !currency && !out->radix) {
            currency = true;
        } else if ((c == u'+' || c == u'-') && !sign && !paren && !out->radix) {
            sign = true;
            out->negative = c == u'-';
        } else if (c == u')' && paren && !closed) {
            closed = true;
        } else {
            break;
        }
        r.next();
    }
    if (!r.done() || paren != closed || (paren && sign))
        return DISP_E_TYPEMISMATCH;
    if (paren)
        out->negative = true;
    return S_OK;
}

bool is_zero(const ParsedNumber &n) { return n.radix ? n.bits == 0 : n.digits.empty(); }

bool scaled_integer(const ParsedNumber &n, int scale, i128 *out)
{
    const int size = static_cast<int>(n.digits.size());
    if (size == 0) {
        *out = 0;
        return true;
    }
    const long shift = static_cast<long>(n.exponent) + scale;
    const long int_len = size + shift;  // how many digits stand before the point
    if (int_len > kMaxPow10)
        return false;

    u128 q = 0;
    const int whole = static_cast<int>(std::min<long>(int_len, size));
    for (int k = 0; k < whole; ++k)
        q = q * 10 + static_cast<unsigned>(n.digits[k] - '0');
    if (shift > 0)
        q *= pow10(static_cast<int>(shift));

    if (int_len >= 0 && int_len < size) {
        const char first = n.digits[int_len];
        bool rest = false;
        for (int k = static_cast<int>(int_len) + 1; k < size && !rest; ++k)
            rest = n.digits[k] != '0';
        if (first > '5' || (first == '5' && (rest || (q & 1))))
            ++q;
    }
    *out = n.negative ? -static_cast<i128>(q) : static_cast<i128>(q);
    return true;
}

i128 radix_value_for_integer(const ParsedNumber &n, unsigned bytes, bool is_signed)
{
    const bool fits_width = bytes >= 8 || (n.bits >> (8 * bytes)) == 0;
    if (!is_signed || !fits_width)
        return static_cast<i128>(n.bits);  // a wider pattern is left for the range check
    const unsigned shift = 64 - 8 * bytes;
    return static_cast<int64_t>(n.bits << shift) >> shift;
}

int64_t radix_value_for_real(const ParsedNumber &n)
{
    if (n.bits <= 0xFFFF)
        return static_cast<int16_t>(n.bits);
    if (n.bits <= 0xFFFFFFFF)
        return static_cast<int32_t>(n.bits);
    return static_cast<int64_t>(n.bits);
}

HRESULT parsed_to_double(const ParsedNumber &n, double *out)
{
    if (n.radix) {
        *out = static_cast<double>(radix_value_for_real(n));
        return S_OK;
    }
    if (n.digits.empty()) {
        *out = 0.0;
        return S_OK;
    }
    // strtod rounds correctly; the text has no decimal point, so the C
    // library's locale cannot change its meaning.
    std::string text = n.negative ? "-" : "";
    text += n.digits;
    text += 'e';
    text += std::to_string(n.exponent);
    const double d = std::strtod(text.c_str(), nullptr);
    if (std::isinf(d))
        return DISP_E_OVERFLOW;
    *out = d;
    return S_OK;
}

}  // namespace oleaut::conv
