// VariantChangeTypeEx from any value (scalars, strings, arrays, references, null
// references, objects that answer or refuse a default value, types no variant may
// hold) to any type, with any flags and locale, into a separate destination or in place.
//
// Beyond "no crash, no leak", two promises of the conversion are checked on every call:
// a success leaves exactly the requested type in the destination, and a failure leaves a
// separate destination bit for bit as it was.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "oleaut.h"
#include "support/value_object.hpp"
#include "support/variant_maker.hpp"

namespace {

using fuzz_support::variant_maker;

constexpr LCID kLocales[] = {LOCALE_EN_US, 0, 0x0400, 0x0800, 1031, 1036, 1041};

[[noreturn]] void broken_promise(const char *what, VARTYPE from, VARTYPE to, HRESULT hr)
{
    std::fprintf(stderr, "VariantChangeTypeEx %#x -> %#x (hr %#x): %s\n", from, to, static_cast<unsigned>(hr), what);
    std::abort();
}

VARTYPE pick_target(FuzzedDataProvider &in)
{
    switch (in.ConsumeIntegralInRange<int>(0, 9)) {
    case 0: return in.ConsumeIntegral<VARTYPE>();  // anything at all, mostly refused
    case 1: return VT_ARRAY | fuzz_support::pick_scalar_type(in);
    default: return fuzz_support::pick_scalar_type(in);
    }
}

void convert(FuzzedDataProvider &in, variant_maker &maker)
{
    const VARIANT source = maker.make();
    const VARTYPE target = pick_target(in);
    const USHORT flags = in.ConsumeBool() ? 0 : in.ConsumeIntegral<USHORT>();
    const LCID lcid = in.ConsumeBool() ? in.PickValueInArray(kLocales) : in.ConsumeIntegral<LCID>();

    if (in.ConsumeBool()) {
        // In place: the source is its own destination, so it must be a copy this call owns.
        VARIANT value;
        VariantInit(&value);
        if (FAILED(VariantCopy(&value, &source)))
            return;
        const HRESULT hr = VariantChangeTypeEx(&value, &value, lcid, flags, target);
        if (SUCCEEDED(hr) && value.vt != target)
            broken_promise("in-place success with another type", source.vt, target, hr);
        VariantClear(&value);
        return;
    }

    // A destination that already holds a value (owned by the maker until now: copied, so the
    // maker's own copy is untouched), which a success must release and a failure keep.
    VARIANT destination;
    VariantInit(&destination);
    if (in.ConsumeBool() && FAILED(VariantCopy(&destination, &source)))
        return;
    VARIANT before;
    std::memcpy(&before, &destination, sizeof before);
    const HRESULT hr = VariantChangeTypeEx(&destination, &source, lcid, flags, target);
    if (SUCCEEDED(hr) && destination.vt != target)
        broken_promise("success with another type", source.vt, target, hr);
    if (FAILED(hr) && std::memcmp(&before, &destination, sizeof before) != 0)
        broken_promise("failure changed the destination", source.vt, target, hr);
    VariantClear(&destination);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    {
        int nesting = 0;
        variant_maker *self = nullptr;
        // Objects answer a value the input describes (or refuse); an object's value may be
        // an object again, a few levels deep.
        variant_maker maker(in, [&]() -> IDispatch * {
            if (nesting >= 2 || in.ConsumeIntegralInRange<int>(0, 5) == 0)
                return nullptr;
            ++nesting;
            const VARIANT value = self->make_scalar(fuzz_support::pick_scalar_type(in));
            const HRESULT refusals[] = {S_OK, S_OK, DISP_E_MEMBERNOTFOUND, E_FAIL, DISP_E_EXCEPTION};
            IDispatch *object = fuzz_support::make_value_object(value, in.PickValueInArray(refusals));
            VARIANT owned = value;
            VariantClear(&owned);
            --nesting;
            return object;
        });
        self = &maker;
        const int conversions = in.ConsumeIntegralInRange<int>(1, 4);
        for (int i = 0; i < conversions && in.remaining_bytes() > 0; ++i)
            convert(in, maker);
    }
    if (fuzz_support::value_objects_alive() != 0) {
        std::fprintf(stderr, "%ld objects were not released\n", fuzz_support::value_objects_alive());
        std::abort();
    }
    return 0;
}
