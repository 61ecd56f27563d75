// cQuillet: one business chart built inside a hidden spreadsheet host and written as a
// GIF. The object holds exactly three host references and no other state; every routine
// reads them afresh and releases whatever it fetched before it returns.
#ifndef QUILLET_CHART_QUILLET_HPP
#define QUILLET_CHART_QUILLET_HPP

#include "automation/quillet_interface.hpp"
#include "oleaut/dispatch/object.hpp"

namespace quillet {

class cQuillet : public oleaut::disp::object<cQuillet, _cQuillet> {
public:
    static const oleaut::disp::table<cQuillet> &dispatch_table();

    // Runs the constructor; a failure leaves no object and reaches the creator.
    static cQuillet *create();

    // --- _cQuillet's interface table: each entry runs the same member as Invoke ----------
    STDMETHOD(get_oQuillet)(IDispatch **chart) override;
    STDMETHOD(put_oQuillet)(IDispatch *chart) override;
    STDMETHOD(putref_oQuillet)(IDispatch *chart) override;
    STDMETHOD(SetChartOptions)(LONG iXlChartType, SHORT iPlotAreaWidth, SHORT iPlotAreaHeight) override;
    STDMETHOD(AddDataSeries)(IDispatch *oRs, BSTR strValueCol, BSTR strSeriesName, VARIANT_BOOL flgShowDataLabels,
                             VARIANT_BOOL flgShaded) override;
    STDMETHOD(SetChartTitles)(VARIANT *strMainTitle, VARIANT *strXAxisTitle, VARIANT *strYAxisTitle) override;
    STDMETHOD(SetXAxisHeadings)(IDispatch *oRs, BSTR strValueCol) override;
    STDMETHOD(SetBackgroundEffect)(LONG iXlChartFillEffect) override;
    STDMETHOD(ExportToGif)(BSTR strFileName, VARIANT *result) override;
    STDMETHOD(Reset)() override;

    // --- the routines behind the members (one source file per group) ----------------------
    void chart_options(LONG iXlChartType, SHORT iPlotAreaWidth, SHORT iPlotAreaHeight);
    void add_data_series(IDispatch *oRs, BSTR strValueCol, BSTR strSeriesName, VARIANT_BOOL flgShowDataLabels,
                         VARIANT_BOOL flgShaded);
    void chart_titles(const VARIANT &strMainTitle, const VARIANT &strXAxisTitle, const VARIANT &strYAxisTitle);
    void x_axis_headings(IDispatch *oRs, BSTR strValueCol);
    void background_effect(LONG iXlChartFillEffect);
    oleaut::variant export_to_gif(BSTR strFileName);
    void reset();

    // The chart reference: read afresh by every routine.
    oleaut::com_ptr<IDispatch> oQuillet;

private:
    cQuillet();
    ~cQuillet() override;

    void initial_chart_defaults() noexcept;
    void first_series_layout() noexcept;

    oleaut::com_ptr<IDispatch> oHostApp;
    oleaut::com_ptr<IDispatch> oDataSheet;

    friend class oleaut::disp::object<cQuillet, _cQuillet>;
};

}  // namespace quillet

#endif
