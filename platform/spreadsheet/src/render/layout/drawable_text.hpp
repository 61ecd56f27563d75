// Text as the renderer agrees to draw it. Titles, category headings and series names
// come from whoever feeds the host (a database column, a user's input), so before any
// of it is measured or drawn it is made harmless and bounded here:
//
// - a lone UTF-16 surrogate becomes U+FFFD, as the UTF-8 conversion would make it;
// - "\r\n" and a lone "\r" become "\n", a tab becomes a space, every other control
//   character (C0, DEL, C1) is dropped: none of them has a visible form;
// - after 30 combining marks in a row further marks are dropped (the limit of
//   Unicode's stream-safe text format): shaping a cluster costs time quadratic in
//   its length, and a thousand accents on one letter draw as a blot anyway;
// - at most kMaxDrawnUnits UTF-16 units are kept; longer text ends in "…". No chart
//   shows more text than that in one title, heading or legend entry, and measuring
//   less keeps an export fast whatever it is given.
#ifndef SHEETHOST_RENDER_DRAWABLE_TEXT_HPP
#define SHEETHOST_RENDER_DRAWABLE_TEXT_HPP

#include <cstddef>
#include <string>
#include <string_view>

namespace sheethost::render {

inline constexpr size_t kMaxDrawnUnits = 1024;
inline constexpr size_t kMaxCombiningRun = 30;

// text made drawable as described above; text that is already drawable comes back
// unchanged, so applying it twice changes nothing.
std::u16string drawable_text(std::u16string_view text);

}  // namespace sheethost::render

#endif
