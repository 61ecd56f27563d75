// Construction and destruction of a cQuillet object: one hidden host application with
// one workbook, whose first worksheet is the data sheet and whose chart sheet is the
// chart being built.
#include "automation/failure_modes.hpp"
#include "chart/quillet.hpp"
#include "host/application.hpp"
#include "host/chart.hpp"

namespace quillet {

using namespace quillet::host;

namespace {

constexpr LONG kXlChart = -4109;
constexpr LONG kXl3DColumnClustered = 54;

}  // namespace

cQuillet *cQuillet::create()
{
    // Errors the component raises without a source carry the class's own name.
    OaRtSetDefaultSource(u"Quillet.cQuillet");
    // The object holds one reference from here on; a constructor failure releases it,
    // which gives back whatever references were already set.
    return new cQuillet();
}

// Plain propagation: the first failing step ends construction and its error reaches the
// creator. Nothing is undone: a host started in step 1 is released with the half-built
// object, but not told to close its workbook or to quit.
cQuillet::cQuillet()
{
    oHostApp = oleaut::rt::create_object(u"Excel.Application");  // 1
    Application app(oHostApp);
    app.put_Visible(false);            // 2
    app.put_SheetsInNewWorkbook(1);    // 3
    app.get_Workbooks().Add();         // 4
    {
        Workbook workbook(app.get_ActiveWorkbook());                 // 5
        oDataSheet = workbook.get_Worksheets().Item(1);              // 6
        oQuillet = workbook.get_Worksheets().Add(kXlChart);          // 7
        initial_chart_defaults();                                    // 8
    }                                                                // 9
}

void cQuillet::initial_chart_defaults() noexcept
{
    automation::continue_on_error steps;
    Chart chart;
    steps.step([&] { chart = Chart(oQuillet); });
    steps.step([&] { chart.put_ChartType(kXl3DColumnClustered); });
    steps.step([&] { chart.put_SizeWithWindow(true); });
    steps.step([&] { chart.put_HasDataTable(false); });
}

// Plain propagation, but a release cannot carry an error: the first failing step ends the
// destructor and the failure goes no further. The chart and data sheet references are
// given back afterwards, with the object.
cQuillet::~cQuillet()
{
    if (!oHostApp)
        return;
    try {
        Application app(oHostApp);
        LONG count = app.get_Workbooks().Count();
        if (count > 0)
            Workbook(app.get_Workbooks().Item(1)).Close(false);
        app.Quit();
        oHostApp.reset();
    } catch (...) {
        automation::record_current_failure();
    }
}

}  // namespace quillet
