// Writing a file so that readers see either the old file or the whole new one: the
// bytes go to a temporary file in the same directory, are flushed to disk, and the
// temporary file is renamed over the target.
#ifndef SHEETHOST_RENDER_EXPORT_PICTURE_FILE_HPP
#define SHEETHOST_RENDER_EXPORT_PICTURE_FILE_HPP

#include <cstdint>
#include <string>
#include <vector>

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

}  // namespace sheethost::render

#endif
