#include "automation/range_arguments.hpp"

#include "automation/arguments.hpp"
#include "automation/objects.hpp"
#include "host_errors.hpp"
#include "model/cell_address.hpp"

namespace sheethost::automation {

model::cell_range cells_argument(const VARIANT &v, const model::sheet_state &sheet, const char16_t *argument)
{
    if (v.vt == VT_BSTR) {
        if (auto cells = model::parse_address(bstr_text(v.bstrVal)))
            return *cells;
        raise_host_error(host_error::invalid_argument,
                         std::u16string(u"Range: ") + argument + u" " + describe(v) +
                             u" is not an address of cells in the sheet (A1 to IV65536)");
    }
    if (v.vt == VT_DISPATCH && v.pdispVal) {
        std::optional<range_view> range = range_behind(v.pdispVal);
        if (!range)
            raise_host_error(host_error::invalid_range, std::u16string(argument) + u" (an object that is not a Range)");
        if (range->sheet.get() != &sheet)
            raise_host_error(host_error::invalid_argument, std::u16string(u"Range: ") + argument + u" is on sheet \"" +
                                                               range->sheet->name + u"\", not on \"" + sheet.name +
                                                               u"\"");
        return range->cells;
    }
    raise_host_error(host_error::invalid_argument,
                     std::u16string(u"Range: ") + argument + u" must be an address such as \"A1:B5\" or a Range, not " +
                         describe(v));
}

}  // namespace sheethost::automation
