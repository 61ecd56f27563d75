// The classic 56-colour workbook palette: what ColorIndex 1..56 and a chart colour's
// SchemeColor 1..56 stand for. SchemeColor n is palette entry n here (so scheme colour
// 15 is "grey 25%", C0C0C0, the classic wall grey); the host offers no other scheme.
#ifndef SHEETHOST_MODEL_CLASSIC_PALETTE_HPP
#define SHEETHOST_MODEL_CLASSIC_PALETTE_HPP

#include <cstdint>
#include <optional>

namespace sheethost::model {

using rgb = uint32_t;  // 0xRRGGBB

inline constexpr int kPaletteSize = 56;

// Entry index (1..56) as 0xRRGGBB, or nothing outside the palette.
std::optional<rgb> classic_palette_color(int index);

// The palette entry closest to a colour (what ColorIndex reports for an RGB colour).
int nearest_palette_index(rgb c);

// The colour of the nth series' fill when nobody chose one (n from 1): Tableau's
// "Color Blind 10" palette, designed to stay distinct for the common colour-vision
// deficiencies while looking like an ordinary business palette; series 11 and on repeat
// it. The one series palette: drawing, ForeColor read-back and gradients all use it.
rgb automatic_series_color(int n);

// Automation's RGB long (red in the low byte) from 0xRRGGBB, and back.
inline int32_t to_automation_rgb(rgb c)
{
    return static_cast<int32_t>(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
}
inline rgb from_automation_rgb(int32_t v)
{
    uint32_t u = static_cast<uint32_t>(v);
    return ((u & 0xFF) << 16) | (u & 0xFF00) | ((u >> 16) & 0xFF);
}

}  // namespace sheethost::model

#endif
