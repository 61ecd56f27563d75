// Err.Raise in the Windows build: the caller's fields, with what was left out filled
// in (the default source, the runtime's text for the number), become the current error.
#include "services.hpp"
#include "errors/runtime_errors.hpp"

namespace oleaut::win32 {
namespace {

const VARIANT *dereferenced(const VARIANT *v)
{
    while (v && v->vt == (VT_BYREF | VT_VARIANT))
        v = v->pvarVal;
    return v;
}

bool left_out(const VARIANT *v) { return !v || (v->vt == VT_ERROR && v->scode == DISP_E_PARAMNOTFOUND); }

// An optional text argument: nullopt when left out; a null BSTR stays null.
HRESULT read_text(const VARIANT *arg, std::optional<std::optional<ostring>> &out)
{
    const VARIANT *v = dereferenced(arg);
    out.reset();
    if (left_out(v))
        return S_OK;
    if (v->vt == VT_NULL)
        return OART_E_INVALIDUSEOFNULL;
    VARIANT converted;
    VariantInit(&converted);
    BSTR text = nullptr;
    if (v->vt == VT_BSTR) {
        text = v->bstrVal;
    } else if (v->vt == (VT_BYREF | VT_BSTR)) {
        text = *v->pbstrVal;
    } else {
        const HRESULT hr = VariantChangeTypeEx(&converted, const_cast<VARIANT *>(v), LOCALE_EN_US, VARIANT_ALPHABOOL,
                                               VT_BSTR);
        if (FAILED(hr))
            return hr == DISP_E_OVERFLOW ? OART_E_OVERFLOW : OART_E_TYPEMISMATCH;
        text = converted.bstrVal;
    }
    out.emplace(text ? std::optional<ostring>(ostring(text, SysStringLen(text))) : std::nullopt);
    VariantClear(&converted);
    return S_OK;
}

HRESULT read_context(const VARIANT *arg, LONG &out)
{
    const VARIANT *v = dereferenced(arg);
    out = 0;
    if (left_out(v))
        return S_OK;
    VARIANT converted;
    VariantInit(&converted);
    const HRESULT hr = VariantChangeTypeEx(&converted, const_cast<VARIANT *>(v), LOCALE_EN_US, 0, VT_I4);
    if (FAILED(hr))
        return v->vt == VT_NULL ? OART_E_INVALIDUSEOFNULL : OART_E_TYPEMISMATCH;
    out = converted.lVal;
    return S_OK;
}

HRESULT raise(LONG number, const VARIANT *source, const VARIANT *description, const VARIANT *help_file,
              const VARIANT *help_context)
{
    if (number == 0 || number > 0xFFFF)
        return report_failure(OART_E_INVALIDPROCCALL, error_text(OART_E_INVALIDPROCCALL));
    std::optional<std::optional<ostring>> given_source, given_description, given_help_file;
    LONG context = 0;
    for (HRESULT hr : {read_text(source, given_source), read_text(description, given_description),
                       read_text(help_file, given_help_file), read_context(help_context, context)})
        if (FAILED(hr))
            return report_failure(hr, error_text(hr));

    error_record r;
    r.number = oleaut::detail::runtime_hresult_of(number);
    r.source = given_source ? *given_source : default_source();
    r.description = given_description ? *given_description : error_text(r.number);
    r.help_file = given_help_file ? *given_help_file : std::nullopt;
    r.help_context = context;
    const HRESULT raised = r.number;
    set_current_error(std::move(r));
    return raised;
}

}  // namespace

ostring error_text(LONG number) { return ostring(oleaut::detail::runtime_error_text(number)); }

}  // namespace oleaut::win32

STDAPI OaRtRaise(LONG number, const VARIANT *source, const VARIANT *description, const VARIANT *helpFile,
                 const VARIANT *helpContext)
{
    return oleaut::win32::guarded(
        [&] { return oleaut::win32::raise(number, source, description, helpFile, helpContext); });
}
