// Sheet names and positions as Worksheet.Name/Index and Chart.Name/Index show them.
#ifndef SHEETHOST_AUTOMATION_SHEET_NAMING_HPP
#define SHEETHOST_AUTOMATION_SHEET_NAMING_HPP

#include <string>

#include "model/workbook_state.hpp"

namespace sheethost::automation {

// Renames a sheet; refuses an empty name, one over 31 characters, one with : \ / ? * [ ]
// and one another sheet of the workbook already has (names compare without case).
void rename_sheet(model::workbook_state &book, model::sheet_state &sheet, const std::u16string &name);

// The sheet's tab position, from 1.
long sheet_index(const model::workbook_state &book, const model::sheet_state &sheet);

}  // namespace sheethost::automation

#endif
