// CoGetClassObject and CoCreateInstance for in-process servers:
// HKCR\CLSID\{clsid}\InprocServer32 names the library, the library's DllGetClassObject
// hands out the class object, and its IClassFactory makes the instance.
#include <new>

#include "errors/activation_error_info.h"
#include "activation_libraries.h"
#include "registry/activation_names.h"
#include "apartment.h"
#include "oleaut/utf.hpp"
#include "registry/registry_lookup.h"

using namespace oleaut::detail;

namespace {

HRESULT fail(HRESULT hr, const std::string &description)
{
    publish_error_info(kActivationSource, description);
    return hr;
}

HRESULT get_class_object(REFCLSID rclsid, DWORD dwClsContext, REFIID riid, void **ppv)
{
    if (!current_thread_may_activate())
        return fail(CO_E_NOTINITIALIZED, "CoInitialize has not been called on this thread: call CoInitialize or "
                                         "CoInitializeEx before activating objects.");
    std::string clsid = oleaut::utf16_to_utf8(guid_key_name(rclsid));
    if (!(dwClsContext & CLSCTX_INPROC_SERVER))
        return fail(REGDB_E_CLASSNOTREG, "Class " + clsid +
                                             " was asked for outside the process; only in-process servers "
                                             "(CLSCTX_INPROC_SERVER) can be activated here.");
    std::u16string library;
    LSTATUS status = oleaut::registry::read_string_value({u"CLSID", guid_key_name(rclsid), u"InprocServer32"}, u"",
                                                         &library);
    if (status == ERROR_FILE_NOT_FOUND || (status == ERROR_SUCCESS && library.empty()))
        return fail(REGDB_E_CLASSNOTREG, "Class " + clsid + " is not registered: " + registry_file_phrase() +
                                             " names no library under HKEY_CLASSES_ROOT\\CLSID\\" + clsid +
                                             "\\InprocServer32. Register its server with regsvr.");
    if (status == OLEAUT_ERROR_INVALID_DATA)
        return fail(REGDB_E_CLASSNOTREG, "Class " + clsid + " is registered wrongly: the default value of "
                                             "HKEY_CLASSES_ROOT\\CLSID\\" + clsid + "\\InprocServer32 in " +
                                             registry_file_phrase() + " is not a string.");
    if (status != ERROR_SUCCESS)
        return REGDB_E_READREGDB;  // the registry has published why
    return class_object_from_library(oleaut::utf16_to_utf8(library), rclsid, riid, ppv);
}

}  // namespace

STDAPI CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, LPVOID, REFIID riid, LPVOID *ppv)
{
    if (!ppv)
        return E_INVALIDARG;
    *ppv = nullptr;
    try {
        return get_class_object(rclsid, dwClsContext, riid, ppv);
    } catch (const std::bad_alloc &) {
        return E_OUTOFMEMORY;
    }
}

STDAPI CoCreateInstance(REFCLSID rclsid, IUnknown *pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID *ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    IClassFactory *factory = nullptr;
    HRESULT hr = CoGetClassObject(rclsid, dwClsContext, nullptr, IID_IClassFactory, reinterpret_cast<void **>(&factory));
    if (FAILED(hr))
        return hr;
    hr = factory->CreateInstance(pUnkOuter, riid, ppv);
    factory->Release();
    if (FAILED(hr))
        *ppv = nullptr;
    return hr;
}
