// bstr and the UTF-8 <-> UTF-16 conversion under it: null stays apart from empty,
// embedded NULs survive every copy, and text round-trips (invalid UTF-8 becomes
// U+FFFD instead of being dropped or failing).
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "oleaut/bstr.hpp"
#include "oleaut/utf.hpp"

namespace {

using oleaut::bstr;

TEST(CppBstr, NullAndEmptyAreDifferentValues)
{
    bstr null_one;
    bstr empty_one(u"");
    EXPECT_TRUE(null_one.is_null());
    EXPECT_EQ(null_one.get(), nullptr);
    EXPECT_FALSE(empty_one.is_null());
    EXPECT_NE(empty_one.get(), nullptr);
    EXPECT_EQ(empty_one.length(), 0u);
    EXPECT_EQ(null_one.length(), 0u);
    // As text both read as "", which is what comparison looks at.
    EXPECT_TRUE(null_one == empty_one);
}

TEST(CppBstr, NullStaysNullThroughCopiesAndMoves)
{
    bstr null_one;
    bstr copied(null_one);
    EXPECT_TRUE(copied.is_null());
    bstr assigned(u"x");
    assigned = null_one;
    EXPECT_TRUE(assigned.is_null());
    EXPECT_TRUE(bstr::copy_of(nullptr).is_null());
    EXPECT_TRUE(bstr(static_cast<const char *>(nullptr)).is_null());
    EXPECT_TRUE(bstr(static_cast<const char16_t *>(nullptr)).is_null());
}

TEST(CppBstr, EmptyStaysEmptyNotNull)
{
    bstr empty_one(u"");
    bstr copied(empty_one);
    EXPECT_FALSE(copied.is_null());
    bstr from_utf8("");
    EXPECT_FALSE(from_utf8.is_null());
    BSTR raw = SysAllocString(u"");
    EXPECT_FALSE(bstr::copy_of(raw).is_null());
    SysFreeString(raw);
}

TEST(CppBstr, EmbeddedNulsSurviveCopies)
{
    const std::u16string text(u"a\0b\0\0c", 6);
    bstr b(std::u16string_view{text});
    EXPECT_EQ(b.length(), 6u);
    EXPECT_EQ(b.str(), text);
    bstr copied(b);
    EXPECT_EQ(copied.str(), text);
    EXPECT_NE(copied.get(), b.get());
    EXPECT_EQ(bstr::copy_of(b.get()).str(), text);
    bstr assigned;
    assigned = b;
    EXPECT_EQ(assigned.str(), text);
    EXPECT_EQ(b.utf8(), std::string("a\0b\0\0c", 6));
}

TEST(CppBstr, MoveLeavesSourceNull)
{
    bstr a(u"chart");
    BSTR raw = a.get();
    bstr b(std::move(a));
    EXPECT_EQ(b.get(), raw);
    EXPECT_TRUE(a.is_null());  // NOLINT(bugprone-use-after-move): the state after a move is the point
    bstr c;
    c = std::move(b);
    EXPECT_EQ(c.get(), raw);
    EXPECT_TRUE(b.is_null());  // NOLINT(bugprone-use-after-move)
}

TEST(CppBstr, AttachDetachAndPutOwnExactlyOnce)
{
    BSTR raw = SysAllocString(u"owned");
    bstr b = bstr::attach(raw);
    EXPECT_EQ(b.get(), raw);
    BSTR back = b.detach();
    EXPECT_EQ(back, raw);
    EXPECT_TRUE(b.is_null());
    BSTR *slot = b.put();
    EXPECT_EQ(*slot, nullptr);
    *slot = back;  // b owns it again and frees it; a leak or double free shows under the sanitizers
    EXPECT_EQ(b.str(), u"owned");
    *b.put() = SysAllocString(u"replaced");
    EXPECT_EQ(b.str(), u"replaced");
}

struct utf8_case {
    const char *name;
    std::string utf8;
    std::u16string utf16;
};

class CppBstrUtf8 : public ::testing::TestWithParam<utf8_case> {};

TEST_P(CppBstrUtf8, RoundTrips)
{
    bstr b(std::string_view{GetParam().utf8});
    EXPECT_EQ(b.str(), GetParam().utf16);
    EXPECT_EQ(b.utf8(), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CppBstrUtf8,
    ::testing::Values(utf8_case{"Ascii", "Quillet chart", u"Quillet chart"},
                      utf8_case{"TwoByte", "caf\xC3\xA9", u"caf\u00E9"},
                      utf8_case{"ThreeByte", "\xE2\x82\xAC 5", u"\u20AC 5"},
                      utf8_case{"SurrogatePair", "\xF0\x9F\x98\x80", u"\U0001F600"},
                      utf8_case{"HighestCodePoint", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
                      utf8_case{"Mixed", "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x93\x88z", u"a\u00E9\u65E5\U0001F4C8z"}),
    [](const auto &info) { return std::string(info.param.name); });

class CppBstrInvalidUtf8 : public ::testing::TestWithParam<utf8_case> {};

TEST_P(CppBstrInvalidUtf8, BecomesReplacementCharacter)
{
    EXPECT_EQ(bstr(std::string_view{GetParam().utf8}).str(), GetParam().utf16);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, CppBstrInvalidUtf8,
    ::testing::Values(utf8_case{"StrayContinuation", "a\x80z", u"a\uFFFDz"},
                      utf8_case{"ImpossibleByte", "a\xFFz", u"a\uFFFDz"},
                      utf8_case{"TruncatedAtEnd", "ab\xC3", u"ab\uFFFD"},
                      utf8_case{"LeadWithoutContinuation", "\xC3z", u"\uFFFDz"},
                      utf8_case{"OverlongSlash", "\xC0\xAF", u"\uFFFD\uFFFD"},
                      utf8_case{"EncodedSurrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
                      utf8_case{"BeyondUnicode", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CppBstrUtf16, LoneSurrogatesBecomeReplacementCharacter)
{
    const char16_t high[] = {u'a', 0xD83D, u'b', 0};
    const char16_t low[] = {0xDE00, 0};
    EXPECT_EQ(bstr(high).utf8(), "a\xEF\xBF\xBD"
                                 "b");
    EXPECT_EQ(bstr(low).utf8(), "\xEF\xBF\xBD");
}

}  // namespace
