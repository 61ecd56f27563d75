// Recordset: the automation object clients create as "ADODB.Recordset". Its members are
// the subset of ADO's Recordset that scripts use to open rows and walk them; `Fields` is
// the default member, so `rs("Sales")` selects a field.
#ifndef RECORDSET_RECORDSET_OBJECT_HPP
#define RECORDSET_RECORDSET_OBJECT_HPP

#include <memory>

#include "objects/fields_object.hpp"
#include "oleaut/com_ptr.hpp"

namespace recordset {

class recordset_object : public oleaut::disp::object<recordset_object> {
public:
    static const oleaut::disp::table<recordset_object> &dispatch_table();
    static recordset_object *create();
    ~recordset_object() override = default;

private:
    recordset_object();

    std::shared_ptr<recordset_state> state_;
    oleaut::com_ptr<fields_object> fields_;  // one collection for the object's whole life
};

}  // namespace recordset

#endif
