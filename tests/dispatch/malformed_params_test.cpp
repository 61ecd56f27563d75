// DISPPARAMS whose counts and arrays disagree are refused with E_INVALIDARG before any
// member code runs, also when the call would be handed on to a default member (where
// the object answering it would otherwise read past the caller's arrays). Found by
// fuzzing IDispatch::Invoke.
#include <gtest/gtest.h>

#include "sample_object.h"

namespace {

using oleaut::com_ptr;
using oleaut::variant;

struct malformed_case {
    const char *what;
    UINT args;
    UINT named;
    bool values_missing;
    bool ids_missing;
};

class MalformedParams : public ::testing::TestWithParam<malformed_case> {};

TEST_P(MalformedParams, AreRefusedBeforeAnyMemberRuns)
{
    const malformed_case &c = GetParam();
    const long baseline = oleaut::disp::module_live_count();
    {
        auto obj = com_ptr<sample::object>::attach(sample::object::create());
        // Room for every count the cases claim, so that a regression reads initialised memory.
        VARIANT values[3] = {variant::i4(3), variant::i4(3), variant::i4(3)};
        DISPID ids[3] = {DISPID_PROPERTYPUT, 0, 1};
        DISPPARAMS dp{c.values_missing ? nullptr : values, c.ids_missing ? nullptr : ids, c.args, c.named};
        // Child takes no arguments and answers an object: with arguments, the call would go
        // to the child's default member.
        for (WORD flags : {WORD(DISPATCH_PROPERTYPUT), WORD(DISPATCH_PROPERTYGET), WORD(DISPATCH_METHOD)}) {
            variant result;
            EXPECT_EQ(obj->Invoke(sample::kChild, IID_NULL, LOCALE_EN_US, flags, &dp, result.put(), nullptr, nullptr),
                      E_INVALIDARG)
                << c.what << ", flags " << flags;
            EXPECT_EQ(result.vt, VT_EMPTY);
        }
        EXPECT_EQ(obj->member_runs, 0) << c.what;
        EXPECT_EQ(obj->child, nullptr) << c.what << ": the child was fetched to take the call";
    }
    EXPECT_EQ(oleaut::disp::module_live_count(), baseline);
}

INSTANTIATE_TEST_SUITE_P(Shapes, MalformedParams,
                         ::testing::Values(malformed_case{"more named than given", 1, 2, false, false},
                                           malformed_case{"arguments without an array", 2, 0, true, false},
                                           malformed_case{"named ones without their ids", 2, 1, false, true}));

}  // namespace
