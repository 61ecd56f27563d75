// Loading and atomically replacing the registry file (see registry_file.h).
#include "registry_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include "atomic_replace.hpp"
#include "errors/activation_error_info.h"
#include "registry_path.h"
#include "registry_text.h"

namespace oleaut::registry {

namespace {

std::string system_reason(int err)
{
    char buf[256];
    return strerror_r(err, buf, sizeof buf);
}

LSTATUS fail(LSTATUS status, const std::string &description)
{
    detail::publish_error_info(detail::kRegistrySource, description);
    return status;
}

LSTATUS io_failure(LSTATUS otherwise, int err, const std::string &what)
{
    LSTATUS status = (err == EACCES || err == EPERM || err == EROFS) ? ERROR_ACCESS_DENIED : otherwise;
    return fail(status, what + ": " + system_reason(err));
}

LSTATUS no_path_failure()
{
    return fail(OLEAUT_ERROR_CANTREAD, "The registry file has no location: OLEAUT_REGISTRY is not set and no home "
                                "directory is known (set OLEAUT_REGISTRY to the file to use).");
}

// The file a change must replace: the target of a symbolic link, so that a registry
// linked from elsewhere stays linked.
std::string resolve_link(const std::string &path)
{
    struct stat st{};
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char *real = realpath(path.c_str(), nullptr);
        if (real) {
            std::string r(real);
            std::free(real);
            return r;
        }
    }
    return path;
}

// Reads the file into *text; a missing file reads as empty.
LSTATUS read_text(const std::string &path, std::string *text)
{
    text->clear();
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return ERROR_SUCCESS;
        return io_failure(OLEAUT_ERROR_CANTREAD, errno, "Cannot open the registry file '" + path + "'");
    }
    char buf[65536];
    while (true) {
        ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            int err = errno;
            close(fd);
            return io_failure(OLEAUT_ERROR_CANTREAD, err, "Cannot read the registry file '" + path + "'");
        }
        if (n == 0)
            break;
        text->append(buf, static_cast<size_t>(n));
    }
    close(fd);
    return ERROR_SUCCESS;
}

LSTATUS load(const std::string &path, key &root)
{
    std::string text;
    if (LSTATUS status = read_text(path, &text); status != ERROR_SUCCESS)
        return status;
    parse_error error;
    if (!parse_registry_text(text, root, &error))
        return fail(ERROR_BADDB, "The registry file '" + path + "' is damaged at line " + std::to_string(error.line) +
                                     ": " + error.message +
                                     ". It was left unchanged; correct or remove that line, then retry.");
    return ERROR_SUCCESS;
}

// Creates the directories above path that do not exist yet.
LSTATUS make_parent_directories(const std::string &path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        std::string dir = path.substr(0, slash);
        if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST)
            return io_failure(ERROR_CANTWRITE, errno, "Cannot create the registry's directory '" + dir + "'");
    }
    return ERROR_SUCCESS;
}

// Replaces path with text through the platform's one atomic replacement, so that the
// file is always either wholly old or wholly new.
LSTATUS replace_file(const std::string &path, const std::string &text)
{
    const auto failure = oleaut::files::replace_file_atomically(path, text, 0644);
    if (!failure)
        return ERROR_SUCCESS;
    const std::string what = "Cannot " + failure->step + " the new registry file '" + path + "'";
    if (failure->error != 0)
        return io_failure(ERROR_CANTWRITE, failure->error, what);
    return fail(ERROR_CANTWRITE, what + ": " + failure->reason);
}

// Holds the registry's advisory lock for the lifetime of the object. flock locks belong
// to an open file description, so two threads of one process exclude each other too.
class registry_lock {
public:
    LSTATUS acquire(const std::string &path)
    {
        std::string lock_path = path + ".lock";
        fd_ = open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ < 0)
            return io_failure(ERROR_CANTWRITE, errno, "Cannot open the registry's lock file '" + lock_path + "'");
        while (flock(fd_, LOCK_EX) != 0) {
            if (errno != EINTR)
                return io_failure(ERROR_CANTWRITE, errno, "Cannot lock the registry's lock file '" + lock_path + "'");
        }
        return ERROR_SUCCESS;
    }
    ~registry_lock()
    {
        if (fd_ >= 0)
            close(fd_);
    }

private:
    int fd_ = -1;
};

// What tells one registry file from another, or from itself before a change.
struct file_identity {
    std::string path;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{}, changed{};

    bool operator==(const file_identity &o) const
    {
        return path == o.path && device == o.device && inode == o.inode && size == o.size &&
               modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
               changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec;
    }
};

struct snapshot_cache {
    std::mutex lock;
    file_identity identity;
    std::shared_ptr<const key> tree;
};

snapshot_cache &cache()
{
    static snapshot_cache instance;
    return instance;
}

}  // namespace

std::shared_ptr<const key> registry_snapshot(LSTATUS *status)
{
    *status = ERROR_SUCCESS;
    std::string path = registry_file_path();
    if (path.empty()) {
        *status = no_path_failure();
        return nullptr;
    }
    struct stat st{};
    if (stat(path.c_str(), &st) != 0) {
        // Missing (an empty registry) or unreadable: load says which, as it always did.
        auto root = std::make_shared<key>();
        *status = load(path, *root);
        return *status == ERROR_SUCCESS ? root : nullptr;
    }
    file_identity now{path, st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
    snapshot_cache &c = cache();
    std::lock_guard guard(c.lock);
    if (c.tree && c.identity == now)
        return c.tree;
    auto root = std::make_shared<key>();
    if ((*status = load(path, *root)) != ERROR_SUCCESS)
        return nullptr;
    c.identity = std::move(now);
    c.tree = std::move(root);
    return c.tree;
}

LSTATUS read_registry(key &root)
{
    std::string path = registry_file_path();
    if (path.empty())
        return no_path_failure();
    return load(path, root);
}

LSTATUS update_registry(const registry_edit &edit)
{
    std::string path = registry_file_path();
    if (path.empty())
        return no_path_failure();
    path = resolve_link(path);
    if (LSTATUS status = make_parent_directories(path); status != ERROR_SUCCESS)
        return status;
    registry_lock lock;
    if (LSTATUS status = lock.acquire(path); status != ERROR_SUCCESS)
        return status;
    key root;
    if (LSTATUS status = load(path, root); status != ERROR_SUCCESS)
        return status;
    bool changed = false;
    LSTATUS status = edit(root, changed);
    if (status != ERROR_SUCCESS || !changed)
        return status;
    return replace_file(path, format_registry_text(root));
}

}  // namespace oleaut::registry
