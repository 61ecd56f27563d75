// What an automation object depends on to be usable: the application (until Quit),
// its workbook (until Close) and any conditions of its own (the title is shown, the
// series was not deleted, the chart type has axes). Every call checks them first, so
// an object kept across calls refuses work on state that no longer makes sense
// instead of touching it.
#ifndef SHEETHOST_AUTOMATION_OBJECT_SCOPE_HPP
#define SHEETHOST_AUTOMATION_OBJECT_SCOPE_HPP

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "model/workbook_state.hpp"

namespace sheethost::automation {

class object_scope {
public:
    explicit object_scope(std::shared_ptr<model::application_state> app);

    // The same scope, narrowed to one workbook.
    object_scope in_workbook(std::shared_ptr<model::workbook_state> book) const;
    // The same scope with one more condition; it throws the host error that explains
    // why the object cannot be used.
    object_scope with(std::function<void()> condition) const;

    // Throws application_quit, workbook_closed or a condition's error, in that order.
    // `object_name` is how the messages name the object ("Range", "Series").
    void check(std::u16string_view object_name) const;

    model::application_state &app() const { return *app_; }
    const std::shared_ptr<model::application_state> &app_ptr() const { return app_; }
    // The workbook this scope is narrowed to (null for the application and Workbooks).
    const std::shared_ptr<model::workbook_state> &book_ptr() const { return book_; }

private:
    std::shared_ptr<model::application_state> app_;
    std::shared_ptr<model::workbook_state> book_;
    std::vector<std::function<void()>> conditions_;
};

}  // namespace sheethost::automation

#endif
