// The cursor: a position from -1 (BOF) to the row count (EOF). It moves only when asked;
// reading never moves it.
#include "errors/recordset_errors.hpp"
#include "state/recordset_state.hpp"

namespace recordset {

bool recordset_state::bof() const
{
    require_open(u"BOF");
    return row_count() == 0 || position_ < 0;
}

bool recordset_state::eof() const
{
    require_open(u"EOF");
    return row_count() == 0 || position_ >= static_cast<std::ptrdiff_t>(row_count());
}

LONG recordset_state::record_count() const
{
    require_open(u"RecordCount");
    return static_cast<LONG>(row_count());
}

// Succeeds on an empty recordset too: BOF and EOF both stay true, and a reader's
// "MoveFirst, then loop until EOF" simply reads nothing.
void recordset_state::move_first()
{
    require_open(u"MoveFirst");
    commit_edit();
    position_ = 0;
}

void recordset_state::move_last()
{
    require_open(u"MoveLast");
    commit_edit();
    position_ = row_count() == 0 ? 0 : static_cast<std::ptrdiff_t>(row_count()) - 1;
}

void recordset_state::move_next()
{
    require_open(u"MoveNext");
    if (eof())
        fail(error_id::cursor_at_end, {u"MoveNext", cursor_place()});
    commit_edit();
    ++position_;
}

void recordset_state::move_previous()
{
    require_open(u"MovePrevious");
    if (bof())
        fail(error_id::cursor_at_end, {u"MovePrevious", cursor_place()});
    commit_edit();
    --position_;
}

void recordset_state::require_current_record() const
{
    if (bof() || eof())
        fail(error_id::no_current_record, {cursor_place()});
}

std::u16string recordset_state::cursor_place() const
{
    if (row_count() == 0)
        return u"in an empty recordset (BOF and EOF are both true)";
    if (position_ < 0)
        return u"before the first record (BOF is true)";
    return u"past the last record (EOF is true)";
}

}  // namespace recordset
