// The type words both sides of the comparison are reduced to, and the names of members.
#include "automation/type_library_check.hpp"

#include "oleaut/bstr.hpp"
#include "oleaut/com_ptr.hpp"
#include "oleaut/dispatch/idl_words.hpp"

namespace quillet::check {

namespace {

std::string scalar_word(VARTYPE vt)
{
    if (vt == VT_EMPTY)
        return "void";
    const char *word = oleaut::disp::vartype_word(vt);
    return word ? word : "VARTYPE(" + std::to_string(vt) + ")";
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
