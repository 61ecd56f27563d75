// A stack-allocated IDispatch that counts references and answers one property,
// "Value" (DISPID_VALUE), so tests can check that nothing is leaked or released
// twice. It is never deleted through Release.
#ifndef TEST_SUPPORT_COUNTING_OBJECT_H
#define TEST_SUPPORT_COUNTING_OBJECT_H

#include "oleaut/unknown.hpp"

namespace test_support {

class counting_object : public oleaut::unknown<counting_object, oleaut::interfaces<IDispatch>, oleaut::caller_owned> {
public:
    counting_object() : unknown(0) {}

    // What DISPID_VALUE answers.
    VARIANT value{};

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

    // Negative when released more often than referenced.
    int refs() const { return static_cast<int>(ref_count()); }
    int invokes() const { return invokes_; }

private:
    int invokes_ = 0;
};

}  // namespace test_support

#endif
