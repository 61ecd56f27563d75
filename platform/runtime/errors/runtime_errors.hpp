// The runtime's one table of error texts, shared by everything in liboleaut that
// reports an error (Raise fill-in, CreateObject, the event log, com_error) and by
// tools that print an HRESULT (regsvr, through OaRtErrorName and OaRtErrorDescription).
#ifndef OLEAUT_SRC_RUNTIME_ERRORS_HPP
#define OLEAUT_SRC_RUNTIME_ERRORS_HPP

#include <string_view>

#include "oleaut.h"
#include "oleaut/utf.hpp"

namespace oleaut::detail {

// A runtime error number written the short way (1..65535, as a script writes
// "Raise 13") means 0x800A0000 | n; everything else is already an HRESULT.
LONG runtime_hresult_of(LONG number) noexcept;

// The fixed text for number (either form), or the text for application-defined errors.
oleaut::ostring_view runtime_error_text(LONG number) noexcept;

// The symbolic name of number ("E_INVALIDARG", "OART_E_TYPEMISMATCH"), or null.
const char *runtime_error_name(LONG number) noexcept;

}  // namespace oleaut::detail

#endif
