#include "support/value_object.hpp"

#include <atomic>

#include "oleaut/unknown.hpp"
#include "oleaut/variant.hpp"

namespace fuzz_support {

namespace {

std::atomic<long> g_alive{0};

class value_object final : public oleaut::unknown<value_object, oleaut::interfaces<IDispatch>> {
public:
    value_object(const VARIANT &value, HRESULT failure) : failure_(failure)
    {
        ++g_alive;
        if (FAILED(VariantCopy(value_.put(), &value)))
            failure_ = E_OUTOFMEMORY;
    }

    STDMETHOD(GetTypeInfoCount)(UINT *n) override
    {
        if (!n)
            return E_POINTER;
        *n = 0;
        return S_OK;
    }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo **info) override
    {
        if (info)
            *info = nullptr;
        return DISP_E_BADINDEX;
    }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR *, UINT count, LCID, DISPID *ids) override
    {
        for (UINT i = 0; ids && i < count; ++i)
            ids[i] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHOD(Invoke)(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *, VARIANT *result, EXCEPINFO *,
                      UINT *) override
    {
        if (result)
            VariantInit(result);
        if (id != DISPID_VALUE || !(flags & DISPATCH_PROPERTYGET))
            return DISP_E_MEMBERNOTFOUND;
        if (FAILED(failure_))
            return failure_;
        return result ? VariantCopy(result, &value_) : S_OK;
    }

private:
    ~value_object() { --g_alive; }

    oleaut::variant value_;
    HRESULT failure_;
};

}  // namespace

IDispatch *make_value_object(const VARIANT &value, HRESULT failure) { return new value_object(value, failure); }

long value_objects_alive() { return g_alive; }

}  // namespace fuzz_support
