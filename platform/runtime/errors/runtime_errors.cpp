// The fixed error texts: the runtime's own errors (0x800A0000 | n) and the system
// HRESULTs a caller of this runtime can meet, worded as Windows words them, so that
// a log written here reads the same as one written on Windows.
#include "runtime_errors.hpp"

#include <new>
#include <string>

#include "oleaut/runtime.h"

namespace oleaut::detail {
namespace {

struct error_text {
    HRESULT hr;
    const char *name;  // the symbolic name, as a header declares it
    oleaut::ostring_view text;
};

constexpr error_text k_error_texts[] = {
    // The classic automation runtime's own errors.
    {OART_E_INVALIDPROCCALL, "OART_E_INVALIDPROCCALL", OLESTR("Invalid procedure call or argument")},
    {OART_E_OVERFLOW, "OART_E_OVERFLOW", OLESTR("Overflow")},
    {OART_E_OUTOFMEMORY, "OART_E_OUTOFMEMORY", OLESTR("Out of memory")},
    {OART_E_SUBSCRIPT, "OART_E_SUBSCRIPT", OLESTR("Subscript out of range")},
    {OART_E_DIVBYZERO, "OART_E_DIVBYZERO", OLESTR("Division by zero")},
    {OART_E_TYPEMISMATCH, "OART_E_TYPEMISMATCH", OLESTR("Type mismatch")},
    {OART_E_FILEACCESS, "OART_E_FILEACCESS", OLESTR("Path/File access error")},
    {OART_E_OBJECTNOTSET, "OART_E_OBJECTNOTSET", OLESTR("Object variable or With block variable not set")},
    {OART_E_INVALIDUSEOFNULL, "OART_E_INVALIDUSEOFNULL", OLESTR("Invalid use of Null")},
    {OART_E_CANTCREATEOBJECT, "OART_E_CANTCREATEOBJECT", OLESTR("ActiveX component can't create object")},
    {OART_E_NOTSUPPORTED, "OART_E_NOTSUPPORTED", OLESTR("Object doesn't support this property or method")},
    {OART_E_AUTOMATIONERROR, "OART_E_AUTOMATIONERROR", OLESTR("Automation error")},
    // Dispatch.
    {DISP_E_UNKNOWNINTERFACE, "DISP_E_UNKNOWNINTERFACE", OLESTR("Unknown interface.")},
    {DISP_E_MEMBERNOTFOUND, "DISP_E_MEMBERNOTFOUND", OLESTR("Member not found.")},
    {DISP_E_PARAMNOTFOUND, "DISP_E_PARAMNOTFOUND", OLESTR("Parameter not found.")},
    {DISP_E_TYPEMISMATCH, "DISP_E_TYPEMISMATCH", OLESTR("Type mismatch.")},
    {DISP_E_UNKNOWNNAME, "DISP_E_UNKNOWNNAME", OLESTR("Unknown name.")},
    {DISP_E_NONAMEDARGS, "DISP_E_NONAMEDARGS", OLESTR("No named arguments.")},
    {DISP_E_BADVARTYPE, "DISP_E_BADVARTYPE", OLESTR("Bad variable type.")},
    {DISP_E_EXCEPTION, "DISP_E_EXCEPTION", OLESTR("Exception occurred.")},
    {DISP_E_OVERFLOW, "DISP_E_OVERFLOW", OLESTR("Out of present range.")},
    {DISP_E_BADINDEX, "DISP_E_BADINDEX", OLESTR("Invalid index.")},
    {DISP_E_BADPARAMCOUNT, "DISP_E_BADPARAMCOUNT", OLESTR("Invalid number of parameters.")},
    {DISP_E_PARAMNOTOPTIONAL, "DISP_E_PARAMNOTOPTIONAL", OLESTR("Parameter not optional.")},
    {DISP_E_DIVBYZERO, "DISP_E_DIVBYZERO", OLESTR("Division by zero.")},
    // Generic.
    {E_NOTIMPL, "E_NOTIMPL", OLESTR("Not implemented")},
    {E_NOINTERFACE, "E_NOINTERFACE", OLESTR("No such interface supported")},
    {E_POINTER, "E_POINTER", OLESTR("Invalid pointer")},
    {E_ABORT, "E_ABORT", OLESTR("Operation aborted")},
    {E_FAIL, "E_FAIL", OLESTR("Unspecified error")},
    {E_UNEXPECTED, "E_UNEXPECTED", OLESTR("Catastrophic failure")},
    {E_ACCESSDENIED, "E_ACCESSDENIED", OLESTR("Access is denied.")},
    {E_HANDLE, "E_HANDLE", OLESTR("The handle is invalid.")},
    {E_OUTOFMEMORY, "E_OUTOFMEMORY", OLESTR("Not enough memory resources are available to complete this operation.")},
    {E_INVALIDARG, "E_INVALIDARG", OLESTR("The parameter is incorrect.")},
    // Activation and registration.
    {REGDB_E_CLASSNOTREG, "REGDB_E_CLASSNOTREG", OLESTR("Class not registered")},
    {CO_E_CLASSSTRING, "CO_E_CLASSSTRING", OLESTR("Invalid class string")},
    {CO_E_NOTINITIALIZED, "CO_E_NOTINITIALIZED", OLESTR("CoInitialize has not been called.")},
    {CO_E_DLLNOTFOUND, "CO_E_DLLNOTFOUND", OLESTR("DLL for class not found")},
    {CO_E_ERRORINDLL, "CO_E_ERRORINDLL", OLESTR("Error in the DLL")},
    {CLASS_E_NOAGGREGATION, "CLASS_E_NOAGGREGATION", OLESTR("Class does not support aggregation (or class object is remote)")},
    {CLASS_E_CLASSNOTAVAILABLE, "CLASS_E_CLASSNOTAVAILABLE", OLESTR("ClassFactory cannot supply requested class")},
    {RPC_E_CHANGED_MODE, "RPC_E_CHANGED_MODE", OLESTR("Cannot change thread mode after it is set.")},
    {REGDB_E_READREGDB, "REGDB_E_READREGDB", OLESTR("Could not read a key from the registry")},
    {REGDB_E_WRITEREGDB, "REGDB_E_WRITEREGDB", OLESTR("Could not write a key to the registry")},
    {REGDB_E_KEYMISSING, "REGDB_E_KEYMISSING", OLESTR("Could not find the key in the registry")},
    {REGDB_E_INVALIDVALUE, "REGDB_E_INVALIDVALUE", OLESTR("Invalid value for the registry")},
    {SELFREG_E_TYPELIB, "SELFREG_E_TYPELIB", OLESTR("The server could not register its type library")},
    {SELFREG_E_CLASS, "SELFREG_E_CLASS", OLESTR("The server could not register (or unregister) all of its classes")},
    {TYPE_E_REGISTRYACCESS, "TYPE_E_REGISTRYACCESS", OLESTR("Error accessing the registry")},
    {TYPE_E_CANTLOADLIBRARY, "TYPE_E_CANTLOADLIBRARY", OLESTR("Error loading a type library or library")},
    // System errors as HRESULTs.
    {HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), "HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)",
     OLESTR("The system cannot find the file specified")},
    {HRESULT_FROM_WIN32(126), "HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND)", OLESTR("The specified module could not be found")},
    {HRESULT_FROM_WIN32(ERROR_BADDB), "HRESULT_FROM_WIN32(ERROR_BADDB)",
     OLESTR("The configuration registry database is corrupt")},
    {HRESULT_FROM_WIN32(ERROR_CANTWRITE), "HRESULT_FROM_WIN32(ERROR_CANTWRITE)",
     OLESTR("The configuration registry key could not be written")},
    // Threading.
    {RPC_E_WRONG_THREAD, "RPC_E_WRONG_THREAD", OLESTR("The application called an interface that was marshalled for a different thread.")},
};

constexpr oleaut::ostring_view k_application_defined = OLESTR("Application-defined or object-defined error");

}  // namespace

