// Application: the object a client creates by ProgID. It owns the host's state; every
// other object reaches that state through a scope that starts here.
#include "automation/host_object.hpp"
#include "automation/interface_ids.hpp"
#include "automation/objects.hpp"
#include "model/format_rules.hpp"
#include "model/workbook_actions.hpp"

namespace sheethost::automation {

namespace {

using oleaut::variant;
using oleaut::disp::call;

class application_object : public host_object<application_object> {
public:
    static const oleaut::disp::table<application_object> &dispatch_table();
    explicit application_object(object_scope scope) : host_object(std::move(scope)) {}
    model::application_state &app() const { return scope().app(); }
};

const oleaut::disp::table<application_object> &application_object::dispatch_table()
{
    using self = application_object;
    static const oleaut::disp::table<self> t(
        u"Application", kIID_Application, TYPEFLAG_FDISPATCHABLE,
        {
            {u"Workbooks", 0x23C, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = make_workbooks(o.scope()); }},
            {u"ActiveWorkbook", 0x134, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) {
                 // Nothing when no workbook is open, as in the classic host.
                 auto book = o.app().active_workbook.lock();
                 c.result() = book ? make_workbook(o.scope().in_workbook(book)) : variant::dispatch(nullptr);
             }},
            {u"Visible", 0x22E, INVOKE_PROPERTYGET, {}, VT_BOOL,
             [](self &o, call &c) { c.result() = variant::boolean(o.app().visible); }},
            {u"Visible", 0x22E, INVOKE_PROPERTYPUT, {{u"RHS", VT_BOOL}}, VT_EMPTY,
             [](self &o, call &c) { o.app().visible = c.boolean(0) != VARIANT_FALSE; }},
            {u"SheetsInNewWorkbook", 0x3E1, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) { c.result() = variant::i4(o.app().sheets_in_new_workbook); }},
            {u"SheetsInNewWorkbook", 0x3E1, INVOKE_PROPERTYPUT, {{u"RHS", VT_I4}}, VT_EMPTY,
             [](self &o, call &c) { o.app().sheets_in_new_workbook = model::checked_sheets_in_new_workbook(c.i4(0)); }},
            {u"Quit", 0x12E, INVOKE_FUNC, {}, VT_EMPTY,
             [](self &o, call &) { model::quit_application(o.app()); }},
        });
    return t;
}

}  // namespace

IDispatch *new_application()
{
    return new application_object(object_scope(std::make_shared<model::application_state>()));
}

}  // namespace sheethost::automation
