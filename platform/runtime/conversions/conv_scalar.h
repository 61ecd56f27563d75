// A source value read out of a VARIANT, with references followed, in the few
// shapes the conversion rules care about. Every integer width becomes one
// 128-bit integer, so each target type needs one rule per shape, not one per
// VARTYPE.
#ifndef OLEAUT_CONV_SCALAR_H
#define OLEAUT_CONV_SCALAR_H

#include <string_view>

#include "values/conv_wide_int.h"
#include "oleaut.h"

namespace oleaut::conv {

enum class Shape { Empty, Integer, Bool, R4, R8, Date, Currency, Decimal, String, Error };

struct Scalar {
    Shape shape = Shape::Empty;
    VARTYPE vt = VT_EMPTY;  // the base type it was read from, for messages
    i128 integer = 0;       // Integer
    double real = 0;        // R4 (exactly widened), R8, Date
    VARIANT_BOOL boolean = 0;
    CY cy{};
    DECIMAL dec{};
    std::u16string_view text;  // String: up to the first NUL, as the Var*FromStr functions read it
    SCODE error = 0;

    static Scalar of_integer(VARTYPE vt, i128 v);
    static Scalar of_bool(VARIANT_BOOL b);
    static Scalar of_r4(float f);
    static Scalar of_r8(double d);
    static Scalar of_date(double d);
    static Scalar of_cy(CY c);
    static Scalar of_dec(const DECIMAL &d);
    static Scalar of_text(const OLECHAR *s);  // null reads as ""
    static Scalar of_empty();
};

// Reads the value of v, which must be a plain (non-reference) scalar of a
// fundamental type. Answers DISP_E_TYPEMISMATCH for Null, objects and arrays and
// DISP_E_BADVARTYPE for types that a VARIANT cannot hold.
HRESULT read_scalar(const VARIANT &v, Scalar *out);

// The name a person knows a base type by, e.g. u"Double (VT_R8)".
std::u16string_view type_name(VARTYPE vt);

}  // namespace oleaut::conv

#endif
