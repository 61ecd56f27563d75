// A heap object for the C++ layer tests that counts its references and records when
// it dies, so a leak (count stays up) and a double release (dies early, count goes
// negative) both show.
#ifndef TESTS_RUNTIME_CPP_LAYER_COUNTED_HPP
#define TESTS_RUNTIME_CPP_LAYER_COUNTED_HPP

#include "oleaut.h"

namespace cpp_layer_test {

struct lifetime {
    int refs = 0;
    bool destroyed = false;
    int over_released = 0;  // Release calls after the count reached 0
};

class counted_dispatch final : public IDispatch {
public:
    // Starts with one reference, owned by the caller.
    static counted_dispatch *create(lifetime &life)
    {
        life = lifetime{};
        life.refs = 1;
        return new counted_dispatch(life);
    }

    STDMETHOD(QueryInterface)(REFIID riid, void **ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDispatch) {
            *ppv = static_cast<IDispatch *>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return static_cast<ULONG>(++life_.refs); }
    STDMETHOD_(ULONG, Release)() override
    {
        if (life_.refs <= 0) {
            ++life_.over_released;
            return 0;
        }
        const int left = --life_.refs;
        if (left == 0) {
            life_.destroyed = true;
            delete this;
        }
        return static_cast<ULONG>(left);
    }
    STDMETHOD(GetTypeInfoCount)(UINT *n) override
    {
        *n = 0;
        return S_OK;
    }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override { return DISP_E_UNKNOWNNAME; }
    STDMETHOD(Invoke)(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *, UINT *) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    explicit counted_dispatch(lifetime &life) : life_(life) {}
    ~counted_dispatch() = default;
    lifetime &life_;
};

}  // namespace cpp_layer_test

#endif
