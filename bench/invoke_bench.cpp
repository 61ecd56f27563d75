// The cost of one late-bound call through the dispatch toolkit: a property put of a
// string, and a method call with three coerced, partly named arguments.
#include <benchmark/benchmark.h>

#include "../tests/dispatch/sample_object.h"

namespace {

using oleaut::variant;

void BM_InvokePropertyPut(benchmark::State &state)
{
    auto obj = oleaut::com_ptr<sample::object>::attach(sample::object::create());
    variant value = variant::str(u"Quarterly sales");
    DISPID put_id = DISPID_PROPERTYPUT;
    DISPPARAMS dp{&value, &put_id, 1, 1};
    for (auto _ : state) {
        HRESULT hr = obj->Invoke(sample::kName, IID_NULL, LOCALE_EN_US, DISPATCH_PROPERTYPUT, &dp, nullptr, nullptr,
                                 nullptr);
        benchmark::DoNotOptimize(hr);
    }
}
BENCHMARK(BM_InvokePropertyPut);

void BM_InvokeMethodNamedArguments(benchmark::State &state)
{
    auto obj = oleaut::com_ptr<sample::object>::attach(sample::object::create());
    // Gradient(Style:=1, Variant:=1, Degree:=0.231372549019608) with Style as a VT_I4.
    VARIANT args[3];
    args[0] = variant::r8(0.231372549019608);
    args[1] = variant::i2(1);
    args[2] = variant::i4(1);
    DISPID ids[3] = {2, 1, 0};
    DISPPARAMS dp{args, ids, 3, 3};
    for (auto _ : state) {
        HRESULT hr = obj->Invoke(sample::kGradient, IID_NULL, LOCALE_EN_US, DISPATCH_METHOD, &dp, nullptr, nullptr,
                                 nullptr);
        benchmark::DoNotOptimize(hr);
    }
}
BENCHMARK(BM_InvokeMethodNamedArguments);

}  // namespace
