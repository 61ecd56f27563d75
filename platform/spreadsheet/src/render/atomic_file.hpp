// Writing a file so that readers see either the old file or the whole new one: the
// bytes go to a temporary file in the same directory, are flushed to disk, and the
// temporary file is renamed over the target.
#ifndef SHEETHOST_RENDER_ATOMIC_FILE_HPP
#define SHEETHOST_RENDER_ATOMIC_FILE_HPP

#include <cstdint>
#include <string>
#include <vector>

namespace sheethost::render {

// Throws cannot_write ("cannot write <path>: <reason>") and leaves nothing behind
// when any step fails. A new file gets the usual permissions (0666 less the umask);
// a replaced file keeps its own.
void write_file_atomically(const std::string &path, const std::vector<uint8_t> &bytes);

}  // namespace sheethost::render

#endif
