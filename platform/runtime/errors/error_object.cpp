// The error object of each thread: what the last failure reported, kept until it
// is cleared or replaced, readable any number of times (unlike the error info,
// which GetErrorInfo consumes).
#include "error_object.hpp"

#include <utility>

#include "oleaut/com_ptr.hpp"
#include "runtime_errors.hpp"

namespace oleaut::detail {
namespace {

thread_local error_record t_current;

HRESULT read_text(const std::optional<oleaut::ostring> &field, BSTR *out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    return field ? copy_to_bstr(*field, out) : S_OK;
}

std::optional<oleaut::ostring> optional_text(LPCOLESTR s)
{
    return s ? std::optional<oleaut::ostring>(s) : std::nullopt;
}

HRESULT publish_as_error_info(const error_record &r)
{
    com_ptr<ICreateErrorInfo> create;
    HRESULT hr = CreateErrorInfo(create.put());
    if (FAILED(hr))
        return hr;
    // The error info's strings are NUL-terminated, so text after an embedded NUL
    // is only kept by the error object.
    auto set = [&](HRESULT(STDMETHODCALLTYPE ICreateErrorInfo::*setter)(LPOLESTR),
                   const std::optional<oleaut::ostring> &field) {
        if (field && SUCCEEDED(hr))
            hr = (create.get()->*setter)(const_cast<LPOLESTR>(field->c_str()));
    };
    set(&ICreateErrorInfo::SetSource, r.source);
    set(&ICreateErrorInfo::SetDescription, r.description);
    set(&ICreateErrorInfo::SetHelpFile, r.help_file);
    if (SUCCEEDED(hr))
        hr = create->SetHelpContext(static_cast<DWORD>(r.help_context));
    if (FAILED(hr))
        return hr;
    com_ptr<IErrorInfo> info = create.query<IErrorInfo>();
    if (!info)
        return E_NOINTERFACE;
    return SetErrorInfo(0, info.get());
}

}  // namespace

HRESULT set_current_error(error_record r)
{
    t_current = std::move(r);
    return publish_as_error_info(t_current);
}

HRESULT report_failure(HRESULT hr, oleaut::ostring description)
{
    error_record r;
    r.number = hr;
    r.source = default_source();
    r.description = std::move(description);
    set_current_error(std::move(r));
    return hr;
}

HRESULT report_failure(HRESULT hr)
{
    return report_failure(hr, oleaut::ostring(runtime_error_text(hr)));
}

}  // namespace oleaut::detail

using oleaut::detail::guarded;
using oleaut::detail::t_current;

STDAPI_(LONG) OaRtErrNumber(void) { return t_current.number; }
STDAPI OaRtErrSource(BSTR *pbstrSource) { return oleaut::detail::read_text(t_current.source, pbstrSource); }
STDAPI OaRtErrDescription(BSTR *pbstrDescription)
{
    return oleaut::detail::read_text(t_current.description, pbstrDescription);
}
STDAPI OaRtErrHelpFile(BSTR *pbstrHelpFile) { return oleaut::detail::read_text(t_current.help_file, pbstrHelpFile); }
STDAPI_(LONG) OaRtErrHelpContext(void) { return t_current.help_context; }

// Clearing the error also drops the published error info, so that a caller asking
// GetErrorInfo after a later failure that set none does not get this stale one.
STDAPI_(void) OaRtErrClear(void)
{
    t_current = oleaut::detail::error_record{};
    SetErrorInfo(0, nullptr);
}

STDAPI OaRtErrSet(LONG number, LPCOLESTR source, LPCOLESTR description, LPCOLESTR helpFile, LONG helpContext)
{
    // Number 0 means "no error"; setting it as an error would read back as cleared.
    if (number == 0)
        return E_INVALIDARG;
    return guarded([&] {
        oleaut::detail::error_record r;
        r.number = number;
        r.source = oleaut::detail::optional_text(source);
        r.description = oleaut::detail::optional_text(description);
        r.help_file = oleaut::detail::optional_text(helpFile);
        r.help_context = helpContext;
        return oleaut::detail::set_current_error(std::move(r));
    });
}
