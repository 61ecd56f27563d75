#include "errors/variant_type_names.hpp"

#include "errors/recordset_errors.hpp"

namespace recordset {

namespace {

struct type_name {
    VARTYPE vt;
    const char16_t *script_name;
    const char16_t *constant;
};

constexpr type_name kNames[] = {
    {VT_EMPTY, u"Empty", u"VT_EMPTY"},     {VT_NULL, u"Null", u"VT_NULL"},
    {VT_I2, u"Integer", u"VT_I2"},         {VT_I4, u"Long", u"VT_I4"},
    {VT_R4, u"Single", u"VT_R4"},          {VT_R8, u"Double", u"VT_R8"},
    {VT_CY, u"Currency", u"VT_CY"},        {VT_DATE, u"Date", u"VT_DATE"},
    {VT_BSTR, u"String", u"VT_BSTR"},      {VT_DISPATCH, u"Object", u"VT_DISPATCH"},
    {VT_ERROR, u"Error", u"VT_ERROR"},     {VT_BOOL, u"Boolean", u"VT_BOOL"},
    {VT_VARIANT, u"Variant", u"VT_VARIANT"}, {VT_UNKNOWN, u"Unknown", u"VT_UNKNOWN"},
    {VT_DECIMAL, u"Decimal", u"VT_DECIMAL"}, {VT_I1, u"SByte", u"VT_I1"},
    {VT_UI1, u"Byte", u"VT_UI1"},          {VT_UI2, u"UShort", u"VT_UI2"},
    {VT_UI4, u"ULong", u"VT_UI4"},         {VT_I8, u"LongLong", u"VT_I8"},
    {VT_UI8, u"ULongLong", u"VT_UI8"},     {VT_INT, u"Int", u"VT_INT"},
    {VT_UINT, u"UInt", u"VT_UINT"},
};

const type_name *find(VARTYPE vt)
{
    for (const type_name &n : kNames)
        if (n.vt == vt)
            return &n;
    return nullptr;
}

}  // namespace

std::u16string variant_type_name(VARTYPE vt)
{
    const VARTYPE base = vt & VT_TYPEMASK;
    const type_name *n = find(base);
    if (!n || (vt & ~(VT_TYPEMASK | VT_ARRAY | VT_BYREF)))
        return u"VARTYPE " + to_text(vt);
    std::u16string script = n->script_name, constant = n->constant;
    if (vt & VT_ARRAY) {
        script = u"Array of " + script;
        constant = u"VT_ARRAY | " + constant;
    }
    if (vt & VT_BYREF) {
        script += u" by reference";
        constant = u"VT_BYREF | " + constant;
    }
    return script + u" (" + constant + u")";
}

}  // namespace recordset
