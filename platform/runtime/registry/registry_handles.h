// Open registry keys. An HKEY names a key by its path, not by a node in memory: every
// operation re-reads the file, so a handle stays meaningful while other processes
// change the registry, and operations on a key deleted meanwhile answer
// ERROR_KEY_DELETED as Windows does.
#ifndef OLEAUT_SRC_REGISTRY_HANDLES_H
#define OLEAUT_SRC_REGISTRY_HANDLES_H

#include "registry_tree.h"

namespace oleaut::registry {

struct open_key {
    key_path path;  // empty for HKEY_CLASSES_ROOT
    REGSAM access = 0;
};

HKEY open_handle(open_key k);

// What h stands for; false for a handle that is not open. HKEY_CLASSES_ROOT is always
// open, with every access right.
bool lookup_handle(HKEY h, open_key *k);

// False for a handle that is not open. Closing HKEY_CLASSES_ROOT does nothing.
bool close_handle(HKEY h);

}  // namespace oleaut::registry

#endif
