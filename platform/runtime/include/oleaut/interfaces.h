/* COM and OLE Automation interfaces with Windows' vtable order.
 *
 * Each interface is an abstract class with single inheritance and no data,
 * so its vtable is laid out exactly like the COM interface table: the slot
 * order below is the ABI and must never change. */
#ifndef OLEAUT_INTERFACES_H
#define OLEAUT_INTERFACES_H

#include "types.h"

struct ITypeInfo;
struct ITypeLib;

extern "C" {
OLEAUT_EXPORT extern const IID IID_NULL;
OLEAUT_EXPORT extern const IID IID_IUnknown;
OLEAUT_EXPORT extern const IID IID_IDispatch;
OLEAUT_EXPORT extern const IID IID_IClassFactory;
OLEAUT_EXPORT extern const IID IID_IErrorInfo;
OLEAUT_EXPORT extern const IID IID_ICreateErrorInfo;
OLEAUT_EXPORT extern const IID IID_ISupportErrorInfo;
OLEAUT_EXPORT extern const IID IID_ITypeInfo;
OLEAUT_EXPORT extern const IID IID_ITypeLib;
OLEAUT_EXPORT extern const IID IID_ITypeComp;
}
#define GUID_NULL IID_NULL
#define CLSID_NULL IID_NULL


struct IUnknown {
    STDMETHOD(QueryInterface)(REFIID riid, void **ppvObject) PURE;
    STDMETHOD_(ULONG, AddRef)() PURE;
    STDMETHOD_(ULONG, Release)() PURE;

protected:
    ~IUnknown() = default; /* objects die through Release(), never delete */
};
typedef IUnknown *LPUNKNOWN;

struct IDispatch : public IUnknown {
    STDMETHOD(GetTypeInfoCount)(UINT *pctinfo) PURE;
    STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo **ppTInfo) PURE;
    STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR *rgszNames, UINT cNames, LCID lcid, DISPID *rgDispId) PURE;
    STDMETHOD(Invoke)(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS *pDispParams,
                      VARIANT *pVarResult, EXCEPINFO *pExcepInfo, UINT *puArgErr) PURE;

protected:
    ~IDispatch() = default;
};
typedef IDispatch *LPDISPATCH;

struct IClassFactory : public IUnknown {
    STDMETHOD(CreateInstance)(IUnknown *pUnkOuter, REFIID riid, void **ppvObject) PURE;
    STDMETHOD(LockServer)(BOOL fLock) PURE;

protected:
    ~IClassFactory() = default;
};

struct IErrorInfo : public IUnknown {
    STDMETHOD(GetGUID)(GUID *pGUID) PURE;
    STDMETHOD(GetSource)(BSTR *pBstrSource) PURE;
    STDMETHOD(GetDescription)(BSTR *pBstrDescription) PURE;
    STDMETHOD(GetHelpFile)(BSTR *pBstrHelpFile) PURE;
    STDMETHOD(GetHelpContext)(DWORD *pdwHelpContext) PURE;

protected:
    ~IErrorInfo() = default;
};

struct ICreateErrorInfo : public IUnknown {
    STDMETHOD(SetGUID)(REFGUID rguid) PURE;
    STDMETHOD(SetSource)(LPOLESTR szSource) PURE;
    STDMETHOD(SetDescription)(LPOLESTR szDescription) PURE;
    STDMETHOD(SetHelpFile)(LPOLESTR szHelpFile) PURE;
    STDMETHOD(SetHelpContext)(DWORD dwHelpContext) PURE;

protected:
    ~ICreateErrorInfo() = default;
};

struct ISupportErrorInfo : public IUnknown {
    STDMETHOD(InterfaceSupportsErrorInfo)(REFIID riid) PURE;

protected:
    ~ISupportErrorInfo() = default;
};

struct ITypeComp : public IUnknown {
    STDMETHOD(Bind)(LPOLESTR szName, ULONG lHashVal, WORD wFlags, ITypeInfo **ppTInfo, DESCKIND *pDescKind,
                    BINDPTR *pBindPtr) PURE;
    STDMETHOD(BindType)(LPOLESTR szName, ULONG lHashVal, ITypeInfo **ppTInfo, ITypeComp **ppTComp) PURE;

protected:
    ~ITypeComp() = default;
};

