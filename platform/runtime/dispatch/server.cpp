// Class factories and self-registration for the servers built on the toolkit.
#include <string>

#include "oleaut/com_error.hpp"
#include "oleaut/dispatch/server.hpp"
#include "oleaut/unknown.hpp"

namespace oleaut::disp {

namespace {

class class_factory final : public unknown<class_factory, interfaces<IClassFactory>, self_owned<module_counted>> {
public:
    explicit class_factory(const class_entry &entry) : entry_(entry) {}

    STDMETHOD(CreateInstance)(IUnknown *outer, REFIID riid, void **ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        try {
            return entry_.create(riid, ppv);
        } catch (...) {
            // A constructor that fails makes the creation fail with its error.
            return hresult_from_exception();
        }
    }
    STDMETHOD(LockServer)(BOOL lock) override
    {
        if (lock)
            module_add_ref();
        else
            module_release();
        return S_OK;
    }

private:
    ~class_factory() = default;
    const class_entry &entry_;
};

oleaut::ostring guid_text(const GUID &g)
{
    OLECHAR buf[40];
    StringFromGUID2(g, buf, 40);
    return buf;
}

HRESULT set_value(const oleaut::ostring &key_path, const OLECHAR *name, const oleaut::ostring &value)
{
    HKEY key = nullptr;
    LSTATUS s = RegCreateKeyExW(HKEY_CLASSES_ROOT, key_path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                                nullptr, &key, nullptr);
    if (s != ERROR_SUCCESS)
        return SELFREG_E_CLASS;
    s = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(OLECHAR)));
    RegCloseKey(key);
    return s == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

}  // namespace

HRESULT get_class_object(std::span<const class_entry> classes, REFCLSID clsid, REFIID riid, void **ppv) noexcept
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    for (const class_entry &e : classes) {
        if (!IsEqualCLSID(*e.clsid, clsid))
            continue;
        try {
            auto *factory = new class_factory(e);
            HRESULT hr = factory->QueryInterface(riid, ppv);
            factory->Release();
            return hr;
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT register_classes(std::span<const class_entry> classes) noexcept
{
    try {
        const oleaut::ostring path = own_library_file();
        if (path.empty())
            return SELFREG_E_CLASS;
        for (const class_entry &e : classes) {
            const oleaut::ostring clsid = guid_text(*e.clsid);
            const oleaut::ostring key = OLESTR("CLSID\\") + clsid;
            for (HRESULT hr : {set_value(key, nullptr, e.description),
                               set_value(key + OLESTR("\\InprocServer32"), nullptr, path),
                               set_value(key + OLESTR("\\InprocServer32"), OLESTR("ThreadingModel"), e.threading_model),
                               set_value(key + OLESTR("\\ProgID"), nullptr, e.prog_id),
                               set_value(e.prog_id, nullptr, e.description),
                               set_value(oleaut::ostring(e.prog_id) + OLESTR("\\CLSID"), nullptr, clsid)}) {
                if (FAILED(hr))
                    return hr;
            }
        }
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT unregister_classes(std::span<const class_entry> classes) noexcept
{
    try {
        HRESULT result = S_OK;
        for (const class_entry &e : classes) {
            const oleaut::ostring clsid_key = OLESTR("CLSID\\") + guid_text(*e.clsid);
            for (const oleaut::ostring &key : {clsid_key, oleaut::ostring(e.prog_id)}) {
                LSTATUS s = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
                if (s != ERROR_SUCCESS && s != ERROR_FILE_NOT_FOUND)
                    result = SELFREG_E_CLASS;
            }
        }
        return result;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace oleaut::disp
