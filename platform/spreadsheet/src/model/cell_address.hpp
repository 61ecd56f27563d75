// A1-style cell addresses ("B3", "$A$1:$C$25") as the host's Range and Address
// members read and write them.
#ifndef SHEETHOST_MODEL_CELL_ADDRESS_HPP
#define SHEETHOST_MODEL_CELL_ADDRESS_HPP

#include <optional>
#include <string>
#include <string_view>

#include "model/cell_range.hpp"

namespace sheethost::model {

// "A" for 1, "Z" for 26, "AA" for 27 ... "IV" for 256.
std::u16string column_letters(int column);

// The column that letters name (any case), or nothing when they name none of the sheet's.
std::optional<int> column_from_letters(std::u16string_view letters);

// "$B$3", or "$A$1:$C$25" for more than one cell; without the dollars when not absolute.
std::u16string format_address(const cell_range &range, bool absolute = true);

// "Sheet1!$B$1:$B$25", the sheet name in single quotes when it is not a plain word
// ("'Q1 data'!$A$1").
std::u16string format_reference(std::u16string_view sheet_name, const cell_range &range);

// Reads "B3", "$b$3", "A1:C25" (corners in any order); nothing when the text is not an
// address of cells inside the sheet.
std::optional<cell_range> parse_address(std::u16string_view text);

}  // namespace sheethost::model

#endif
