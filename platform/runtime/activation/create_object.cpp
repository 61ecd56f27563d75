// CreateObject(ProgID): the runtime's way for a component to get a late-bound
// object. Activation itself lives in activation.cpp; this only turns any failure
// into the one error a script would see for it.
#include "errors/error_object.hpp"

#include "oleaut/runtime.h"

STDAPI OaRtCreateObject(LPCOLESTR progId, IDispatch **ppDispatch)
{
    return oleaut::detail::guarded([&] {
        if (!ppDispatch)
            return oleaut::detail::report_failure(E_POINTER, u"CreateObject was given no place to return the object.");
        *ppDispatch = nullptr;
        CLSID clsid{};
        HRESULT hr = progId ? CLSIDFromProgID(progId, &clsid) : CO_E_CLASSSTRING;
        if (SUCCEEDED(hr))
            hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                  reinterpret_cast<void **>(ppDispatch));
        if (SUCCEEDED(hr) && *ppDispatch)
            return S_OK;
        // On failure the out pointer holds nothing the caller owns (COM's rule), and a
        // success without an object is no object either.
        *ppDispatch = nullptr;
        return oleaut::detail::report_failure(OART_E_CANTCREATEOBJECT);
    });
}
