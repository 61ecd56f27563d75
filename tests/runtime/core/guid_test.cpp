#include <gtest/gtest.h>

#include <string>

#include "oleaut.h"

namespace {

const GUID kSample = {0x12345678, 0x9ABC, 0xDEF0, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};

TEST(Guid, FormatsUppercaseWithBraces)
{
    OLECHAR buf[39];
    ASSERT_EQ(StringFromGUID2(kSample, buf, 39), 39);
    EXPECT_EQ(std::u16string(buf), u"{12345678-9ABC-DEF0-0123-456789ABCDEF}");
    EXPECT_EQ(StringFromGUID2(kSample, buf, 38), 0);  // no room for the terminator
}

TEST(Guid, RoundTripsThroughText)
{
    LPOLESTR text = nullptr;
    ASSERT_EQ(StringFromCLSID(kSample, &text), S_OK);
    CLSID back{};
    EXPECT_EQ(CLSIDFromString(text, &back), S_OK);
    EXPECT_TRUE(IsEqualGUID(back, kSample));
    CoTaskMemFree(text);
}

TEST(Guid, ParsesLowercase)
{
    IID iid{};
    ASSERT_EQ(IIDFromString(u"{00020400-0000-0000-c000-000000000046}", &iid), S_OK);
    EXPECT_TRUE(IsEqualGUID(iid, IID_IDispatch));
}

struct malformed_case {
    const char16_t *text;
};

class MalformedGuid : public ::testing::TestWithParam<malformed_case> {};

TEST_P(MalformedGuid, IsRefusedWithClassString)
{
    // Not braced GUIDs, and no ProgID of that name is registered in the test registry.
    ::setenv("OLEAUT_REGISTRY", "/nonexistent-dir/registry", 1);
    CLSID c = kSample;
    EXPECT_EQ(CLSIDFromString(GetParam().text, &c), CO_E_CLASSSTRING);
    EXPECT_TRUE(IsEqualGUID(c, kSample)) << "output changed on failure";
    IID i{};
    EXPECT_EQ(IIDFromString(GetParam().text, &i), E_INVALIDARG);
}

INSTANTIATE_TEST_SUITE_P(Cases, MalformedGuid,
                         ::testing::Values(malformed_case{u""}, malformed_case{u"{}"},
                                           malformed_case{u"12345678-9ABC-DEF0-0123-456789ABCDEF"},
                                           malformed_case{u"{12345678-9ABC-DEF0-0123-456789ABCDEF"},
                                           malformed_case{u"{12345678-9ABC-DEF0-0123-456789ABCDEF}x"},
                                           malformed_case{u"{1234567G-9ABC-DEF0-0123-456789ABCDEF}"},
                                           malformed_case{u"{12345678+9ABC-DEF0-0123-456789ABCDEF}"},
                                           malformed_case{u"{12345678-9ABC-DEF0-0123-456789ABCDEZ}"}));

}  // namespace
