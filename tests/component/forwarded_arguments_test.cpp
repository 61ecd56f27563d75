// Arguments given to oQuillet travel on to the chart's default member untouched, as the
// caller made them, null references included: whoever receives them (here the recording
// host) must cope with them, and the component must survive the refusal. Found by
// fuzzing IDispatch::Invoke.
#include "component_fixture.hpp"

namespace {

using component_test::fixture;
using ForwardedArguments = fixture;

TEST_F(ForwardedArguments, NullReferencesReachTheChartAndAreRefused)
{
    auto q = create();
    struct reference_case {
        VARTYPE vt;
        const char *recorded;
    };
    for (const reference_case &c : {reference_case{VT_BYREF | VT_VARIANT, "BYREF|VARIANT &null"},
                                    reference_case{VT_BYREF | VT_I4, "BYREF|I4 &null"}}) {
        VARIANT arg;
        VariantInit(&arg);
        arg.vt = c.vt;
        arg.byref = nullptr;
        DISPPARAMS dp{&arg, nullptr, 1, 0};
        oleaut::variant result;
        mark();
        // oQuillet takes no arguments and answers the chart: oQuillet(x) is the chart's default member.
        const HRESULT hr = q->Invoke(quillet::DISPID_oQuillet, IID_NULL, LOCALE_EN_US, DISPATCH_PROPERTYGET, &dp,
                                     result.put(), nullptr, nullptr);
        EXPECT_TRUE(FAILED(hr)) << c.recorded;
        EXPECT_EQ(result.vt, VT_EMPTY);
        const std::vector<std::string> calls = calls_since_mark();
        ASSERT_FALSE(calls.empty()) << c.recorded;
        EXPECT_NE(calls.back().find(c.recorded), std::string::npos) << calls.back();
    }
}

}  // namespace
