// Selecting a field: by name without regard to case, or by its 0-based position.
// A string always means a name, so "0" looks for a field called "0", as in ADO.
#include "errors/recordset_errors.hpp"
#include "errors/variant_type_names.hpp"
#include "oleaut/dispatch/describe.hpp"
#include "oleaut/variant.hpp"
#include "oleaut/variant_view.hpp"
#include "state/recordset_state.hpp"

namespace recordset {

namespace {

// Field names for the "no such field" message, so the reader sees what there is.
std::u16string field_names_text(const std::vector<std::shared_ptr<const column>> &columns)
{
    constexpr size_t kShown = 30;
    if (columns.empty())
        return u"(none)";
    std::u16string out;
    for (size_t i = 0; i < columns.size() && i < kShown; ++i) {
        if (i)
            out += u", ";
        out += columns[i]->name.empty() ? u"(no name, index " + to_text(static_cast<long long>(i)) + u")"
                                        : columns[i]->name;
    }
    if (columns.size() > kShown)
        out += u" and " + to_text(static_cast<long long>(columns.size() - kShown)) + u" more";
    return out;
}

bool is_number(VARTYPE vt)
{
    switch (vt) {
    case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8:
    case VT_INT: case VT_UINT: case VT_R4: case VT_R8: case VT_DECIMAL: case VT_CY:
        return true;
    default:
        return false;
    }
}

}  // namespace

size_t recordset_state::find_field(std::u16string_view name) const noexcept
{
    for (size_t i = 0; i < columns_.size(); ++i)
        if (oleaut::disp::names_equal(columns_[i]->name, name))
            return i;
    return npos;
}

size_t recordset_state::field_index(const VARIANT &given) const
{
    const oleaut::variant_view view(given);
    const VARIANT *index = &view.plain_value();
    if (index->vt == VT_BSTR) {
        std::u16string_view name(index->bstrVal ? index->bstrVal : u"", index->bstrVal ? SysStringLen(index->bstrVal) : 0);
        size_t i = find_field(name);
        if (i == npos)
            fail(error_id::field_name_not_found, {name, field_names_text(columns_)});
        return i;
    }
    if (!is_number(index->vt))
        fail(error_id::field_index_type, {variant_type_name(index->vt)});
    oleaut::variant as_long;
    HRESULT hr = VariantChangeTypeEx(&as_long, index, LOCALE_EN_US, 0, VT_I4);
    const auto count = static_cast<long long>(columns_.size());
    if (FAILED(hr) || as_long.lVal < 0 || as_long.lVal >= count) {
        oleaut::variant text;
        bool printable = SUCCEEDED(VariantChangeTypeEx(&text, index, LOCALE_EN_US, 0, VT_BSTR));
        fail(error_id::field_index_out_of_range,
             {printable ? std::u16string_view(text.bstrVal, SysStringLen(text.bstrVal)) : u"(a number)", to_text(count)});
    }
    return static_cast<size_t>(as_long.lVal);
}

}  // namespace recordset
