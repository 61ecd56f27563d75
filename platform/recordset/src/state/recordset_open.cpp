#include "state/recordset_open.hpp"

#include <optional>

#include "errors/recordset_errors.hpp"
#include "errors/variant_type_names.hpp"

namespace recordset {

namespace {

bool is_absent(const VARIANT &v)
{
    return v.vt == VT_EMPTY || v.vt == VT_NULL || (v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND);
}

// The argument as text; nullopt when it was left out. An empty string counts as left out.
std::optional<std::u16string> text_argument(const VARIANT &given, error_id not_text)
{
    oleaut::variant v;
    oleaut::check(VariantCopyInd(&v, &given));
    if (is_absent(v))
        return std::nullopt;
    oleaut::variant s;
    if (FAILED(VariantChangeTypeEx(&s, &v, LOCALE_EN_US, 0, VT_BSTR)))
        fail(not_text, {variant_type_name(v.vt)});
    std::u16string text(s.bstrVal ? std::u16string_view(s.bstrVal, SysStringLen(s.bstrVal)) : std::u16string_view());
    if (text.empty())
        return std::nullopt;
    return text;
}

}  // namespace

void open_recordset(recordset_state &state, const VARIANT &source_arg, const VARIANT &connection_arg)
{
    if (state.is_open())
        fail(error_id::object_open, {u"Open"});
    std::optional<std::u16string> source = text_argument(source_arg, error_id::source_not_text);
    std::optional<std::u16string> connection = text_argument(connection_arg, error_id::connection_not_text);
    if (state.has_appended_fields()) {
        if (source || connection)
            fail(error_id::source_with_appended_fields);
        state.open_in_memory();
        return;
    }
    if (!connection) {
        if (source)
            fail(error_id::connection_missing, {*source});
        fail(error_id::nothing_to_open);
    }
    state.open_rows(open_source(*connection, source));
}

}  // namespace recordset