LONG runtime_hresult_of(LONG number) noexcept
{
    if (number > 0 && number <= 0xFFFF)
        return static_cast<LONG>(0x800A0000u | static_cast<uint32_t>(number));
    return number;
}

namespace {

const error_text *find_error(LONG number) noexcept
{
    const HRESULT hr = runtime_hresult_of(number);
    for (const error_text &e : k_error_texts)
        if (e.hr == hr)
            return &e;
    return nullptr;
}

}  // namespace

oleaut::ostring_view runtime_error_text(LONG number) noexcept
{
    const error_text *e = find_error(number);
    return e ? e->text : k_application_defined;
}

const char *runtime_error_name(LONG number) noexcept
{
    const error_text *e = find_error(number);
    return e ? e->name : nullptr;
}

}  // namespace oleaut::detail

STDAPI OaRtErrorDescription(LONG number, BSTR *pbstrDescription)
{
    if (!pbstrDescription)
        return E_POINTER;
    const oleaut::ostring_view text = oleaut::detail::runtime_error_text(number);
    *pbstrDescription = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *pbstrDescription ? S_OK : E_OUTOFMEMORY;
}

STDAPI OaRtErrorName(LONG number, BSTR *pbstrName)
{
    if (!pbstrName)
        return E_POINTER;
    *pbstrName = nullptr;
    const char *name = oleaut::detail::runtime_error_name(number);
    if (!name)
        return S_FALSE;
    const oleaut::ostring wide(name, name + std::char_traits<char>::length(name));  // names are ASCII
    *pbstrName = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *pbstrName ? S_OK : E_OUTOFMEMORY;
}
