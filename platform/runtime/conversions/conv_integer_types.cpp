// Loading and storing integers of any width through the one table of limits.
#include "conv_integer_types.h"

#include <cstring>

namespace oleaut::conv {

const IntegerType &integer_type_of(VARTYPE vt)
{
    const IntegerType *t = find_integer_type(vt);
    // Callers dispatch on the table itself, so a miss is a programming error;
    // falling back to the widest row keeps the value rather than truncating it.
    return t ? *t : *find_integer_type(VT_I8);
}

i128 load_integer(const void *value_bits, const IntegerType &t)
{
    // The integer members of VARIANT's union all start at the same address and
    // the machine is little-endian, so the low t.bytes bytes are the value.
    uint64_t raw = 0;
    std::memcpy(&raw, value_bits, t.bytes);
    if (is_unsigned(t))
        return static_cast<i128>(raw);
    const unsigned shift = 64 - 8 * t.bytes;
    return static_cast<i128>(static_cast<int64_t>(raw << shift) >> shift);
}

void store_integer(VARIANT &out, const IntegerType &t, i128 v)
{
    const uint64_t raw = static_cast<uint64_t>(v);
    std::memcpy(&out.llVal, &raw, t.bytes);
}

}  // namespace oleaut::conv
