// How the type information reports a failure: the HRESULT a client tests, plus an error
// info (source: the type or library asked; description: what was asked and why it
// cannot be answered) so that a person reading a log knows which call went wrong.
#ifndef OLEAUT_DISPATCH_TYPE_ERRORS_HPP
#define OLEAUT_DISPATCH_TYPE_ERRORS_HPP

#include <cstdio>
#include <string>
#include <string_view>

#include "oleaut/com_error.hpp"

namespace oleaut::disp {

// Publishes the error info and answers hr. May throw std::bad_alloc; callers run inside
// the try block of a vtable entry point, which turns that into E_OUTOFMEMORY.
inline HRESULT type_failure(HRESULT hr, std::u16string_view source, std::string_view description)
{
    com_error(hr, std::u16string(source), utf8_to_utf16(description)).publish();
    return hr;
}

inline std::string name_utf8(std::u16string_view name) { return utf16_to_utf8(name); }

// Member ids read best in hex: 0x60030002, 0x40000001.
inline std::string id_text(LONG id)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(id));
    return text;
}

}  // namespace oleaut::disp

#endif
