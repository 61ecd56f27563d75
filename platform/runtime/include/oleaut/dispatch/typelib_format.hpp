// The binary form of a library description (library_info): what a server embeds as its
// "TYPELIB" resource and what LoadTypeLib reads back. The image holds the description
// itself, not a rendering of ITypeInfo, so that reading it back and building the type
// library gives exactly the type information the server builds from its tables.
//
// Image format, version 1.0. All integers little-endian; offsets count from the first
// byte of the image; a string index of 0xFFFFFFFF stands for "no string" (a null
// pointer in the description).
//
//   Header, 64 bytes
//     0   4   magic "QTLB"
//     4   2   format major version (1); a reader refuses any other (TYPE_E_UNSUPFORMAT)
//     6   2   format minor version (0)
//     8   4   image size in bytes; must equal the size of the image read
//     12  4   string table offset
//     16  4   string count
//     20  4   type table offset
//     24  4   type count: records in the type table
//     28  4   listed count: the first `listed` records are the library's types in its
//             order; records after them are types only referred to (the default
//             interface of a class that the library does not list)
//     32  4   library name (string index)
//     36  4   library doc string (string index or none)
//     40  16  library GUID (Data1, Data2, Data3 little-endian, then Data4's 8 bytes)
//     56  4   LCID
//     60  2   major version
//     62  2   minor version
//
//   String table: `string count` entries of 8 bytes
//     0   4   offset of the characters (UTF-16LE, no terminator, no NUL inside)
//     4   4   length in UTF-16 code units
//
//   Type table: `type count` 4-byte offsets of type records.
//
//   Type record: 24 bytes every kind shares, then the kind's own part
//     0   2   kind: 1 interface, 2 class, 3 enumeration
//     2   2   type flags (TYPEFLAG_*)
//     4   4   name (string index)
//     8   16  GUID (IID, CLSID or the enumeration's GUID)
//   Interface
//     24  4   doc string (string index or none)
//     28  4   member count, then the members, each 24 bytes and its parameters:
//               0   4   name (string index)
//               4   4   dispatch id
//               8   2   invoke kind (INVOKE_FUNC, _PROPERTYGET, _PROPERTYPUT, _PROPERTYPUTREF)
//               10  2   result VARTYPE (VT_EMPTY: none)
//               12  4   result type name (string index or none)
//               16  2   function flags (FUNCFLAG_*)
//               18  2   member flags: bit 0 set for a member present in the vtable only
//               20  4   parameter count, then the parameters, each 12 bytes:
//                         0  4  name (string index or none)
//                         4  2  declared VARTYPE
//                         6  2  parameter flags: bit 0 set for an optional parameter
//                         8  4  type name (string index or none)
//   Class
//     24  4   default interface: index of an interface record, or none
//   Enumeration
//     24  4   constant count, then the constants, each 8 bytes:
//               0  4  name (string index)
//               4  4  value (signed)
//
// Every bit the format does not define must be zero. A reader that finds anything out
// of place (a truncated image, an offset or count that points outside it, an unknown
// kind, a reserved bit set, a missing name) refuses the whole image with
// TYPE_E_INVDATAREAD and never reads outside the bytes it was given.
#ifndef OLEAUT_DISPATCH_TYPELIB_FORMAT_HPP
#define OLEAUT_DISPATCH_TYPELIB_FORMAT_HPP

#include <memory>
#include <span>
#include <vector>

#include "../com_error.hpp"
#include "../com_ptr.hpp"
#include "describe.hpp"
#include "type_library_api.hpp"

namespace oleaut::disp {

// What an image starts with, for a reader that must tell it from other files.
inline constexpr BYTE typelib_image_magic[4] = {'Q', 'T', 'L', 'B'};

// The image of a description. Throws com_error when the description cannot be stored:
// a null description or name (E_INVALIDARG), or more entries than the type
// information can count (TYPE_E_SIZETOOBIG).
inline std::vector<BYTE> write_type_library_image(const library_info &lib)
{
    BYTE *image = nullptr;
    size_t size = 0;
    check(OaRtWriteTypeLibImage(&lib, &image, &size));
    std::vector<BYTE> out(image, image + size);
    CoTaskMemFree(image);
    return out;
}

// The description an image holds. Everything it points to (names, members, the
// interface a class names) lives as long as the returned pointer. Throws com_error
// with TYPE_E_INVDATAREAD (damaged or truncated image) or TYPE_E_UNSUPFORMAT (not an
// image, or a format version this reader does not know).
inline std::shared_ptr<const library_info> read_type_library_image(std::span<const BYTE> image)
{
    const library_info *lib = nullptr;
    IUnknown *owner = nullptr;
    check(OaRtReadTypeLibImage(image.data(), image.size(), &lib, &owner));
    return std::shared_ptr<const library_info>(lib, [owner](const library_info *) { owner->Release(); });
}

// read_type_library_image, then a type library over the result that keeps its
// description alive.
inline com_ptr<ITypeLib> load_type_library_image(std::span<const BYTE> image)
{
    com_ptr<ITypeLib> lib;
    check(OaRtLoadTypeLibImage(image.data(), image.size(), lib.put()));
    return lib;
}

}  // namespace oleaut::disp

#endif
