// The recordset operations the component uses to read one column.
#ifndef QUILLET_HOST_RECORDSET_HPP
#define QUILLET_HOST_RECORDSET_HPP

#include "host/late_bound.hpp"

namespace quillet::host {

class Recordset : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void MoveFirst() const { call(get(), OLESTR("MoveFirst")); }
    void MoveNext() const { call(get(), OLESTR("MoveNext")); }
    bool EOF_() const { return get_value(OLESTR("EOF")).to_bool() != VARIANT_FALSE; }
    // Fields, then its item by name (a string variant), then that field's Value.
    variant FieldValue(BSTR name) const
    {
        com_ptr<IDispatch> fields = get_object(OLESTR("Fields"));
        VARIANT index;
        index.vt = VT_BSTR;
        index.bstrVal = name;
        com_ptr<IDispatch> field = object_of(oleaut::late::get(fields.get(), OLESTR("Item"), {index}));
        return oleaut::late::get(field.get(), OLESTR("Value"));
    }
};

}  // namespace quillet::host

#endif
