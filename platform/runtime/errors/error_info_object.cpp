// The error-info object CreateErrorInfo hands out: written through ICreateErrorInfo
// by whoever fails, read through IErrorInfo by whoever catches. One object answers
// both interfaces so that the writer can publish exactly what it filled in.
#include <mutex>
#include <new>
#include <optional>
#include <string>

#include "oleaut.h"
#include "oleaut/unknown.hpp"

namespace {

using text_field = std::optional<std::u16string>;

// The IErrorInfo base is the identity.
class error_info_object final
    : public oleaut::unknown<error_info_object, oleaut::interfaces<IErrorInfo, ICreateErrorInfo>> {
public:
    // IErrorInfo
    STDMETHOD(GetGUID)(GUID *pGUID) override
    {
        if (!pGUID)
            return E_INVALIDARG;
        std::lock_guard lock(mutex_);
        *pGUID = guid_;
        return S_OK;
    }
    STDMETHOD(GetSource)(BSTR *out) override { return read(source_, out); }
    STDMETHOD(GetDescription)(BSTR *out) override { return read(description_, out); }
    STDMETHOD(GetHelpFile)(BSTR *out) override { return read(help_file_, out); }
    STDMETHOD(GetHelpContext)(DWORD *out) override
    {
        if (!out)
            return E_INVALIDARG;
        std::lock_guard lock(mutex_);
        *out = help_context_;
        return S_OK;
    }

    // ICreateErrorInfo
    STDMETHOD(SetGUID)(REFGUID rguid) override
    {
        std::lock_guard lock(mutex_);
        guid_ = rguid;
        return S_OK;
    }
    STDMETHOD(SetSource)(LPOLESTR s) override { return write(source_, s); }
    STDMETHOD(SetDescription)(LPOLESTR s) override { return write(description_, s); }
    STDMETHOD(SetHelpFile)(LPOLESTR s) override { return write(help_file_, s); }
    STDMETHOD(SetHelpContext)(DWORD context) override
    {
        std::lock_guard lock(mutex_);
        help_context_ = context;
        return S_OK;
    }

private:
    ~error_info_object() = default;  // dies through Release() only

    // A field never set reads as a null BSTR, as on Windows.
    HRESULT read(const text_field &field, BSTR *out)
    {
        if (!out)
            return E_INVALIDARG;
        std::lock_guard lock(mutex_);
        *out = nullptr;
        if (!field)
            return S_OK;
        *out = SysAllocStringLen(field->data(), static_cast<UINT>(field->size()));
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT write(text_field &field, LPCOLESTR s)
    {
        try {
            text_field value;
            if (s)
                value.emplace(s);
            std::lock_guard lock(mutex_);
            field.swap(value);
            return S_OK;
        } catch (const std::bad_alloc &) {
            return E_OUTOFMEMORY;
        }
    }

    // Writer and reader may sit on different threads once the object is handed on.
    std::mutex mutex_;
    GUID guid_ = IID_NULL;
    text_field source_, description_, help_file_;
    DWORD help_context_ = 0;
};

}  // namespace

STDAPI CreateErrorInfo(ICreateErrorInfo **pperrinfo)
{
    if (!pperrinfo)
        return E_INVALIDARG;
    *pperrinfo = new (std::nothrow) error_info_object;
    return *pperrinfo ? S_OK : E_OUTOFMEMORY;
}
