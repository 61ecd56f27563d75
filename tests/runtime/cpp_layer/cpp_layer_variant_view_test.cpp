// variant_view: references followed, conversions into the reader's own temporary, and
// the owner's variant never changed or freed.
#include <gtest/gtest.h>

#include "oleaut/variant_view.hpp"

namespace {

using oleaut::variant;
using oleaut::variant_view;

TEST(VariantView, FollowsReferencesToTheValue)
{
    variant target = variant::i4(7);
    LONG n = 9;
    VARIANT typed_ref;
    typed_ref.vt = VT_BYREF | VT_I4;
    typed_ref.plVal = &n;
    variant variant_ref = variant::byref(&target);
    const struct {
        const VARIANT *given;
        bool by_ref;
        LONG value;
    } rows[] = {{&target, false, 7}, {&variant_ref, true, 7}, {&typed_ref, true, 9}};
    for (const auto &r : rows) {
        const variant_view view(*r.given);
        EXPECT_EQ(view.by_ref(), r.by_ref);
        EXPECT_EQ(view.type(), VT_I4);
        EXPECT_EQ(view.value().lVal, r.value);
        EXPECT_TRUE(view.followed_all());
    }
}

TEST(VariantView, ConvertsIntoATemporaryAndLeavesTheOriginal)
{
    variant text = variant::str(u"42");
    const variant_view view(text);
    EXPECT_EQ(view.text(), u"42");
    EXPECT_EQ(view.converted(VT_I4).lVal, 42);
    variant out = variant::i4(1);
    EXPECT_EQ(view.convert(out, VT_DISPATCH), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(out.lVal, 1) << "a failed conversion leaves the destination alone";
    EXPECT_EQ(text.vt, VT_BSTR);
    EXPECT_EQ(std::u16string_view(text.bstrVal), u"42");
}

TEST(VariantView, NeverFreesWhatItReads)
{
    BSTR s = SysAllocString(u"kept");
    VARIANT ref;
    ref.vt = VT_BYREF | VT_BSTR;
    ref.pbstrVal = &s;
    {
        const variant_view view(ref);
        EXPECT_EQ(view.type(), VT_BSTR);
        EXPECT_EQ(view.value().bstrVal, s) << "shared, not copied";
        variant left_out = variant::missing();
        EXPECT_TRUE(variant_view(left_out).missing());
    }
    EXPECT_EQ(std::u16string_view(s), u"kept");
    SysFreeString(s);
}

}  // namespace
