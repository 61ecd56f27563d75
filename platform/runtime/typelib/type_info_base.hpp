// The part of ITypeInfo every kind of type shares: reference counting through the
// family that owns the type, the lookups by name and member id, the descriptor
// blocks, and E_NOTIMPL for the slots that describe DLL entry points, instances and
// marshalling, which no type built from a description has.
#ifndef OLEAUT_DISPATCH_TYPE_INFO_BASE_HPP
#define OLEAUT_DISPATCH_TYPE_INFO_BASE_HPP

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "oleaut.h"
#include "oleaut/unknown.hpp"
#include "type_object_count.hpp"
#include "type_layout.hpp"

namespace oleaut::disp {

class type_family;

// What GetNames, GetIDsOfNames and GetDocumentation know of one function or constant.
struct named_member {
    MEMBERID id = MEMBERID_NIL;
    std::u16string_view name;
    std::vector<std::u16string_view> params;  // as GetNames lists them
    const char16_t *doc = nullptr;
};

// GetDocumentation's answer for a type or a library: name and doc string as BSTRs (the
// doc string only when there is one), no help context and no help file. Out pointers
// may be null; a failure sets none of them.
HRESULT answer_documentation(std::u16string_view name, const char16_t *doc, BSTR *pBstrName, BSTR *pBstrDocString,
                             DWORD *pdwHelpContext, BSTR *pBstrHelpFile);

class type_info_base : public unknown<type_info_base, interfaces<ITypeInfo>, owner_counted>, private type_object_counted {
public:
    type_info_base(type_family &family, std::u16string name, TYPEKIND kind, const GUID &guid, WORD type_flags,
                   const char16_t *doc);

    const std::u16string &name() const noexcept { return name_; }
    TYPEKIND kind() const noexcept { return kind_; }
    const GUID &guid() const noexcept { return guid_; }
    const char16_t *doc() const noexcept { return doc_; }
    const std::vector<named_member> &members() const noexcept { return members_; }

    // The library entry this type is reported as (itself, or the dispatch side of a dual
    // interface for its interface side); null for a type no library lists.
    const type_info_base *library_entry() const noexcept { return library_entry_; }
    void set_library_entry(const type_info_base *entry) noexcept { library_entry_ = entry; }

    // IUnknown counts through the family, which counts for all its types.
    type_family &count_owner() noexcept { return family_; }

    // ITypeInfo
    STDMETHOD(GetTypeAttr)(TYPEATTR **ppTypeAttr) override;
    STDMETHOD(GetTypeComp)(ITypeComp **ppTComp) override;
    STDMETHOD(GetFuncDesc)(UINT index, FUNCDESC **ppFuncDesc) override;
    STDMETHOD(GetVarDesc)(UINT index, VARDESC **ppVarDesc) override;
    STDMETHOD(GetNames)(MEMBERID memid, BSTR *rgBstrNames, UINT cMaxNames, UINT *pcNames) override;
    STDMETHOD(GetRefTypeOfImplType)(UINT index, HREFTYPE *pRefType) override;
    STDMETHOD(GetImplTypeFlags)(UINT index, INT *pImplTypeFlags) override;
    STDMETHOD(GetIDsOfNames)(LPOLESTR *rgszNames, UINT cNames, MEMBERID *pMemId) override;
    STDMETHOD(Invoke)(PVOID pvInstance, MEMBERID memid, WORD wFlags, DISPPARAMS *pDispParams, VARIANT *pVarResult,
                      EXCEPINFO *pExcepInfo, UINT *puArgErr) override;
    STDMETHOD(GetDocumentation)(MEMBERID memid, BSTR *pBstrName, BSTR *pBstrDocString, DWORD *pdwHelpContext,
                                BSTR *pBstrHelpFile) override;
    STDMETHOD(GetDllEntry)(MEMBERID memid, INVOKEKIND invKind, BSTR *pBstrDllName, BSTR *pBstrName,
                           WORD *pwOrdinal) override;
    STDMETHOD(GetRefTypeInfo)(HREFTYPE hRefType, ITypeInfo **ppTInfo) override;
    STDMETHOD(AddressOfMember)(MEMBERID memid, INVOKEKIND invKind, PVOID *ppv) override;
    STDMETHOD(CreateInstance)(IUnknown *pUnkOuter, REFIID riid, PVOID *ppvObj) override;
    STDMETHOD(GetMops)(MEMBERID memid, BSTR *pBstrMops) override;
    STDMETHOD(GetContainingTypeLib)(ITypeLib **ppTLib, UINT *pIndex) override;
    STDMETHOD_(void, ReleaseTypeAttr)(TYPEATTR *pTypeAttr) override;
    STDMETHOD_(void, ReleaseFuncDesc)(FUNCDESC *pFuncDesc) override;
    STDMETHOD_(void, ReleaseVarDesc)(VARDESC *pVarDesc) override;

protected:
    // What each kind supplies. Sizes and implemented types go into the TYPEATTR that
    // the base has filled with everything the kinds share.
    virtual void fill_type_attr(TYPEATTR &attr) const = 0;
    virtual const std::vector<func_layout> *functions() const { return nullptr; }
    virtual UINT var_count() const { return 0; }
    virtual VARDESC *make_var_desc(UINT index) const;
    virtual UINT impl_type_count() const { return 0; }
    virtual std::optional<HREFTYPE> impl_type(UINT index) const;
    virtual INT impl_type_flags(UINT index) const;
    // Forwards a call described by this type to an object (only dispatch interfaces can).
    virtual HRESULT invoke_member(void *instance, MEMBERID memid, WORD flags, DISPPARAMS *params, VARIANT *result,
                                  EXCEPINFO *excep, UINT *arg_err);

    // The first member with the id, as GetNames and GetDocumentation answer it.
    const named_member *member_by_id(MEMBERID memid) const noexcept;
    // Publishes an error info with this type as its source and answers hr.
    HRESULT fail(HRESULT hr, std::string_view description) const;
    HRESULT not_implemented(const char *method) const;

    type_family &family_;
    std::vector<named_member> members_;

private:
    std::u16string name_;
    TYPEKIND kind_;
    GUID guid_;
    WORD type_flags_;
    const char16_t *doc_;
    const type_info_base *library_entry_ = nullptr;
};

}  // namespace oleaut::disp

#endif
