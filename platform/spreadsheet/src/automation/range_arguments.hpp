// Reading a Cell1/Cell2-style argument: an A1 address ("B3", "A1:C25") or a Range
// object of the same worksheet.
#ifndef SHEETHOST_AUTOMATION_RANGE_ARGUMENTS_HPP
#define SHEETHOST_AUTOMATION_RANGE_ARGUMENTS_HPP

#include "model/cell_range.hpp"
#include "model/workbook_state.hpp"
#include "oleaut/variant.hpp"

namespace sheethost::automation {

model::cell_range cells_argument(const VARIANT &v, const model::sheet_state &sheet, const char16_t *argument);

}  // namespace sheethost::automation

#endif
