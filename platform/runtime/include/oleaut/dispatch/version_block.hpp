// A library's version resource (RT_VERSION, number 1), laid out exactly as Windows
// lays out VS_VERSIONINFO, so that the same bytes mean the same thing to any reader of
// version resources:
//
//   VS_VERSIONINFO   key "VS_VERSION_INFO", value VS_FIXEDFILEINFO (52 bytes)
//     StringFileInfo   key "StringFileInfo"
//       StringTable      key "040904B0": language and code page, 8 hex digits
//         String           key "FileVersion", value "1.00" (UTF-16, with its NUL)
//         ...
//     VarFileInfo      key "VarFileInfo"
//       Var              key "Translation", value: language and code page pairs
//
// Every node is: WORD wLength (the node with its children, without the padding after
// it), WORD wValueLength (bytes, or for a text node (wType 1) UTF-16 units with the
// NUL), WORD wType (1 text, 0 binary), the key in UTF-16 with its NUL, zero padding to
// a 4-byte boundary, the value, and the children, each starting on a 4-byte boundary.
// All integers little-endian.
#ifndef OLEAUT_DISPATCH_VERSION_BLOCK_HPP
#define OLEAUT_DISPATCH_VERSION_BLOCK_HPP

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "../../oleaut.h"
#include "../utf.hpp"

namespace oleaut::disp {

// Windows' values for VS_FIXEDFILEINFO's fields (winver.h).
inline constexpr DWORD version_signature = 0xFEEF04BD;       // VS_FFI_SIGNATURE
inline constexpr DWORD version_struct_version = 0x00010000;  // VS_FFI_STRUCVERSION
inline constexpr DWORD version_flags_mask = 0x0000003F;      // VS_FFI_FILEFLAGSMASK
inline constexpr DWORD version_os_nt_windows32 = 0x00040004; // VOS_NT_WINDOWS32
inline constexpr DWORD version_type_dll = 2;                 // VFT_DLL

// VS_FIXEDFILEINFO, field for field.
struct fixed_file_info {
    DWORD dwSignature = version_signature;
    DWORD dwStrucVersion = version_struct_version;
    DWORD dwFileVersionMS = 0;
    DWORD dwFileVersionLS = 0;
    DWORD dwProductVersionMS = 0;
    DWORD dwProductVersionLS = 0;
    DWORD dwFileFlagsMask = version_flags_mask;
    DWORD dwFileFlags = 0;
    DWORD dwFileOS = version_os_nt_windows32;
    DWORD dwFileType = version_type_dll;
    DWORD dwFileSubtype = 0;
    DWORD dwFileDateMS = 0;
    DWORD dwFileDateLS = 0;
    friend bool operator==(const fixed_file_info &, const fixed_file_info &) = default;
};

struct version_string_table {
    oleaut::ostring key;  // "040904B0": language 0x0409, code page 0x04B0 (Unicode)
    std::vector<std::pair<oleaut::ostring, oleaut::ostring>> strings;
    friend bool operator==(const version_string_table &, const version_string_table &) = default;
};

struct version_info {
    fixed_file_info fixed;
    std::vector<version_string_table> string_tables;
    // VarFileInfo\Translation: each DWORD has the language in its low word and the code
    // page in its high word.
    std::vector<DWORD> translations;
    friend bool operator==(const version_info &, const version_info &) = default;

    // The value of `key` in the first string table that has it, or null.
    const oleaut::ostring *find(oleaut::ostring_view key) const noexcept;
};

// The VS_VERSIONINFO bytes. Throws com_error(E_INVALIDARG) for a table key that is not
// 8 hex digits, or a block too large for its 16-bit lengths.
std::vector<BYTE> write_version_block(const version_info &info);

// Reads a VS_VERSIONINFO block. Nodes this reader does not know are skipped, as
// Windows skips them; a block whose lengths do not fit, or whose fixed part lacks the
// signature, is refused with TYPE_E_INVDATAREAD.
version_info read_version_block(std::span<const BYTE> block);

}  // namespace oleaut::disp

#endif
