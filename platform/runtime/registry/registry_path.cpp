// Resolution of the registry file's path (see registry_path.h).
#include "registry_path.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace oleaut::registry {

namespace {

std::string env(const char *name)
{
    const char *v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string home_directory()
{
    std::string home = env("HOME");
    if (!home.empty())
        return home;
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buf(size > 0 ? static_cast<size_t>(size) : 16384);
    passwd pw{};
    passwd *found = nullptr;
    if (getpwuid_r(getuid(), &pw, buf.data(), buf.size(), &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return {};
}

}  // namespace

std::string registry_file_path()
{
    std::string explicit_path = env("OLEAUT_REGISTRY");
    if (!explicit_path.empty())
        return explicit_path;
    // XDG says a relative XDG_DATA_HOME is invalid and must be ignored.
    std::string data_home = env("XDG_DATA_HOME");
    if (data_home.empty() || data_home[0] != '/') {
        std::string home = home_directory();
        if (home.empty())
            return {};
        data_home = home + "/.local/share";
    }
    return data_home + "/oleaut/registry";
}

}  // namespace oleaut::registry
