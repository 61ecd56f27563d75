// Making text fit a width: word wrapping and shortening with an ellipsis. Both work
// through the text measurer, so they behave the same in layout tests and in pictures.
#ifndef SHEETHOST_RENDER_TEXT_FITTING_HPP
#define SHEETHOST_RENDER_TEXT_FITTING_HPP

#include <string>
#include <vector>

#include "render/text_measurer.hpp"

namespace sheethost::render {

// Breaks utf8 at spaces into lines no wider than width. A word wider than width gets
// a line of its own (and sticks out); the caller decides what to do about that.
std::vector<std::string> wrap_words(const std::string &utf8, double width, const font_spec &font,
                                    const text_measurer &measurer);

// utf8 itself when it fits width, else its longest prefix (whole characters) that fits
// with "…" appended.
std::string ellipsize(const std::string &utf8, double width, const font_spec &font, const text_measurer &measurer);

// The widest of lines.
double widest(const std::vector<std::string> &lines, const font_spec &font, const text_measurer &measurer);

}  // namespace sheethost::render

#endif
