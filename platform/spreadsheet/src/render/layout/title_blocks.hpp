// The chart title and the two axis titles as text boxes centred on the origin; the
// layout moves them into place.
//
// A title's orientation either stacks its characters upright, one under the other, top
// to bottom, or turns the title by its angle.
#ifndef SHEETHOST_RENDER_TITLE_BLOCKS_HPP
#define SHEETHOST_RENDER_TITLE_BLOCKS_HPP

#include <optional>

#include "render/layout/text_box.hpp"

namespace sheethost::render {

// The title's lines wrapped (or stacked) to max_width along its own reading direction, centred on
// the origin and turned by its orientation; nothing when it is off or empty. The text is
// first made drawable (drawable_text.hpp); wrapped titles keep at most five lines and no
// line is wider than max_width, so neither a long text nor a long word can stretch the
// picture.
std::optional<text_box> title_block(const text_block &title, double max_width, const text_measurer &measurer);

// Moves box so its bounds' left, right or centre (by h) sit at x and its bottom, top
// or middle (by v) at y.
text_box placed_at(text_box box, h_align h, double x, v_align v, double y);

}  // namespace sheethost::render

#endif
