// Pieces shared by the Windows runtime services: the module's current error and how a
// service reports its own failure through it.
#ifndef OLEAUT_WIN32_SERVICES_HPP
#define OLEAUT_WIN32_SERVICES_HPP

#include <new>
#include <optional>
#include <string>

#include "oleaut.h"
#include "oleaut/utf.hpp"

namespace oleaut::win32 {

// A field left empty (nullopt) reads back as a null BSTR.
struct error_record {
    LONG number = 0;
    std::optional<ostring> source, description, help_file;
    LONG help_context = 0;
};

// Makes r the thread's current error and publishes it through SetErrorInfo.
void set_current_error(error_record r);

// The source Raise fills in: the one the module set, else the program's file name.
ostring default_source();

// A failure a service reports itself, with the default source; answers hr.
HRESULT report_failure(HRESULT hr, ostring description);

// The runtime's fixed text for a number (OART_E_* and the system HRESULTs it knows).
ostring error_text(LONG number);

// Runs the body of a C entry point: no C++ exception may leave it.
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

inline HRESULT copy_to_bstr(const std::optional<ostring> &text, BSTR *out)
{
    *out = nullptr;
    if (!text)
        return S_OK;
    *out = SysAllocStringLen(text->data(), static_cast<UINT>(text->size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace oleaut::win32

#endif
