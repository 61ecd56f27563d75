// VarDecCmp and VarDecRound: exact comparison and half-to-even rounding of
// DECIMAL values (half to even is what Basic's Round does with a Decimal).
#include "conv_error.h"
#include "values/decimal.h"

using namespace oleaut::conv;

STDAPI VarDecCmp(const DECIMAL *pdecLeft, const DECIMAL *pdecRight)
{
    Dec a, b;
    if (!pdecLeft || !pdecRight)
        return report_failure(E_INVALIDARG, u"VarDecCmp", u"A DECIMAL pointer to compare is null.");
    if (!unpack(*pdecLeft, &a) || !unpack(*pdecRight, &b))
        return report_failure(E_INVALIDARG, ConversionFailure{u"VarDecCmp", VT_DECIMAL, VT_DECIMAL, {}});
    const int c = compare(a, b);
    return c < 0 ? VARCMP_LT : c > 0 ? VARCMP_GT : VARCMP_EQ;
}

STDAPI VarDecRound(const DECIMAL *pdecIn, int cDecimals, DECIMAL *pdecResult)
{
    if (!pdecIn || !pdecResult)
        return report_failure(E_INVALIDARG, u"VarDecRound", u"The DECIMAL to round or the result pointer is null.");
    if (cDecimals < 0)
        return report_failure(E_INVALIDARG, u"VarDecRound",
                              u"The number of decimal places to round to is negative; it must be 0 or more.");
    Dec d;
    if (!unpack(*pdecIn, &d))
        return report_failure(E_INVALIDARG, ConversionFailure{u"VarDecRound", VT_DECIMAL, VT_DECIMAL, {}});
    if (cDecimals < d.scale) {
        d.mantissa = divide_pow10(d.mantissa, d.scale - cDecimals, Rounding::HalfEven);
        d.scale = cDecimals;
    }
    *pdecResult = pack(d);
    return S_OK;
}
