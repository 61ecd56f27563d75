// The smallest client of an installed Quillet: one chart of a CSV file, by ProgID and
// late-bound calls, as any program built against quillet.pc would draw it.
//   tiny_client DATA.csv OUT.gif
#include <cstdio>
#include <string>

#include "comutil.hpp"
#include "oleaut/late_bound.hpp"

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fputs("usage: tiny_client DATA.csv OUT.gif\n", stderr);
        return 2;
    }
    if (FAILED(CoInitialize(nullptr)))
        return 1;
    int status = 0;
    try {
        using oleaut::variant;
        namespace late = oleaut::late;
        oleaut::com_ptr<IDispatch> chart = oleaut::rt::create_object(u"Quillet.cQuillet");
        oleaut::com_ptr<IDispatch> rows = oleaut::rt::create_object(u"ADODB.Recordset");
        late::call(rows.get(), u"Open",
                   {variant::missing(), variant::str_utf8(std::string("Provider=CSV;Data Source=") + argv[1])});
        late::call(chart.get(), u"AddDataSeries",
                   {variant::dispatch(rows.get()), variant::str_utf8("Actual"), variant::str_utf8("Actual"),
                    variant::boolean(true), variant::boolean(false)});
        late::call(chart.get(), u"SetXAxisHeadings", {variant::dispatch(rows.get()), variant::str_utf8("Region")});
        late::call(chart.get(), u"ExportToGif", {variant::str_utf8(argv[2])});
    } catch (const oleaut::com_error &e) {
        std::fprintf(stderr, "tiny_client: error 0x%08X: %s\n", static_cast<unsigned>(e.hr()),
                     oleaut::utf16_to_utf8(e.description()).c_str());
        status = 1;
    }
    CoUninitialize();
    return status;
}
