// The bounds a chart's state stays within, chosen once so that no call can make the
// exporter draw something absurd (a 32767-point plot area is a 44,000-pixel image).
#ifndef SHEETHOST_MODEL_CHART_LIMITS_HPP
#define SHEETHOST_MODEL_CHART_LIMITS_HPP

namespace sheethost::model {

// Plot-area width and height: more than 0 and at most 2000 points (about 2,700 pixels
// at 96 dpi, 28 inches), room for any report or screen chart.
inline constexpr double kMaxPlotSize = 2000;

// A new chart's plot area before anyone sizes it, in points.
inline constexpr double kDefaultPlotWidth = 500;
inline constexpr double kDefaultPlotHeight = 300;

// Series per chart, as in the classic host.
inline constexpr int kMaxSeries = 255;

// Cells one series may be bound to (Values or XValues): the classic host's limit for
// 3-D charts, applied to every type.
inline constexpr int kMaxPointsPerSeries = 4000;

// Font sizes, in points, as the classic host allows them.
inline constexpr double kMinFontSize = 1;
inline constexpr double kMaxFontSize = 409;

}  // namespace sheethost::model

#endif
