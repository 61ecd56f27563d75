// ITypeLib over a library description. The library is the family of its types, so a
// reference to the library or to any of its types keeps all of them alive.
#ifndef OLEAUT_DISPATCH_TYPE_LIBRARY_HPP
#define OLEAUT_DISPATCH_TYPE_LIBRARY_HPP

#include <optional>
#include <vector>

#include "oleaut/dispatch/describe.hpp"
#include "type_family.hpp"

namespace oleaut::disp {

class type_library final : public unknown<type_library, interfaces<ITypeLib>, owner_counted>, public type_family {
public:
    explicit type_library(const library_info &desc);
    // Creates the listed types and links them; called once, before the library is shared.
    void build();

    // IUnknown: the library is its own family and counts for all its types.
    type_family &count_owner() noexcept { return *this; }

    // ITypeLib
    STDMETHOD_(UINT, GetTypeInfoCount)() override { return static_cast<UINT>(listed_.size()); }
    STDMETHOD(GetTypeInfo)(UINT index, ITypeInfo **ppTInfo) override;
    STDMETHOD(GetTypeInfoType)(UINT index, TYPEKIND *pTKind) override;
    STDMETHOD(GetTypeInfoOfGuid)(REFGUID guid, ITypeInfo **ppTinfo) override;
    STDMETHOD(GetLibAttr)(TLIBATTR **ppTLibAttr) override;
    STDMETHOD(GetTypeComp)(ITypeComp **ppTComp) override;
    STDMETHOD(GetDocumentation)(INT index, BSTR *pBstrName, BSTR *pBstrDocString, DWORD *pdwHelpContext,
                                BSTR *pBstrHelpFile) override;
    STDMETHOD(IsName)(LPOLESTR szNameBuf, ULONG lHashVal, BOOL *pfName) override;
    STDMETHOD(FindName)(LPOLESTR szNameBuf, ULONG lHashVal, ITypeInfo **ppTInfo, MEMBERID *rgMemId,
                        USHORT *pcFound) override;
    STDMETHOD_(void, ReleaseTLibAttr)(TLIBATTR *pTLibAttr) override;

    HRESULT containing_library(const type_info_base &type, ITypeLib **lib, UINT *index) override;

protected:
    type_info_base *find_listed(std::u16string_view name, TYPEKIND wanted) const override;

private:
    std::optional<UINT> index_of(const type_info_base *entry) const noexcept;
    HRESULT fail(HRESULT hr, std::string_view description) const;
    HRESULT no_such_index(const char *method, UINT index) const;

    const library_info &desc_;
    std::vector<type_info_base *> listed_;
};

}  // namespace oleaut::disp

#endif
