// The in-memory picture of HKEY_CLASSES_ROOT that one registry transaction works on:
// a tree of keys, each with named values. Names compare without regard to case, as
// the Windows registry compares them, but keep the case they were first written with.
#ifndef OLEAUT_SRC_REGISTRY_TREE_H
#define OLEAUT_SRC_REGISTRY_TREE_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "oleaut.h"

namespace oleaut::registry {

// Orders names the way the registry matches them: ASCII letters fold to upper case.
struct name_less {
    using is_transparent = void;
    bool operator()(std::u16string_view a, std::u16string_view b) const noexcept;
};

bool names_equal(std::u16string_view a, std::u16string_view b) noexcept;

// A value is its type and its bytes exactly as the caller set them.
struct value {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    friend bool operator==(const value &, const value &) = default;
};

struct key {
    std::map<std::u16string, value, name_less> values;
    std::map<std::u16string, std::unique_ptr<key>, name_less> subkeys;
};

// A key's position below the root, one name per level, as stored (the stored case).
using key_path = std::vector<std::u16string>;

// The key at path, or null.
key *find_key(key &root, const key_path &path);
const key *find_key(const key &root, const key_path &path);

// The key at path, created with its missing parents; *created tells whether the
// last level is new. Returns the stored path (existing levels keep their case).
key &create_key(key &root, const key_path &path, bool *created, key_path *stored_path);

// Removes the key at path and all below it; false if there is none.
bool erase_key(key &root, const key_path &path);

// path rendered as "A\B\C" for messages.
std::u16string join_path(const key_path &path);

}  // namespace oleaut::registry

#endif
