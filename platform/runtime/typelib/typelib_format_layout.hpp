// The numbers of the type library image format (typelib_format.hpp describes it), in
// one place so that the writer and the reader cannot disagree.
#ifndef OLEAUT_DISPATCH_TYPELIB_FORMAT_LAYOUT_HPP
#define OLEAUT_DISPATCH_TYPELIB_FORMAT_LAYOUT_HPP

#include <cstddef>

#include "oleaut.h"

namespace oleaut::disp::typelib_layout {

inline constexpr char16_t kSource[] = u"Type library image";

inline constexpr WORD kFormatMajor = 1;
inline constexpr WORD kFormatMinor = 0;
inline constexpr DWORD kNoString = 0xFFFFFFFF;
inline constexpr DWORD kNoType = 0xFFFFFFFF;

// Header field offsets.
enum header : size_t {
    kMagic = 0,
    kVersionMajor = 4,
    kVersionMinor = 6,
    kImageSize = 8,
    kStringTable = 12,
    kStringCount = 16,
    kTypeTable = 20,
    kTypeCount = 24,
    kListedCount = 28,
    kLibraryName = 32,
    kLibraryDoc = 36,
    kLibraryGuid = 40,
    kLibraryLcid = 56,
    kLibraryMajor = 60,
    kLibraryMinor = 62,
    kHeaderSize = 64,
};

inline constexpr size_t kStringEntrySize = 8;
inline constexpr size_t kTypeEntrySize = 4;
inline constexpr size_t kTypeHeadSize = 24;  // kind, flags, name, GUID
inline constexpr size_t kMemberSize = 24;
inline constexpr size_t kParamSize = 12;
inline constexpr size_t kConstantSize = 8;

enum type_kind : WORD { kInterface = 1, kClass = 2, kEnumeration = 3 };

inline constexpr WORD kMemberVtableOnly = 0x1;
inline constexpr WORD kParamOptional = 0x1;

// What the type information can count: a library's types and a type's members are
// indexed by UINT but reported in WORD fields (cFuncs, cVars), parameters in SHORT.
inline constexpr size_t kMaxTypes = 0xFFFF;
inline constexpr size_t kMaxMembers = 0xFFFF;
inline constexpr size_t kMaxConstants = 0xFFFF;
inline constexpr size_t kMaxParams = 0x7FFF;

}  // namespace oleaut::disp::typelib_layout

#endif
