// Err.Raise: turns what the caller gave into the thread's current error, filling in
// what was left out, and answers the HRESULT the caller must fail with.
#include <optional>
#include <string>

#include "error_object.hpp"
#include "runtime_errors.hpp"

#include "oleaut/runtime.h"

namespace oleaut::detail {
namespace {

// Script engines pass their variables by reference; look through to the value.
const VARIANT *dereferenced(const VARIANT *v)
{
    while (v && v->vt == (VT_BYREF | VT_VARIANT))
        v = v->pvarVal;
    return v;
}

bool left_out(const VARIANT *v) { return !v || (v->vt == VT_ERROR && v->scode == DISP_E_PARAMNOTFOUND); }

// A conversion failure becomes the runtime error a script would see for it.
HRESULT as_runtime_error(HRESULT conversion)
{
    switch (conversion) {
    case DISP_E_OVERFLOW:
        return OART_E_OVERFLOW;
    case E_OUTOFMEMORY:
        return OART_E_OUTOFMEMORY;
    default:
        return OART_E_TYPEMISMATCH;
    }
}

// An optional text argument: the outer optional says whether it was given at all,
// the inner one keeps a null BSTR apart from an empty string.
using given_text = std::optional<std::optional<oleaut::ostring>>;

// A null BSTR given stays null: it was given, and is kept as given.
HRESULT read_text_argument(const VARIANT *arg, given_text &out)
{
    const VARIANT *v = dereferenced(arg);
    out.reset();
    if (left_out(v))
        return S_OK;
    if (v->vt == VT_NULL)
        return OART_E_INVALIDUSEOFNULL;
    BSTR text = nullptr;
    VARIANT converted;
    VariantInit(&converted);
    if (v->vt == VT_BSTR) {
        text = v->bstrVal;
    } else if (v->vt == (VT_BYREF | VT_BSTR)) {
        text = *v->pbstrVal;
    } else {
        HRESULT hr = VariantChangeTypeEx(&converted, v, LOCALE_EN_US, VARIANT_ALPHABOOL, VT_BSTR);
        if (FAILED(hr))
            return as_runtime_error(hr);
        text = converted.bstrVal;
    }
    try {
        out.emplace(text ? std::optional<oleaut::ostring>(oleaut::ostring(text, SysStringLen(text))) : std::nullopt);
    } catch (...) {
        VariantClear(&converted);
        throw;
    }
    VariantClear(&converted);
    return S_OK;
}

HRESULT read_context_argument(const VARIANT *arg, LONG &out)
{
    const VARIANT *v = dereferenced(arg);
    out = 0;
    if (left_out(v))
        return S_OK;
    if (v->vt == VT_NULL)
        return OART_E_INVALIDUSEOFNULL;
    if (v->vt == VT_I4) {
        out = v->lVal;
        return S_OK;
    }
    VARIANT converted;
    VariantInit(&converted);
    HRESULT hr = VariantChangeTypeEx(&converted, v, LOCALE_EN_US, 0, VT_I4);
    if (FAILED(hr))
        return as_runtime_error(hr);
    out = converted.lVal;
    return S_OK;
}

HRESULT raise(LONG number, const VARIANT *source, const VARIANT *description, const VARIANT *help_file,
              const VARIANT *help_context)
{
    // 0 is "no error", and a positive number above the short range would be a
    // success code: neither can be something the caller fails with.
    if (number == 0 || number > 0xFFFF)
        return report_failure(OART_E_INVALIDPROCCALL);

    given_text given_source, given_description, given_help_file;
    LONG context = 0;
    for (HRESULT hr : {read_text_argument(source, given_source), read_text_argument(description, given_description),
                       read_text_argument(help_file, given_help_file), read_context_argument(help_context, context)})
        if (FAILED(hr))
            return report_failure(hr);

    error_record r;
    r.number = runtime_hresult_of(number);
    r.source = given_source ? *given_source : default_source();
    r.description = given_description ? *given_description : oleaut::ostring(runtime_error_text(r.number));
    r.help_file = given_help_file ? *given_help_file : std::nullopt;
    r.help_context = context;
    const HRESULT raised = r.number;
    // Publishing can only fail for want of memory; the error object holds the
    // error regardless, and the raised number is what the caller must see.
    set_current_error(std::move(r));
    return raised;
}

}  // namespace
}  // namespace oleaut::detail

STDAPI OaRtRaise(LONG number, const VARIANT *source, const VARIANT *description, const VARIANT *helpFile,
                 const VARIANT *helpContext)
{
    return oleaut::detail::guarded(
        [&] { return oleaut::detail::raise(number, source, description, helpFile, helpContext); });
}
