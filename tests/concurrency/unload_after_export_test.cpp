// After every object is released, CoFreeUnusedLibraries unloads the component, the host
// and the recordset library even while threads that exported charts are still running.
// A thread_local with a destructor anywhere in a library (the GIF encoder once kept its
// string table in one) pins that library until each such thread ends, which in a client
// whose main thread exports means forever.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

#include "concurrency/chart_client.hpp"
#include "support/temp_registry.hpp"

namespace {

using namespace chart_client;

bool mapped(const char *file)
{
    void *handle = dlopen(file, RTLD_LAZY | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

void export_one_chart(const std::string &file)
{
    com_ptr<IDispatch> quillet = activate(u"Quillet.cQuillet");
    com_ptr<IDispatch> rs = memory_recordset({{u"Jan", 3}, {u"Feb", 4}});
    build_and_export(quillet.get(), rs.get(), {{{u"Sales", u"Sales"}}, u"Month", 51, 200, 100, u"T", 0}, file);
}

class UnloadAfterExport : public ::testing::Test {
protected:
    ~UnloadAfterExport() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    test_support::scoped_env registry_{"OLEAUT_REGISTRY", std::string(BUILD_REGISTRY)};
    std::string dir_ = test_support::make_temp_directory();
    test_support::scoped_env event_log_{"OLEAUT_EVENTLOG", dir_ + "/events.log"};
};

TEST_F(UnloadAfterExport, LibrariesUnloadWhileTheExportingThreadsLive)
{
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    ASSERT_NO_THROW(export_one_chart(dir_ + "/main.gif"));

    // A second exporting thread that stays alive, in its apartment, until the check is done.
    std::mutex lock;
    std::condition_variable changed;
    bool exported = false, checked = false;
    std::string failure;
    std::thread worker([&] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        try {
            export_one_chart(dir_ + "/worker.gif");
        } catch (const oleaut::com_error &e) {
            failure = e.what();
        }
        std::unique_lock guard(lock);
        exported = true;
        changed.notify_all();
        changed.wait(guard, [&] { return checked; });
        guard.unlock();
        CoUninitialize();
    });
    {
        std::unique_lock guard(lock);
        changed.wait(guard, [&] { return exported; });
    }
    EXPECT_EQ(failure, "");

    CoFreeUnusedLibraries();
    EXPECT_FALSE(mapped(QUILLET_LIB)) << "libquillet.so stays loaded";
    EXPECT_FALSE(mapped(SHEETHOST_LIB)) << "libsheethost.so stays loaded";
    EXPECT_FALSE(mapped(RECORDSET_LIB)) << "librecordset.so stays loaded";

    {
        std::lock_guard guard(lock);
        checked = true;
    }
    changed.notify_all();
    worker.join();
    CoUninitialize();
}

}  // namespace
