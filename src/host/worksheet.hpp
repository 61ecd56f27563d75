// The data sheet and its cells: the staging grid of the chart's values.
#ifndef QUILLET_HOST_WORKSHEET_HPP
#define QUILLET_HOST_WORKSHEET_HPP

#include "host/late_bound.hpp"

namespace quillet::host {

class Range : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    // Item(row, column), both as 16-bit integers counted from 1.
    Range Item(SHORT row, SHORT column) const { return Range(get_object(OLESTR("Item"), {variant::i2(row), variant::i2(column)})); }
    void put_Item(SHORT row, SHORT column, const VARIANT &value) const
    {
        put(get(), OLESTR("Item"), value, {variant::i2(row), variant::i2(column)});
    }
    void ClearContents() const { call(get(), OLESTR("ClearContents")); }
};

class Worksheet : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    Range get_Cells() const { return Range(get_object(OLESTR("Cells"))); }
    Range get_Range(const Range &cell1, const Range &cell2) const
    {
        return Range(get_object(OLESTR("Range"), {variant::dispatch(cell1.get()), variant::dispatch(cell2.get())}));
    }
};

}  // namespace quillet::host

#endif
