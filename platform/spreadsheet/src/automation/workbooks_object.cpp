// Workbooks: the open workbooks, in the order they were opened, and Add.
#include "automation/arguments.hpp"
#include "automation/host_object.hpp"
#include "automation/interface_ids.hpp"
#include "automation/objects.hpp"
#include "host_errors.hpp"
#include "model/number_text.hpp"
#include "model/workbook_actions.hpp"

namespace sheethost::automation {

namespace {

using oleaut::variant;
using oleaut::disp::call;

class workbooks_object : public host_object<workbooks_object> {
public:
    static const oleaut::disp::table<workbooks_object> &dispatch_table();
    explicit workbooks_object(object_scope scope) : host_object(std::move(scope)) {}

    variant add(const VARIANT &template_arg) const
    {
        std::optional<model::sheet_kind> only;
        if (!is_left_out(template_arg)) {
            // xlWBATWorksheet and xlWBATChart make a one-sheet workbook; this host opens no
            // template files.
            long kind = template_arg.vt == VT_BSTR ? 0 : whole_number(template_arg, u"Workbooks.Add Template");
            if (kind == -4167)
                only = model::sheet_kind::worksheet;
            else if (kind == -4109)
                only = model::sheet_kind::chart;
            else
                raise_host_error(host_error::invalid_argument,
                                 u"Workbooks.Add: Template must be left out, -4167 (xlWBATWorksheet) or -4109 "
                                 u"(xlWBATChart); this host opens no template files, and was given " +
                                     describe(template_arg));
        }
        auto book = model::add_workbook(scope().app(), only);
        return make_workbook(scope().in_workbook(book));
    }

    variant item(const VARIANT &index) const
    {
        const auto &books = scope().app().workbooks;
        item_key key = item_key_of(index, u"Workbooks index");
        for (size_t i = 0; i < books.size(); ++i) {
            bool match = key.by_name ? oleaut::disp::names_equal(books[i]->name, key.name)
                                     : key.position == static_cast<long>(i + 1);
            if (match)
                return make_workbook(scope().in_workbook(books[i]));
        }
        raise_host_error(host_error::workbook_index, key.shown, model::integer_text(static_cast<long long>(books.size())));
    }
};

const oleaut::disp::table<workbooks_object> &workbooks_object::dispatch_table()
{
    using self = workbooks_object;
    static const oleaut::disp::table<self> t(
        u"Workbooks", kIID_Workbooks, TYPEFLAG_FDISPATCHABLE,
        {
            {u"Add", 0xB5, INVOKE_FUNC, {{u"Template", VT_VARIANT, true}}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = o.add(c.arg(0)); }},
            {u"Count", 0x76, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) { c.result() = variant::i4(static_cast<LONG>(o.scope().app().workbooks.size())); }},
            {u"Item", 0xAA, INVOKE_PROPERTYGET, {{u"Index", VT_VARIANT}}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = o.item(c.arg(0)); }},
            {u"_Default", DISPID_VALUE, INVOKE_PROPERTYGET, {{u"Index", VT_VARIANT}}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = o.item(c.arg(0)); }},
        });
    return t;
}

}  // namespace

oleaut::variant make_workbooks(const object_scope &scope) { return dispatch_result(new workbooks_object(scope)); }

}  // namespace sheethost::automation
