// The host application and its workbooks, as the component drives them.
#ifndef QUILLET_HOST_APPLICATION_HPP
#define QUILLET_HOST_APPLICATION_HPP

#include "host/late_bound.hpp"

namespace quillet::host {

class Workbook;
class Worksheets;

class Workbooks : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    // Add with the template left out; the new workbook is released at once.
    void Add() const { call(get(), OLESTR("Add"), {variant::missing()}); }
    LONG Count() const { return get_value(OLESTR("Count")).to_i4(); }
    com_ptr<IDispatch> Item(SHORT index) const { return get_object(OLESTR("Item"), {variant::i2(index)}); }
};

class Application : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    void put_Visible(bool visible) const { put_value(OLESTR("Visible"), variant::boolean(visible)); }
    void put_SheetsInNewWorkbook(LONG count) const { put_value(OLESTR("SheetsInNewWorkbook"), variant::i4(count)); }
    Workbooks get_Workbooks() const { return Workbooks(get_object(OLESTR("Workbooks"))); }
    com_ptr<IDispatch> get_ActiveWorkbook() const { return get_object(OLESTR("ActiveWorkbook")); }
    void Quit() const { call(get(), OLESTR("Quit")); }
};

class Worksheets : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    com_ptr<IDispatch> Item(SHORT index) const { return get_object(OLESTR("Item"), {variant::i2(index)}); }
    // Add(Before, After, Count left out; Type): xlChart (-4109) adds a chart sheet.
    com_ptr<IDispatch> Add(LONG type) const
    {
        return object_of(invoke(get(), OLESTR("Add"), DISPATCH_METHOD,
                                {variant::missing(), variant::missing(), variant::missing(), variant::i4(type)}));
    }
};

class Workbook : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    Worksheets get_Worksheets() const { return Worksheets(get_object(OLESTR("Worksheets"))); }
    // Close(SaveChanges; Filename and RouteWorkbook left out).
    void Close(bool save_changes) const
    {
        call(get(), OLESTR("Close"), {variant::boolean(save_changes), variant::missing(), variant::missing()});
    }
};

}  // namespace quillet::host

#endif
