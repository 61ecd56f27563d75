// The part of DllRegisterServer and DllUnregisterServer that concerns the type library
// a server carries as its resource "TYPELIB" 1: read back from the server's own file
// with LoadTypeLibEx (so what is registered is exactly what clients will load), then
// registered with RegisterTypeLib or removed with UnRegisterTypeLib.
#ifndef OLEAUT_DISPATCH_EMBEDDED_TYPE_LIBRARY_HPP
#define OLEAUT_DISPATCH_EMBEDDED_TYPE_LIBRARY_HPP

#include "../../oleaut.h"
#include "../utf.hpp"

namespace oleaut::disp {

// Registers the type library of the library this toolkit is linked into, under that
// library's path, with the library's directory as the help directory.
HRESULT register_embedded_type_library() noexcept;

// Removes that registration. A library that was not registered is not an error:
// unregistering twice leaves the registry as unregistering once does.
HRESULT unregister_embedded_type_library() noexcept;

// The directory part of a library's path, as registered for its help files: everything
// before the last '/' or '\\' ("." when there is none; a root keeps its separator).
oleaut::ostring directory_of(oleaut::ostring_view path);

}  // namespace oleaut::disp

#endif
