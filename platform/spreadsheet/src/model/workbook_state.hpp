// The host's state as plain data: the application with its open workbooks, each with
// its sheets, each a worksheet (cells) or a chart sheet (a chart). Everything is held
// by shared_ptr so that automation objects can keep the part they address alive and
// ask whether it is still in use (a closed workbook, a quit application), however the
// lists around it change.
#ifndef SHEETHOST_MODEL_WORKBOOK_STATE_HPP
#define SHEETHOST_MODEL_WORKBOOK_STATE_HPP

#include <memory>
#include <string>
#include <vector>

#include "model/cell_grid.hpp"
#include "model/chart_state.hpp"

namespace sheethost::model {

enum class sheet_kind { worksheet, chart };

struct sheet_state {
    sheet_kind kind = sheet_kind::worksheet;
    std::u16string name;
    cell_grid cells;    // used by worksheets
    chart_state chart;  // used by chart sheets
};

struct workbook_state {
    std::u16string name;
    bool closed = false;
    std::vector<std::shared_ptr<sheet_state>> sheets;  // in tab order
    std::weak_ptr<sheet_state> active_sheet;
    int next_worksheet_number = 1;
    int next_chart_number = 1;
};

// The classic host's SheetsInNewWorkbook bounds.
inline constexpr int kMinSheetsInNewWorkbook = 1;
inline constexpr int kMaxSheetsInNewWorkbook = 255;

struct application_state {
    // A host started by automation is hidden until a client shows it.
    bool visible = false;
    int sheets_in_new_workbook = 3;
    bool quit = false;
    std::vector<std::shared_ptr<workbook_state>> workbooks;  // in the order they were opened
    std::weak_ptr<workbook_state> active_workbook;
    int next_workbook_number = 1;
};

}  // namespace sheethost::model

#endif
