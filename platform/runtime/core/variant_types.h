// Which VARTYPEs may stand in a VARIANT, and how big a value of each is. Shared by
// variant_core.cpp and safearray.cpp so that both agree on what is valid.
#ifndef OLEAUT_SRC_VARIANT_TYPES_H
#define OLEAUT_SRC_VARIANT_TYPES_H

#include "oleaut.h"

namespace oleaut::detail {

// The size of one value of a base type as stored in a safe array, or 0 when the
// type cannot be a value or an array element.
inline ULONG element_size(VARTYPE base)
{
    switch (base) {
    case VT_I1:
    case VT_UI1:
        return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
        return 4;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
        return 8;
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return sizeof(void *);
    case VT_DECIMAL:
        return sizeof(DECIMAL);
    case VT_VARIANT:
        return sizeof(VARIANT);
    default:
        return 0;
    }
}

// True when vt is a type a VARIANT may hold: a plain value, an array of values or
// variants, or a reference to either.
inline bool is_valid_variant_type(VARTYPE vt)
{
    if (vt & ~(VT_TYPEMASK | VT_ARRAY | VT_BYREF))
        return false;
    VARTYPE base = vt & VT_TYPEMASK;
    if (vt & VT_ARRAY)
        return element_size(base) != 0;
    if (vt & VT_BYREF)
        return base == VT_VARIANT || element_size(base) != 0;
    if (base == VT_EMPTY || base == VT_NULL)
        return true;
    return base != VT_VARIANT && element_size(base) != 0;
}

}  // namespace oleaut::detail

#endif
