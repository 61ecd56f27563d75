// Turning a failing HRESULT into words for a person reading regsvr's output.
#ifndef REGSVR_HRESULT_NAMES_H
#define REGSVR_HRESULT_NAMES_H

#include <string>

#include "oleaut.h"

namespace regsvr {

// "0x80040154 REGDB_E_CLASSNOTREG: Class not registered": the code, its symbolic name
// when known, and its meaning (the runtime's text, else this tool's own).
std::string describe_hresult(HRESULT hr);

}  // namespace regsvr

#endif
