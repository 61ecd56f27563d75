// The type words both sides of the comparison are reduced to, and the names of members.
#include "automation/type_library_check.hpp"

#include "oleaut/bstr.hpp"
#include "oleaut/com_ptr.hpp"

namespace quillet::check {

namespace {

std::string scalar_word(VARTYPE vt)
{
    switch (vt) {
    case VT_EMPTY:
    case VT_VOID: return "void";
    case VT_I2: return "short";
    case VT_I4: return "long";
    case VT_R4: return "float";
    case VT_R8: return "double";
    case VT_CY: return "CURRENCY";
    case VT_DATE: return "DATE";
    case VT_BSTR: return "BSTR";
    case VT_DISPATCH: return "IDispatch*";
    case VT_ERROR: return "SCODE";
    case VT_BOOL: return "VARIANT_BOOL";
    case VT_VARIANT: return "VARIANT";
    case VT_UNKNOWN: return "IUnknown*";
    case VT_DECIMAL: return "DECIMAL";
    case VT_UI1: return "unsigned char";
    case VT_INT: return "int";
    case VT_HRESULT: return "HRESULT";
    default: return "VARTYPE(" + std::to_string(vt) + ")";
    }
}

// A named type: an interface is what it arrives as, anything else its name.
std::string named_word(ITypeInfo *owner, HREFTYPE ref)
{
    oleaut::com_ptr<ITypeInfo> named;
    if (FAILED(owner->GetRefTypeInfo(ref, named.put())))
        return "(unresolved type)";
    TYPEATTR *attr = nullptr;
    if (FAILED(named->GetTypeAttr(&attr)))
        return "(unreadable type)";
    const TYPEKIND kind = attr->typekind;
    const bool dispatch = kind == TKIND_DISPATCH || (attr->wTypeFlags & TYPEFLAG_FDISPATCHABLE) != 0 ||
                          IsEqualGUID(attr->guid, IID_IDispatch);
    named->ReleaseTypeAttr(attr);
    if (kind == TKIND_DISPATCH || kind == TKIND_INTERFACE)
        return dispatch ? "IDispatch" : "IUnknown";
    return name_of(named.get(), MEMBERID_NIL);
}

}  // namespace

std::string name_of(ITypeInfo *t, MEMBERID memid)
{
    oleaut::bstr name;
    if (FAILED(t->GetDocumentation(memid, name.put(), nullptr, nullptr, nullptr)))
        return "(no name)";
    return name.utf8();
}

std::string type_word(ITypeInfo *owner, const TYPEDESC &type)
{
    switch (type.vt) {
    case VT_PTR: return type_word(owner, *type.lptdesc) + "*";
    case VT_SAFEARRAY: return "SAFEARRAY(" + type_word(owner, *type.lptdesc) + ")";
    case VT_USERDEFINED: return named_word(owner, type.hreftype);
    default: return scalar_word(type.vt);
    }
}

std::string described_word(VARTYPE vt, const OLECHAR *type_name)
{
    if (vt & VT_BYREF)
        return described_word(static_cast<VARTYPE>(vt & ~VT_BYREF), type_name) + "*";
    if (vt & VT_ARRAY)
        return "SAFEARRAY(" + described_word(static_cast<VARTYPE>(vt & ~VT_ARRAY), type_name) + ")";
    if (vt == VT_I4 && type_name)
        return oleaut::utf16_to_utf8(type_name);
    return scalar_word(vt);
}

}  // namespace quillet::check
