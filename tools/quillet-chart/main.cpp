// quillet-chart: the command-line client of the Quillet component.
#include <cstdio>

#include "chart_job.hpp"
#include "comutil.hpp"

int main(int argc, char **argv)
{
    using namespace quillet_chart;
    options o;
    try {
        o = parse(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const usage_error &e) {
        std::fprintf(stderr, "quillet-chart: %s\n\n%s", e.what(), usage_text());
        return 2;
    }
    if (o.help) {
        std::fputs(usage_text(), stdout);
        return 0;
    }
    if (o.version) {
        std::puts("quillet-chart 1.00");
        return 0;
    }
    if (FAILED(CoInitialize(nullptr))) {
        std::fputs("quillet-chart: the automation runtime could not start\n", stderr);
        return 1;
    }
    int status = 0;
    try {
        build_chart(o);
        std::printf("%s\n", o.output.c_str());
    } catch (const oleaut::com_error &e) {
        // One line: number, source, description.
        std::fprintf(stderr, "quillet-chart: error %ld (0x%08X) from %s: %s\n", static_cast<long>(e.hr()),
                     static_cast<unsigned>(e.hr()), e.source().empty() ? "?" : oleaut::utf16_to_utf8(e.source()).c_str(),
                     oleaut::utf16_to_utf8(e.description()).c_str());
        status = 1;
    }
    CoUninitialize();
    return status;
}
