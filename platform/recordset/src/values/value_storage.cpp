#include "values/value_storage.hpp"

#include "oleaut/variant_view.hpp"
#include "errors/recordset_errors.hpp"
#include "errors/variant_type_names.hpp"
#include "values/field_types.hpp"

namespace recordset {

namespace {

bool accepts_null(const column &field)
{
    return field.attributes != kAttrUnspecified && (field.attributes & (kAttrIsNullable | kAttrMayBeNull)) != 0;
}

void check_length(const column &field, size_t length, const char16_t *unit)
{
    if (field.defined_size > 0 && length > static_cast<size_t>(field.defined_size))
        fail(error_id::value_too_long,
             {field.name, to_text(static_cast<long long>(length)), unit, to_text(field.defined_size)});
}

oleaut::variant binary_value(const column &field, const field_type_info &type, const VARIANT &v)
{
    if (v.vt != (VT_ARRAY | VT_UI1) || !v.parray || SafeArrayGetDim(v.parray) != 1)
        fail(error_id::value_conversion,
             {field.name, type.name,
              u"a binary field takes a one-dimensional byte array (VT_ARRAY | VT_UI1), not " + variant_type_name(v.vt)});
    LONG lower = 0, upper = -1;
    oleaut::check(SafeArrayGetLBound(v.parray, 1, &lower));
    oleaut::check(SafeArrayGetUBound(v.parray, 1, &upper));
    check_length(field, static_cast<size_t>(upper - lower + 1), u"bytes");
    return oleaut::variant(v);
}

oleaut::variant converted(const column &field, const field_type_info &type, const VARIANT &v, VARTYPE to, USHORT flags)
{
    oleaut::variant out;
    HRESULT hr = VariantChangeTypeEx(&out, &v, LOCALE_EN_US, flags, to);
    if (FAILED(hr))
        fail(error_id::value_conversion, {field.name, type.name, oleaut::com_error(hr).description()});
    return out;
}

}  // namespace

oleaut::variant value_for_field(const column &field, const VARIANT &given)
{
    const oleaut::variant_view view(given);
    const VARIANT *v = &view.plain_value();
    if (v->vt == VT_NULL) {
        if (!accepts_null(field))
            fail(error_id::value_null_refused, {field.name});
        return oleaut::variant::null();
    }
    const field_type_info *type = find_field_type(field.type);
    if (!type)  // only appended fields are written, and Append admits known types only
        fail(error_id::field_type_unknown, {to_text(field.type), known_field_types_text()});
    switch (type->kind) {
    case value_kind::any:
        return oleaut::variant(*v);
    case value_kind::binary:
        return binary_value(field, *type, *v);
    case value_kind::text: {
        // Booleans as True/False: the automation runtime's own idea of "as text".
        oleaut::variant s = converted(field, *type, *v, VT_BSTR, VARIANT_ALPHABOOL);
        check_length(field, SysStringLen(s.bstrVal), u"characters");
        return s;
    }
    case value_kind::scalar:
        break;
    }
    return converted(field, *type, *v, type->vt, 0);
}

}  // namespace recordset
