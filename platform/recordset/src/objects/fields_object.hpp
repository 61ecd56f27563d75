// Fields: the recordset's columns as a collection. `Item` (the default member) selects
// one by name or 0-based number; `Append` defines the fields of an in-memory recordset.
// Field objects are made once per column and handed out again, so that a reader who
// looks a field up on every row costs no allocation.
#ifndef RECORDSET_FIELDS_OBJECT_HPP
#define RECORDSET_FIELDS_OBJECT_HPP

#include <memory>
#include <vector>

#include "objects/field_object.hpp"
#include "oleaut/com_ptr.hpp"

namespace recordset {

class fields_object : public oleaut::disp::object<fields_object> {
public:
    static const oleaut::disp::table<fields_object> &dispatch_table();
    static fields_object *create(std::shared_ptr<recordset_state> state);
    ~fields_object() override = default;

    // The Field for the given name or number; the collection keeps it for the next call.
    field_object *item(const VARIANT &index);

private:
    explicit fields_object(std::shared_ptr<recordset_state> state) : state_(std::move(state)) {}

    std::shared_ptr<recordset_state> state_;
    std::vector<oleaut::com_ptr<field_object>> made_;  // by field index; checked against the state
};

}  // namespace recordset

#endif
