// SetXAxisHeadings: one recordset column becomes the category headings. The values go
// into the heading column of the staging grid as text, and the chart's first series
// takes exactly those cells as its XValues.
#include "chart/chart_builder.hpp"
#include "chart/failure_modes.hpp"
#include "chart/staging_grid.hpp"
#include "host/chart.hpp"

namespace quillet {

using namespace quillet::host;

void chart_builder::x_axis_headings(IDispatch *oRs, BSTR strValueCol)
{
    // The series count is read whatever the arguments are; a failure to read it reaches
    // the caller unlogged, like the validation error.
    const LONG series = Chart(oQuillet).get_SeriesCollection().Count();
    if (!oRs || !strValueCol || series < 1)
        raise_validation_error(kInvalidRecordsetOrColumn);

    log_and_reraise([&] {
        Recordset rs{com_ptr<IDispatch>(oRs)};
        rs.MoveFirst();
        const Worksheet sheet(oDataSheet);
        const SHORT rows = staging_grid::write_column(sheet, rs, strValueCol, staging_grid::kHeadingColumn, VT_BSTR);
        if (rows == 0)
            return;
        Range headings = staging_grid::column_range(sheet, staging_grid::kHeadingColumn, rows);
        Series first = Chart(oQuillet).SeriesCollection_Item(1);
        first.put_XValues(headings);
    });
}

}  // namespace quillet
