// What a value becomes when it is stored in a field: converted to the field's type by
// the platform's own conversion, checked against Null and DefinedSize.
#ifndef RECORDSET_VALUE_STORAGE_HPP
#define RECORDSET_VALUE_STORAGE_HPP

#include "oleaut/variant.hpp"
#include "values/row_table.hpp"

namespace recordset {

// Throws value_conversion, value_null_refused or value_too_long, naming the field.
oleaut::variant value_for_field(const column &field, const VARIANT &given);

}  // namespace recordset

#endif
