// The thread's current error (the error object behind OaRtErr*) as seen from inside
// liboleaut: every runtime service that fails reports through here, so the error
// object and the thread's error info always agree.
#ifndef OLEAUT_SRC_ERROR_OBJECT_HPP
#define OLEAUT_SRC_ERROR_OBJECT_HPP

#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "oleaut.h"
#include "oleaut/utf.hpp"

namespace oleaut::detail {

// A field left empty (nullopt) reads back as a null BSTR.
struct error_record {
    LONG number = 0;
    std::optional<oleaut::ostring> source, description, help_file;
    LONG help_context = 0;
};

// Makes r the thread's current error and publishes it through SetErrorInfo.
// Answers S_OK, or E_OUTOFMEMORY when the error info could not be built (the
// error object is still set then).
HRESULT set_current_error(error_record r);

// A failure the runtime reports itself: source is the default source. Answers hr
// so that callers can write `return report_failure(hr, text);`.
HRESULT report_failure(HRESULT hr, oleaut::ostring description);
// The same with the runtime's fixed text for hr.
HRESULT report_failure(HRESULT hr);

// The process-wide source Raise fills in (see OaRtSetDefaultSource).
oleaut::ostring default_source();

// Copies text into a new BSTR; E_OUTOFMEMORY when that fails.
inline HRESULT copy_to_bstr(oleaut::ostring_view text, BSTR *out)
{
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

// Runs the body of a C entry point: no C++ exception may leave the library.
template <class F>
HRESULT guarded(F &&body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc &) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace oleaut::detail

#endif
