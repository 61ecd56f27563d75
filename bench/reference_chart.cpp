// The reference chart, drawn N times in one process exactly as quillet-chart draws it
// once: a fresh component and CSV recordset per chart, 3 series x 12 months, 3-D
// clustered column, three titles, value labels on one series, preset background 7, a
// 540 x 250 point plot area (795 x 465 pixels). Run under callgrind with 1 and with 11
// charts, the difference over 10 is one chart's cost with start-up taken out
// (bench/chart_instructions.sh does that).
//
//   reference_chart [--no-background] [charts] [output.gif]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "chart_job.hpp"
#include "comutil.hpp"

namespace {

quillet_chart::options reference_options(bool background, const std::string &output)
{
    quillet_chart::options o;
    o.csv = REFERENCE_CSV;
    o.series = {{"North", "North", true, false}, {"South", "South", false, false}, {"West", "West", false, false}};
    o.headings = "Month";
    o.type = "xl3DColumnClustered";
    o.size = {540, 250};
    o.title = "Sales 2024";
    o.x_title = "Month";
    o.y_title = "k EUR";
    if (background)
        o.background = "7";
    o.output = output;
    return o;
}

}  // namespace

int main(int argc, char **argv)
{
    bool background = true;
    int arg = 1;
    if (arg < argc && std::strcmp(argv[arg], "--no-background") == 0) {
        background = false;
        ++arg;
    }
    const int charts = arg < argc ? std::atoi(argv[arg++]) : 1;
    const std::string output = arg < argc ? argv[arg] : "/tmp/reference_chart.gif";
    if (charts < 1) {
        std::fputs("usage: reference_chart [--no-background] [charts] [output.gif]\n", stderr);
        return 2;
    }
    if (FAILED(CoInitialize(nullptr)))
        return 1;
    int status = 0;
    try {
        const quillet_chart::options o = reference_options(background, output);
        for (int i = 0; i < charts; ++i)
            quillet_chart::build_chart(o);
    } catch (const oleaut::com_error &e) {
        std::fprintf(stderr, "reference_chart: error 0x%08X: %s\n", static_cast<unsigned>(e.hr()),
                     oleaut::utf16_to_utf8(e.description()).c_str());
        status = 1;
    }
    CoUninitialize();
    return status;
}
