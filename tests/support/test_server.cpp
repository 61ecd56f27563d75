// A tiny in-process server for the activation, registration and reference-count tests.
// Written by hand on purpose (IUnknown from the runtime's kit): IDispatch, the class factory and the four
// entry points are exactly what a real server has, with nothing generated.
#include <dlfcn.h>

#include <atomic>
#include <climits>
#include <cstdlib>
#include <string>

#include "oleaut/unknown.hpp"
#include "oleaut/utf.hpp"
#include "oleaut/variant_view.hpp"
#include "support/test_server_ids.h"

#define TEST_SERVER_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::atomic<LONG> g_live_objects{0};
std::atomic<LONG> g_locks{0};

bool same_name(const OLECHAR *a, const char *b)
{
    for (; *a && *b; ++a, ++b) {
        OLECHAR x = (*a >= u'a' && *a <= u'z') ? static_cast<OLECHAR>(*a - 32) : *a;
        char y = (*b >= 'a' && *b <= 'z') ? static_cast<char>(*b - 32) : *b;
        if (x != static_cast<OLECHAR>(y))
            return false;
    }
    return *a == 0 && *b == 0;
}

// The integer in an argument: VT_I2/VT_I4, by value or by reference (script engines
// pass variables by reference).
HRESULT integer_argument(const VARIANT &v, LONG *out)
{
    const oleaut::variant_view arg(v);
    switch (arg.type()) {
    case VT_I2: *out = arg.value().iVal; return S_OK;
    case VT_I4: *out = arg.value().lVal; return S_OK;
    default: return DISP_E_TYPEMISMATCH;
    }
}

// Counts itself among the server's live objects while it exists.
struct live_object {
    live_object() noexcept { ++g_live_objects; }
    ~live_object() { --g_live_objects; }
};

