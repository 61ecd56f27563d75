// chart_builder: one business chart built inside a hidden spreadsheet host and written as
// a GIF. It holds exactly three host references and no other state; every routine reads
// them afresh and releases whatever it fetched before it returns. The automation object
// (automation/quillet_object.hpp) runs these routines for each of its members.
#ifndef QUILLET_CHART_CHART_BUILDER_HPP
#define QUILLET_CHART_CHART_BUILDER_HPP

#include "comutil.hpp"

namespace quillet {

class chart_builder {
public:
    // Starts the host and makes the data sheet and the chart sheet; a failure leaves no
    // builder and reaches the creator.
    chart_builder();
    ~chart_builder();
    chart_builder(const chart_builder &) = delete;
    chart_builder &operator=(const chart_builder &) = delete;

    // --- the routines behind the members (one source file per group) ----------------------
    void chart_options(LONG iXlChartType, SHORT iPlotAreaWidth, SHORT iPlotAreaHeight);
    void add_data_series(IDispatch *oRs, BSTR strValueCol, BSTR strSeriesName, VARIANT_BOOL flgShowDataLabels,
                         VARIANT_BOOL flgShaded);
    void chart_titles(const VARIANT &strMainTitle, const VARIANT &strXAxisTitle, const VARIANT &strYAxisTitle);
    void x_axis_headings(IDispatch *oRs, BSTR strValueCol);
    void background_effect(LONG iXlChartFillEffect);
    oleaut::variant export_to_gif(BSTR strFileName);
    void reset();

    // The chart reference (oQuillet), as read and as replaced by a client.
    oleaut::variant chart_reference() const { return oleaut::variant::dispatch(oQuillet.get()); }
    void set_chart_reference(IDispatch *chart) noexcept { oQuillet = oleaut::com_ptr<IDispatch>(chart); }

private:
    void initial_chart_defaults() noexcept;
    void first_series_layout() noexcept;

    oleaut::com_ptr<IDispatch> oHostApp;
    oleaut::com_ptr<IDispatch> oDataSheet;
    // The chart: read afresh by every routine.
    oleaut::com_ptr<IDispatch> oQuillet;
};

}  // namespace quillet

#endif
