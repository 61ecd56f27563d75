// Resources inside a shared library, readable without loading it: the type library, the
// version block and any other named blob a server carries, as a Windows module carries
// them in its resource section.
//
// A library keeps its resources in an ELF section named ".oleres" (not loaded into
// memory: only readers of the file need it) holding one resource directory:
//
//   Resource directory, version 1. All integers little-endian; offsets count from the
//   first byte of the directory.
//     0   4   magic "QRES"
//     4   2   format version (1)
//     6   2   entry count
//     8   4   directory size in bytes (the section may be padded past it)
//     12  entries, 16 bytes each
//               0  4  type: a number 1..65535, or bit 31 set and the offset of a name
//               4  4  name: the same
//               8  4  offset of the data (4-byte aligned)
//               12 4  size of the data in bytes
//     then the names: each a 2-byte length in UTF-16 code units and the characters
//     (as in a Windows resource directory), then the data.
//
// Names compare without regard to ASCII case, as Windows resource names do. A
// directory whose offsets, sizes or names do not fit, or that holds one (type, name)
// twice, is refused whole with TYPE_E_INVDATAREAD.
#ifndef OLEAUT_DISPATCH_RESOURCES_HPP
#define OLEAUT_DISPATCH_RESOURCES_HPP

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "../../oleaut.h"
#include "../utf.hpp"

namespace oleaut::disp {

// The section that holds a library's resource directory.
inline constexpr char resource_section_name[] = ".oleres";

// Resource types Windows numbers; "TYPELIB" and user types are names.
inline constexpr WORD resource_type_version = 16;  // RT_VERSION

// Why a library's resources cannot be read, as the Windows loader reports it.
inline constexpr HRESULT resource_e_file_not_found = HRESULT_FROM_WIN32(2);         // ERROR_FILE_NOT_FOUND
inline constexpr HRESULT resource_e_bad_format = HRESULT_FROM_WIN32(193);           // ERROR_BAD_EXE_FORMAT
inline constexpr HRESULT resource_e_no_resources = HRESULT_FROM_WIN32(1812);        // ERROR_RESOURCE_DATA_NOT_FOUND
inline constexpr HRESULT resource_e_type_not_found = HRESULT_FROM_WIN32(1813);      // ERROR_RESOURCE_TYPE_NOT_FOUND
inline constexpr HRESULT resource_e_name_not_found = HRESULT_FROM_WIN32(1814);      // ERROR_RESOURCE_NAME_NOT_FOUND

// A resource type or name: a number, or a string.
class resource_id {
public:
    resource_id(WORD number) noexcept : number_(number) {}
    resource_id(oleaut::ostring name) : name_(std::move(name)), named_(true) {}
    resource_id(const OLECHAR *name) : name_(name), named_(true) {}

    bool is_number() const noexcept { return !named_; }
    WORD number() const noexcept { return number_; }
    const oleaut::ostring &name() const noexcept { return name_; }

    // Numbers equal numbers; names equal names without regard to ASCII case.
    bool matches(const resource_id &other) const noexcept;
    // "16" or "TYPELIB", for messages and listings.
    std::string text() const;

private:
    WORD number_ = 0;
    oleaut::ostring name_;
    bool named_ = false;
};

struct resource {
    resource_id type;
    resource_id name;
    std::vector<BYTE> data;
};

// The directory for these resources (what the build links into a library's section).
// Throws com_error(E_INVALIDARG) for a number 0, an empty or over-long name, a
// duplicate (type, name), or more than 65535 resources.
std::vector<BYTE> write_resource_directory(std::span<const resource> resources);

// The resources of a directory, in its order. Throws com_error(TYPE_E_INVDATAREAD).
std::vector<resource> read_resource_directory(std::span<const BYTE> directory);

// The bytes of one section of an ELF file (64-bit little-endian, the only kind this
// platform builds), read with every header checked against the file. Throws
// com_error: resource_e_file_not_found or TYPE_E_IOERROR when the file cannot be
// read, resource_e_bad_format when it is not such an ELF file, TYPE_E_INVDATAREAD
// when its headers point outside it, resource_e_no_resources when it has no section
// of that name.
std::vector<BYTE> read_elf_section(const std::string &path, std::string_view section);

// read_elf_section(path, resource_section_name), then read_resource_directory.
std::vector<resource> read_library_resources(const std::string &path);

// The resource with this type and name, or null. The answer points into `resources`,
// so a temporary list is refused.
const resource *find_resource(std::span<const resource> resources, const resource_id &type,
                              const resource_id &name) noexcept;
const resource *find_resource(std::vector<resource> &&resources, const resource_id &type,
                              const resource_id &name) = delete;

}  // namespace oleaut::disp

#endif
