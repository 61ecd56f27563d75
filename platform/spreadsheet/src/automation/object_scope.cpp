#include "automation/object_scope.hpp"

#include <string>

#include "host_errors.hpp"

namespace sheethost::automation {

object_scope::object_scope(std::shared_ptr<model::application_state> app) : app_(std::move(app)) {}

object_scope object_scope::in_workbook(std::shared_ptr<model::workbook_state> book) const
{
    object_scope s = *this;
    s.book_ = std::move(book);
    return s;
}

object_scope object_scope::with(std::function<void()> condition) const
{
    object_scope s = *this;
    s.conditions_.push_back(std::move(condition));
    return s;
}

void object_scope::check(std::u16string_view object_name) const
{
    if (app_->quit)
        raise_host_error(host_error::application_quit, object_name);
    if (book_ && book_->closed)
        raise_host_error(host_error::workbook_closed, std::u16string(object_name) + u" of " + book_->name);
    for (const auto &condition : conditions_)
        condition();
}

}  // namespace sheethost::automation
