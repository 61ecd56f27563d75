// Writing a file so that readers see either the old file or the whole new one: the
// bytes go to a temporary file in the same directory, which is renamed over the target.
//
// Whether the bytes are also flushed to disk first is the operator's choice. A chart
// server writes pictures it can draw again, and its readers need a whole file, never a
// half-written one: the rename gives that, so by default nothing waits for the disk.
// SHEETHOST_SYNC_EXPORTS=1 (any value but empty or "0") flushes every picture and its
// directory, for files kept as a record that must survive a power cut.
#ifndef SHEETHOST_RENDER_EXPORT_PICTURE_FILE_HPP
#define SHEETHOST_RENDER_EXPORT_PICTURE_FILE_HPP

#include <cstdint>
#include <string>
#include <vector>

#include "atomic_replace.hpp"

namespace sheethost::render {

// Throws cannot_write ("cannot write <path>: <reason>") and leaves nothing behind
// when any step fails; an existing file is then left as it was. A new file gets the
// usual permissions (0666 less the umask); a replaced file keeps its own.
//
// The name is the caller's to choose and is used as given (relative names against
// the working directory). A symbolic link is followed: the file it points to is
// replaced and the link stays. Only a regular file is replaced: a directory, device,
// pipe or socket of that name is refused. A file size limit (RLIMIT_FSIZE) that the
// picture exceeds fails the write with "File too large" instead of ending the
// process with SIGXFSZ.
void write_file_atomically(const std::string &path, const std::vector<uint8_t> &bytes);

// What SHEETHOST_SYNC_EXPORTS asks for; `setting` is its value, null when unset.
oleaut::files::durability export_durability(const char *setting);

}  // namespace sheethost::render

#endif
