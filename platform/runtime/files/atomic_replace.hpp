// Replacing a file so that readers see either the old file or the whole new one: the
// bytes go to a temporary file in the same directory and the temporary file is renamed
// over the target. With durability::flushed the bytes reach the disk before the rename
// and the directory is flushed after it, so the new file also survives a crash or a
// power cut; that costs a disk round trip, milliseconds on a busy disk.
// Shared by the registry (liboleaut) and the spreadsheet host's exporter; each turns a
// failure into its own error. No exceptions: the caller decides what a failure means.
#ifndef OLEAUT_FILES_ATOMIC_REPLACE_HPP
#define OLEAUT_FILES_ATOMIC_REPLACE_HPP

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace oleaut::files {

// Whether the new file must survive a crash (flushed) or only be whole to every reader
// (atomic_only: after a crash the old file or no file may be found instead).
enum class durability { flushed, atomic_only };

struct replace_failure {
    int error = 0;     // the errno of the step that failed, or 0 when `reason` says why
    std::string step;  // what was being done: "create a temporary file for", "write", ...
    std::string reason;  // strerror(error), or the refusal ("it exists and is not a regular file")
};

// Nothing on success. On failure nothing is left behind and an existing file is as it
// was. A new file gets new_file_mode (0: 0666 less the process's umask); a replaced
// file keeps its own permissions.
//
// The name is used as given (relative names against the working directory). A
// symbolic link is followed: the file it points to is replaced and the link stays.
// Only a regular file is replaced: a directory, device, pipe or socket of that name is
// refused. A file size limit (RLIMIT_FSIZE) the bytes exceed fails with EFBIG ("File
// too large") instead of ending the process with SIGXFSZ. Names up to NAME_MAX bytes
// work: the temporary file keeps only a short stem of the target's name.
std::optional<replace_failure> replace_file_atomically(const std::string &path, std::string_view bytes,
                                                       mode_t new_file_mode = 0,
                                                       durability how = durability::flushed);

}  // namespace oleaut::files

#endif
