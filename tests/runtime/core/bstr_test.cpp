#include <gtest/gtest.h>

#include <cstring>

#include "oleaut.h"

namespace {

TEST(Bstr, LengthPrefixAndTerminator)
{
    BSTR b = SysAllocString(u"chart");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(SysStringLen(b), 5u);
    EXPECT_EQ(SysStringByteLen(b), 10u);
    EXPECT_EQ(b[5], u'\0');
    EXPECT_EQ(reinterpret_cast<const uint32_t *>(b)[-1], 10u);
    SysFreeString(b);
}

TEST(Bstr, EmbeddedNulsAreKept)
{
    const OLECHAR text[] = {u'a', 0, u'b', 0, u'c'};
    BSTR b = SysAllocStringLen(text, 5);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(SysStringLen(b), 5u);
    EXPECT_EQ(0, std::memcmp(b, text, sizeof text));
    SysFreeString(b);
}

TEST(Bstr, NullReadsAsEmptyAndFreesSafely)
{
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysStringByteLen(nullptr), 0u);
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    SysFreeString(nullptr);
}

TEST(Bstr, AllocLenWithNullSourceGivesZeroedString)
{
    BSTR b = SysAllocStringLen(nullptr, 3);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(SysStringLen(b), 3u);
    EXPECT_EQ(b[0], 0);
    EXPECT_EQ(b[2], 0);
    SysFreeString(b);
}

TEST(Bstr, ByteLenKeepsOddLengthsAndTerminates)
{
    BSTR b = SysAllocStringByteLen("abc", 3);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(SysStringByteLen(b), 3u);
    EXPECT_EQ(SysStringLen(b), 1u);
    EXPECT_EQ(0, std::memcmp(b, "abc", 4));  // bytes plus a NUL
    SysFreeString(b);
}

TEST(Bstr, ReAllocFromItsOwnContents)
{
    BSTR b = SysAllocString(u"hello world");
    ASSERT_TRUE(SysReAllocStringLen(&b, b + 6, 5));
    EXPECT_EQ(std::u16string_view(b, SysStringLen(b)), u"world");
    ASSERT_TRUE(SysReAllocString(&b, u"x"));
    EXPECT_EQ(std::u16string_view(b, SysStringLen(b)), u"x");
    ASSERT_TRUE(SysReAllocString(&b, nullptr));
    EXPECT_EQ(b, nullptr);
    EXPECT_FALSE(SysReAllocString(nullptr, u"x"));
}

TEST(Bstr, AbsurdLengthIsRefusedNotWrapped)
{
    EXPECT_EQ(SysAllocStringLen(u"x", 0xFFFFFFFFu), nullptr);
    EXPECT_EQ(SysAllocStringByteLen("x", 0xFFFFFFFFu), nullptr);
}

}  // namespace
