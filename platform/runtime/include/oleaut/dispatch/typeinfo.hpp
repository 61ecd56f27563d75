// Type information generated from the descriptions in describe.hpp: ITypeInfo for an
// interface, enumeration or class, ITypeLib for a library, and an IDL-like dump.
#ifndef OLEAUT_DISPATCH_TYPEINFO_HPP
#define OLEAUT_DISPATCH_TYPEINFO_HPP

#include <memory>
#include <string>

#include "../com_ptr.hpp"
#include "describe.hpp"

namespace oleaut::disp {

// Type information of one interface that belongs to no library (GetContainingTypeLib
// fails). The description must outlive every object made from it.
com_ptr<ITypeInfo> make_type_info(const interface_info &iface);

// A type library over the description (which must outlive it). Its type infos answer
// GetContainingTypeLib with this library and their index in it.
com_ptr<ITypeLib> make_type_library(const library_info &lib);
// The same over a description the library keeps alive itself (one read from a file).
com_ptr<ITypeLib> make_type_library(std::shared_ptr<const library_info> lib);

// Renders a library as IDL-like text, read back through the ITypeLib and ITypeInfo
// interfaces only, so it shows what a client of the type information sees.
std::string dump_idl(ITypeLib *lib);

}  // namespace oleaut::disp

#endif
