// Range: a rectangle of cells on one worksheet. Cells(row, column), Item and the
// default member address single cells relative to the range's top-left corner, as
// the classic host does, and may reach past the range but never past the sheet.
#include <cmath>

#include "automation/arguments.hpp"
#include "automation/cell_values.hpp"
#include "automation/host_object.hpp"
#include "automation/interface_ids.hpp"
#include "automation/objects.hpp"
#include "host_errors.hpp"
#include "model/cell_address.hpp"
#include "model/number_text.hpp"

namespace sheethost::automation {

namespace {

using oleaut::variant;
using oleaut::disp::call;

// #N/A, what the classic host writes into cells an assigned array does not reach.
constexpr SCODE kErrorNotAvailable = static_cast<SCODE>(0x800A07FA);

class range_object : public host_object<range_object> {
public:
    static const oleaut::disp::table<range_object> &dispatch_table();
    range_object(object_scope scope, std::shared_ptr<model::sheet_state> sheet, const model::cell_range &cells)
        : host_object(std::move(scope)), sheet_(std::move(sheet)), cells_(cells)
    {
    }
    const std::shared_ptr<model::sheet_state> &sheet() const { return sheet_; }
    const model::cell_range &cells() const { return cells_; }
    model::cell_grid &grid() const { return sheet_->cells; }

    // The cell that (RowIndex[, ColumnIndex]) names.
    model::cell_range cell_at(const VARIANT &row_index, const VARIANT &column_index) const
    {
        long long row, column;
        if (is_left_out(column_index)) {
            // One index counts cells row by row through the range, then on below it.
            long long n = whole_number(row_index, u"Range.Item RowIndex") - 1;
            long long width = cells_.columns();
            long long down = n >= 0 ? n / width : -((-n + width - 1) / width);
            row = cells_.top + down;
            column = cells_.left + (n - down * width);
        } else {
            row = cells_.top + static_cast<long long>(whole_number(row_index, u"Range.Item RowIndex")) - 1;
            column = cells_.left + static_cast<long long>(column_number(column_index)) - 1;
        }
        if (!model::is_cell_in_sheet(row, column))
            raise_host_error(host_error::cell_index, model::integer_text(row) + u", " + model::integer_text(column));
        return model::cell_range::cell(static_cast<int>(row), static_cast<int>(column));
    }

    variant item(const VARIANT &row_index, const VARIANT &column_index) const
    {
        return make_range(scope(), sheet_, cell_at(row_index, column_index));
    }

    void put_item(const VARIANT &row_index, const VARIANT &column_index, const VARIANT &value) const
    {
        model::cell_range cell = cell_at(row_index, column_index);
        grid().set(cell.top, cell.left, storable_cell_value(value));
    }

    variant value() const
    {
        if (cells_.is_single_cell())
            return grid().value(cells_.top, cells_.left);
        check_size(u"read");
        return make_value_array(cells_.rows(), cells_.columns(), [&](int r, int c) {
            return grid().value(cells_.top + r - 1, cells_.left + c - 1);
        });
    }

    void put_value(const VARIANT &value) const
    {
        if (value.vt & VT_ARRAY) {
            put_array(read_value_array(value));
            return;
        }
        variant stored = storable_cell_value(value);
        if (stored.vt == VT_EMPTY) {
            grid().clear(cells_);
            return;
        }
        check_size(u"written");
        for (int r = cells_.top; r <= cells_.bottom; ++r)
            for (int c = cells_.left; c <= cells_.right; ++c)
                grid().set(r, c, stored);
    }

private:
    static long column_number(const VARIANT &v)
    {
        if (v.vt == VT_BSTR) {
            if (auto letters = model::column_from_letters(bstr_text(v.bstrVal)))
                return *letters;
        }
        return whole_number(v, u"Range.Item ColumnIndex");
    }

    void check_size(const char16_t *verb) const
    {
        if (cells_.count() > kMaxCellsPerValueCall)
            raise_host_error(host_error::invalid_argument,
                             u"Range.Value of " + model::format_address(cells_) + u" (" +
                                 model::integer_text(cells_.count()) + u" cells) cannot be " + verb +
                                 u" at once: at most " + model::integer_text(kMaxCellsPerValueCall) +
                                 u" cells can");
    }

