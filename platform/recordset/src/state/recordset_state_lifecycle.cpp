// Opening, closing and defining fields. A recordset opened from a file describes that
// file and forgets it on Close; one built with Fields.Append keeps its fields.
#include "errors/recordset_errors.hpp"
#include "state/recordset_state.hpp"
#include "values/field_types.hpp"

namespace recordset {

void recordset_state::append_field(std::u16string name, LONG type, LONG defined_size, LONG attributes)
{
    if (open_)
        fail(error_id::object_open, {u"Fields.Append"});
    if (name.empty())
        fail(error_id::field_name_empty);
    if (find_field(name) != npos)
        fail(error_id::field_name_duplicate, {name});
    if (!find_field_type(type))
        fail(error_id::field_type_unknown, {to_text(type), known_field_types_text()});
    if (defined_size < 0)
        fail(error_id::field_size_invalid, {to_text(defined_size), name});
    columns_.push_back(std::make_shared<const column>(column{std::move(name), type, defined_size, attributes}));
    appended_ = true;
}

void recordset_state::open_rows(opened_source source)
{
    if (open_)
        fail(error_id::object_open, {u"Open"});
    std::vector<std::shared_ptr<const column>> columns;
    columns.reserve(source.rows.columns.size());
    for (column &c : source.rows.columns)
        columns.push_back(std::make_shared<const column>(std::move(c)));
    columns_ = std::move(columns);
    cells_ = std::move(source.rows.cells);
    origin_ = std::move(source.origin);
    appended_ = false;
    position_ = 0;
    edit_ = edit{};
    open_ = true;
}

void recordset_state::open_in_memory()
{
    if (open_)
        fail(error_id::object_open, {u"Open"});
    if (!has_appended_fields())
        fail(error_id::nothing_to_open);
    cells_.clear();
    origin_.clear();
    position_ = 0;
    edit_ = edit{};
    open_ = true;
}

void recordset_state::close()
{
    require_open(u"Close");
    if (edit_.active)
        fail(error_id::edit_pending, {u"Close"});
    cells_.clear();
    cells_.shrink_to_fit();
    origin_.clear();
    if (!appended_)
        columns_.clear();
    position_ = 0;
    open_ = false;
}

void recordset_state::require_open(std::u16string_view operation) const
{
    if (!open_)
        fail(error_id::object_closed, {operation});
}

void recordset_state::require_writable(std::u16string_view operation) const
{
    require_open(operation);
    if (!origin_.empty())
        fail(error_id::read_only, {origin_, operation});
}

}  // namespace recordset
