// See regsvr_library.h.
#include "regsvr_library.h"

#include <dlfcn.h>

#include <cstdlib>

namespace regsvr {

server_library::~server_library()
{
    if (handle_)
        dlclose(handle_);
}

bool server_library::load(const std::string &path, std::string *error)
{
    path_ = path;
    dlerror();
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char *why = dlerror();
        *error = why ? why : "the loader gave no reason";
        return false;
    }
    return true;
}

LPFNREGISTERSERVER server_library::entry_point(const char *name) const
{
    return handle_ ? reinterpret_cast<LPFNREGISTERSERVER>(dlsym(handle_, name)) : nullptr;
}

std::string library_path_for(const std::string &typed)
{
    std::string path = typed.find('/') == std::string::npos ? "./" + typed : typed;
    if (char *real = realpath(path.c_str(), nullptr)) {
        path = real;
        std::free(real);
    }
    return path;
}

}  // namespace regsvr