    // A one-row array repeats down the range and a one-column array across it; cells the
    // array does not reach get #N/A.
    void put_array(const std::vector<std::vector<variant>> &table) const
    {
        check_size(u"written");
        for (int r = 0; r < cells_.rows(); ++r) {
            size_t source_row = table.size() == 1 ? 0 : static_cast<size_t>(r);
            for (int c = 0; c < cells_.columns(); ++c) {
                variant stored = variant::error(kErrorNotAvailable);
                if (source_row < table.size()) {
                    const auto &row = table[source_row];
                    size_t source_column = row.size() == 1 ? 0 : static_cast<size_t>(c);
                    if (source_column < row.size())
                        stored = storable_cell_value(row[source_column]);
                }
                grid().set(cells_.top + r, cells_.left + c, std::move(stored));
            }
        }
    }

    std::shared_ptr<model::sheet_state> sheet_;
    model::cell_range cells_;
};

const oleaut::disp::table<range_object> &range_object::dispatch_table()
{
    using self = range_object;
    static const oleaut::disp::table<self> t(
        u"Range", kIID_Range, TYPEFLAG_FDISPATCHABLE,
        {
            // With indexes, the cell they name; without, the range's value.
            {u"_Default", DISPID_VALUE, INVOKE_PROPERTYGET,
             {{u"RowIndex", VT_VARIANT, true}, {u"ColumnIndex", VT_VARIANT, true}}, VT_VARIANT,
             [](self &o, call &c) {
                 c.result() = c.missing(0) && c.missing(1) ? o.value() : o.item(c.arg(0), c.arg(1));
             }},
            {u"_Default", DISPID_VALUE, INVOKE_PROPERTYPUT,
             {{u"RowIndex", VT_VARIANT, true}, {u"ColumnIndex", VT_VARIANT, true}, {u"RHS", VT_VARIANT}}, VT_EMPTY,
             [](self &o, call &c) {
                 if (c.missing(0) && c.missing(1))
                     o.put_value(c.arg(2));
                 else
                     o.put_item(c.arg(0), c.arg(1), c.arg(2));
             }},
            {u"Item", 0xAA, INVOKE_PROPERTYGET, {{u"RowIndex", VT_VARIANT}, {u"ColumnIndex", VT_VARIANT, true}},
             VT_VARIANT, [](self &o, call &c) { c.result() = o.item(c.arg(0), c.arg(1)); }},
            {u"Item", 0xAA, INVOKE_PROPERTYPUT,
             {{u"RowIndex", VT_VARIANT}, {u"ColumnIndex", VT_VARIANT, true}, {u"RHS", VT_VARIANT}}, VT_EMPTY,
             [](self &o, call &c) { o.put_item(c.arg(0), c.arg(1), c.arg(2)); }},
            {u"Value", 0x6, INVOKE_PROPERTYGET, {{u"RangeValueDataType", VT_VARIANT, true}}, VT_VARIANT,
             [](self &o, call &c) { c.result() = o.value(); }},
            {u"Value", 0x6, INVOKE_PROPERTYPUT, {{u"RangeValueDataType", VT_VARIANT, true}, {u"RHS", VT_VARIANT}},
             VT_EMPTY, [](self &o, call &c) { o.put_value(c.arg(1)); }},
            {u"ClearContents", 0x71, INVOKE_FUNC, {}, VT_VARIANT,
             [](self &o, call &c) {
                 o.grid().clear(o.cells());
                 c.result() = variant::boolean(true);
             }},
            {u"Count", 0x76, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) { c.result() = variant::i4(static_cast<LONG>(o.cells().count())); }},
            {u"Row", 0x101, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) { c.result() = variant::i4(o.cells().top); }},
            {u"Column", 0xF0, INVOKE_PROPERTYGET, {}, VT_I4,
             [](self &o, call &c) { c.result() = variant::i4(o.cells().left); }},
            {u"Address", 0xEC, INVOKE_PROPERTYGET, {}, VT_BSTR,
             [](self &o, call &c) { c.result() = variant::str(model::format_address(o.cells())); }},
            {u"Cells", 0xEE, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = make_range(o.scope(), o.sheet(), o.cells()); }},
            {u"Worksheet", 0x15C, INVOKE_PROPERTYGET, {}, VT_DISPATCH,
             [](self &o, call &c) { c.result() = make_worksheet(o.scope(), o.sheet()); }},
        });
    return t;
}

}  // namespace

oleaut::variant make_range(const object_scope &scope, std::shared_ptr<model::sheet_state> sheet,
                           const model::cell_range &cells)
{
    return dispatch_result(new range_object(scope, std::move(sheet), cells));
}

std::optional<range_view> range_behind(IDispatch *d)
{
    oleaut::com_ptr<IDispatch> mine;
    if (!d || FAILED(d->QueryInterface(kIID_Range, mine.put_void())) || !mine)
        return std::nullopt;
    auto *range = static_cast<range_object *>(mine.get());
    return range_view{range->scope(), range->sheet(), range->cells()};
}

}  // namespace sheethost::automation
