// Soak: builds and exports many charts in one process, exactly as a client does (the
// registered component activated by ProgID, driven late-bound, over the embedded host
// and SQLite and in-memory recordsets), and shows whether memory stays flat. Each chart
// gets a fresh component and recordset, so every object's whole life is repeated.
//
//   chart_soak [charts] [directory]     (default 10000 charts, a temporary directory)
//
// Prints the resident set (now and at its peak) after 100 charts and at each tenfold
// step up to the last chart, then the growth of the peak from chart 100 to the end. Exits
// 1 when the peak grew by more than the allowed margin: memory that grows with the number
// of charts is a leak, however slowly it grows.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "concurrency/chart_client.hpp"

namespace {

using namespace chart_client;

// Growth of the peak resident set from chart 100 to the last chart that still counts as
// flat: allocator and font caches settle within the first charts, and glibc may keep a
// few freed arenas.
constexpr long kAllowedGrowthKiB = 4096;

struct memory_use {
    long rss_kib = 0;   // VmRSS: resident now
    long peak_kib = 0;  // VmHWM: the highest it has been
};

long status_field(const std::string &name)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(name + ":", 0) == 0)
            return std::strtol(line.c_str() + name.size() + 1, nullptr, 10);
    return -1;
}

memory_use memory_now() { return {status_field("VmRSS"), status_field("VmHWM")}; }

const std::vector<month_sales> kRows = {
    {u"Jan", 12.5}, {u"Feb", -3.25}, {u"Mar", 40}, {u"Apr", 18}, {u"May", 0}, {u"Jun", 27.75},
};

// Chart i: alternately from the sample database (2-D, two series) and from memory (3-D,
// one series, a gradient background), so both recordset kinds and both painters run.
void make_chart(int i, const std::string &database, const std::string &file)
{
    com_ptr<IDispatch> quillet = activate(u"Quillet.cQuillet");
    if (i % 2 == 0) {
        com_ptr<IDispatch> rs = sqlite_recordset(database);
        build_and_export(quillet.get(), rs.get(),
                         {{{u"north", u"North"}, {u"south", u"South"}}, u"month", 51, 320, 160, u"Sales", 0}, file);
    } else {
        com_ptr<IDispatch> rs = memory_recordset(kRows);
        build_and_export(quillet.get(), rs.get(), {{{u"Sales", u"Sales"}}, u"Month", 54, 280, 140, u"Half year", 7},
                         file);
    }
}

bool is_report_point(int done, int total) { return done == total || done == 100 || (done >= 100 && done % 1000 == 0); }

int run(int charts, const std::string &directory)
{
    std::printf("%8s %12s %12s %10s\n", "charts", "VmRSS KiB", "VmHWM KiB", "seconds");
    std::fflush(stdout);
    const auto start = std::chrono::steady_clock::now();
    long peak_at_100 = -1;
    for (int i = 1; i <= charts; ++i) {
        // Ten files in turn: the disk does not fill, and a file is replaced again and again.
        make_chart(i, SAMPLE_DB, directory + "/chart-" + std::to_string(i % 10) + ".gif");
        if (!is_report_point(i, charts))
            continue;
        const memory_use m = memory_now();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%8d %12ld %12ld %10.1f\n", i, m.rss_kib, m.peak_kib, seconds);
        std::fflush(stdout);
        if (i == 100)
            peak_at_100 = m.peak_kib;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("ru_maxrss after %d charts: %ld KiB\n", charts, usage.ru_maxrss);
    if (peak_at_100 < 0)
        return 0;  // too few charts to judge growth
    const long growth = memory_now().peak_kib - peak_at_100;
    std::printf("peak growth from chart 100 to chart %d: %ld KiB (allowed %ld KiB)\n", charts, growth,
                kAllowedGrowthKiB);
    return growth > kAllowedGrowthKiB ? 1 : 0;
}

}  // namespace

int main(int argc, char **argv)
{
    const int charts = argc > 1 ? std::atoi(argv[1]) : 10000;
    if (charts <= 0) {
        std::fprintf(stderr, "usage: %s [charts > 0] [directory]\n", argv[0]);
        return 2;
    }
    // The build tree's registry unless the caller chose one.
    setenv("OLEAUT_REGISTRY", BUILD_REGISTRY, 0);

    std::string directory;
    bool remove_directory = false;
    if (argc > 2) {
        directory = argv[2];
        std::error_code error;
        std::filesystem::create_directories(directory, error);
        if (error) {
            std::fprintf(stderr, "chart_soak: cannot create '%s': %s\n", directory.c_str(), error.message().c_str());
            return 2;
        }
    } else {
        std::string pattern = (std::filesystem::temp_directory_path() / "chart-soak-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("chart_soak: cannot create a temporary directory");
            return 2;
        }
        directory = pattern;
        remove_directory = true;
    }
    // Failures of the component go to the log; keep them out of syslog.
    const std::string log = directory + "/events.log";
    setenv("OLEAUT_EVENTLOG", log.c_str(), 0);

    int status = 2;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::fprintf(stderr, "chart_soak: CoInitializeEx failed\n");
        return 2;
    }
    try {
        status = run(charts, directory);
    } catch (const oleaut::com_error &e) {
        std::fprintf(stderr, "chart_soak: %s\n", e.what());
    }
    CoUninitialize();
    if (remove_directory) {
        std::error_code ignored;
        std::filesystem::remove_all(directory, ignored);
    }
    return status;
}
