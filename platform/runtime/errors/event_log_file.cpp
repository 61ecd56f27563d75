// Appending to the event log file. Several threads and processes may log at once:
// each entry is one write() of a whole line, made under flock() on an O_APPEND
// descriptor, so a reader never sees two entries mixed or a torn line.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "event_log.hpp"

namespace oleaut::detail {
namespace {

int lock_exclusive(int fd)
{
    while (flock(fd, LOCK_EX) != 0)
        if (errno != EINTR)
            return errno;
    return 0;
}

// Writes all of line; a short write is finished while the lock is still held.
int write_all(int fd, std::string_view line)
{
    size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = write(fd, line.data() + done, line.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return EIO;
        done += static_cast<size_t>(n);
    }
    return 0;
}

}  // namespace

int append_event_line(const char *path, std::string_view line) noexcept
{
    const int fd = open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    int error = lock_exclusive(fd);
    if (error == 0) {
        struct stat before {};
        const bool regular = fstat(fd, &before) == 0 && S_ISREG(before.st_mode);
        error = write_all(fd, line);
        // A part of a line (disk full half-way) would break every reader of the
        // log; take it back. The entry is still reported as failed.
        if (error != 0 && regular)
            (void)!ftruncate(fd, before.st_size);
    }
    // Closing releases the lock. A failed close can mean the data never reached
    // the file (e.g. on a network file system), so it counts as a failure too.
    if (close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

}  // namespace oleaut::detail
