// The HRESULTs a server's registration entry points commonly answer, with their
// symbolic names. The runtime (OaRtErrorDescription) has the authoritative texts for
// many; the texts here are used only where it has nothing specific to say.
#include "hresult_names.h"

#include <cstdio>

#include "oleaut/bstr.hpp"

namespace regsvr {

namespace {

struct known_hresult {
    HRESULT hr;
    const char *name;
    const char *meaning;
};

constexpr known_hresult kKnown[] = {
    {E_UNEXPECTED, "E_UNEXPECTED", "Catastrophic failure"},
    {E_NOTIMPL, "E_NOTIMPL", "Not implemented"},
    {E_NOINTERFACE, "E_NOINTERFACE", "No such interface supported"},
    {E_POINTER, "E_POINTER", "Invalid pointer"},
    {E_ABORT, "E_ABORT", "Operation aborted"},
    {E_FAIL, "E_FAIL", "Unspecified error"},
    {E_ACCESSDENIED, "E_ACCESSDENIED", "Access is denied"},
    {E_HANDLE, "E_HANDLE", "The handle is invalid"},
    {E_OUTOFMEMORY, "E_OUTOFMEMORY", "Not enough memory"},
    {E_INVALIDARG, "E_INVALIDARG", "The parameter is incorrect"},
    {SELFREG_E_TYPELIB, "SELFREG_E_TYPELIB", "The server could not register its type library"},
    {SELFREG_E_CLASS, "SELFREG_E_CLASS", "The server could not register (or unregister) all of its classes"},
    {REGDB_E_READREGDB, "REGDB_E_READREGDB", "Could not read a key from the registry"},
    {REGDB_E_WRITEREGDB, "REGDB_E_WRITEREGDB", "Could not write a key to the registry"},
    {REGDB_E_KEYMISSING, "REGDB_E_KEYMISSING", "Could not find the key in the registry"},
    {REGDB_E_INVALIDVALUE, "REGDB_E_INVALIDVALUE", "Invalid value for the registry"},
    {REGDB_E_CLASSNOTREG, "REGDB_E_CLASSNOTREG", "Class not registered"},
    {TYPE_E_REGISTRYACCESS, "TYPE_E_REGISTRYACCESS", "Error accessing the registry"},
    {TYPE_E_CANTLOADLIBRARY, "TYPE_E_CANTLOADLIBRARY", "Error loading a type library or library"},
    {CO_E_NOTINITIALIZED, "CO_E_NOTINITIALIZED", "CoInitialize has not been called"},
    {CO_E_CLASSSTRING, "CO_E_CLASSSTRING", "Invalid class string"},
    {CO_E_DLLNOTFOUND, "CO_E_DLLNOTFOUND", "DLL for class not found"},
    {CO_E_ERRORINDLL, "CO_E_ERRORINDLL", "Error in the DLL"},
    {CLASS_E_NOAGGREGATION, "CLASS_E_NOAGGREGATION", "Class does not support aggregation"},
    {CLASS_E_CLASSNOTAVAILABLE, "CLASS_E_CLASSNOTAVAILABLE", "ClassFactory cannot supply requested class"},
    {HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), "HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)",
     "The system cannot find the file specified"},
    {HRESULT_FROM_WIN32(126), "HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND)", "The specified module could not be found"},
    {HRESULT_FROM_WIN32(ERROR_BADDB), "HRESULT_FROM_WIN32(ERROR_BADDB)", "The configuration registry database is corrupt"},
    {HRESULT_FROM_WIN32(ERROR_CANTWRITE), "HRESULT_FROM_WIN32(ERROR_CANTWRITE)",
     "The configuration registry key could not be written"},
};

// What the runtime says for numbers it has no text of its own for.
constexpr char16_t kGenericRuntimeText[] = u"Application-defined or object-defined error";

}  // namespace

std::string describe_hresult(HRESULT hr)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
    std::string out = code;
    const known_hresult *known = nullptr;
    for (const auto &k : kKnown)
        if (k.hr == hr)
            known = &k;
    if (known) {
        out += ' ';
        out += known->name;
    }
    oleaut::bstr text;
    std::string meaning;
    if (SUCCEEDED(OaRtErrorDescription(hr, text.put())) && !text.is_null() && text.view() != kGenericRuntimeText)
        meaning = text.utf8();
    else if (known)
        meaning = known->meaning;
    else
        meaning = "an error this tool has no name for";
    return out + ": " + meaning;
}

}  // namespace regsvr
