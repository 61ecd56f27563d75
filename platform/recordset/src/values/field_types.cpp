// The table of field types. Types share a storage form where ADO's clients see the
// same variant type: all the character types hold a BSTR, all binary types a byte array.
#include "values/field_types.hpp"

#include "errors/recordset_errors.hpp"

namespace recordset {

namespace {

constexpr field_type_info kTypes[] = {
    {ad_small_int, u"adSmallInt", VT_I2, value_kind::scalar},
    {ad_integer, u"adInteger", VT_I4, value_kind::scalar},
    {ad_single, u"adSingle", VT_R4, value_kind::scalar},
    {ad_double, u"adDouble", VT_R8, value_kind::scalar},
    {ad_currency, u"adCurrency", VT_CY, value_kind::scalar},
    {ad_date, u"adDate", VT_DATE, value_kind::scalar},
    {ad_bstr, u"adBSTR", VT_BSTR, value_kind::text},
    {ad_boolean, u"adBoolean", VT_BOOL, value_kind::scalar},
    {ad_variant, u"adVariant", VT_VARIANT, value_kind::any},
    {ad_decimal, u"adDecimal", VT_DECIMAL, value_kind::scalar},
    {ad_unsigned_tiny_int, u"adUnsignedTinyInt", VT_UI1, value_kind::scalar},
    {ad_big_int, u"adBigInt", VT_I8, value_kind::scalar},
    {ad_binary, u"adBinary", VT_ARRAY | VT_UI1, value_kind::binary},
    {ad_char, u"adChar", VT_BSTR, value_kind::text},
    {ad_wchar, u"adWChar", VT_BSTR, value_kind::text},
    {ad_numeric, u"adNumeric", VT_DECIMAL, value_kind::scalar},
    {ad_db_date, u"adDBDate", VT_DATE, value_kind::scalar},
    {ad_db_timestamp, u"adDBTimeStamp", VT_DATE, value_kind::scalar},
    {ad_var_char, u"adVarChar", VT_BSTR, value_kind::text},
    {ad_long_var_char, u"adLongVarChar", VT_BSTR, value_kind::text},
    {ad_var_wchar, u"adVarWChar", VT_BSTR, value_kind::text},
    {ad_long_var_wchar, u"adLongVarWChar", VT_BSTR, value_kind::text},
    {ad_var_binary, u"adVarBinary", VT_ARRAY | VT_UI1, value_kind::binary},
    {ad_long_var_binary, u"adLongVarBinary", VT_ARRAY | VT_UI1, value_kind::binary},
};

}  // namespace

std::span<const field_type_info> field_types() noexcept { return kTypes; }

const field_type_info *find_field_type(LONG type) noexcept
{
    for (const field_type_info &t : kTypes)
        if (t.type == type)
            return &t;
    return nullptr;
}

std::u16string known_field_types_text()
{
    std::u16string out;
    for (const field_type_info &t : kTypes) {
        if (!out.empty())
            out += u", ";
        out += to_text(t.type) + u" (" + t.name + u")";
    }
    return out;
}

}  // namespace recordset
