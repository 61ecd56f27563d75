#include "values/value_lists.hpp"

#include "oleaut/variant_view.hpp"
#include "errors/recordset_errors.hpp"
#include "errors/variant_type_names.hpp"

namespace recordset {

namespace {

// Array element types read straight into a variant's value slot.
bool is_plain_scalar(VARTYPE vt)
{
    switch (vt) {
    case VT_I2: case VT_I4: case VT_I8: case VT_R4: case VT_R8: case VT_BOOL: case VT_UI1: case VT_CY: case VT_DATE:
        return true;
    default:
        return false;
    }
}

oleaut::variant element(SAFEARRAY *sa, VARTYPE vt, LONG index)
{
    oleaut::variant v;
    if (vt == VT_VARIANT) {
        oleaut::check(SafeArrayGetElement(sa, &index, &v));
        return v;
    }
    if (vt == VT_BSTR) {
        BSTR b = nullptr;
        oleaut::check(SafeArrayGetElement(sa, &index, &b));
        v.vt = VT_BSTR;
        v.bstrVal = b;
        return v;
    }
    oleaut::check(SafeArrayGetElement(sa, &index, &v.llVal));
    v.vt = vt;
    return v;
}

}  // namespace

std::vector<oleaut::variant> list_items(const VARIANT &given, std::u16string_view operation)
{
    const oleaut::variant_view view(given);
    const VARIANT *v = &view.plain_value();
    if (!(v->vt & VT_ARRAY))
        return {oleaut::variant(*v)};
    const VARTYPE element_vt = v->vt & VT_TYPEMASK;
    if (!v->parray || SafeArrayGetDim(v->parray) != 1 ||
        !(element_vt == VT_VARIANT || element_vt == VT_BSTR || is_plain_scalar(element_vt)))
        fail(error_id::list_element_type, {operation, variant_type_name(v->vt)});
    LONG lower = 0, upper = -1;
    oleaut::check(SafeArrayGetLBound(v->parray, 1, &lower));
    oleaut::check(SafeArrayGetUBound(v->parray, 1, &upper));
    std::vector<oleaut::variant> out;
    for (LONG i = lower; i <= upper; ++i)
        out.push_back(element(v->parray, element_vt, i));
    return out;
}

}  // namespace recordset
