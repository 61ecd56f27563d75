// The runtime keeps the one table of HRESULT names and texts (OaRtErrorName,
// OaRtErrorDescription); this only lays them out for regsvr's output.
#include "hresult_names.h"

#include <cstdio>

#include "oleaut/bstr.hpp"
#include "oleaut/runtime.h"

namespace regsvr {

namespace {

// What the runtime says for numbers it has no text of its own for.
constexpr char16_t kGenericRuntimeText[] = u"Application-defined or object-defined error";

}  // namespace

std::string describe_hresult(HRESULT hr)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
    std::string out = code;
    oleaut::bstr name;
    if (OaRtErrorName(hr, name.put()) == S_OK && !name.is_null()) {
        out += ' ';
        out += name.utf8();
    }
    oleaut::bstr text;
    std::string meaning;
    if (SUCCEEDED(OaRtErrorDescription(hr, text.put())) && !text.is_null() && text.view() != kGenericRuntimeText)
        meaning = text.utf8();
    else
        meaning = "an error this tool has no name for";
    return out + ": " + meaning;
}

}  // namespace regsvr
