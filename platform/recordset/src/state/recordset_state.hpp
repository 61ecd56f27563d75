// Everything a recordset is, apart from its automation surface: whether it is open,
// its fields, its rows, the cursor and a pending change. The Recordset, Fields and Field
// objects share one state, so a Field fetched once keeps following the cursor the way
// ADO's does. Every failure is one of the recordset's own errors.
#ifndef RECORDSET_RECORDSET_STATE_HPP
#define RECORDSET_RECORDSET_STATE_HPP

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sources/source_providers.hpp"
#include "values/row_table.hpp"

namespace recordset {

class recordset_state {
public:
    static constexpr size_t npos = static_cast<size_t>(-1);

    // --- lifecycle (recordset_state_lifecycle.cpp) ---------------------------------------
    bool is_open() const noexcept { return open_; }
    // Fields.Append: only while closed. The fields outlive Close, so the recordset can be
    // opened again with the same shape.
    void append_field(std::u16string name, LONG type, LONG defined_size, LONG attributes);
    bool has_appended_fields() const noexcept { return appended_ && !columns_.empty(); }
    // Rows read from a file: read-only, and their fields go away on Close.
    void open_rows(opened_source source);
    // The appended fields and no rows; AddNew fills it.
    void open_in_memory();
    void close();

    // --- fields (recordset_state_fields.cpp) ---------------------------------------------
    size_t field_count() const noexcept { return columns_.size(); }
    const std::shared_ptr<const column> &field(size_t i) const noexcept { return columns_[i]; }
    // By name (a string, compared without regard to case) or by 0-based number.
    size_t field_index(const VARIANT &index) const;
    size_t find_field(std::u16string_view name) const noexcept;
    // Whether a Field fetched earlier still describes field i of this opening.
    bool is_current_field(size_t i, const column *c) const noexcept
    {
        return i < columns_.size() && columns_[i].get() == c;
    }

    // --- cursor (recordset_state_cursor.cpp) ---------------------------------------------
    bool bof() const;
    bool eof() const;
    LONG record_count() const;
    void move_first();
    void move_last();
    void move_next();
    void move_previous();

    // --- values (recordset_state_values.cpp) ---------------------------------------------
    // Field i of the current record, as stored. Reading never changes the recordset.
    const VARIANT &value(size_t i) const;
    void set_value(size_t i, const VARIANT &v);
    void add_new();
    void add_new(const VARIANT &fields, const VARIANT &values);
    void update();
    void update(const VARIANT &fields, const VARIANT &values);
    void cancel_update();

private:
    void require_open(std::u16string_view operation) const;
    void require_writable(std::u16string_view operation) const;
    void require_current_record() const;
    std::u16string cursor_place() const;
    size_t row_count() const noexcept { return columns_.empty() ? 0 : cells_.size() / columns_.size(); }
    // Moving keeps a pending change, as ADO's implicit Update does.
    void commit_edit() noexcept { edit_ = edit{}; }
    void set_listed_values(std::u16string_view operation, const VARIANT &fields, const VARIANT &values);

    std::vector<std::shared_ptr<const column>> columns_;
    bool appended_ = false;
    bool open_ = false;
    std::u16string origin_;  // where read-only rows came from; empty when the rows are ours
    std::vector<oleaut::variant> cells_;
    std::ptrdiff_t position_ = 0;  // -1: before the first record; row_count(): after the last

    struct edit {
        bool active = false;
        bool is_new = false;
        std::ptrdiff_t previous_position = 0;  // where CancelUpdate of a new record returns
        std::vector<oleaut::variant> original;  // the record before the change
    } edit_;
};

}  // namespace recordset

#endif
