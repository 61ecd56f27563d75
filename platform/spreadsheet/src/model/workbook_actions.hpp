// What changes which workbooks are open and which sheets a workbook has: opening a
// new workbook, adding sheets, closing, quitting. Names and the active workbook and
// sheet follow the classic host ("Book1", "Sheet1", "Chart1"; the newest is active).
#ifndef SHEETHOST_MODEL_WORKBOOK_ACTIONS_HPP
#define SHEETHOST_MODEL_WORKBOOK_ACTIONS_HPP

#include <memory>
#include <optional>
#include <vector>

#include "model/workbook_state.hpp"

namespace sheethost::model {

// Opens a new workbook and makes it the active one. It holds SheetsInNewWorkbook
// worksheets, or, when `only` is given, a single sheet of that kind.
std::shared_ptr<workbook_state> add_workbook(application_state &app, std::optional<sheet_kind> only = {});

// Where new sheets go: before one sheet, after one, or (neither) before the active sheet.
struct sheet_position {
    std::shared_ptr<sheet_state> before;
    std::shared_ptr<sheet_state> after;
};

// Adds `count` sheets of one kind and answers the last one added, which becomes the
// active sheet. Refuses a position sheet of another workbook and a count outside 1..255.
std::shared_ptr<sheet_state> add_sheets(workbook_state &book, sheet_kind kind, const sheet_position &where,
                                        int count);

// The workbook's sheets in tab order, all of them or those of one kind.
std::vector<std::shared_ptr<sheet_state>> sheets_of(const workbook_state &book, std::optional<sheet_kind> kind);

// Closes a workbook without saving: it leaves the application's list, the next open
// workbook becomes active, and everything that addresses it stops working.
void close_workbook(application_state &app, const std::shared_ptr<workbook_state> &book);

// Ends the application: every workbook is closed without saving.
void quit_application(application_state &app);

}  // namespace sheethost::model

#endif
