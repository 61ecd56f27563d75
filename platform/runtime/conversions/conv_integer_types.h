// The integer VARTYPEs and their limits: the one table every integer range
// check in the conversion module is made from. Adding an integer type means
// adding one row here, not another hand-written check.
#ifndef OLEAUT_CONV_INTEGER_TYPES_H
#define OLEAUT_CONV_INTEGER_TYPES_H

#include <limits>

#include "values/conv_wide_int.h"
#include "oleaut.h"

namespace oleaut::conv {

struct IntegerType {
    VARTYPE vt;
    const char16_t *name;  // as a person reading an error message knows it
    i128 min;
    i128 max;
    unsigned bytes;  // width of the value in VARIANT's union (little-endian, at offset 8)
};

template <class T>
constexpr IntegerType integer_type(VARTYPE vt, const char16_t *name)
{
    return {vt, name, std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), sizeof(T)};
}

inline constexpr IntegerType kIntegerTypes[] = {
    integer_type<int8_t>(VT_I1, u"Char (VT_I1)"),
    integer_type<uint8_t>(VT_UI1, u"Byte (VT_UI1)"),
    integer_type<int16_t>(VT_I2, u"Integer (VT_I2)"),
    integer_type<uint16_t>(VT_UI2, u"Unsigned Integer (VT_UI2)"),
    integer_type<int32_t>(VT_I4, u"Long (VT_I4)"),
    integer_type<uint32_t>(VT_UI4, u"Unsigned Long (VT_UI4)"),
    integer_type<int64_t>(VT_I8, u"LongLong (VT_I8)"),
    integer_type<uint64_t>(VT_UI8, u"Unsigned LongLong (VT_UI8)"),
    integer_type<INT>(VT_INT, u"Int (VT_INT)"),
    integer_type<UINT>(VT_UINT, u"Unsigned Int (VT_UINT)"),
};

// The row for vt, or null when vt is not an integer type.
constexpr const IntegerType *find_integer_type(VARTYPE vt)
{
    for (const IntegerType &t : kIntegerTypes)
        if (t.vt == vt)
            return &t;
    return nullptr;
}

// The row for vt; vt must be an integer type.
const IntegerType &integer_type_of(VARTYPE vt);

constexpr bool fits(const IntegerType &t, i128 v) { return v >= t.min && v <= t.max; }
constexpr bool is_unsigned(const IntegerType &t) { return t.min == 0; }

// The integer held by v, whose base type (after dereferencing) is t.vt.
i128 load_integer(const void *value_bits, const IntegerType &t);

// Stores v, which fits t, into the integer member of out.
void store_integer(VARIANT &out, const IntegerType &t, i128 v);

}  // namespace oleaut::conv

#endif
