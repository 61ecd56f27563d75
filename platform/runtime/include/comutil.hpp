// The header-only C++ layer over liboleaut: com_ptr, bstr, variant, com_error and the
// runtime services.
#ifndef OLEAUT_COMUTIL_HPP
#define OLEAUT_COMUTIL_HPP

#include "oleaut/bstr.hpp"
#include "oleaut/com_error.hpp"
#include "oleaut/com_ptr.hpp"
#include "oleaut/runtime.hpp"
#include "oleaut/utf.hpp"
#include "oleaut/variant.hpp"

#endif
