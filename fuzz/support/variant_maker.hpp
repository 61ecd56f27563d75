// Turns fuzz input into automation values a client could really pass: every VARIANT it
// makes is well formed for its type (a BSTR is a real BSTR, a SAFEARRAY a real one, a
// by-reference variant points at storage the maker owns, or is null), while the input
// chooses the type, the payload, and which pointers are null. The input decides values,
// never addresses.
//
// The maker owns everything it hands out and clears it when it goes, so one input's
// values are all released before the next input runs.
#ifndef FUZZ_SUPPORT_VARIANT_MAKER_HPP
#define FUZZ_SUPPORT_VARIANT_MAKER_HPP

#include <fuzzer/FuzzedDataProvider.h>

#include <deque>
#include <functional>
#include <string>

#include "oleaut.h"

namespace fuzz_support {

// Every variant type a conversion can start from or go to, by-value forms only.
VARTYPE pick_scalar_type(FuzzedDataProvider &in);

// A BSTR the caller owns: the input's bytes as UTF-16 code units (lone surrogates and
// all), or as ASCII-range text, which is what number and date parsers need to see.
BSTR make_bstr(FuzzedDataProvider &in, size_t max_units = 64);

class variant_maker {
public:
    // Supplies an object (one new reference, or null) for VT_DISPATCH and VT_UNKNOWN values.
    using object_source = std::function<IDispatch *()>;

    explicit variant_maker(FuzzedDataProvider &in, object_source objects = nullptr)
        : in_(in), objects_(std::move(objects))
    {
    }
    ~variant_maker();
    variant_maker(const variant_maker &) = delete;
    variant_maker &operator=(const variant_maker &) = delete;

    // Any value: a scalar, an array, a by-reference variant (possibly with a null
    // pointer), or (rarely) a variant type no conversion knows, with no payload. The
    // maker keeps ownership; the value stays valid until the maker goes.
    VARIANT make();
    // A by-value scalar of the given type, payload from the input.
    VARIANT make_scalar(VARTYPE vt);

private:
    // A value stored among the owned ones (its address stays valid for references to it).
    VARIANT &make_kept(int depth);
    // Not yet owned: the caller keeps them.
    VARIANT make_array();
    VARIANT make_reference(int depth);
    VARIANT &keep(VARIANT v);

    FuzzedDataProvider &in_;
    object_source objects_;
    // Owned values, cleared on destruction; a deque so that references into it stay put.
    std::deque<VARIANT> owned_;
};

}  // namespace fuzz_support

#endif
