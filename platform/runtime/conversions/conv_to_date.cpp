// Conversions to Date. Numbers are day serials and must lie between 1/1/100
// and 12/31/9999 (else overflow); text is read as a date or time.
#include "conv_targets.h"
#include "values/date_calendar.h"

namespace oleaut::conv {

HRESULT to_date(const Scalar &s, ULONG date_flags, DATE *out)
{
    if (s.shape == Shape::String)
        return parse_date(s.text, date_flags, out);
    if (s.shape == Shape::Error)
        return DISP_E_TYPEMISMATCH;
    double d = 0;
    HRESULT hr = to_r8(s, &d);
    if (FAILED(hr))
        return hr;
    if (!is_valid_date(d))
        return DISP_E_OVERFLOW;
    *out = d;
    return S_OK;
}

}  // namespace oleaut::conv
