// Atomic replace with mkstemp, fsync and rename.
#include "render/atomic_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "host_errors.hpp"
#include "oleaut/utf.hpp"

namespace sheethost::render {

namespace {

[[noreturn]] void cannot_write(const std::string &path, int error)
{
    raise_host_error(host_error::cannot_write, oleaut::utf8_to_utf16(path),
                     oleaut::utf8_to_utf16(std::strerror(error)));
}

// The process's umask, read without changing it (umask() itself would race with other
// threads creating files).
mode_t current_umask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
    return 022;
}

class temp_file {
public:
    explicit temp_file(std::string pattern) : name_(std::move(pattern))
    {
        fd_ = mkstemp(name_.data());
    }
    ~temp_file()
    {
        if (fd_ >= 0)
            close(fd_);
        if (!committed_ && fd_ != -1)
            unlink(name_.c_str());
    }
    temp_file(const temp_file &) = delete;
    temp_file &operator=(const temp_file &) = delete;

    int fd() const { return fd_; }
    const std::string &name() const { return name_; }
    // Closes the descriptor, reporting a failed close (where NFS reports write errors).
    int close_now()
    {
        int rc = close(fd_);
        fd_ = -2;  // closed, but the file still needs removing on failure
        return rc;
    }
    void commit() { committed_ = true; }

private:
    std::string name_;
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace

void write_file_atomically(const std::string &path, const std::vector<uint8_t> &bytes)
{
    std::string dir, base;
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        dir = ".";
        base = path;
    } else {
        dir = slash == 0 ? "/" : path.substr(0, slash);
        base = path.substr(slash + 1);
    }
    if (base.empty())
        cannot_write(path, EISDIR);

    temp_file temp(dir + "/." + base + ".XXXXXX");
    if (temp.fd() < 0)
        cannot_write(path, errno);

    struct stat existing;
    mode_t mode = stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : (0666 & ~current_umask());
    if (fchmod(temp.fd(), mode) != 0)
        cannot_write(path, errno);

    size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = write(temp.fd(), bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            cannot_write(path, errno);
        }
        written += static_cast<size_t>(n);
    }
    if (fsync(temp.fd()) != 0)
        cannot_write(path, errno);
    if (temp.close_now() != 0)
        cannot_write(path, errno);
    if (rename(temp.name().c_str(), path.c_str()) != 0)
        cannot_write(path, errno);
    temp.commit();
}

}  // namespace sheethost::render
