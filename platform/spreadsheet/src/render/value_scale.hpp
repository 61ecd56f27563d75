// The value axis: a range and a round tick step (1, 2 or 5 times a power of ten) that
// always includes zero and leaves a little headroom past the extreme values.
#ifndef SHEETHOST_RENDER_VALUE_SCALE_HPP
#define SHEETHOST_RENDER_VALUE_SCALE_HPP

#include <algorithm>
#include <string>
#include <vector>

namespace sheethost::render {

struct value_scale {
    double min = 0;
    double max = 1;
    double step = 0.2;
    int decimals = 1;  // digits after the decimal point that tick labels need

    std::vector<double> ticks() const;
    // Where v sits between min (0) and max (1). The axis spans at most +-1e306, so a
    // larger value sits at the end it passes, as a bar is cut off at the plot area's
    // edge (and v - min cannot overflow into an infinite coordinate).
    double fraction(double v) const { return std::clamp((v - min) / (max - min), 0.0, 1.0); }
};

// data_min/data_max may be NaN when there is no data. length is the axis length in
// points; ticks are kept at least min_spacing points apart. Magnitudes past 1e306
// count as 1e306 and below 1e-290 as zero, so the scale's arithmetic never leaves
// the normal doubles.
value_scale choose_value_scale(double data_min, double data_max, double length, double min_spacing = 30);

// The tick label for v on scale s ("-5", "2.5", "1E+15").
std::string format_tick(double v, const value_scale &s);

// A value as the spreadsheet's General format shows it: up to ten significant
// digits, trailing zeros dropped, scientific form for very large or small numbers.
std::string format_general(double v);

}  // namespace sheethost::render

#endif
