// Failed conversions tell the caller why: each entry point of the conversion
// module that fails publishes error info (source: the function's name; a
// description naming the value, the types and the reason), so a C++ caller that
// raises com_error from the HRESULT shows something a person can act on.
#ifndef OLEAUT_CONV_ERROR_H
#define OLEAUT_CONV_ERROR_H

#include <string_view>

#include "oleaut.h"

namespace oleaut::conv {

struct ConversionFailure {
    const char16_t *function;     // the entry point that failed, e.g. u"VariantChangeTypeEx"
    VARTYPE from;                 // source base type (VT_EMPTY when not known)
    VARTYPE to;                   // target type
    std::u16string_view value;    // the source value as text, empty when not known
    bool value_is_text = false;   // the source was a string: quote it
};

// Publishes the error info for `what` and answers hr, unchanged.
HRESULT report_failure(HRESULT hr, const ConversionFailure &what);

// Publishes error info with a description already written.
HRESULT report_failure(HRESULT hr, const char16_t *function, std::u16string_view description);

}  // namespace oleaut::conv

#endif
