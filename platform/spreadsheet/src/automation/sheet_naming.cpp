#include "automation/sheet_naming.hpp"

#include "host_errors.hpp"
#include "oleaut/dispatch/describe.hpp"

namespace sheethost::automation {

void rename_sheet(model::workbook_state &book, model::sheet_state &sheet, const std::u16string &name)
{
    auto refuse = [&](const char16_t *why) {
        raise_host_error(host_error::invalid_argument,
                         u"Cannot name sheet \"" + sheet.name + u"\" \"" + name + u"\": " + why);
    };
    if (name.empty() || name.size() > 31)
        refuse(u"a sheet name has 1 to 31 characters");
    if (name.find_first_of(u":\\/?*[]") != std::u16string::npos)
        refuse(u"a sheet name cannot hold : \\ / ? * [ or ]");
    for (const auto &other : book.sheets)
        if (other.get() != &sheet && oleaut::disp::names_equal(other->name, name))
            refuse(u"another sheet of the workbook has that name");
    sheet.name = name;
}

long sheet_index(const model::workbook_state &book, const model::sheet_state &sheet)
{
    for (size_t i = 0; i < book.sheets.size(); ++i)
        if (book.sheets[i].get() == &sheet)
            return static_cast<long>(i + 1);
    return 0;
}

}  // namespace sheethost::automation
