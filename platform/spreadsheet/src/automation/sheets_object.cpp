// Sheets: a workbook's sheets in tab order, all of them (Workbook.Sheets) or only the
// worksheets (Workbook.Worksheets, which the classic object model also types as
// Sheets). Add makes worksheets or, with Type xlChart, chart sheets.
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

constexpr long kXlWorksheet = -4167;
constexpr long kXlChart = -4109;

class sheets_object : public host_object<sheets_object> {
public:
    static const oleaut::disp::table<sheets_object> &dispatch_table();
    sheets_object(object_scope scope, std::optional<model::sheet_kind> kind)
        : host_object(std::move(scope)), kind_(kind)
    {
    }

    std::vector<std::shared_ptr<model::sheet_state>> members() const
    {
        return model::sheets_of(*scope().book_ptr(), kind_);
    }

    variant item(const VARIANT &index) const
    {
        auto sheets = members();
        item_key key = item_key_of(index, u"Sheets index");
        for (size_t i = 0; i < sheets.size(); ++i) {
            bool match = key.by_name ? oleaut::disp::names_equal(sheets[i]->name, key.name)
                                     : key.position == static_cast<long>(i + 1);
            if (match)
                return make_sheet(scope(), sheets[i]);
        }
        std::u16string noun = kind_ ? u" worksheet" : u" sheet";
        raise_host_error(host_error::sheet_index, key.shown,
                         model::integer_text(static_cast<long long>(sheets.size())) + noun +
                             (sheets.size() == 1 ? u"" : u"s"));
    }

    variant add(const call &c) const
    {
        model::sheet_position where;
        where.before = position_sheet(c.arg(0), u"Before");
        where.after = position_sheet(c.arg(1), u"After");
        long count = c.missing(2) ? 1 : whole_number(c.arg(2), u"Sheets.Add Count");
        long type = c.missing(3) ? kXlWorksheet : whole_number(c.arg(3), u"Sheets.Add Type");
        if (type != kXlWorksheet && type != kXlChart)
            raise_host_error(host_error::invalid_argument,
                             u"Sheets.Add: Type must be -4167 (xlWorksheet) or -4109 (xlChart), not " +
                                 model::integer_text(type));
        auto kind = type == kXlChart ? model::sheet_kind::chart : model::sheet_kind::worksheet;
        auto sheet = model::add_sheets(*scope().book_ptr(), kind, where, static_cast<int>(count));
        return make_sheet(scope(), sheet);
    }

private:
    static std::shared_ptr<model::sheet_state> position_sheet(const VARIANT &v, const char16_t *argument)
    {
        if (is_left_out(v))
            return nullptr;
        std::shared_ptr<model::sheet_state> sheet;
        if (v.vt == VT_DISPATCH && v.pdispVal)
            sheet = sheet_behind(v.pdispVal);
        if (!sheet)
            raise_host_error(host_error::invalid_argument, std::u16string(u"Sheets.Add: ") + argument +
                                                               u" must be a sheet of this workbook, not " +
                                                               describe(v));
        return sheet;
    }

    std::optional<model::sheet_kind> kind_;
};

const oleaut::disp::table<sheets_object> &sheets_object::dispatch_table()
{
    using self = sheets_object;
    static const oleaut::disp::table<self> t(
        u"Sheets", kIID_Sheets, TYPEFLAG_FDISPATCHABLE,
        {
            {u"Add", 0xB5, INVOKE_FUNC,
             {{u"Before", VT_VARIANT, true},
              {u"After", VT_VARIANT, true},
              {u"Count", VT_VARIANT, true},
              {u"Type", VT_VARIANT, true}},
             VT_DISPATCH, [](self &o, call &c) { c.result() = o.add(c); }},
            {u"Count", 0x76, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) { c.result() = variant::i4(static_cast<LONG>(o.members().size())); }},
            {u"Item", 0xAA, INVOKE_PROPERTYGET, {{u"Index", VT_VARIANT}}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = o.item(c.arg(0)); }},
            {u"_Default", DISPID_VALUE, INVOKE_PROPERTYGET, {{u"Index", VT_VARIANT}}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = o.item(c.arg(0)); }},
        });
    return t;
}

}  // namespace

oleaut::variant make_sheets(const object_scope &scope, std::optional<model::sheet_kind> kind)
{
    return dispatch_result(new sheets_object(scope, kind));
}

oleaut::variant make_sheet(const object_scope &scope, std::shared_ptr<model::sheet_state> sheet)
{
    return sheet->kind == model::sheet_kind::chart ? make_chart(scope, std::move(sheet))
                                                   : make_worksheet(scope, std::move(sheet));
}

std::shared_ptr<model::sheet_state> sheet_behind(IDispatch *d)
{
    if (auto chart = chart_sheet_behind(d))
        return chart;
    return worksheet_behind(d);
}

}  // namespace sheethost::automation
