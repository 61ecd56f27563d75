// AddDataSeries: one recordset column becomes one series. The values go into the
// series' own column of the staging grid on the data sheet (column = series count + 2,
// rows 1..n, at most 25 rows), and the new series is bound to exactly those cells.
#include "chart/chart_builder.hpp"
#include "chart/conversions.hpp"
#include "chart/failure_modes.hpp"
#include "chart/staging_grid.hpp"
#include "host/chart.hpp"
#include "host/recordset.hpp"
#include "host/worksheet.hpp"

namespace quillet {

using namespace quillet::host;

namespace {

constexpr LONG kXlThin = 2;
constexpr LONG kXlAutomatic = -4105;
constexpr SHORT kMsoGradientHorizontal = 1;
constexpr SHORT kGradientVariant = 1;
// The double nearest to 0.231372549019608 (59/255 to 15 significant digits), which is
// not the double nearest to 59/255.
constexpr DOUBLE kGradientDegree = 0.231372549019608;
constexpr SHORT kXlDataLabelsShowValue = 2;

}  // namespace

void chart_builder::add_data_series(IDispatch *oRs, BSTR strValueCol, BSTR strSeriesName, VARIANT_BOOL flgShowDataLabels,
                               VARIANT_BOOL flgShaded)
{
    if (!oRs || !strValueCol)
        raise_validation_error(kInvalidRecordsetOrColumn);

    log_and_reraise([&] {
        Recordset rs{com_ptr<IDispatch>(oRs)};
        rs.MoveFirst();
        Chart chart(oQuillet);
        const SHORT column = to_short(LONGLONG{chart.get_SeriesCollection().Count()} + 2);
        const SHORT rows = staging_grid::write_column(Worksheet(oDataSheet), rs, strValueCol, column, VT_DECIMAL);
        if (rows == 0)
            return;

        Series series = Chart(oQuillet).get_SeriesCollection().NewSeries();
        series.put_Values(staging_grid::column_range(Worksheet(oDataSheet), column, rows));
        series.put_Name(strSeriesName);
        series.get_Border().put_Weight(kXlThin);
        series.get_Border().put_LineStyle(kXlAutomatic);
        if (flgShaded == VARIANT_TRUE)
            series.get_Fill().OneColorGradient(kMsoGradientHorizontal, kGradientVariant, kGradientDegree);
        if (flgShowDataLabels != VARIANT_FALSE)
            series.ApplyDataLabels(kXlDataLabelsShowValue, true, false);
        if (Chart(oQuillet).get_SeriesCollection().Count() == 1)
            first_series_layout();
    });
}

}  // namespace quillet
