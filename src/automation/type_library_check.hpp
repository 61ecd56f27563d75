// A type library compared with the description it was made from, through the standard
// ITypeLib and ITypeInfo calls only, so that the same comparison runs on the library the
// runtime builds here and on the one widl compiled into the Windows DLL (which lists a
// dual interface's IUnknown and IDispatch functions on its dispatch side, and a member
// the description keeps out of Invoke as a restricted function). Built into the test
// programs, not the component.
#ifndef QUILLET_AUTOMATION_TYPE_LIBRARY_CHECK_HPP
#define QUILLET_AUTOMATION_TYPE_LIBRARY_CHECK_HPP

#include <string>
#include <vector>

#include "oleaut/dispatch/describe.hpp"

namespace quillet {

// One line per difference ("_cQuillet slot 9 (ExportToGif): ..."); empty when the
// library has the description's name, GUID, version and locale, and every interface
// (member names, dispatch ids, invoke kinds, parameter and result types, interface-table
// slots), enumeration (names and values) and class it describes.
std::vector<std::string> type_library_mismatches(ITypeLib *lib, const oleaut::disp::library_info &want);

namespace check {

// A parameter or result type as both sides are compared: "short", "BSTR", "VARIANT*",
// "IDispatch*" (any object that arrives as IDispatch, named or not), an enumeration by
// its name.
std::string type_word(ITypeInfo *owner, const TYPEDESC &type);
std::string described_word(VARTYPE vt, const OLECHAR *type_name);

// The interface's differences, read from its vtable side (`vtable`) and dispatch side
// (`dispatch`, null for an interface that is not dual).
void compare_interface(ITypeInfo *dispatch, ITypeInfo *vtable, const oleaut::disp::interface_info &want,
                       std::vector<std::string> &out);

std::string name_of(ITypeInfo *t, MEMBERID memid);

}  // namespace check

}  // namespace quillet

#endif
