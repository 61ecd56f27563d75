// The registry file as a store: whole-file snapshots for reading, and read-modify-write
// transactions for changes. A change holds an advisory lock (flock on "<file>.lock")
// from reading to renaming, and replaces the file through a fsynced temporary file, so
// concurrent writers in any number of processes never lose each other's changes and a
// reader never sees a half-written file. A file that does not parse is reported with
// its name and line (ERROR_BADDB) and is never written over.
//
// Every failure here is also published as the thread's error info (source "Registry").
#ifndef OLEAUT_SRC_REGISTRY_FILE_H
#define OLEAUT_SRC_REGISTRY_FILE_H

#include <functional>
#include <memory>

#include "registry_tree.h"

// Win32 status codes the registry answers that hresults.h does not list.
#define OLEAUT_ERROR_BAD_PATHNAME 161L
#define OLEAUT_ERROR_CANTREAD 1012L
#define OLEAUT_ERROR_KEY_DELETED 1018L

namespace oleaut::registry {

// Reads the whole registry into root (which must be empty). A missing file is an
// empty registry.
LSTATUS read_registry(key &root);

// The whole registry as last read, shared and never changed: activation looks the
// registry up several times per object, and parsing the file each time cost more than
// drawing a small chart. The file is parsed again whenever its identity (device,
// inode, size, modification and change times) differs from the one the snapshot was
// read from; every change replaces the file, so it is seen on the next lookup, in this
// process or any other. Null, with *status set, on failure.
std::shared_ptr<const key> registry_snapshot(LSTATUS *status);

// One transaction: edit receives the current tree and answers a status and whether it
// changed anything. The file is rewritten only when the edit succeeded and changed it.
using registry_edit = std::function<LSTATUS(key &root, bool &changed)>;
LSTATUS update_registry(const registry_edit &edit);

}  // namespace oleaut::registry

#endif
