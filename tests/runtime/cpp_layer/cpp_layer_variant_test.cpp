// variant: copying, moving, attaching and detaching never leak or over-release what
// the VARIANT holds (object references and strings).
#include <gtest/gtest.h>

#include <utility>

#include "oleaut/variant.hpp"
#include "runtime/cpp_layer/cpp_layer_counted.hpp"

namespace {

using cpp_layer_test::counted_dispatch;
using cpp_layer_test::lifetime;
using oleaut::variant;

// The test's own reference is handed to the variant maker (which adds one), then dropped.
variant holding_new_object(lifetime &life)
{
    IDispatch *d = counted_dispatch::create(life);
    variant v = variant::dispatch(d);
    d->Release();
    return v;
}

TEST(CppVariant, KeepsVariantLayout)
{
    variant v = variant::i4(42);
    const VARIANT *raw = &v;
    EXPECT_EQ(raw->vt, VT_I4);
    EXPECT_EQ(raw->lVal, 42);
}

TEST(CppVariant, DispatchMakerTakesAReferenceAndDestructorDropsIt)
{
    lifetime life;
    {
        variant v = holding_new_object(life);
        EXPECT_EQ(v.type(), VT_DISPATCH);
        EXPECT_EQ(life.refs, 1);
    }
    EXPECT_TRUE(life.destroyed);
    EXPECT_EQ(life.over_released, 0);
}

TEST(CppVariant, CopyAddsAReference)
{
    lifetime life;
    variant a = holding_new_object(life);
    {
        variant b(a);
        EXPECT_EQ(life.refs, 2);
        EXPECT_EQ(b.pdispVal, a.pdispVal);
        variant c;
        c = a;
        EXPECT_EQ(life.refs, 3);
    }
    EXPECT_EQ(life.refs, 1);
    a.clear();
    EXPECT_TRUE(life.destroyed);
    EXPECT_EQ(life.over_released, 0);
}

TEST(CppVariant, MoveTransfersWithoutCounting)
{
    lifetime life;
    variant a = holding_new_object(life);
    variant b(std::move(a));
    EXPECT_EQ(life.refs, 1);
    EXPECT_EQ(a.type(), VT_EMPTY);  // NOLINT(bugprone-use-after-move): the state after a move is the point
    variant c;
    c = std::move(b);
    EXPECT_EQ(life.refs, 1);
    EXPECT_EQ(b.type(), VT_EMPTY);  // NOLINT(bugprone-use-after-move)
    c.clear();
    EXPECT_TRUE(life.destroyed);
    EXPECT_EQ(life.over_released, 0);
}

TEST(CppVariant, AssignmentReleasesWhatWasHeld)
{
    lifetime first, second;
    variant a = holding_new_object(first);
    variant b = holding_new_object(second);
    a = b;
    EXPECT_TRUE(first.destroyed);
    EXPECT_EQ(second.refs, 2);
    a = variant::i4(1);
    EXPECT_EQ(second.refs, 1);
    variant &alias = a;
    a = alias;  // self-assignment keeps the value
    EXPECT_EQ(a.lVal, 1);
    b = std::move(alias);
    EXPECT_TRUE(second.destroyed);
    EXPECT_EQ(second.over_released, 0);
}

TEST(CppVariant, AttachAdoptsAndEmptiesTheSource)
{
    lifetime life;
    VARIANT raw;
    VariantInit(&raw);
    raw.vt = VT_DISPATCH;
    raw.pdispVal = counted_dispatch::create(life);
    {
        variant v = variant::attach(raw);
        EXPECT_EQ(raw.vt, VT_EMPTY);
        EXPECT_EQ(life.refs, 1);
    }
    EXPECT_TRUE(life.destroyed);
    EXPECT_EQ(VariantClear(&raw), S_OK);  // nothing left to release
    EXPECT_EQ(life.over_released, 0);
}

TEST(CppVariant, DetachHandsOverWithoutReleasing)
{
    lifetime life;
    VARIANT out;
    VariantInit(&out);
    {
        variant v = holding_new_object(life);
        v.detach(&out);
        EXPECT_EQ(v.type(), VT_EMPTY);
    }
    EXPECT_EQ(life.refs, 1);
    EXPECT_EQ(out.vt, VT_DISPATCH);
    VariantClear(&out);
    EXPECT_TRUE(life.destroyed);
    EXPECT_EQ(life.over_released, 0);
}

TEST(CppVariant, PutClearsBeforeHandingOutTheSlot)
{
    lifetime life;
    variant v = holding_new_object(life);
    VARIANT *slot = v.put();
    EXPECT_TRUE(life.destroyed);
    EXPECT_EQ(slot->vt, VT_EMPTY);
    slot->vt = VT_I4;
    slot->lVal = 5;
    EXPECT_EQ(v.lVal, 5);
}

TEST(CppVariant, StringsAreCopiedDeeply)
{
    variant a = variant::str(u"series");
    variant b(a);
    ASSERT_EQ(b.type(), VT_BSTR);
    EXPECT_NE(b.bstrVal, a.bstrVal);
    EXPECT_EQ(std::u16string(b.bstrVal, SysStringLen(b.bstrVal)), u"series");
    variant u = variant::str_utf8("caf\xC3\xA9");
    EXPECT_EQ(std::u16string(u.bstrVal, SysStringLen(u.bstrVal)), u"caf\u00E9");
}

TEST(CppVariant, NullBstrStaysNullThroughCopy)
{
    variant a = variant::null_bstr();
    variant b(a);
    EXPECT_EQ(b.type(), VT_BSTR);
    EXPECT_EQ(b.bstrVal, nullptr);
}

TEST(CppVariant, MissingIsRecognised)
{
    EXPECT_TRUE(variant::missing().is_missing());
    EXPECT_FALSE(variant::error(E_FAIL).is_missing());
    EXPECT_FALSE(variant().is_missing());
}

TEST(CppVariant, ByRefDoesNotOwnItsTarget)
{
    lifetime life;
    variant target = holding_new_object(life);
    {
        variant ref = variant::byref(&target);
        EXPECT_EQ(ref.type(), VT_BYREF | VT_VARIANT);
        EXPECT_EQ(ref.pvarVal, &target);
    }
    EXPECT_EQ(life.refs, 1);
    EXPECT_FALSE(life.destroyed);
}

TEST(CppVariant, ConversionGoesThroughTheRuntime)
{
    EXPECT_EQ(variant::boolean(true).to_bstr().str(), u"True");
    EXPECT_EQ(variant::str(u"42").to_i4(), 42);
    EXPECT_EQ(variant::i4(-1).to_bool(), VARIANT_TRUE);
}

TEST(CppVariant, FailedConversionThrowsComError)
{
    SetErrorInfo(0, nullptr);
    try {
        (void)variant::str(u"not a number").to_i4();
        FAIL() << "expected com_error";
    } catch (const oleaut::com_error &e) {
        EXPECT_EQ(e.hr(), DISP_E_TYPEMISMATCH);
        EXPECT_FALSE(e.description().empty());
    }
    IErrorInfo *left = nullptr;
    EXPECT_EQ(GetErrorInfo(0, &left), S_FALSE) << "whatever the conversion published was taken into the error";
}

}  // namespace
