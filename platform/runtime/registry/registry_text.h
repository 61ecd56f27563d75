// The registry file's text form: a .reg-like, line-oriented UTF-8 file that a person
// can read, diff and fix by hand.
//
//   [CLSID\{6B3F2A51-8C4D-4E7A-9F12-3D5C7B9E1A42}\InprocServer32]
//   @="/usr/lib/quillet/libcounter.so"
//   "ThreadingModel"="Apartment"
//   "Flags"=dword:00000001
//   "Blob"=hex:01,02,ff
//   "Other"=hex(2):41,00,00,00
//
// Every key has a section, so empty keys survive a round trip. Strings escape \\, \",
// newline (\n), carriage return (\r), tab (\t) and other control characters (\uXXXX).
// A REG_SZ is written as text only when that is lossless (one terminating NUL and no
// other); any other type or shape is written as hex(type) bytes.
#ifndef OLEAUT_SRC_REGISTRY_TEXT_H
#define OLEAUT_SRC_REGISTRY_TEXT_H

#include <string>
#include <string_view>

#include "registry_tree.h"

namespace oleaut::registry {

struct parse_error {
    size_t line = 0;      // 1-based
    std::string message;  // what is wrong on that line, for a person
};

// Parses text into root (which must be empty). False, with *error filled, if any
// line is not understood: a damaged file is reported, never half-read.
bool parse_registry_text(std::string_view text, key &root, parse_error *error);

std::string format_registry_text(const key &root);

// Whether a key name can be stored in the file: not empty, at most 255 characters,
// no backslash, no control characters, no unpaired surrogates.
bool is_storable_key_name(std::u16string_view name) noexcept;

}  // namespace oleaut::registry

#endif
