// Where the registry file lives. Read at every operation, so a program (or a test)
// that changes OLEAUT_REGISTRY is obeyed from its next registry call on.
#ifndef OLEAUT_SRC_REGISTRY_PATH_H
#define OLEAUT_SRC_REGISTRY_PATH_H

#include <string>

namespace oleaut::registry {

// OLEAUT_REGISTRY if set and not empty; else $XDG_DATA_HOME/oleaut/registry; else
// ~/.local/share/oleaut/registry (home from $HOME, then the password database).
// Empty only if no home directory can be found at all.
std::string registry_file_path();

}  // namespace oleaut::registry

#endif
