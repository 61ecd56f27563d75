// Which installed family stands in for a face a chart asks for. The renderer ships
// with one font family (DejaVu, Debian's fonts-dejavu-core), so every face name a
// client may send, "Verdana", "Times New Roman", "Courier New" or one we have never
// heard of, must land on the DejaVu face of the same kind: sans, serif or monospaced,
// normal or condensed width.
#ifndef SHEETHOST_RENDER_FACE_NAMES_HPP
#define SHEETHOST_RENDER_FACE_NAMES_HPP

#include <string_view>

namespace sheethost::render {

// The family for a requested face name (matched without regard to case). Names we
// know come from a table; others are classified by words in the name ("Mono",
// "Serif", "Narrow", ...), and anything else gets the sans face, as a chart's
// default face (Arial) would.
std::string_view installed_family_for(std::u16string_view face);

}  // namespace sheethost::render

#endif
