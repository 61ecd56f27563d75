// ITypeInfo slots shared by every kind of type built from a description.
#include <algorithm>

#include "oleaut/dispatch/describe.hpp"
#include "type_descriptors.hpp"
#include "type_errors.hpp"
#include "type_family.hpp"

namespace oleaut::disp {

type_info_base::type_info_base(type_family &family, std::u16string name, TYPEKIND kind, const GUID &guid,
                               WORD type_flags, const char16_t *doc)
    : family_(family), name_(std::move(name)), kind_(kind), guid_(guid), type_flags_(type_flags), doc_(doc)
{
}

HRESULT STDMETHODCALLTYPE type_info_base::GetTypeAttr(TYPEATTR **ppTypeAttr)
try {
    if (!ppTypeAttr)
        return fail(E_INVALIDARG, "GetTypeAttr was given no place for the attributes.");
    TYPEATTR attr{};
    attr.guid = guid_;
    attr.lcid = family_.lcid();
    attr.memidConstructor = MEMBERID_NIL;
    attr.memidDestructor = MEMBERID_NIL;
    attr.typekind = kind_;
    attr.cFuncs = static_cast<WORD>(functions() ? functions()->size() : 0);
    attr.cVars = static_cast<WORD>(var_count());
    attr.cImplTypes = static_cast<WORD>(impl_type_count());
    attr.wTypeFlags = type_flags_;
    attr.wMajorVerNum = family_.major();
    attr.wMinorVerNum = family_.minor();
    attr.tdescAlias.vt = VT_EMPTY;
    fill_type_attr(attr);
    *ppTypeAttr = new_type_attr(attr);
    return S_OK;
} catch (...) {
    return hresult_from_exception();
}

HRESULT STDMETHODCALLTYPE type_info_base::GetTypeComp(ITypeComp **ppTComp)
{
    if (ppTComp)
        *ppTComp = nullptr;
    return not_implemented("GetTypeComp");
}

HRESULT STDMETHODCALLTYPE type_info_base::GetFuncDesc(UINT index, FUNCDESC **ppFuncDesc)
try {
    if (!ppFuncDesc)
        return fail(E_INVALIDARG, "GetFuncDesc was given no place for the description.");
    *ppFuncDesc = nullptr;
    const auto *funcs = functions();
    const size_t count = funcs ? funcs->size() : 0;
    if (index >= count)
        return fail(TYPE_E_ELEMENTNOTFOUND, "There is no function at index " + std::to_string(index) +
                                                "; the type has " + std::to_string(count) + ".");
    *ppFuncDesc = new_func_desc((*funcs)[index]);
    return S_OK;
} catch (...) {
    return hresult_from_exception();
}

HRESULT STDMETHODCALLTYPE type_info_base::GetVarDesc(UINT index, VARDESC **ppVarDesc)
try {
    if (!ppVarDesc)
        return fail(E_INVALIDARG, "GetVarDesc was given no place for the description.");
    *ppVarDesc = nullptr;
    if (index >= var_count())
        return fail(TYPE_E_ELEMENTNOTFOUND, "There is no variable or constant at index " + std::to_string(index) +
                                                "; the type has " + std::to_string(var_count()) + ".");
    *ppVarDesc = make_var_desc(index);
    return S_OK;
} catch (...) {
    return hresult_from_exception();
}

VARDESC *type_info_base::make_var_desc(UINT) const { return nullptr; }

HRESULT STDMETHODCALLTYPE type_info_base::GetNames(MEMBERID memid, BSTR *rgBstrNames, UINT cMaxNames, UINT *pcNames)
try {
    if (!rgBstrNames || !pcNames)
        return fail(E_INVALIDARG, "GetNames was given no array for the names or no place for their count.");
    *pcNames = 0;
    const named_member *m = member_by_id(memid);
    if (!m)
        return fail(TYPE_E_ELEMENTNOTFOUND, "No member has the id " + id_text(memid) + ".");
    std::vector<std::u16string_view> names{m->name};
    names.insert(names.end(), m->params.begin(), m->params.end());
    const UINT n = std::min<UINT>(cMaxNames, static_cast<UINT>(names.size()));
    std::vector<bstr> out;
    out.reserve(n);
    for (UINT i = 0; i < n; ++i)
        out.emplace_back(names[i]);
    for (UINT i = 0; i < n; ++i)
        rgBstrNames[i] = out[i].detach();
    *pcNames = n;
    return S_OK;
} catch (...) {
    return hresult_from_exception();
}

HRESULT STDMETHODCALLTYPE type_info_base::GetRefTypeOfImplType(UINT index, HREFTYPE *pRefType)
try {
    if (!pRefType)
        return fail(E_INVALIDARG, "GetRefTypeOfImplType was given no place for the reference.");
    std::optional<HREFTYPE> ref = impl_type(index);
    if (!ref)
        return fail(TYPE_E_ELEMENTNOTFOUND, "There is no implemented type at index " +
                                                std::to_string(static_cast<INT>(index)) + "; the type has " +
                                                std::to_string(impl_type_count()) + ".");
    *pRefType = *ref;
    return S_OK;
} catch (...) {
    return hresult_from_exception();
}

std::optional<HREFTYPE> type_info_base::impl_type(UINT) const { return std::nullopt; }

HRESULT STDMETHODCALLTYPE type_info_base::GetImplTypeFlags(UINT index, INT *pImplTypeFlags)
try {
    if (!pImplTypeFlags)
        return fail(E_INVALIDARG, "GetImplTypeFlags was given no place for the flags.");
    if (index >= impl_type_count())
        return fail(TYPE_E_ELEMENTNOTFOUND, "There is no implemented type at index " + std::to_string(index) +
                                                "; the type has " + std::to_string(impl_type_count()) + ".");
    *pImplTypeFlags = impl_type_flags(index);
    return S_OK;
} catch (...) {
    return hresult_from_exception();
}

INT type_info_base::impl_type_flags(UINT) const { return 0; }

HRESULT STDMETHODCALLTYPE type_info_base::GetIDsOfNames(LPOLESTR *rgszNames, UINT cNames, MEMBERID *pMemId)
try {
    if (!rgszNames || !pMemId || cNames == 0)
        return fail(E_INVALIDARG, "GetIDsOfNames needs at least one name and a place for each id.");
    std::fill(pMemId, pMemId + cNames, MEMBERID_NIL);
    if (!rgszNames[0])
        return fail(E_INVALIDARG, "GetIDsOfNames was given a null member name.");
    const std::u16string_view wanted(rgszNames[0]);
    auto m = std::find_if(members_.begin(), members_.end(),
                          [&](const named_member &x) { return names_equal(x.name, wanted); });
    if (m == members_.end())
        return fail(DISP_E_UNKNOWNNAME, "'" + name_utf8(name_) + "' has no member named '" + name_utf8(wanted) + "'.");
    pMemId[0] = m->id;
    std::string unknown;
    for (UINT i = 1; i < cNames; ++i) {
        const std::u16string_view p = rgszNames[i] ? std::u16string_view(rgszNames[i]) : std::u16string_view();
        auto at = std::find_if(m->params.begin(), m->params.end(),
                               [&](std::u16string_view x) { return rgszNames[i] && names_equal(x, p); });
        if (at == m->params.end())
            unknown += (unknown.empty() ? "'" : ", '") + name_utf8(p) + "'";
        else
            pMemId[i] = static_cast<MEMBERID>(at - m->params.begin());
    }
    if (!unknown.empty())
        return fail(DISP_E_UNKNOWNNAME,
                    "'" + name_utf8(name_) + "." + name_utf8(m->name) + "' has no parameter named " + unknown + ".");
    return S_OK;
} catch (...) {
    return hresult_from_exception();
}

HRESULT STDMETHODCALLTYPE type_info_base::Invoke(PVOID pvInstance, MEMBERID memid, WORD wFlags,
                                                 DISPPARAMS *pDispParams, VARIANT *pVarResult,
                                                 EXCEPINFO *pExcepInfo, UINT *puArgErr)
try {
    return invoke_member(pvInstance, memid, wFlags, pDispParams, pVarResult, pExcepInfo, puArgErr);
} catch (...) {
    return hresult_from_exception();
}

HRESULT type_info_base::invoke_member(void *, MEMBERID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *, UINT *)
{
    return not_implemented("Invoke");
}

HRESULT answer_documentation(std::u16string_view name, const char16_t *doc, BSTR *pBstrName, BSTR *pBstrDocString,
                             DWORD *pdwHelpContext, BSTR *pBstrHelpFile)
{
    // Allocate everything first so that a failure leaves no out parameter half set.
    bstr name_out = pBstrName ? bstr(name) : bstr();
    bstr doc_out = pBstrDocString && doc ? bstr(doc) : bstr();
    if (pBstrName)
        *pBstrName = name_out.detach();
    if (pBstrDocString)
        *pBstrDocString = doc_out.detach();
    if (pdwHelpContext)
        *pdwHelpContext = 0;
    if (pBstrHelpFile)
        *pBstrHelpFile = nullptr;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE type_info_base::GetDocumentation(MEMBERID memid, BSTR *pBstrName, BSTR *pBstrDocString,
                                                           DWORD *pdwHelpContext, BSTR *pBstrHelpFile)
try {
    std::u16string_view name;
    const char16_t *doc = nullptr;
    if (memid == MEMBERID_NIL) {
        name = name_;
        doc = doc_;
    } else if (const named_member *m = member_by_id(memid)) {
        name = m->name;
        doc = m->doc;
    } else {
        return fail(TYPE_E_ELEMENTNOTFOUND, "No member has the id " + id_text(memid) + ".");
    }
    return answer_documentation(name, doc, pBstrName, pBstrDocString, pdwHelpContext, pBstrHelpFile);
} catch (...) {
    return hresult_from_exception();
}

HRESULT STDMETHODCALLTYPE type_info_base::GetDllEntry(MEMBERID, INVOKEKIND, BSTR *, BSTR *, WORD *)
{
    return not_implemented("GetDllEntry");
}

HRESULT STDMETHODCALLTYPE type_info_base::GetRefTypeInfo(HREFTYPE hRefType, ITypeInfo **ppTInfo)
try {
    if (!ppTInfo)
        return fail(E_INVALIDARG, "GetRefTypeInfo was given no place for the type.");
    *ppTInfo = nullptr;
    type_info_base *t = family_.resolve(hRefType);
    if (!t)
        return fail(TYPE_E_ELEMENTNOTFOUND, "The reference " + std::to_string(hRefType) + " names no type known here.");
    t->AddRef();
    *ppTInfo = t;
    return S_OK;
} catch (...) {
    return hresult_from_exception();
}

HRESULT STDMETHODCALLTYPE type_info_base::AddressOfMember(MEMBERID, INVOKEKIND, PVOID *ppv)
{
    if (ppv)
        *ppv = nullptr;
    return not_implemented("AddressOfMember");
}

HRESULT STDMETHODCALLTYPE type_info_base::CreateInstance(IUnknown *, REFIID, PVOID *ppvObj)
{
    if (ppvObj)
        *ppvObj = nullptr;
    return not_implemented("CreateInstance");
}

HRESULT STDMETHODCALLTYPE type_info_base::GetMops(MEMBERID, BSTR *pBstrMops)
{
    if (pBstrMops)
        *pBstrMops = nullptr;
    return not_implemented("GetMops");
}

HRESULT STDMETHODCALLTYPE type_info_base::GetContainingTypeLib(ITypeLib **ppTLib, UINT *pIndex)
try {
    return family_.containing_library(*this, ppTLib, pIndex);
} catch (...) {
    return hresult_from_exception();
}

void STDMETHODCALLTYPE type_info_base::ReleaseTypeAttr(TYPEATTR *pTypeAttr) { free_descriptor(pTypeAttr); }
void STDMETHODCALLTYPE type_info_base::ReleaseFuncDesc(FUNCDESC *pFuncDesc) { free_descriptor(pFuncDesc); }
void STDMETHODCALLTYPE type_info_base::ReleaseVarDesc(VARDESC *pVarDesc) { free_descriptor(pVarDesc); }

const named_member *type_info_base::member_by_id(MEMBERID memid) const noexcept
{
    for (const named_member &m : members_)
        if (m.id == memid)
            return &m;
    return nullptr;
}

HRESULT type_info_base::fail(HRESULT hr, std::string_view description) const
{
    return type_failure(hr, name_, description);
}

HRESULT type_info_base::not_implemented(const char *method) const
try {
    return fail(E_NOTIMPL, std::string("ITypeInfo::") + method +
                               " is not available: this type information is generated from a description and has "
                               "no binding, entry points or instances.");
} catch (...) {
    return hresult_from_exception();
}

}  // namespace oleaut::disp
