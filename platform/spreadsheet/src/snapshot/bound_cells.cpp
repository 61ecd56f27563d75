#include "snapshot/bound_cells.hpp"

#include <cmath>

#include "model/cell_address.hpp"
#include "model/workbook_state.hpp"

namespace sheethost::snapshot {

std::vector<oleaut::variant> bound_cells(const model::range_binding &binding)
{
    std::vector<oleaut::variant> out;
    auto sheet = binding.sheet.lock();
    if (!sheet)
        return out;
    const model::cell_range &r = binding.cells;
    out.reserve(static_cast<size_t>(r.count()));
    for (int row = r.top; row <= r.bottom; ++row)
        for (int column = r.left; column <= r.right; ++column)
            out.push_back(sheet->cells.value(row, column));
    return out;
}

std::optional<double> chart_value(const VARIANT &cell)
{
    switch (cell.vt) {
    case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_INT:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8: case VT_UINT:
    case VT_R4: case VT_R8: case VT_CY: case VT_DATE: case VT_DECIMAL: {
        oleaut::variant d;
        // A NaN or an infinity has no place on a value axis: the point is left out,
        // as an empty cell's is.
        if (SUCCEEDED(VariantChangeTypeEx(&d, &cell, LOCALE_EN_US, 0, VT_R8)) && std::isfinite(d.dblVal))
            return d.dblVal;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

std::u16string heading_text(const VARIANT &cell)
{
    if (cell.vt == VT_ERROR) {
        switch (cell.scode & 0xFFFF) {
        case 2000: return u"#NULL!";
        case 2007: return u"#DIV/0!";
        case 2015: return u"#VALUE!";
        case 2023: return u"#REF!";
        case 2029: return u"#NAME?";
        case 2036: return u"#NUM!";
        default: return u"#N/A";
        }
    }
    oleaut::variant text;
    if (FAILED(VariantChangeTypeEx(&text, &cell, LOCALE_EN_US, VARIANT_ALPHABOOL, VT_BSTR)) || !text.bstrVal)
        return u"";
    return std::u16string(text.bstrVal, SysStringLen(text.bstrVal));
}

std::u16string binding_reference(const model::range_binding &binding)
{
    auto sheet = binding.sheet.lock();
    return sheet ? model::format_reference(sheet->name, binding.cells) : std::u16string();
}

}  // namespace sheethost::snapshot