struct ITypeInfo : public IUnknown {
    STDMETHOD(GetTypeAttr)(TYPEATTR **ppTypeAttr) PURE;
    STDMETHOD(GetTypeComp)(ITypeComp **ppTComp) PURE;
    STDMETHOD(GetFuncDesc)(UINT index, FUNCDESC **ppFuncDesc) PURE;
    STDMETHOD(GetVarDesc)(UINT index, VARDESC **ppVarDesc) PURE;
    STDMETHOD(GetNames)(MEMBERID memid, BSTR *rgBstrNames, UINT cMaxNames, UINT *pcNames) PURE;
    STDMETHOD(GetRefTypeOfImplType)(UINT index, HREFTYPE *pRefType) PURE;
    STDMETHOD(GetImplTypeFlags)(UINT index, INT *pImplTypeFlags) PURE;
    STDMETHOD(GetIDsOfNames)(LPOLESTR *rgszNames, UINT cNames, MEMBERID *pMemId) PURE;
    STDMETHOD(Invoke)(PVOID pvInstance, MEMBERID memid, WORD wFlags, DISPPARAMS *pDispParams, VARIANT *pVarResult,
                      EXCEPINFO *pExcepInfo, UINT *puArgErr) PURE;
    STDMETHOD(GetDocumentation)(MEMBERID memid, BSTR *pBstrName, BSTR *pBstrDocString, DWORD *pdwHelpContext,
                                BSTR *pBstrHelpFile) PURE;
    STDMETHOD(GetDllEntry)(MEMBERID memid, INVOKEKIND invKind, BSTR *pBstrDllName, BSTR *pBstrName,
                           WORD *pwOrdinal) PURE;
    STDMETHOD(GetRefTypeInfo)(HREFTYPE hRefType, ITypeInfo **ppTInfo) PURE;
    STDMETHOD(AddressOfMember)(MEMBERID memid, INVOKEKIND invKind, PVOID *ppv) PURE;
    STDMETHOD(CreateInstance)(IUnknown *pUnkOuter, REFIID riid, PVOID *ppvObj) PURE;
    STDMETHOD(GetMops)(MEMBERID memid, BSTR *pBstrMops) PURE;
    STDMETHOD(GetContainingTypeLib)(ITypeLib **ppTLib, UINT *pIndex) PURE;
    STDMETHOD_(void, ReleaseTypeAttr)(TYPEATTR *pTypeAttr) PURE;
    STDMETHOD_(void, ReleaseFuncDesc)(FUNCDESC *pFuncDesc) PURE;
    STDMETHOD_(void, ReleaseVarDesc)(VARDESC *pVarDesc) PURE;

protected:
    ~ITypeInfo() = default;
};

struct ITypeLib : public IUnknown {
    STDMETHOD_(UINT, GetTypeInfoCount)() PURE;
    STDMETHOD(GetTypeInfo)(UINT index, ITypeInfo **ppTInfo) PURE;
    STDMETHOD(GetTypeInfoType)(UINT index, TYPEKIND *pTKind) PURE;
    STDMETHOD(GetTypeInfoOfGuid)(REFGUID guid, ITypeInfo **ppTinfo) PURE;
    STDMETHOD(GetLibAttr)(TLIBATTR **ppTLibAttr) PURE;
    STDMETHOD(GetTypeComp)(ITypeComp **ppTComp) PURE;
    STDMETHOD(GetDocumentation)(INT index, BSTR *pBstrName, BSTR *pBstrDocString, DWORD *pdwHelpContext,
                                BSTR *pBstrHelpFile) PURE;
    STDMETHOD(IsName)(LPOLESTR szNameBuf, ULONG lHashVal, BOOL *pfName) PURE;
    STDMETHOD(FindName)(LPOLESTR szNameBuf, ULONG lHashVal, ITypeInfo **ppTInfo, MEMBERID *rgMemId,
                        USHORT *pcFound) PURE;
    STDMETHOD_(void, ReleaseTLibAttr)(TLIBATTR *pTLibAttr) PURE;

protected:
    ~ITypeLib() = default;
};

#include "interface_ids.h"

#endif
