// One converter per target type, each taking any source shape. These are the
// rules; VariantChangeTypeEx and the Var<To>From<From> entry points only read
// the source, pick the converter and report failures.
#ifndef OLEAUT_CONV_TARGETS_H
#define OLEAUT_CONV_TARGETS_H

#include <string>

#include "conv_integer_types.h"
#include "conv_scalar.h"

namespace oleaut::conv {

// How a Boolean is written: "-1"/"0" (VariantChangeType without
// VARIANT_ALPHABOOL) or "True"/"False".
enum class BoolText { Number, Words };

HRESULT to_integer(const Scalar &s, const IntegerType &t, i128 *out);
HRESULT to_r8(const Scalar &s, double *out);
HRESULT to_r4(const Scalar &s, float *out);
HRESULT to_cy(const Scalar &s, CY *out);
HRESULT to_decimal(const Scalar &s, DECIMAL *out);
HRESULT to_bool(const Scalar &s, VARIANT_BOOL *out);
// date_flags: VAR_TIMEVALUEONLY / VAR_DATEVALUEONLY for text sources.
HRESULT to_date(const Scalar &s, ULONG date_flags, DATE *out);
HRESULT to_text(const Scalar &s, ULONG date_flags, BoolText bools, std::u16string *out);

// Banker's rounding of a double to a whole number; false for NaN and for
// magnitudes far beyond any integer type (the caller then reports overflow).
bool round_half_even(double d, i128 *out);

}  // namespace oleaut::conv

#endif
