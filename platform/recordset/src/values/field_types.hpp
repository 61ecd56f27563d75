// The field types a recordset knows (ADO's DataTypeEnum numbers, so that scripts can
// pass the constants they already use) and the variant type each one stores.
#ifndef RECORDSET_FIELD_TYPES_HPP
#define RECORDSET_FIELD_TYPES_HPP

#include <span>
#include <string>

#include "oleaut.h"

namespace recordset {

// The DataTypeEnum values this recordset produces itself.
enum field_type : LONG {
    ad_small_int = 2,
    ad_integer = 3,
    ad_single = 4,
    ad_double = 5,
    ad_currency = 6,
    ad_date = 7,
    ad_bstr = 8,
    ad_boolean = 11,
    ad_variant = 12,
    ad_decimal = 14,
    ad_unsigned_tiny_int = 17,
    ad_big_int = 20,
    ad_binary = 128,
    ad_char = 129,
    ad_wchar = 130,
    ad_numeric = 131,
    ad_db_date = 133,
    ad_db_timestamp = 135,
    ad_var_char = 200,
    ad_long_var_char = 201,
    ad_var_wchar = 202,
    ad_long_var_wchar = 203,
    ad_var_binary = 204,
    ad_long_var_binary = 205,
};

// FieldAttributeEnum bits that change what a field accepts.
inline constexpr LONG kAttrUnspecified = -1;
inline constexpr LONG kAttrIsNullable = 0x20;
inline constexpr LONG kAttrMayBeNull = 0x40;

enum class value_kind {
    scalar,  // stored after conversion to `vt`
    text,    // VT_BSTR, DefinedSize counts characters
    binary,  // VT_ARRAY | VT_UI1, DefinedSize counts bytes
    any,     // stored as given
};

struct field_type_info {
    LONG type;
    const char16_t *name;  // the constant's name, for messages
    VARTYPE vt;
    value_kind kind;
};

std::span<const field_type_info> field_types() noexcept;
// nullptr when the type is not one of ours.
const field_type_info *find_field_type(LONG type) noexcept;
// "3 (adInteger), 5 (adDouble), ...": what an error message offers instead.
std::u16string known_field_types_text();

}  // namespace recordset

#endif