class counter final : public oleaut::unknown<counter, oleaut::interfaces<IDispatch>, oleaut::self_owned<live_object>> {
public:
    STDMETHOD(GetTypeInfoCount)(UINT *pctinfo) override
    {
        if (!pctinfo)
            return E_INVALIDARG;
        *pctinfo = 0;
        return S_OK;
    }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo **ppTInfo) override
    {
        if (ppTInfo)
            *ppTInfo = nullptr;
        return DISP_E_BADINDEX;
    }
    STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR *names, UINT count, LCID, DISPID *ids) override
    {
        if (!IsEqualIID(riid, IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        if (!names || !ids || count == 0)
            return E_INVALIDARG;
        HRESULT hr = S_OK;
        ids[0] = same_name(names[0], "Value") ? test_server::kDispidValue
                 : same_name(names[0], "Increment") ? test_server::kDispidIncrement
                                                    : DISPID_UNKNOWN;
        if (ids[0] == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;
        // No member has named arguments.
        for (UINT i = 1; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            hr = DISP_E_UNKNOWNNAME;
        }
        return hr;
    }
    STDMETHOD(Invoke)(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS *params, VARIANT *result, EXCEPINFO *,
                      UINT *arg_err) override
    {
        if (!IsEqualIID(riid, IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        DISPPARAMS none{};
        if (!params)
            params = &none;
        if (id == test_server::kDispidValue && (flags & DISPATCH_PROPERTYPUT)) {
            if (params->cArgs != 1 || params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
                return DISP_E_BADPARAMCOUNT;
            return take_integer(params->rgvarg[0], 0, arg_err, &value_);
        }
        if (id == test_server::kDispidValue && (flags & DISPATCH_PROPERTYGET)) {
            if (params->cArgs != 0)
                return DISP_E_BADPARAMCOUNT;
            return answer(result);
        }
        if (id == test_server::kDispidIncrement && (flags & DISPATCH_METHOD)) {
            if (params->cNamedArgs != 0)
                return DISP_E_NONAMEDARGS;
            if (params->cArgs > 1)
                return DISP_E_BADPARAMCOUNT;
            LONG by = 1;
            const VARIANT *arg = params->cArgs == 1 ? &params->rgvarg[0] : nullptr;
            bool left_out = !arg || (arg->vt == VT_ERROR && arg->scode == DISP_E_PARAMNOTFOUND);
            if (!left_out) {
                if (HRESULT hr = take_integer(params->rgvarg[0], 0, arg_err, &by); FAILED(hr))
                    return hr;
            }
            if ((by > 0 && value_ > LONG_MAX - by) || (by < 0 && value_ < LONG_MIN - by))
                return DISP_E_OVERFLOW;
            value_ += by;
            return answer(result);
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    ~counter() = default;

    static HRESULT take_integer(const VARIANT &v, UINT position, UINT *arg_err, LONG *out)
    {
        HRESULT hr = integer_argument(v, out);
        if (FAILED(hr) && arg_err)
            *arg_err = position;
        return hr;
    }
    HRESULT answer(VARIANT *result) const
    {
        if (result) {
            VariantInit(result);
            result->vt = VT_I4;
            result->lVal = value_;
        }
        return S_OK;
    }

    LONG value_ = 0;
};

// One static class object. Each reference handed out counts as a lock on the server,
// so the library is never unloaded under a client that still holds the factory.
struct server_locks {
    ULONG add_ref() noexcept { return static_cast<ULONG>(++g_locks); }
    ULONG release() noexcept { return static_cast<ULONG>(--g_locks); }
};

class counter_factory final
    : public oleaut::unknown<counter_factory, oleaut::interfaces<IClassFactory>, oleaut::owner_counted> {
public:
    server_locks count_owner() noexcept { return {}; }
    STDMETHOD(CreateInstance)(IUnknown *outer, REFIID riid, void **ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        counter *c = new (std::nothrow) counter;
        if (!c)
            return E_OUTOFMEMORY;
        HRESULT hr = c->QueryInterface(riid, ppv);
        c->Release();  // the object lives on only through the interface handed out
        return hr;
    }
    STDMETHOD(LockServer)(BOOL lock) override
    {
        lock ? ++g_locks : --g_locks;
        return S_OK;
    }
};

counter_factory g_factory;

// This library's own absolute path, as the registration must record it.
std::string own_path()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void *>(&own_path), &info) || !info.dli_fname)
        return {};
    char *real = realpath(info.dli_fname, nullptr);
    std::string path = real ? real : info.dli_fname;
    std::free(real);
    return path;
}

LSTATUS set_string(const char16_t *key_path, const char16_t *name, const std::u16string &text)
{
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key_path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                                     nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    status = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
    RegCloseKey(key);
    return status;
}

}  // namespace

TEST_SERVER_EXPORT HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID *ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(rclsid, test_server::kCounterClsid))
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
}

TEST_SERVER_EXPORT HRESULT DllCanUnloadNow()
{
    return (g_live_objects.load() == 0 && g_locks.load() == 0) ? S_OK : S_FALSE;
}

TEST_SERVER_EXPORT HRESULT DllRegisterServer()
{
    std::string path = own_path();
    if (path.empty())
        return SELFREG_E_CLASS;
    const std::u16string clsid_key = std::u16string(u"CLSID\\") + test_server::kCounterClsidText;
    const std::u16string inproc_key = clsid_key + u"\\InprocServer32";
    const std::u16string progid_key = clsid_key + u"\\ProgID";
    const std::u16string by_name_key = std::u16string(test_server::kCounterProgId) + u"\\CLSID";
    const std::u16string description = u"Quillet test counter";
    // The first failure stops registration; the registry has published why.
    LSTATUS status = set_string(clsid_key.c_str(), nullptr, description);
    if (status == ERROR_SUCCESS)
        status = set_string(inproc_key.c_str(), nullptr, oleaut::utf8_to_utf16(path));
    if (status == ERROR_SUCCESS)
        status = set_string(inproc_key.c_str(), u"ThreadingModel", u"Apartment");
    if (status == ERROR_SUCCESS)
        status = set_string(progid_key.c_str(), nullptr, test_server::kCounterProgId);
    if (status == ERROR_SUCCESS)
        status = set_string(test_server::kCounterProgId, nullptr, description);
    if (status == ERROR_SUCCESS)
        status = set_string(by_name_key.c_str(), nullptr, test_server::kCounterClsidText);
    return status == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

TEST_SERVER_EXPORT HRESULT DllUnregisterServer()
{
    const std::u16string clsid_key = std::u16string(u"CLSID\\") + test_server::kCounterClsidText;
    // What is already gone counts as unregistered.
    for (const char16_t *key : {clsid_key.c_str(), test_server::kCounterProgId}) {
        LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key);
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
            return SELFREG_E_CLASS;
    }
    return S_OK;
}

TEST_SERVER_EXPORT LONG TestServerLiveObjects() { return g_live_objects.load(); }
TEST_SERVER_EXPORT LONG TestServerLocks() { return g_locks.load(); }
