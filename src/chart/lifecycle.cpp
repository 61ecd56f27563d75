// Construction and destruction of a chart builder: one hidden host application with
// one workbook, whose first worksheet is the data sheet and whose chart sheet is the
// chart being built.
#include "chart/chart_builder.hpp"
#include "chart/failure_modes.hpp"
#include "host/application.hpp"
#include "host/chart.hpp"

namespace quillet {

using namespace quillet::host;

namespace {

constexpr LONG kXlChart = -4109;
constexpr LONG kXl3DColumnClustered = 54;

}  // namespace

// Plain propagation: the first failing step ends construction and its error reaches the
// creator. Nothing is undone: a host started in step 1 is released with the half-built
// object, but not told to close its workbook or to quit.
chart_builder::chart_builder()
{
    oHostApp = named_after_component([] { return oleaut::rt::create_object(OLESTR("Excel.Application")); });  // 1
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

void chart_builder::initial_chart_defaults() noexcept
{
    continue_on_error steps;
    Chart chart;
    steps.step([&] { chart = Chart(oQuillet); });
    steps.step([&] { chart.put_ChartType(kXl3DColumnClustered); });
    steps.step([&] { chart.put_SizeWithWindow(true); });
    steps.step([&] { chart.put_HasDataTable(false); });
}

// Plain propagation, but a release cannot carry an error: the first failing step ends the
// destructor and the failure goes no further. The chart and data sheet references are
// given back afterwards, with the object.
chart_builder::~chart_builder()
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
        record_current_failure();
    }
}

}  // namespace quillet
