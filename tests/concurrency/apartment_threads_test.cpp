// Apartment-threaded objects in several threads at once: each thread joins its own
// apartment, activates its own component and recordsets and writes its own files. Every
// file must be byte for byte the picture one thread alone makes from the same request, so
// a race on anything the threads share (fonts, caches, the registry, the table of loaded
// libraries, the error source) shows as a failed call or a different picture, and under
// ThreadSanitizer (make tsan-test) as a report.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "concurrency/chart_client.hpp"
#include "support/temp_registry.hpp"

namespace {

using namespace chart_client;

constexpr int kThreads = 4;
constexpr int kChartsPerThread = 3;

const std::vector<month_sales> kMemoryRows = {
    {u"Jan", 12.5}, {u"Feb", -3.25}, {u"Mar", 40}, {u"Apr", 18}, {u"May", 0}, {u"Jun", 27.75},
};

// One kind of chart: where its rows come from and what is asked of the component.
struct chart_kind {
    const char *name;
    std::function<com_ptr<IDispatch>()> rows;
    chart_request request;
};

std::vector<chart_kind> chart_kinds()
{
    return {
        {"sqlite-2d", [] { return sqlite_recordset(SAMPLE_DB); },
         {{{u"north", u"North"}, {u"south", u"South"}}, u"month", 51, 320, 160, u"Sales by month", 0}},
        {"memory-3d-ocean", [] { return memory_recordset(kMemoryRows); },
         {{{u"Sales", u"Sales"}}, u"Month", 54, 280, 140, u"Half year", 7}},
        {"sqlite-3d", [] { return sqlite_recordset(SAMPLE_DB); },
         {{{u"south", u"South"}}, u"month", 54, 240, 200, u"South only", 0}},
    };
}

// Activates a fresh component and recordset, builds the chart and writes it; the objects
// are released before it returns.
void make_chart(const chart_kind &kind, const std::string &file)
{
    com_ptr<IDispatch> quillet = activate(u"Quillet.cQuillet");
    com_ptr<IDispatch> rs = kind.rows();
    variant answer = build_and_export(quillet.get(), rs.get(), kind.request, file);
    if (answer.vt != VT_I2 || answer.iVal != 1)
        throw std::runtime_error("ExportToGif answered something other than the integer 1");
}

class ApartmentThreads : public ::testing::Test {
protected:
    ~ApartmentThreads() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    void SetUp() override { ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK); }
    void TearDown() override { CoUninitialize(); }

    std::string file(const std::string &name) const { return dir_ + "/" + name + ".gif"; }

    // Declared in this order: the log lives in the directory.
    test_support::scoped_env registry_{"OLEAUT_REGISTRY", std::string(BUILD_REGISTRY)};
    std::string dir_ = test_support::make_temp_directory();
    test_support::scoped_env event_log_{"OLEAUT_EVENTLOG", dir_ + "/events.log"};
};

TEST_F(ApartmentThreads, EachThreadsChartsMatchTheSingleThreadedPictures)
{
    const std::vector<chart_kind> kinds = chart_kinds();
    std::vector<std::string> reference;
    for (const chart_kind &kind : kinds) {
        ASSERT_NO_THROW(make_chart(kind, file(std::string("reference-") + kind.name))) << kind.name;
        reference.push_back(test_support::read_file(file(std::string("reference-") + kind.name)));
        ASSERT_GT(reference.back().size(), 100u) << kind.name;
    }

    std::vector<std::string> failures(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            if (HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); hr != S_OK) {
                failures[t] = "CoInitializeEx answered " + std::to_string(hr);
                return;
            }
            for (int c = 0; c < kChartsPerThread && failures[t].empty(); ++c) {
                // Threads start on different kinds, so different pictures are drawn at once.
                const chart_kind &kind = kinds[static_cast<size_t>(t + c) % kinds.size()];
                try {
                    make_chart(kind, file("thread" + std::to_string(t) + "-chart" + std::to_string(c)));
                } catch (const oleaut::com_error &e) {
                    failures[t] = std::string(kind.name) + ": " + e.what();
                } catch (const std::exception &e) {
                    failures[t] = std::string(kind.name) + ": " + e.what();
                }
            }
            CoUninitialize();
        });
    for (std::thread &t : threads)
        t.join();

    for (int t = 0; t < kThreads; ++t) {
        ASSERT_EQ(failures[t], "") << "thread " << t;
        for (int c = 0; c < kChartsPerThread; ++c) {
            const size_t kind = static_cast<size_t>(t + c) % kinds.size();
            EXPECT_TRUE(test_support::read_file(file("thread" + std::to_string(t) + "-chart" + std::to_string(c))) ==
                        reference[kind])
                << "thread " << t << " chart " << c << " (" << kinds[kind].name
                << ") differs from the single-threaded picture";
        }
    }
}

}  // namespace
