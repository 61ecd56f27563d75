// Names for variant types in error messages: a person reading "Null" or "Object" knows
// what they passed; "VARTYPE 9" alone means nothing to most.
#ifndef RECORDSET_VARIANT_TYPE_NAMES_HPP
#define RECORDSET_VARIANT_TYPE_NAMES_HPP

#include <string>

#include "oleaut.h"

namespace recordset {

// "Null (VT_NULL)", "Array of Variant (VT_ARRAY | VT_VARIANT)", "VARTYPE 73".
std::u16string variant_type_name(VARTYPE vt);

}  // namespace recordset

#endif
