// The chart's type and plot-area size, and the layout every chart gets when its first
// series arrives. Both run in continue-on-error mode: whatever the host refuses is
// skipped and the rest still runs.
#include "chart/chart_builder.hpp"
#include "chart/failure_modes.hpp"
#include "host/chart.hpp"

namespace quillet {

using namespace quillet::host;

namespace {

// Sizes up to this many points leave the plot area as it is.
constexpr SHORT kMinPlotAreaSize = 50;
constexpr LONG kXlLegendPositionTop = -4160;
constexpr DOUBLE kFirstSeriesPlotHeight = 250.0;
constexpr DOUBLE kFirstSeriesPlotWidth = 600.0;

}  // namespace

void chart_builder::chart_options(LONG iXlChartType, SHORT iPlotAreaWidth, SHORT iPlotAreaHeight)
{
    continue_on_error steps;
    Chart chart;
    steps.step([&] { chart = Chart(oQuillet); });
    steps.step([&] { chart.put_ChartType(iXlChartType); });
    if (steps.test([&] { return iPlotAreaHeight > kMinPlotAreaSize; }))
        steps.step([&] { chart.get_PlotArea().put_Height(static_cast<DOUBLE>(iPlotAreaHeight)); });
    if (steps.test([&] { return iPlotAreaWidth > kMinPlotAreaSize; }))
        steps.step([&] { chart.get_PlotArea().put_Width(static_cast<DOUBLE>(iPlotAreaWidth)); });
}

void chart_builder::first_series_layout() noexcept
{
    continue_on_error steps;
    Chart chart;
    steps.step([&] { chart = Chart(oQuillet); });
    steps.step([&] { chart.put_HasLegend(true); });
    steps.step([&] { chart.get_Legend().put_Position(kXlLegendPositionTop); });
    steps.step([&] { chart.put_WallsAndGridlines2D(true); });
    steps.step([&] { chart.get_PlotArea().put_Height(kFirstSeriesPlotHeight); });
    steps.step([&] { chart.get_PlotArea().put_Width(kFirstSeriesPlotWidth); });
}

}  // namespace quillet
