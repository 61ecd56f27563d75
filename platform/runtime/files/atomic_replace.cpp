// Atomic replace with mkostemp, rename and, when asked, fsync; see atomic_replace.hpp.
#include "atomic_replace.hpp"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>

namespace oleaut::files {

namespace {

// Every step that fails says so by throwing this; replace_file_atomically turns it
// into its answer, so no exception leaves this file.
struct step_failed {
    replace_failure failure;
};

[[noreturn]] void fail(const char *step, int error) { throw step_failed{{error, step, std::strerror(error)}}; }
[[noreturn]] void refuse(const char *step, std::string reason) { throw step_failed{{0, step, std::move(reason)}}; }

// The kernel's own limit on links followed while resolving one name.
constexpr int kMaxLinkHops = 40;

// Bytes of the target's name kept in the temporary file's name: enough to tell whose
// it is, short enough that a target name of NAME_MAX bytes still leaves room for the
// prefix and mkostemp's suffix.
constexpr size_t kTempNameStem = 32;

std::string directory_of(const std::string &path)
{
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file that path names once symbolic links in its last component are followed.
// Writing through a link replaces the file it points to and keeps the link, as
// opening the name for writing would; renaming over the link itself would silently
// turn it into a plain file. A dangling link names the file that will be created.
std::string link_target(const std::string &path)
{
    std::string at = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st;
        if (lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return at;
        std::string target(PATH_MAX, '\0');
        ssize_t n = readlink(at.c_str(), target.data(), target.size());
        if (n <= 0)
            fail("follow the link", n < 0 ? errno : ENOENT);
        if (static_cast<size_t>(n) == target.size())
            fail("follow the link", ENAMETOOLONG);
        target.resize(static_cast<size_t>(n));
        at = target.front() == '/' ? target : directory_of(at) + "/" + target;
    }
    fail("follow the link", ELOOP);
}

// Only a regular file may be replaced: renaming over a device or a pipe (say
// /dev/null, for a process that may write there) would destroy it.
void check_replaceable(const std::string &target)
{
    struct stat st;
    if (stat(target.c_str(), &st) != 0 || S_ISREG(st.st_mode))
        return;
    if (S_ISDIR(st.st_mode))
        fail("replace", EISDIR);
    refuse("replace", "it exists and is not a regular file");
}

// A file size limit (RLIMIT_FSIZE) makes write() raise SIGXFSZ, whose default action
// ends the process. Libraries live inside other people's programs, so a file larger
// than the limit must fail like a full disk: while this object lives the signal is
// held back in this thread and write() reports EFBIG; a signal that the write raised
// is taken back before the thread's mask is restored.
class file_size_signal_held {
public:
    file_size_signal_held()
    {
        sigemptyset(&signal_);
        sigaddset(&signal_, SIGXFSZ);
        pthread_sigmask(SIG_BLOCK, &signal_, &previous_);
    }
    ~file_size_signal_held()
    {
        if (raised_ && !sigismember(&previous_, SIGXFSZ)) {
            const timespec now{0, 0};
            sigtimedwait(&signal_, nullptr, &now);
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    file_size_signal_held(const file_size_signal_held &) = delete;
    file_size_signal_held &operator=(const file_size_signal_held &) = delete;

    void raised() { raised_ = true; }

private:
    sigset_t signal_;
    sigset_t previous_;
    bool raised_ = false;
};

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
    explicit temp_file(std::string pattern) : name_(std::move(pattern)) { fd_ = mkostemp(name_.data(), O_CLOEXEC); }
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

// ".<stem>.XXXXXX" beside the target, the stem cut at a whole UTF-8 character.
std::string temp_pattern(const std::string &target)
{
    std::string stem = target.substr(target.find_last_of('/') + 1);
    if (stem.size() > kTempNameStem) {
        size_t cut = kTempNameStem;
        while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80)
            --cut;
        stem.resize(cut);
    }
    return directory_of(target) + "/." + stem + ".XXXXXX";
}

void write_all(temp_file &temp, std::string_view bytes)
{
    file_size_signal_held held;
    size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = write(temp.fd(), bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int error = errno;
            if (error == EFBIG)
                held.raised();
            fail("write", error);
        }
        written += static_cast<size_t>(n);
    }
}

// The rename is what makes the change durable across a crash; its directory entry is
// flushed too. A failure there is not reported: the new file is already in place and
// visible to every reader, and a failure would invite a retry of a done change.
void flush_directory(const std::string &dir)
{
    int dfd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        fsync(dfd);
        close(dfd);
    }
}

void replace(const std::string &path, std::string_view bytes, mode_t new_file_mode, durability how)
{
    if (path.empty() || path.back() == '/')
        fail("replace", EISDIR);
    const std::string target = link_target(path);
    check_replaceable(target);

    temp_file temp(temp_pattern(target));
    if (temp.fd() < 0)
        fail("create a temporary file for", errno);
    struct stat existing;
    const mode_t mode = stat(target.c_str(), &existing) == 0 ? (existing.st_mode & 07777)
                        : new_file_mode != 0                 ? new_file_mode
                                                             : (0666 & ~current_umask());
    if (fchmod(temp.fd(), mode) != 0)
        fail("set the permissions of", errno);
    write_all(temp, bytes);
    if (how == durability::flushed && fsync(temp.fd()) != 0)
        fail("flush", errno);
    if (temp.close_now() != 0)
        fail("close", errno);
    if (rename(temp.name().c_str(), target.c_str()) != 0)
        fail("rename into place", errno);
    temp.commit();
    if (how == durability::flushed)
        flush_directory(directory_of(target));
}

}  // namespace

std::optional<replace_failure> replace_file_atomically(const std::string &path, std::string_view bytes,
                                                       mode_t new_file_mode, durability how)
{
    try {
        replace(path, bytes, new_file_mode, how);
        return std::nullopt;
    } catch (step_failed &f) {
        return std::move(f.failure);
    } catch (const std::bad_alloc &) {
        return replace_failure{ENOMEM, "replace", std::strerror(ENOMEM)};
    } catch (...) {
        return replace_failure{EIO, "replace", std::strerror(EIO)};
    }
}

}  // namespace oleaut::files
