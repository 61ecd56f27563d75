// Conversions to text, locale 1033.
#include "conv_targets.h"
#include "values/date_calendar.h"
#include "values/decimal.h"
#include "values/number_format.h"

namespace oleaut::conv {

HRESULT to_text(const Scalar &s, ULONG date_flags, BoolText bools, std::u16string *out)
{
    switch (s.shape) {
    case Shape::Empty:
        out->clear();
        return S_OK;
    case Shape::Integer:
        *out = format_integer(s.integer);
        return S_OK;
    case Shape::Bool:
        if (bools == BoolText::Words)
            *out = s.boolean ? u"True" : u"False";
        else
            *out = format_integer(s.boolean);
        return S_OK;
    case Shape::R4:
        *out = format_r4(static_cast<float>(s.real));
        return S_OK;
    case Shape::R8:
        *out = format_r8(s.real);
        return S_OK;
    case Shape::Date:
        return format_date(s.real, date_flags, out);
    case Shape::Currency:
        *out = format_scaled(static_cast<i128>(s.cy.int64), 4);
        return S_OK;
    case Shape::Decimal: {
        Dec d;
        if (!unpack(s.dec, &d))
            return E_INVALIDARG;
        *out = to_text(d);
        return S_OK;
    }
    case Shape::String:
        *out = s.text;
        return S_OK;
    case Shape::Error:
        break;
    }
    return DISP_E_TYPEMISMATCH;
}

}  // namespace oleaut::conv
