// Lifetime accounting for every test of a program that loads in-process servers: when a
// test ends, no object of any loaded server may be alive (each server's DllCanUnloadNow
// answers S_OK), nothing made from the static cores linked into the test program itself
// may be alive, and CoFreeUnusedLibraries must then really unload every server. A test
// that leaks a reference, a class factory or a server lock fails by name, instead of the
// leak surfacing later as a library that never unloads inside a client's process.
//
// The listener registers itself when the program starts, so linking this file into a test
// program is all it takes. gtest calls OnTestEnd in reverse order of registration: this
// listener, appended after the result printer, runs first, so its failures are printed
// against the test that caused them.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <link.h>

#include <string>
#include <vector>

#include "oleaut.h"
#include "oleaut/dispatch/module.hpp"
#include "oleaut/dispatch/typeinfo.hpp"

namespace {

// The file names of every shared object the process has mapped now.
std::vector<std::string> mapped_objects()
{
    std::vector<std::string> names;
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *out) {
            if (info->dlpi_name && *info->dlpi_name)
                static_cast<std::vector<std::string> *>(out)->push_back(info->dlpi_name);
            return 0;
        },
        &names);
    return names;
}

bool still_mapped(const std::string &file)
{
    void *handle = dlopen(file.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (!handle)
        return false;
    dlclose(handle);
    return true;
}

struct loaded_server {
    std::string file;
    HRESULT can_unload;
};

// The mapped objects that export their own DllCanUnloadNow, with its answer now. dlsym
// on a handle also searches the object's dependencies, so the symbol must be found
// inside the object itself to make it a server.
std::vector<loaded_server> loaded_servers()
{
    std::vector<loaded_server> servers;
    for (const std::string &file : mapped_objects()) {
        void *handle = dlopen(file.c_str(), RTLD_LAZY | RTLD_NOLOAD);
        if (!handle)
            continue;
        void *symbol = dlsym(handle, "DllCanUnloadNow");
        Dl_info where{};
        if (symbol && dladdr(symbol, &where) && where.dli_fname && file == where.dli_fname) {
            auto can_unload_now = reinterpret_cast<HRESULT (*)()>(symbol);
            servers.push_back({file, can_unload_now()});
        }
        dlclose(handle);
    }
    return servers;
}

class server_leak_listener : public ::testing::EmptyTestEventListener {
    // Type information objects and descriptor blocks live in the runtime; a client that
    // forgets a Release* (ReleaseTypeAttr, ReleaseFuncDesc ...) leaves one behind.
    long type_objects_at_start_ = 0;

    void OnTestStart(const ::testing::TestInfo &) override { type_objects_at_start_ = oleaut::disp::type_objects_alive(); }

    void OnTestEnd(const ::testing::TestInfo &) override
    {
        EXPECT_EQ(oleaut::disp::type_objects_alive(), type_objects_at_start_)
            << "type information objects or descriptor blocks made in this test are still alive: a Release or "
               "Release* was not called";
        EXPECT_EQ(oleaut::disp::module_live_count(), 0)
            << "objects made in this test program (from a library's static core) are still alive after the "
               "test: a reference was not released";
        const std::vector<loaded_server> servers = loaded_servers();
        for (const loaded_server &s : servers)
            EXPECT_EQ(s.can_unload, S_OK) << s.file
                                          << " still has live objects, class factories or server locks after the "
                                             "test (its DllCanUnloadNow answers S_FALSE): a reference was not "
                                             "released";
        CoFreeUnusedLibraries();
        for (const loaded_server &s : servers) {
            if (s.can_unload != S_OK)
                continue;
            EXPECT_FALSE(still_mapped(s.file))
                << s.file
                << " agreed to unload but is still mapped after CoFreeUnusedLibraries: a dlopen handle was not "
                   "closed, or a thread_local destructor or a unique symbol pins it";
        }
    }
};

[[maybe_unused]] const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new server_leak_listener);
    return true;
}();

}  // namespace
