// What the runtime's entry points for type information (type_library_entry_points.cpp)
// are built on. These throw com_error; only the entry points, which turn every
// exception into an HRESULT and error info, are seen outside liboleaut.
#ifndef OLEAUT_TYPELIB_TYPE_LIBRARY_BUILD_HPP
#define OLEAUT_TYPELIB_TYPE_LIBRARY_BUILD_HPP

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "oleaut/com_ptr.hpp"
#include "oleaut/dispatch/describe.hpp"

namespace oleaut::disp {

// Type information of one interface no library lists; keep_alive lives as long as it.
com_ptr<ITypeInfo> build_type_info(const interface_info &iface, std::shared_ptr<const void> keep_alive = {});

// A type library over a description that outlives it, or one it keeps alive itself
// (a description read from an image, or one whose owner must stay loaded).
com_ptr<ITypeLib> build_type_library(const library_info &lib);
com_ptr<ITypeLib> build_type_library(std::shared_ptr<const library_info> lib);

// The image format of typelib_format.hpp, both ways.
std::vector<BYTE> encode_type_library_image(const library_info &lib);
std::shared_ptr<const library_info> decode_type_library_image(std::span<const BYTE> image);

// The IDL-like listing of a library, read through ITypeLib and ITypeInfo only.
std::string render_idl(ITypeLib *lib);

}  // namespace oleaut::disp

#endif
