// Round value-axis scales. The step comes from the 1-2-5 series because people read
// those at a glance; the smallest step that keeps ticks min_spacing apart wins.
#include "render/value_scale.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace sheethost::render {

namespace {

// Part of the data range left free past a non-zero extreme, so the tallest bar never
// touches the top of the plot area and its value label has room.
constexpr double kHeadroom = 0.05;
constexpr double kLargest = 1e306;
// Below this a magnitude counts as zero: a step computed from a span of denormal
// numbers loses its precision (or becomes 0), and ticks would all read "0".
constexpr double kSmallest = 1e-290;

double significant(double v) { return std::fabs(v) < kSmallest ? 0.0 : v; }

std::string trim_exponent(std::string s)
{
    // "1.5e+15" -> "1.5E+15", as the spreadsheet writes it.
    for (char &c : s)
        if (c == 'e')
            c = 'E';
    return s;
}

}  // namespace

std::vector<double> value_scale::ticks() const
{
    std::vector<double> out;
    long n = std::lround((max - min) / step);
    for (long i = 0; i <= n; ++i) {
        double v = min + static_cast<double>(i) * step;
        if (std::fabs(v) < step * 1e-9)
            v = 0;  // -0 and 1e-17 both print as "0"
        out.push_back(v);
    }
    return out;
}

value_scale choose_value_scale(double data_min, double data_max, double length, double min_spacing)
{
    // Beyond +-1e306 the span and its headroom would overflow to infinity.
    double lo = std::isfinite(data_min) ? std::clamp(std::min(0.0, significant(data_min)), -kLargest, 0.0) : 0.0;
    double hi = std::isfinite(data_max) ? std::clamp(std::max(0.0, significant(data_max)), 0.0, kLargest) : 0.0;
    if (lo == hi)  // no data, or nothing but zeros: a plain 0 to 1
        return {0, 1, 0.2, 1};
    double span = hi - lo;
    if (hi > 0)
        hi += span * kHeadroom;
    if (lo < 0)
        lo -= span * kHeadroom;

    int max_intervals = std::clamp(static_cast<int>(length / min_spacing), 2, 10);
    double magnitude = std::pow(10.0, std::floor(std::log10((hi - lo) / max_intervals)));
    value_scale s;
    for (int attempt = 0; attempt < 8; ++attempt) {
        for (double m : {1.0, 2.0, 5.0}) {
            double step = m * magnitude;
            double first = std::floor(lo / step + 1e-9);
            double last = std::ceil(hi / step - 1e-9);
            if (last - first <= max_intervals) {
                s.step = step;
                s.min = first * step;
                s.max = last * step;
                s.decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
                return s;
            }
        }
        magnitude *= 10;
    }
    // Unreachable for finite input: ten times the starting magnitude always fits.
    s.min = lo;
    s.max = hi;
    s.step = hi - lo;
    s.decimals = 0;
    return s;
}

std::string format_tick(double v, const value_scale &s)
{
    if (std::fabs(v) >= 1e15 || (s.decimals > 9))
        return format_general(v);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", s.decimals, v);
    std::string out = buf;
    if (out.find_first_not_of("-0.") == std::string::npos)
        return "0";
    return out;
}

std::string format_general(double v)
{
    if (!std::isfinite(v))
        return "#NUM!";
    if (v == 0)
        return "0";
    double a = std::fabs(v);
    char buf[64];
    if (a >= 1e11 || a < 1e-9) {
        std::snprintf(buf, sizeof buf, "%.5e", v);
        std::string s = buf;
        size_t e = s.find('e');
        std::string mantissa = s.substr(0, e), exponent = s.substr(e);
        while (mantissa.back() == '0')
            mantissa.pop_back();
        if (mantissa.back() == '.')
            mantissa.pop_back();
        // "e+015" on some C libraries, "e+15" on glibc: keep at least two digits.
        return trim_exponent(mantissa + exponent);
    }
    int int_digits = std::max(1, static_cast<int>(std::floor(std::log10(a))) + 1);
    int decimals = std::clamp(10 - int_digits, 0, 9);
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    std::string s = buf;
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    if (s == "-0")
        return "0";
    return s;
}

}  // namespace sheethost::render
