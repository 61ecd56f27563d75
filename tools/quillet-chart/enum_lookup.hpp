// Reads the component's own type library to turn an enumeration member's name into its
// value, as a script's editor would: the names live in the library, not in this program.
#ifndef QUILLET_CHART_ENUM_LOOKUP_HPP
#define QUILLET_CHART_ENUM_LOOKUP_HPP

#include <string>

#include "comutil.hpp"

namespace quillet_chart {

// The value of `text` in the enumeration `enum_name` of the type library behind `object`:
// a member name (any case) or a number. Throws com_error naming the valid members.
LONG enum_value(IDispatch *object, std::u16string_view enum_name, const std::string &text);

}  // namespace quillet_chart

#endif
