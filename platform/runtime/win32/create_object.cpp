// CreateObject(ProgID) in the Windows build: the platform's activation; any failure
// is the one error a script would see for it.
#include "errors/error_object.hpp"

STDAPI OaRtCreateObject(LPCOLESTR progId, IDispatch **ppDispatch)
{
    using namespace oleaut::detail;
    return guarded([&] {
        if (!ppDispatch)
            return report_failure(E_POINTER, OLESTR("CreateObject was given no place to return the object."));
        *ppDispatch = nullptr;
        CLSID clsid{};
        HRESULT hr = progId ? CLSIDFromProgID(progId, &clsid) : CO_E_CLASSSTRING;
        if (SUCCEEDED(hr))
            hr = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void **>(ppDispatch));
        if (SUCCEEDED(hr) && *ppDispatch)
            return S_OK;
        *ppDispatch = nullptr;
        // On failure the out pointer holds nothing the caller owns (COM's rule). Unlike the
        // Linux stand-in, the platform activates out-of-process servers too: a spreadsheet
        // application is one.
        return report_failure(OART_E_CANTCREATEOBJECT);
    });
}
