// A stack-allocated IDispatch that counts references and answers one property,
// "Value" (DISPID_VALUE), so tests can check that nothing is leaked or released
// twice. It is never deleted through Release.
#ifndef TEST_SUPPORT_COUNTING_OBJECT_H
#define TEST_SUPPORT_COUNTING_OBJECT_H

#include "oleaut.h"

namespace test_support {

class counting_object : public IDispatch {
public:
    // What DISPID_VALUE answers.
    VARIANT value{};

    STDMETHOD(QueryInterface)(REFIID riid, void **ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
            *ppv = static_cast<IDispatch *>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return static_cast<ULONG>(++refs_); }
    STDMETHOD_(ULONG, Release)() override { return static_cast<ULONG>(--refs_); }
    STDMETHOD(GetTypeInfoCount)(UINT *n) override
    {
        *n = 0;
        return S_OK;
    }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override { return DISP_E_UNKNOWNNAME; }
    STDMETHOD(Invoke)(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *, VARIANT *result, EXCEPINFO *,
                      UINT *) override
    {
        ++invokes_;
        if (id != DISPID_VALUE || !(flags & DISPATCH_PROPERTYGET))
            return DISP_E_MEMBERNOTFOUND;
        return result ? VariantCopy(result, &value) : S_OK;
    }

    int refs() const { return refs_; }
    int invokes() const { return invokes_; }

private:
    int refs_ = 0;
    int invokes_ = 0;
};

}  // namespace test_support

#endif
