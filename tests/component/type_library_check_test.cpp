// The type-library comparison the Windows build runs on quillet.dll, run here on the
// library the runtime builds: it agrees with its own description, and every altered
// fact of the description is reported.
#include <gtest/gtest.h>

#include <functional>

#include "automation/type_library.hpp"
#include "automation/type_library_check.hpp"

namespace {

using namespace oleaut::disp;

// A copy of the component's description whose parts can be altered.
struct altered_library {
    interface_info iface;
    coclass_info klass;
    enum_info chart_types;
    enum_info fill_effects;
    library_info lib;

    altered_library()
        : iface(*std::get<const interface_info *>(quillet::quillet_library_info().types[0])),
          klass(*std::get<const coclass_info *>(quillet::quillet_library_info().types[1])),
          chart_types(*std::get<const enum_info *>(quillet::quillet_library_info().types[2])),
          fill_effects(*std::get<const enum_info *>(quillet::quillet_library_info().types[3])),
          lib(quillet::quillet_library_info())
    {
        klass.default_interface = &iface;
        lib.types = {&iface, &klass, &chart_types, &fill_effects};
    }
};

std::string joined(const std::vector<std::string> &lines)
{
    std::string out;
    for (const std::string &l : lines)
        out += l + "\n";
    return out;
}

TEST(TypeLibraryCheck, TheComponentsLibraryMatchesItsDescription)
{
    const altered_library same;
    EXPECT_EQ(joined(quillet::type_library_mismatches(quillet::quillet_type_library().get(), same.lib)), "");
    EXPECT_EQ(joined(quillet::type_library_mismatches(quillet::quillet_type_library().get(),
                                                      quillet::quillet_library_info())),
              "");
}

struct alteration {
    const char *what;
    std::function<void(altered_library &)> alter;
    const char *reported;  // a part of the mismatch line
};

TEST(TypeLibraryCheck, EachAlteredFactIsReported)
{
    const alteration cases[] = {
        {"library name", [](altered_library &a) { a.lib.name = OLESTR("Quill"); }, "library: named Quillet"},
        {"version", [](altered_library &a) { a.lib.minor = 1; }, "library: version 17.0, the description says 17.1"},
        {"locale", [](altered_library &a) { a.lib.lcid = 1031; }, "library: locale 1033"},
        {"interface type flags", [](altered_library &a) { a.iface.type_flags &= ~TYPEFLAG_FHIDDEN; },
         "_cQuillet: type flags"},
        {"member name", [](altered_library &a) { a.iface.members[3].name = OLESTR("SetOptions"); },
         "slot 10 (SetChartOptions): named SetChartOptions, the description says SetOptions"},
        {"dispatch id", [](altered_library &a) { a.iface.members[9].id = 0x60030009; },
         "slot 16 (Reset): dispatch id 0x60030008, the description says 0x60030009"},
        {"invoke kind", [](altered_library &a) { a.iface.members[0].kind = INVOKE_FUNC; },
         "slot 7 (oQuillet): invoke kind 2, the description says 1"},
        {"parameter type", [](altered_library &a) { a.iface.members[3].params[1].type = VT_I4; },
         "parameter 2 is short, the description says long"},
        {"enumeration as parameter", [](altered_library &a) { a.iface.members[3].params[0].type_name = nullptr; },
         "parameter 1 is xlChartType, the description says long"},
        {"result type", [](altered_library &a) { a.iface.members[8].result = VT_BSTR; },
         "parameter 2 is VARIANT*, the description says BSTR*"},
        {"parameter count", [](altered_library &a) { a.iface.members[9].params.push_back({OLESTR("x"), VT_I2}); },
         "slot 16 (Reset): 0 parameters, the description says 1"},
        {"member order", [](altered_library &a) { std::swap(a.iface.members[4], a.iface.members[6]); },
         "slot 11 (AddDataSeries): named AddDataSeries, the description says SetXAxisHeadings"},
        {"late binding", [](altered_library &a) { a.iface.members[1].vtable_only = false; },
         "slot 8 (oQuillet): missing"},
        {"enumeration value", [](altered_library &a) { a.chart_types.constants[2].value = -4099; },
         "xlChartType constant 2: xl3DColumn = -4100, the description says xl3DColumn = -4099"},
        {"enumeration size", [](altered_library &a) { a.fill_effects.constants.pop_back(); },
         "xlChartFillEffect: 25 constants, the description has 24"},
        {"class", [](altered_library &a) { a.klass.type_flags = 0; }, "cQuillet: creatable 1"},
        {"type name", [](altered_library &a) { a.chart_types.name = OLESTR("XlChartType"); },
         "XlChartType: the library names it xlChartType"},
    };
    for (const alteration &c : cases) {
        SCOPED_TRACE(c.what);
        altered_library a;
        c.alter(a);
        const std::string report = joined(quillet::type_library_mismatches(quillet::quillet_type_library().get(), a.lib));
        EXPECT_NE(report.find(c.reported), std::string::npos) << report;
    }
}

TEST(TypeLibraryCheck, NoLibraryIsAMismatch)
{
    EXPECT_EQ(quillet::type_library_mismatches(nullptr, quillet::quillet_library_info()),
              std::vector<std::string>{"no type library"});
}

}  // namespace
