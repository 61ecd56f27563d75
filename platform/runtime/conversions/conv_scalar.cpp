// Reading VARIANT values into the conversion module's source shapes.
#include "conv_scalar.h"

#include <string>

#include "conv_integer_types.h"

namespace oleaut::conv {

Scalar Scalar::of_integer(VARTYPE vt, i128 v)
{
    Scalar s;
    s.shape = Shape::Integer;
    s.vt = vt;
    s.integer = v;
    return s;
}

Scalar Scalar::of_bool(VARIANT_BOOL b)
{
    Scalar s;
    s.shape = Shape::Bool;
    s.vt = VT_BOOL;
    s.boolean = b;
    return s;
}

Scalar Scalar::of_r4(float f)
{
    Scalar s;
    s.shape = Shape::R4;
    s.vt = VT_R4;
    s.real = f;
    return s;
}

Scalar Scalar::of_r8(double d)
{
    Scalar s;
    s.shape = Shape::R8;
    s.vt = VT_R8;
    s.real = d;
    return s;
}

Scalar Scalar::of_date(double d)
{
    Scalar s;
    s.shape = Shape::Date;
    s.vt = VT_DATE;
    s.real = d;
    return s;
}

Scalar Scalar::of_cy(CY c)
{
    Scalar s;
    s.shape = Shape::Currency;
    s.vt = VT_CY;
    s.cy = c;
    return s;
}

Scalar Scalar::of_dec(const DECIMAL &d)
{
    Scalar s;
    s.shape = Shape::Decimal;
    s.vt = VT_DECIMAL;
    s.dec = d;
    return s;
}

Scalar Scalar::of_text(const OLECHAR *p)
{
    Scalar s;
    s.shape = Shape::String;
    s.vt = VT_BSTR;
    s.text = p ? std::u16string_view(p) : std::u16string_view();
    return s;
}

Scalar Scalar::of_empty() { return Scalar{}; }

HRESULT read_scalar(const VARIANT &v, Scalar *out)
{
    const VARTYPE vt = v.vt;
    if (vt & (VT_ARRAY | VT_BYREF))
        return DISP_E_TYPEMISMATCH;
    if (const IntegerType *t = find_integer_type(vt)) {
        *out = Scalar::of_integer(vt, load_integer(&v.llVal, *t));
        return S_OK;
    }
    switch (vt) {
    case VT_EMPTY:
        *out = Scalar::of_empty();
        return S_OK;
    case VT_BOOL:
        *out = Scalar::of_bool(v.boolVal);
        return S_OK;
    case VT_R4:
        *out = Scalar::of_r4(v.fltVal);
        return S_OK;
    case VT_R8:
        *out = Scalar::of_r8(v.dblVal);
        return S_OK;
    case VT_DATE:
        *out = Scalar::of_date(v.date);
        return S_OK;
    case VT_CY:
        *out = Scalar::of_cy(v.cyVal);
        return S_OK;
    case VT_DECIMAL:
        *out = Scalar::of_dec(v.decVal);
        return S_OK;
    case VT_BSTR:
        *out = Scalar::of_text(v.bstrVal);
        return S_OK;
    case VT_ERROR:
        *out = Scalar{};
        out->shape = Shape::Error;
        out->vt = VT_ERROR;
        out->error = v.scode;
        return S_OK;
    case VT_NULL:
    case VT_DISPATCH:
    case VT_UNKNOWN:
    case VT_RECORD:
        return DISP_E_TYPEMISMATCH;
    default:
        return DISP_E_BADVARTYPE;
    }
}

std::u16string_view type_name(VARTYPE vt)
{
    if (vt & VT_ARRAY)
        return u"an array";
    if (const IntegerType *t = find_integer_type(vt))
        return t->name;
    switch (vt) {
    case VT_EMPTY:
        return u"Empty (VT_EMPTY)";
    case VT_NULL:
        return u"Null (VT_NULL)";
    case VT_R4:
        return u"Single (VT_R4)";
    case VT_R8:
        return u"Double (VT_R8)";
    case VT_CY:
        return u"Currency (VT_CY)";
    case VT_DATE:
        return u"Date (VT_DATE)";
    case VT_BSTR:
        return u"String (VT_BSTR)";
    case VT_DISPATCH:
        return u"Object (VT_DISPATCH)";
    case VT_ERROR:
        return u"Error (VT_ERROR)";
    case VT_BOOL:
        return u"Boolean (VT_BOOL)";
    case VT_UNKNOWN:
        return u"Unknown object (VT_UNKNOWN)";
    case VT_DECIMAL:
        return u"Decimal (VT_DECIMAL)";
    case VT_RECORD:
        return u"a record (VT_RECORD)";
    default:
        return u"an unknown type";
    }
}

}  // namespace oleaut::conv
