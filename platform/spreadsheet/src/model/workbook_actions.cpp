#include "model/workbook_actions.hpp"

#include <algorithm>
#include <string>

#include "host_errors.hpp"

namespace sheethost::model {

namespace {

std::u16string numbered(const char16_t *stem, int n)
{
    std::string digits = std::to_string(n);
    return stem + std::u16string(digits.begin(), digits.end());
}

std::shared_ptr<sheet_state> new_sheet(workbook_state &book, sheet_kind kind)
{
    auto sheet = std::make_shared<sheet_state>();
    sheet->kind = kind;
    sheet->name = kind == sheet_kind::worksheet ? numbered(u"Sheet", book.next_worksheet_number++)
                                                : numbered(u"Chart", book.next_chart_number++);
    return sheet;
}

size_t index_in(const workbook_state &book, const std::shared_ptr<sheet_state> &sheet, const char16_t *argument)
{
    auto it = std::find(book.sheets.begin(), book.sheets.end(), sheet);
    if (it == book.sheets.end())
        raise_host_error(host_error::invalid_argument,
                         std::u16string(u"Sheets.Add: ") + argument + u" names sheet \"" + sheet->name +
                             u"\", which is not in workbook \"" + book.name + u"\"");
    return static_cast<size_t>(it - book.sheets.begin());
}

}  // namespace

std::shared_ptr<workbook_state> add_workbook(application_state &app, std::optional<sheet_kind> only)
{
    auto book = std::make_shared<workbook_state>();
    book->name = numbered(u"Book", app.next_workbook_number++);
    int count = only ? 1 : app.sheets_in_new_workbook;
    for (int i = 0; i < count; ++i)
        book->sheets.push_back(new_sheet(*book, only.value_or(sheet_kind::worksheet)));
    book->active_sheet = book->sheets.front();
    app.workbooks.push_back(book);
    app.active_workbook = book;
    return book;
}

std::shared_ptr<sheet_state> add_sheets(workbook_state &book, sheet_kind kind, const sheet_position &where,
                                        int count)
{
    if (count < 1 || count > kMaxSheetsInNewWorkbook)
        raise_host_error(host_error::invalid_argument,
                         u"Sheets.Add: Count must be from 1 to 255, not " + numbered(u"", count));
    if (where.before && where.after)
        raise_host_error(host_error::invalid_argument, u"Sheets.Add: give Before or After, not both");
    size_t at = book.sheets.size();
    if (where.before) {
        at = index_in(book, where.before, u"Before");
    } else if (where.after) {
        at = index_in(book, where.after, u"After") + 1;
    } else if (auto active = book.active_sheet.lock()) {
        auto it = std::find(book.sheets.begin(), book.sheets.end(), active);
        if (it != book.sheets.end())
            at = static_cast<size_t>(it - book.sheets.begin());
    }
    std::shared_ptr<sheet_state> last;
    for (int i = 0; i < count; ++i) {
        last = new_sheet(book, kind);
        book.sheets.insert(book.sheets.begin() + static_cast<std::ptrdiff_t>(at++), last);
    }
    book.active_sheet = last;
    return last;
}

std::vector<std::shared_ptr<sheet_state>> sheets_of(const workbook_state &book, std::optional<sheet_kind> kind)
{
    std::vector<std::shared_ptr<sheet_state>> out;
    for (const auto &s : book.sheets)
        if (!kind || s->kind == *kind)
            out.push_back(s);
    return out;
}

void close_workbook(application_state &app, const std::shared_ptr<workbook_state> &book)
{
    book->closed = true;
    std::erase(app.workbooks, book);
    if (app.active_workbook.lock() == book || app.active_workbook.expired())
        app.active_workbook = app.workbooks.empty() ? std::weak_ptr<workbook_state>() : app.workbooks.back();
}

void quit_application(application_state &app)
{
    while (!app.workbooks.empty())
        close_workbook(app, app.workbooks.back());
    app.quit = true;
}

}  // namespace sheethost::model
