// Workbook: its sheets and Close. Closing never saves (this host keeps no files), so
// SaveChanges True is refused rather than silently dropped.
#include "automation/arguments.hpp"
#include "automation/host_object.hpp"
#include "automation/interface_ids.hpp"
#include "automation/objects.hpp"
#include "host_errors.hpp"
#include "model/workbook_actions.hpp"

namespace sheethost::automation {

namespace {

using oleaut::variant;
using oleaut::disp::call;

class workbook_object : public host_object<workbook_object> {
public:
    static const oleaut::disp::table<workbook_object> &dispatch_table();
    explicit workbook_object(object_scope scope) : host_object(std::move(scope)) {}
    model::workbook_state &book() const { return *scope().book_ptr(); }

    void close(const VARIANT &save_changes) const
    {
        // Left out counts as False: a hidden host has nobody to ask.
        if (!is_left_out(save_changes) && truth(save_changes, u"Workbook.Close SaveChanges"))
            raise_host_error(host_error::invalid_argument,
                             u"Workbook.Close: this host cannot save workbooks; close \"" + book().name +
                                 u"\" with SaveChanges False to discard it");
        model::close_workbook(scope().app(), scope().book_ptr());
    }
};

const oleaut::disp::table<workbook_object> &workbook_object::dispatch_table()
{
    using self = workbook_object;
    static const oleaut::disp::table<self> t(
        u"Workbook", kIID_Workbook, TYPEFLAG_FDISPATCHABLE,
        {
            {u"Worksheets", 0x1EE, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = make_sheets(o.scope(), model::sheet_kind::worksheet); }},
            {u"Sheets", 0x1E5, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = make_sheets(o.scope(), std::nullopt); }},
            {u"ActiveSheet", 0x133, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) {
                 auto sheet = o.book().active_sheet.lock();
                 c.result() = sheet ? make_sheet(o.scope(), sheet) : variant::dispatch(nullptr);
             }},
            {u"Name", 0x6E, INVOKE_PROPERTYGET, {}, VT_BSTR,
             [](self &o, call &c) { c.result() = variant::str(o.book().name); }},
            {u"Close", 0x115, INVOKE_FUNC,
             {{u"SaveChanges", VT_VARIANT, true}, {u"Filename", VT_VARIANT, true}, {u"RouteWorkbook", VT_VARIANT, true}},
             VT_EMPTY, [](self &o, call &c) { o.close(c.arg(0)); }},
        });
    return t;
}

}  // namespace

oleaut::variant make_workbook(const object_scope &scope) { return dispatch_result(new workbook_object(scope)); }

}  // namespace sheethost::automation
