// The house style: the colours and sizes every chart type shares, in one place so a
// change of look is one edit.
#ifndef SHEETHOST_RENDER_CHART_STYLE_HPP
#define SHEETHOST_RENDER_CHART_STYLE_HPP

#include <cstddef>

#include "render/chart_snapshot.hpp"

namespace sheethost::render {

// Series colours: Tableau's "Color Blind 10" palette, designed to stay distinct
// for the common forms of colour-vision deficiency (and in greyscale print) while
// looking like an ordinary business palette. Series 11 and on repeat it.
rgb series_colour(size_t index);

namespace style {

constexpr rgb kBackground = 0xFFFFFF;
constexpr rgb kTitleText = 0x1A1A1A;
constexpr rgb kText = 0x333333;           // tick labels, headings, legend
constexpr rgb kAxisLine = 0x595959;
constexpr rgb kZeroLine = 0x7F7F7F;       // the zero line when values go negative
constexpr rgb kGridline = 0xD9D9D9;       // on a white 2-D plot area
constexpr rgb kWallGridline = 0xC4C4C4;   // on a 3-D wall
constexpr rgb kBackWall = 0xF4F4F4;       // automatic wall and floor fills
constexpr rgb kSideWall = 0xEAEAEA;
constexpr rgb kFloor = 0xDCDCDC;
constexpr rgb kWallBorder = 0xA6A6A6;

constexpr double kOuterPad = 8;       // between the image edge and anything drawn
constexpr double kGap = 6;            // between neighbouring blocks (title, legend, plot)
constexpr double kTickLength = 4;
constexpr double kTickLabelGap = 3;
constexpr double kTickFontSize = 9;
constexpr double kDataLabelFontSize = 8;
constexpr double kLegendFontSize = 9;

// Plot area when the chart leaves it automatic: about 800 x 450 pixels in all.
constexpr double kAutomaticPlotWidth = 450;
constexpr double kAutomaticPlotHeight = 250;
// The largest plot area the renderer accepts, so a stray size cannot allocate a
// gigantic image (the object model refuses larger sizes before they get here).
constexpr double kMaxPlotSide = 4000;

// Face shading for 3-D shapes lit from the upper left: the top is lighter, the side
// darker than the front.
constexpr double kTopFaceLight = 1.22;
constexpr double kSideFaceShade = 0.74;

}  // namespace style

}  // namespace sheethost::render

#endif
