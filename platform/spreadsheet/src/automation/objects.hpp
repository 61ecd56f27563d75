// Makers of the host's automation objects. Each object is a thin view: a scope (what
// must still be alive for it to work) plus the part of the model it addresses. The
// classes live in their own source files; the rest of the host reaches them only
// through these functions, each answering a new object as a VT_DISPATCH value.
#ifndef SHEETHOST_AUTOMATION_OBJECTS_HPP
#define SHEETHOST_AUTOMATION_OBJECTS_HPP

#include <memory>
#include <optional>

#include "automation/object_scope.hpp"
#include "model/workbook_state.hpp"
#include "oleaut/variant.hpp"

namespace sheethost::automation {

// The application object of a new, hidden host with no workbook open (one reference).
IDispatch *new_application();

oleaut::variant make_workbooks(const object_scope &scope);
oleaut::variant make_workbook(const object_scope &scope);  // scope narrowed to the workbook
// Worksheets (kind worksheet) or Sheets (all kinds) of the scope's workbook.
oleaut::variant make_sheets(const object_scope &scope, std::optional<model::sheet_kind> kind);
// A Worksheet or a Chart, by the sheet's kind.
oleaut::variant make_sheet(const object_scope &scope, std::shared_ptr<model::sheet_state> sheet);
oleaut::variant make_worksheet(const object_scope &scope, std::shared_ptr<model::sheet_state> sheet);
oleaut::variant make_chart(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet);
oleaut::variant make_range(const object_scope &scope, std::shared_ptr<model::sheet_state> sheet,
                           const model::cell_range &cells);

// Chart parts; `chart_sheet` is the chart sheet they belong to.
oleaut::variant make_series_collection(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet);
oleaut::variant make_series(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet,
                            std::shared_ptr<model::series_state> series);
// The series that an Index (a position from 1, or a series name) names.
oleaut::variant make_series_item(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet,
                                 const VARIANT &index);
oleaut::variant make_legend(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet);
oleaut::variant make_plot_area(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet);
oleaut::variant make_chart_title(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet);
oleaut::variant make_axes(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet);
// type: 1 xlCategory, 2 xlValue.
oleaut::variant make_axis(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet, int type);
// The title of an axis (type 1 or 2), `text` being that axis' title in the chart.
oleaut::variant make_axis_title(const object_scope &scope, std::shared_ptr<model::text_state> text, int axis_type);
oleaut::variant make_walls(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet);
oleaut::variant make_floor(const object_scope &scope, std::shared_ptr<model::sheet_state> chart_sheet);

// Formatting parts: each holds its part of the model (kept alive by the sheet it is in).
oleaut::variant make_characters(const object_scope &scope, std::shared_ptr<model::text_state> text, long start,
                                std::optional<long> length);
oleaut::variant make_font(const object_scope &scope, std::shared_ptr<model::font_state> font);
oleaut::variant make_border(const object_scope &scope, std::shared_ptr<model::border_state> border);
// `automatic` is the colour the fill shows while nobody chose one (a series' own
// colour, the walls' grey).
oleaut::variant make_fill(const object_scope &scope, std::shared_ptr<model::fill_state> fill, model::rgb automatic);
oleaut::variant make_fore_color(const object_scope &scope, std::shared_ptr<model::fill_state> fill,
                                model::rgb automatic);

// A range of this host, recognised behind a plain IDispatch (a client passes ranges
// back as Cell1, Cell2, Values, XValues).
struct range_view {
    object_scope scope;
    std::shared_ptr<model::sheet_state> sheet;
    model::cell_range cells;
};
std::optional<range_view> range_behind(IDispatch *d);

// The sheet behind a Worksheet or Chart object of this host, or null for anything else
// (other objects, or another host's sheets).
std::shared_ptr<model::sheet_state> worksheet_behind(IDispatch *d);
std::shared_ptr<model::sheet_state> chart_sheet_behind(IDispatch *d);
std::shared_ptr<model::sheet_state> sheet_behind(IDispatch *d);

}  // namespace sheethost::automation

#endif
