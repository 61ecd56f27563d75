// Registering the test server into the current registry (as regsvr would, but in
// process), and looking at it from outside: whether it is loaded and its counters.
// Only for runtime_tests, which knows where the server was built (TEST_SERVER_PATH).
#ifndef TEST_SUPPORT_TEST_SERVER_REGISTRATION_HPP
#define TEST_SUPPORT_TEST_SERVER_REGISTRATION_HPP

#include <dlfcn.h>

#include "oleaut.h"
#include "support/test_server_ids.h"

namespace test_support {

// Calls the server's DllRegisterServer, then drops this load again.
inline HRESULT register_test_server()
{
    void *h = dlopen(TEST_SERVER_PATH, RTLD_NOW | RTLD_LOCAL);
    if (!h)
        return E_FAIL;
    auto entry = reinterpret_cast<LPFNREGISTERSERVER>(dlsym(h, "DllRegisterServer"));
    HRESULT hr = entry ? entry() : E_FAIL;
    dlclose(h);
    return hr;
}

// Whether the process has the test server loaded, without loading it.
inline bool test_server_loaded()
{
    void *h = dlopen(TEST_SERVER_PATH, RTLD_NOW | RTLD_NOLOAD);
    if (h)
        dlclose(h);
    return h != nullptr;
}

// One of the server's counters (test_server_ids.h); -1 if it is not loaded.
inline LONG test_server_counter(const char *export_name)
{
    void *h = dlopen(TEST_SERVER_PATH, RTLD_NOW | RTLD_NOLOAD);
    if (!h)
        return -1;
    auto fn = reinterpret_cast<test_server::count_fn>(dlsym(h, export_name));
    LONG v = fn ? fn() : -1;
    dlclose(h);
    return v;
}

}  // namespace test_support

#endif
