// A piece of text placed in the layout: what to draw and the box it covers, which is
// what overlap checks and margins work with.
#ifndef SHEETHOST_RENDER_TEXT_BOX_HPP
#define SHEETHOST_RENDER_TEXT_BOX_HPP

#include <string>
#include <vector>

#include "render/scene.hpp"
#include "render/text_measurer.hpp"

namespace sheethost::render {

struct text_box {
    text_item item;
    rect bounds;  // the axis-aligned box around the (possibly turned) text
};

// Measures lines in font and places them as the alignments and angle say.
text_box make_text_box(std::vector<std::string> lines, const font_spec &font, rgb colour, point anchor,
                       h_align horizontal, v_align vertical, double angle, const text_measurer &measurer);

// The same text moved by (dx, dy).
text_box moved(text_box box, double dx, double dy);

// The axis-aligned bounds of an item whose width and line height are already known.
rect text_bounds(const text_item &item);

// The four corners of the item's (possibly turned) box.
std::vector<point> text_corners(const text_item &item);

}  // namespace sheethost::render

#endif
