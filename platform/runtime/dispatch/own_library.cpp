// The file of the library this toolkit is linked into: the server, not the program
// that loaded it. Registration writes it, and the server's type library is read from it.
#ifdef _WIN32
#include "oleaut/dispatch/server.hpp"
#else
#include <dlfcn.h>

#include <climits>
#include <cstdlib>

#include "oleaut/dispatch/server.hpp"
#endif

namespace oleaut::disp {

#ifdef _WIN32

oleaut::ostring own_library_file()
{
    HMODULE self = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&own_library_file), &self))
        return {};
    // Paths may be longer than MAX_PATH; grow until the whole name fits.
    oleaut::ostring path(MAX_PATH, OLESTR('\0'));
    for (;;) {
        const DWORD n = GetModuleFileNameW(self, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

#else

oleaut::ostring own_library_file()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void *>(&own_library_file), &info) || !info.dli_fname)
        return {};
    char resolved[PATH_MAX];
    return utf8_to_utf16(realpath(info.dli_fname, resolved) ? resolved : info.dli_fname);
}

#endif

}  // namespace oleaut::disp
