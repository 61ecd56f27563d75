// The IDL word of each plain variant type ("short", "BSTR", "IDispatch*"), shared by the
// IDL dump and by code that compares type libraries where only the platform's headers
// are at hand (it needs nothing but the VARTYPE constants).
#ifndef OLEAUT_DISPATCH_IDL_WORDS_HPP
#define OLEAUT_DISPATCH_IDL_WORDS_HPP

#include "../../oleaut.h"

namespace oleaut::disp {

// nullptr for a type IDL has no single word for (pointers, arrays, named types).
inline const char *vartype_word(VARTYPE vt)
{
    switch (vt) {
    case VT_I2: return "short";
    case VT_I4: return "long";
    case VT_R4: return "float";
    case VT_R8: return "double";
    case VT_CY: return "CURRENCY";
    case VT_DATE: return "DATE";
    case VT_BSTR: return "BSTR";
    case VT_DISPATCH: return "IDispatch*";
    case VT_ERROR: return "SCODE";
    case VT_BOOL: return "VARIANT_BOOL";
    case VT_VARIANT: return "VARIANT";
    case VT_UNKNOWN: return "IUnknown*";
    case VT_DECIMAL: return "DECIMAL";
    case VT_I1: return "char";
    case VT_UI1: return "unsigned char";
    case VT_UI2: return "unsigned short";
    case VT_UI4: return "unsigned long";
    case VT_I8: return "int64";
    case VT_UI8: return "uint64";
    case VT_INT: return "int";
    case VT_UINT: return "unsigned int";
    case VT_VOID: return "void";
    case VT_HRESULT: return "HRESULT";
    case VT_LPSTR: return "LPSTR";
    case VT_LPWSTR: return "LPWSTR";
    default: return nullptr;
    }
}

}  // namespace oleaut::disp

#endif
