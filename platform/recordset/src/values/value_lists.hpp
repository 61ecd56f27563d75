// AddNew and Update take either one field and one value, or an array of each (as a
// script's Array(...) makes). This turns either form into a list.
#ifndef RECORDSET_VALUE_LISTS_HPP
#define RECORDSET_VALUE_LISTS_HPP

#include <string_view>
#include <vector>

#include "oleaut/variant.hpp"

namespace recordset {

// The elements of a one-dimensional array, or the single value itself. `operation`
// names the member in the error for an array it cannot read.
std::vector<oleaut::variant> list_items(const VARIANT &v, std::u16string_view operation);

}  // namespace recordset

#endif
