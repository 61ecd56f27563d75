// Reading one string from the registry, for the runtime's own lookups (ProgIDs,
// class registrations) without opening and closing handles.
#ifndef OLEAUT_SRC_REGISTRY_LOOKUP_H
#define OLEAUT_SRC_REGISTRY_LOOKUP_H

#include <string>

#include "registry_tree.h"

#define OLEAUT_ERROR_INVALID_DATA 13L

namespace oleaut::registry {

// The string value `name` ("" for the default value) of the key at path: a REG_SZ or
// REG_EXPAND_SZ, up to its first NUL. ERROR_FILE_NOT_FOUND when the key or the value
// is missing, OLEAUT_ERROR_INVALID_DATA when the value is not a string; any other
// status is a failure of the store, already published as error info.
LSTATUS read_string_value(const key_path &path, std::u16string_view name, std::u16string *out);

}  // namespace oleaut::registry

#endif
