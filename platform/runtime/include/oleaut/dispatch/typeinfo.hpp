// Type information generated from the descriptions in describe.hpp: ITypeInfo for an
// interface, enumeration or class, ITypeLib for a library, and an IDL-like dump.
#ifndef OLEAUT_DISPATCH_TYPEINFO_HPP
#define OLEAUT_DISPATCH_TYPEINFO_HPP

#include <memory>
#include <string>

#include "../com_error.hpp"
#include "../com_ptr.hpp"
#include "describe.hpp"
#include "module.hpp"
#include "type_library_api.hpp"

// The objects are built by the runtime (type_library_api.hpp); these wrappers throw
// com_error where the entry points answer a failure, and pass this library's module
// lock, so a server stays loaded while a client holds its type information.
namespace oleaut::disp {

// Type information of one interface that belongs to no library (GetContainingTypeLib
// fails). The description must outlive every object made from it.
inline com_ptr<ITypeInfo> make_type_info(const interface_info &iface)
{
    com_ptr<ITypeInfo> info;
    check(OaRtCreateTypeInfo(&iface, module_lock(), info.put()));
    return info;
}

// A type library over the description (which must outlive it). Its type infos answer
// GetContainingTypeLib with this library and their index in it.
inline com_ptr<ITypeLib> make_type_library(const library_info &lib)
{
    com_ptr<ITypeLib> made;
    check(OaRtCreateTypeLib(&lib, module_lock(), made.put()));
    return made;
}

// Renders a library as IDL-like text, read back through the ITypeLib and ITypeInfo
// interfaces only, so it shows what a client of the type information sees.
inline std::string dump_idl(ITypeLib *lib)
{
    char *text = nullptr;
    check(OaRtDumpTypeLibIdl(lib, &text));
    std::string out(text);
    CoTaskMemFree(text);
    return out;
}

// The runtime's type information objects and descriptor blocks alive in this process.
inline long type_objects_alive() noexcept { return OaRtTypeObjectsAlive(); }

}  // namespace oleaut::disp

#endif
