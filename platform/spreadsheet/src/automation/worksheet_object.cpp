// Worksheet: the grid of cells, reached as Cells (every cell) or Range(Cell1, Cell2).
#include "automation/arguments.hpp"
#include "automation/host_object.hpp"
#include "automation/interface_ids.hpp"
#include "automation/objects.hpp"
#include "automation/range_arguments.hpp"
#include "automation/sheet_naming.hpp"

namespace sheethost::automation {

namespace {

using oleaut::variant;
using oleaut::disp::call;

class worksheet_object : public host_object<worksheet_object> {
public:
    static const oleaut::disp::table<worksheet_object> &dispatch_table();
    worksheet_object(object_scope scope, std::shared_ptr<model::sheet_state> sheet)
        : host_object(std::move(scope)), sheet_(std::move(sheet))
    {
    }
    const std::shared_ptr<model::sheet_state> &sheet() const { return sheet_; }

    variant range(const call &c) const
    {
        model::cell_range first = cells_argument(c.arg(0), *sheet_, u"Cell1");
        if (c.missing(1))
            return make_range(scope(), sheet_, first);
        model::cell_range second = cells_argument(c.arg(1), *sheet_, u"Cell2");
        return make_range(scope(), sheet_, model::cell_range::spanning(first, second));
    }

private:
    std::shared_ptr<model::sheet_state> sheet_;
};

const oleaut::disp::table<worksheet_object> &worksheet_object::dispatch_table()
{
    using self = worksheet_object;
    static const oleaut::disp::table<self> t(
        u"Worksheet", kIID_Worksheet, TYPEFLAG_FDISPATCHABLE,
        {
            {u"Cells", 0xEE, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = make_range(o.scope(), o.sheet(), model::cell_range::whole_sheet()); }},
            {u"Range", 0xC5, INVOKE_PROPERTYGET, {{u"Cell1", VT_VARIANT}, {u"Cell2", VT_VARIANT, true}}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = o.range(c); }},
            {u"Name", 0x6E, INVOKE_PROPERTYGET, {}, VT_BSTR,
             [](self &o, call &c) { c.result() = variant::str(o.sheet()->name); }},
            {u"Name", 0x6E, INVOKE_PROPERTYPUT, {{u"RHS", VT_BSTR}}, VT_EMPTY,
             [](self &o, call &c) { rename_sheet(*o.scope().book_ptr(), *o.sheet(), bstr_text(c.bstr(0))); }},
            {u"Index", 0x1E6, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) { c.result() = variant::i4(sheet_index(*o.scope().book_ptr(), *o.sheet())); }},
        });
    return t;
}

}  // namespace

oleaut::variant make_worksheet(const object_scope &scope, std::shared_ptr<model::sheet_state> sheet)
{
    return dispatch_result(new worksheet_object(scope, std::move(sheet)));
}

std::shared_ptr<model::sheet_state> worksheet_behind(IDispatch *d)
{
    oleaut::com_ptr<IDispatch> mine;
    if (!d || FAILED(d->QueryInterface(kIID_Worksheet, mine.put_void())) || !mine)
        return nullptr;
    return static_cast<worksheet_object *>(mine.get())->sheet();
}

}  // namespace sheethost::automation
