// Reading and changing field values. A change is applied at once, with the record's old
// values kept until Update (or a move) keeps the change or CancelUpdate restores them;
// AddNew's record is already in place and CancelUpdate takes it out again.
#include "errors/recordset_errors.hpp"
#include "state/recordset_state.hpp"
#include "values/value_lists.hpp"
#include "values/value_storage.hpp"

namespace recordset {

namespace {

bool is_array(const VARIANT &v)
{
    if (v.vt == (VT_BYREF | VT_VARIANT))
        return v.pvarVal && is_array(*v.pvarVal);
    return (v.vt & VT_ARRAY) != 0;
}

bool is_missing(const VARIANT &v) { return v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND; }

}  // namespace

const VARIANT &recordset_state::value(size_t i) const
{
    require_open(u"Field.Value");
    require_current_record();
    return cells_[static_cast<size_t>(position_) * columns_.size() + i];
}

void recordset_state::set_value(size_t i, const VARIANT &v)
{
    require_writable(u"changing Field.Value");
    require_current_record();
    oleaut::variant stored = value_for_field(*columns_[i], v);
    const size_t first = static_cast<size_t>(position_) * columns_.size();
    if (!edit_.active) {
        edit_ = edit{};
        edit_.active = true;
        edit_.original.assign(cells_.begin() + static_cast<std::ptrdiff_t>(first),
                              cells_.begin() + static_cast<std::ptrdiff_t>(first + columns_.size()));
    }
    cells_[first + i] = std::move(stored);
}

void recordset_state::add_new()
{
    require_writable(u"AddNew");
    commit_edit();
    const std::ptrdiff_t before = position_;
    cells_.reserve(cells_.size() + columns_.size());
    for (size_t c = 0; c < columns_.size(); ++c)
        cells_.push_back(oleaut::variant::null());
    position_ = static_cast<std::ptrdiff_t>(row_count()) - 1;
    edit_ = edit{};
    edit_.active = true;
    edit_.is_new = true;
    edit_.previous_position = before;
}

void recordset_state::add_new(const VARIANT &fields, const VARIANT &values)
{
    if (is_missing(fields) && is_missing(values)) {
        add_new();
        return;
    }
    require_writable(u"AddNew");
    add_new();
    try {
        set_listed_values(u"AddNew", fields, values);
    } catch (...) {
        cancel_update();  // a record that could not be filled is not added
        throw;
    }
    commit_edit();
}

void recordset_state::update()
{
    require_open(u"Update");
    commit_edit();
}

void recordset_state::update(const VARIANT &fields, const VARIANT &values)
{
    if (is_missing(fields) && is_missing(values)) {
        update();
        return;
    }
    require_writable(u"Update");
    set_listed_values(u"Update", fields, values);
    commit_edit();
}

void recordset_state::cancel_update()
{
    require_open(u"CancelUpdate");
    if (!edit_.active)
        return;
    const size_t width = columns_.size();
    if (edit_.is_new) {
        cells_.resize(cells_.size() - width);
        position_ = edit_.previous_position;
    } else {
        const size_t first = static_cast<size_t>(position_) * width;
        for (size_t c = 0; c < width; ++c)
            cells_[first + c] = std::move(edit_.original[c]);
    }
    edit_ = edit{};
}

// One field and one value, or an array of fields and an array of values of the same
// length. A single field takes its value whole, so a byte array stays one value.
void recordset_state::set_listed_values(std::u16string_view operation, const VARIANT &fields, const VARIANT &values)
{
    std::vector<oleaut::variant> names =
        is_missing(fields) ? std::vector<oleaut::variant>{} : list_items(fields, operation);
    std::vector<oleaut::variant> given;
    if (!is_missing(values))
        given = is_array(fields) ? list_items(values, operation) : std::vector<oleaut::variant>{oleaut::variant(values)};
    if (names.size() != given.size())
        fail(error_id::list_mismatch,
             {operation, to_text(static_cast<long long>(names.size())), to_text(static_cast<long long>(given.size()))});
    std::vector<size_t> indexes;
    for (const oleaut::variant &n : names)
        indexes.push_back(field_index(n));
    for (size_t k = 0; k < indexes.size(); ++k)
        set_value(indexes[k], given[k]);
}

}  // namespace recordset
