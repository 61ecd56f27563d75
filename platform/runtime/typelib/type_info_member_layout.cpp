// Declared types and members turned into element shapes and function layouts.
#include "type_member_layout.hpp"

namespace oleaut::disp {

namespace {

bool is_property_put(INVOKEKIND kind) { return kind == INVOKE_PROPERTYPUT || kind == INVOKE_PROPERTYPUTREF; }

USHORT param_flags(const param &p)
{
    USHORT flags = PARAMFLAG_FIN;
    if (p.type & VT_BYREF)
        flags |= PARAMFLAG_FOUT;  // the callee writes the caller's variable back
    if (p.optional)
        flags |= PARAMFLAG_FOPT;
    return flags;
}

std::vector<elem_shape> param_shapes(const member_info &m, type_family &family)
{
    std::vector<elem_shape> out;
    out.reserve(m.params.size() + 1);
    for (const param &p : m.params) {
        elem_shape s = declared_shape(p.type, p.type_name, family);
        s.param_flags = param_flags(p);
        out.push_back(s);
    }
    return out;
}

}  // namespace

elem_shape declared_shape(VARTYPE vt, const char16_t *type_name, type_family &family)
{
    elem_shape s;
    if (vt & VT_BYREF)
        s.push(VT_PTR);
    if (vt & VT_ARRAY)
        s.push(VT_SAFEARRAY);
    const auto base = static_cast<VARTYPE>(vt & VT_TYPEMASK);
    if (type_name && (base == VT_DISPATCH || base == VT_UNKNOWN)) {
        s.push(VT_PTR);
        s.push(VT_USERDEFINED);
        const TYPEKIND kind = base == VT_DISPATCH ? TKIND_DISPATCH : TKIND_INTERFACE;
        s.href = family.reference_to(family.named_type(type_name, kind));
    } else if (type_name && base == VT_I4) {
        s.push(VT_USERDEFINED);
        s.href = family.reference_to(family.named_type(type_name, TKIND_ENUM));
    } else {
        s.push(base == VT_EMPTY ? static_cast<VARTYPE>(VT_VOID) : base);
    }
    return s;
}

func_layout dispatch_layout(const member_info &m, type_family &family)
{
    func_layout f;
    f.memid = m.id;
    f.invkind = m.kind;
    f.funckind = FUNC_DISPATCH;
    f.flags = m.func_flags;
    f.params = param_shapes(m, family);
    f.result = declared_shape(m.result, m.result_type_name, family);
    return f;
}

func_layout vtable_layout(const member_info &m, UINT slot, type_family &family)
{
    func_layout f;
    f.memid = m.id;
    f.invkind = m.kind;
    f.funckind = FUNC_PUREVIRTUAL;
    f.vtable_offset = static_cast<SHORT>(slot * sizeof(void *));
    f.flags = m.func_flags;
    f.params = param_shapes(m, family);
    if (m.result != VT_EMPTY) {
        elem_shape ret = declared_shape(m.result, m.result_type_name, family).pointer_to();
        ret.param_flags = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
        f.params.push_back(ret);
    }
    f.result.push(VT_HRESULT);
    return f;
}

std::vector<std::u16string_view> listed_param_names(const member_info &m, bool dispatch_side)
{
    std::vector<std::u16string_view> names;
    size_t count = m.params.size();
    if (dispatch_side && is_property_put(m.kind) && count > 0)
        --count;
    for (size_t i = 0; i < count; ++i)
        names.emplace_back(m.params[i].name ? m.params[i].name : u"");
    return names;
}

}  // namespace oleaut::disp
