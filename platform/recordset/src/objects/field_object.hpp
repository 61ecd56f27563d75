// Field: one column of the recordset, seen at the cursor. It follows the cursor (a Field
// fetched once reads each row as the cursor moves) and refuses to answer for a recordset
// that has been closed or reopened since it was fetched.
#ifndef RECORDSET_FIELD_OBJECT_HPP
#define RECORDSET_FIELD_OBJECT_HPP

#include <memory>

#include "oleaut/dispatch/object.hpp"
#include "state/recordset_state.hpp"

namespace recordset {

class field_object : public oleaut::disp::object<field_object> {
public:
    static const oleaut::disp::table<field_object> &dispatch_table();
    static field_object *create(std::shared_ptr<recordset_state> state, size_t index);
    ~field_object() override = default;

    const column *described() const noexcept { return column_.get(); }
    const VARIANT &value() const;
    void set_value(const VARIANT &v);

private:
    field_object(std::shared_ptr<recordset_state> state, size_t index);
    void require_current() const;

    std::shared_ptr<recordset_state> state_;
    size_t index_;
    std::shared_ptr<const column> column_;
};

}  // namespace recordset

#endif
