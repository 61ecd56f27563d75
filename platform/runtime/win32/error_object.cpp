// The error object of the Windows build: each thread's current error, kept by the
// server's own module and published through the platform's SetErrorInfo, so that a
// client reading GetErrorInfo sees what Err holds.
#include <optional>

#include "services.hpp"

namespace oleaut::win32 {
namespace {

thread_local error_record t_current;

SRWLOCK g_source_lock = SRWLOCK_INIT;
std::optional<ostring> g_source;  // nullopt: the program's name

// SetErrorInfo with the record's fields; a failure to build it leaves the thread's
// error info cleared rather than stale.
void publish(const error_record &r)
{
    ICreateErrorInfo *create = nullptr;
    if (FAILED(CreateErrorInfo(&create))) {
        SetErrorInfo(0, nullptr);
        return;
    }
    const ostring empty;
    create->SetGUID(GUID_NULL);
    create->SetSource(const_cast<LPOLESTR>(r.source.value_or(empty).c_str()));
    create->SetDescription(const_cast<LPOLESTR>(r.description.value_or(empty).c_str()));
    create->SetHelpFile(const_cast<LPOLESTR>(r.help_file.value_or(empty).c_str()));
    create->SetHelpContext(static_cast<DWORD>(r.help_context));
    IErrorInfo *info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void **>(&info)))) {
        SetErrorInfo(0, info);
        info->Release();
    }
    create->Release();
}

ostring program_name()
{
    WCHAR path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    ostring name(path, n < MAX_PATH ? n : 0);
    const size_t slash = name.find_last_of(OLESTR("\\/"));
    if (slash != ostring::npos)
        name.erase(0, slash + 1);
    return name;
}

}  // namespace

void set_current_error(error_record r)
{
    publish(r);
    t_current = std::move(r);
}

ostring default_source()
{
    AcquireSRWLockShared(&g_source_lock);
    std::optional<ostring> set = g_source;
    ReleaseSRWLockShared(&g_source_lock);
    return set ? *set : program_name();
}

HRESULT report_failure(HRESULT hr, ostring description)
{
    error_record r;
    r.number = hr;
    r.source = default_source();
    r.description = std::move(description);
    set_current_error(std::move(r));
    return hr;
}

}  // namespace oleaut::win32

using namespace oleaut::win32;

STDAPI_(LONG) OaRtErrNumber(void) { return t_current.number; }
STDAPI OaRtErrSource(BSTR *out) { return out ? guarded([&] { return copy_to_bstr(t_current.source, out); }) : E_POINTER; }
STDAPI OaRtErrDescription(BSTR *out)
{
    return out ? guarded([&] { return copy_to_bstr(t_current.description, out); }) : E_POINTER;
}
STDAPI OaRtErrHelpFile(BSTR *out)
{
    return out ? guarded([&] { return copy_to_bstr(t_current.help_file, out); }) : E_POINTER;
}
STDAPI_(LONG) OaRtErrHelpContext(void) { return t_current.help_context; }
STDAPI_(void) OaRtErrClear(void)
{
    t_current = error_record{};
    SetErrorInfo(0, nullptr);
}

STDAPI OaRtErrSet(LONG number, LPCOLESTR source, LPCOLESTR description, LPCOLESTR helpFile, LONG helpContext)
{
    return guarded([&] {
        auto text = [](LPCOLESTR s) { return s ? std::optional<oleaut::ostring>(s) : std::nullopt; };
        error_record r;
        r.number = number;
        r.source = text(source);
        r.description = text(description);
        r.help_file = text(helpFile);
        r.help_context = helpContext;
        set_current_error(std::move(r));
        return S_OK;
    });
}

STDAPI OaRtSetDefaultSource(LPCOLESTR source)
{
    return guarded([&] {
        std::optional<oleaut::ostring> value;
        if (source)
            value.emplace(source);
        AcquireSRWLockExclusive(&g_source_lock);
        g_source.swap(value);
        ReleaseSRWLockExclusive(&g_source_lock);
        return S_OK;
    });
}

STDAPI OaRtGetDefaultSource(BSTR *out)
{
    return out ? guarded([&] { return copy_to_bstr(default_source(), out); }) : E_POINTER;
}
