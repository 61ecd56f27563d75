// The loaded-library table (see activation_libraries.h). The table's mutex is never
// held while a server's DllGetClassObject runs, so a server may activate other classes
// from inside it; instead an entry counts the calls in flight, and a library with calls
// in flight is never unloaded.
#include "activation_libraries.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <algorithm>
#include <mutex>
#include <vector>

#include "errors/activation_error_info.h"
#include "apartment.h"

namespace oleaut::detail {

namespace {

struct loaded_library {
    std::string path;
    void *handle = nullptr;
    LPFNGETCLASSOBJECT get_class_object = nullptr;
    LPFNCANUNLOADNOW can_unload_now = nullptr;  // a library without one is never unloaded
    unsigned calls_in_flight = 0;
};

struct library_table {
    std::mutex lock;
    std::vector<loaded_library> libraries;
};

library_table &table()
{
    // Never destroyed: the last apartment may close (and free libraries) while static
    // objects are being torn down at exit.
    static library_table *t = new library_table;
    return *t;
}

HRESULT load_failure(const std::string &path)
{
    const char *reason = dlerror();
    std::string why = reason ? reason : "unknown reason";
    struct stat st{};
    if (stat(path.c_str(), &st) != 0) {
        publish_error_info(kActivationSource, "The server library '" + path +
                                                  "' registered for the class does not exist (" + why +
                                                  "). Re-register the class with regsvr, or install the library.");
        return HRESULT_FROM_WIN32(126);  // ERROR_MOD_NOT_FOUND, what Windows answers for a missing server
    }
    publish_error_info(kActivationSource, "The server library '" + path + "' could not be loaded: " + why);
    return CO_E_ERRORINDLL;
}

// Takes one call's claim on the library at path, loading it if needed.
HRESULT claim(const std::string &path, LPFNGETCLASSOBJECT *get)
{
    library_table &t = table();
    {
        std::lock_guard guard(t.lock);
        for (auto &lib : t.libraries)
            if (lib.path == path) {
                ++lib.calls_in_flight;
                *get = lib.get_class_object;
                return S_OK;
            }
    }
    dlerror();
    void *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return load_failure(path);
    auto entry = reinterpret_cast<LPFNGETCLASSOBJECT>(dlsym(handle, "DllGetClassObject"));
    if (!entry) {
        dlclose(handle);
        publish_error_info(kActivationSource, "The server library '" + path +
                                                  "' does not export DllGetClassObject, so no class can be "
                                                  "activated from it.");
        return CO_E_ERRORINDLL;
    }
    auto can_unload = reinterpret_cast<LPFNCANUNLOADNOW>(dlsym(handle, "DllCanUnloadNow"));
    bool already_listed = false;
    {
        std::lock_guard guard(t.lock);
        // Another thread may have loaded it (maybe under another path) meanwhile; the
        // table keeps exactly one loader reference per library.
        auto it = std::find_if(t.libraries.begin(), t.libraries.end(),
                               [&](const loaded_library &l) { return l.handle == handle; });
        already_listed = it != t.libraries.end();
        if (already_listed) {
            ++it->calls_in_flight;
        } else {
            t.libraries.push_back({path, handle, entry, can_unload, 1});
        }
    }
    if (already_listed)
        dlclose(handle);
    *get = entry;
    return S_OK;
}

void release_claim(LPFNGETCLASSOBJECT get)
{
    library_table &t = table();
    std::lock_guard guard(t.lock);
    for (auto &lib : t.libraries)
        if (lib.get_class_object == get && lib.calls_in_flight) {
            --lib.calls_in_flight;
            return;
        }
}

}  // namespace

HRESULT class_object_from_library(const std::string &path, REFCLSID clsid, REFIID riid, void **ppv)
{
    LPFNGETCLASSOBJECT get = nullptr;
    HRESULT hr = claim(path, &get);
    if (FAILED(hr))
        return hr;
    hr = get(clsid, riid, ppv);
    release_claim(get);
    return hr;
}

void free_unused_libraries() noexcept
{
    library_table &t = table();
    std::lock_guard guard(t.lock);
    // DllCanUnloadNow and dlclose run under the lock: a library must not be handed to a
    // new caller between agreeing to go and going.
    std::erase_if(t.libraries, [](loaded_library &lib) {
        if (lib.calls_in_flight || !lib.can_unload_now || lib.can_unload_now() != S_OK)
            return false;
        dlclose(lib.handle);
        return true;
    });
}

}  // namespace oleaut::detail

STDAPI_(void) CoFreeUnusedLibraries(void) { oleaut::detail::free_unused_libraries(); }
