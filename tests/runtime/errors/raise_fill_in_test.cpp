// OaRtRaise: what the caller gives is kept exactly, what it leaves out is filled in
// (default source, the runtime's text for the number, no help file, context 0), and
// the result is the current error and the thread's error info.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "oleaut.h"
#include "oleaut/bstr.hpp"
#include "oleaut/com_ptr.hpp"
#include "oleaut/variant.hpp"

namespace {

using oleaut::bstr;
using oleaut::variant;

// An argument as the test writes it; nullopt is a null VARIANT pointer.
using arg = std::optional<variant>;

const VARIANT *ptr(const arg &a) { return a ? &*a : nullptr; }

struct expected_text {
    enum kind { null, text, default_source } what;
    std::u16string value;
};
expected_text null_text() { return {expected_text::null, {}}; }
expected_text text(std::u16string v) { return {expected_text::text, std::move(v)}; }
expected_text the_default_source() { return {expected_text::default_source, {}}; }

struct raise_case {
    const char *name;
    LONG number;
    std::function<arg()> source, description, help_file, help_context;
    HRESULT expected_number;
    expected_text source_is, description_is, help_file_is;
    LONG context_is;
};

arg missing() { return variant::missing(); }
arg null_pointer() { return std::nullopt; }
std::function<arg()> str(std::u16string s)
{
    return [s] { return variant::str(s); };
}
std::function<arg()> i4(LONG n)
{
    return [n] { return variant::i4(n); };
}

void expect_text(const bstr &actual, const expected_text &e, const char *field)
{
    switch (e.what) {
    case expected_text::null:
        EXPECT_TRUE(actual.is_null()) << field;
        break;
    case expected_text::text:
        EXPECT_FALSE(actual.is_null()) << field;
        EXPECT_EQ(actual.str(), e.value) << field;
        break;
    case expected_text::default_source: {
        bstr d;
        ASSERT_EQ(OaRtGetDefaultSource(d.put()), S_OK);
        EXPECT_EQ(actual.str(), d.str()) << field;
        break;
    }
    }
}

class RaiseFillIn : public ::testing::TestWithParam<raise_case> {
protected:
    void SetUp() override
    {
        OaRtErrClear();
        OaRtSetDefaultSource(u"Quillet.cQuillet");
    }
    void TearDown() override
    {
        OaRtErrClear();
        OaRtSetDefaultSource(nullptr);
    }
};

TEST_P(RaiseFillIn, KeepsWhatIsGivenAndFillsTheRest)
{
    const raise_case &c = GetParam();
    const arg src = c.source(), desc = c.description(), file = c.help_file(), ctx = c.help_context();
    EXPECT_EQ(OaRtRaise(c.number, ptr(src), ptr(desc), ptr(file), ptr(ctx)), c.expected_number);

    EXPECT_EQ(OaRtErrNumber(), c.expected_number);
    bstr s, d, f;
    ASSERT_EQ(OaRtErrSource(s.put()), S_OK);
    ASSERT_EQ(OaRtErrDescription(d.put()), S_OK);
    ASSERT_EQ(OaRtErrHelpFile(f.put()), S_OK);
    expect_text(s, c.source_is, "source");
    expect_text(d, c.description_is, "description");
    expect_text(f, c.help_file_is, "help file");
    EXPECT_EQ(OaRtErrHelpContext(), c.context_is);
}

const raise_case k_cases[] = {
    {"RuntimeErrorAllLeftOut", OART_E_TYPEMISMATCH, missing, missing, missing, missing, OART_E_TYPEMISMATCH,
     the_default_source(), text(u"Type mismatch"), null_text(), 0},
    {"ShortNumberBecomesRuntimeError", 13, missing, missing, missing, missing, OART_E_TYPEMISMATCH,
     the_default_source(), text(u"Type mismatch"), null_text(), 0},
    {"ObjectDefinedError", OART_OBJECT_ERROR_BASE + 1001, missing, missing, missing, missing,
     OART_OBJECT_ERROR_BASE + 1001, the_default_source(), text(u"Application-defined or object-defined error"),
     null_text(), 0},
    {"NullPointersAreLeftOut", OART_E_OVERFLOW, null_pointer, null_pointer, null_pointer, null_pointer,
     OART_E_OVERFLOW, the_default_source(), text(u"Overflow"), null_text(), 0},
    {"EverythingGiven", OART_OBJECT_ERROR_BASE + 7, str(u"Chart.Export"), str(u"Disk \u00E9 full"),
     str(u"quillet.chm"), i4(1234), OART_OBJECT_ERROR_BASE + 7, text(u"Chart.Export"), text(u"Disk \u00E9 full"),
     text(u"quillet.chm"), 1234},
    {"EmptyStringsAreKept", OART_E_TYPEMISMATCH, str(u""), str(u""), str(u""), i4(0), OART_E_TYPEMISMATCH,
     text(u""), text(u""), text(u""), 0},
    {"NullBstrIsGivenNotLeftOut", OART_E_TYPEMISMATCH, [] { return arg(variant::null_bstr()); },
     [] { return arg(variant::null_bstr()); }, missing, missing, OART_E_TYPEMISMATCH, null_text(), null_text(),
     null_text(), 0},
    {"EmbeddedNulIsKept", E_FAIL, missing, str(std::u16string(u"before\0after", 12)), missing, missing, E_FAIL,
     the_default_source(), text(std::u16string(u"before\0after", 12)), null_text(), 0},
    {"OnlyDescriptionGiven", OART_E_SUBSCRIPT, missing, str(u"Series 4 does not exist"), missing, missing,
     OART_E_SUBSCRIPT, the_default_source(), text(u"Series 4 does not exist"), null_text(), 0},
    {"NegativeHelpContextKept", E_FAIL, missing, missing, missing, i4(-5), E_FAIL, the_default_source(),
     text(u"Unspecified error"), null_text(), -5},
    {"NumberZeroIsRefused", 0, str(u"ignored"), str(u"ignored"), missing, missing, OART_E_INVALIDPROCCALL,
     the_default_source(), text(u"Invalid procedure call or argument"), null_text(), 0},
    {"PositiveNumberBeyondShortRangeIsRefused", 0x10000, missing, missing, missing, missing, OART_E_INVALIDPROCCALL,
     the_default_source(), text(u"Invalid procedure call or argument"), null_text(), 0},
    {"NullDescriptionIsInvalidUseOfNull", OART_E_TYPEMISMATCH, missing, [] { return arg(variant::null()); },
     missing, missing, OART_E_INVALIDUSEOFNULL, the_default_source(), text(u"Invalid use of Null"), null_text(), 0},
    {"NullHelpContextIsInvalidUseOfNull", OART_E_TYPEMISMATCH, missing, missing, missing,
     [] { return arg(variant::null()); }, OART_E_INVALIDUSEOFNULL, the_default_source(),
     text(u"Invalid use of Null"), null_text(), 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, RaiseFillIn, ::testing::ValuesIn(k_cases),
                         [](const auto &info) { return std::string(info.param.name); });

class Raise : public RaiseFillIn {};

TEST_F(Raise, ByReferenceArgumentsAreFollowed)
{
    variant source = variant::str(u"ByRef.Source");
    variant description = variant::str(u"by reference");
    variant context = variant::i4(9);
    variant rs = variant::byref(&source), rd = variant::byref(&description), rc = variant::byref(&context);
    // A reference to a reference, as a script engine passing its own argument on.
    variant rrs = variant::byref(&rs);
    ASSERT_EQ(OaRtRaise(E_FAIL, &rrs, &rd, nullptr, &rc), E_FAIL);
    bstr s, d;
    OaRtErrSource(s.put());
    OaRtErrDescription(d.put());
    EXPECT_EQ(s.str(), u"ByRef.Source");
    EXPECT_EQ(d.str(), u"by reference");
    EXPECT_EQ(OaRtErrHelpContext(), 9);
}

TEST_F(Raise, BstrByReferenceIsRead)
{
    BSTR text = SysAllocString(u"through a BSTR*");
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BYREF | VT_BSTR;
    v.pbstrVal = &text;
    ASSERT_EQ(OaRtRaise(E_FAIL, nullptr, &v, nullptr, nullptr), E_FAIL);
    bstr d;
    OaRtErrDescription(d.put());
    EXPECT_EQ(d.str(), u"through a BSTR*");
    EXPECT_NE(d.get(), text) << "the error keeps its own copy";
    SysFreeString(text);
}

TEST_F(Raise, OtherTypesAreConvertedToText)
{
    variant description = variant::i4(42);
    variant context = variant::r8(7.0);
    ASSERT_EQ(OaRtRaise(E_FAIL, nullptr, &description, nullptr, &context), E_FAIL);
    bstr d;
    OaRtErrDescription(d.put());
    EXPECT_EQ(d.str(), u"42");
    EXPECT_EQ(OaRtErrHelpContext(), 7);
}

TEST_F(Raise, UnconvertibleArgumentIsATypeMismatch)
{
    variant description = variant::error(E_FAIL);  // an error value, not a left-out argument
    EXPECT_EQ(OaRtRaise(E_FAIL, nullptr, &description, nullptr, nullptr), OART_E_TYPEMISMATCH);
    EXPECT_EQ(OaRtErrNumber(), OART_E_TYPEMISMATCH);
}

TEST_F(Raise, PublishesThroughGetErrorInfo)
{
    variant source = variant::str(u"Quillet.cQuillet.Export");
    ASSERT_EQ(OaRtRaise(OART_E_TYPEMISMATCH, &source, nullptr, nullptr, nullptr), OART_E_TYPEMISMATCH);
    oleaut::com_ptr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
    ASSERT_TRUE(info);
    bstr s, d, f;
    DWORD ctx = 1;
    info->GetSource(s.put());
    info->GetDescription(d.put());
    info->GetHelpFile(f.put());
    info->GetHelpContext(&ctx);
    EXPECT_EQ(s.str(), u"Quillet.cQuillet.Export");
    EXPECT_EQ(d.str(), u"Type mismatch");
    EXPECT_TRUE(f.is_null());
    EXPECT_EQ(ctx, 0u);
}

TEST_F(Raise, RefusalIsPublishedToo)
{
    EXPECT_EQ(OaRtRaise(0, nullptr, nullptr, nullptr, nullptr), OART_E_INVALIDPROCCALL);
    oleaut::com_ptr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
    bstr d;
    info->GetDescription(d.put());
    EXPECT_EQ(d.str(), u"Invalid procedure call or argument");
}

TEST_F(Raise, DefaultSourceFollowsSetDefaultSource)
{
    ASSERT_EQ(OaRtSetDefaultSource(u"Other.Project"), S_OK);
    ASSERT_EQ(OaRtRaise(E_FAIL, nullptr, nullptr, nullptr, nullptr), E_FAIL);
    bstr s;
    OaRtErrSource(s.put());
    EXPECT_EQ(s.str(), u"Other.Project");

    ASSERT_EQ(OaRtSetDefaultSource(nullptr), S_OK);
    ASSERT_EQ(OaRtRaise(E_FAIL, nullptr, nullptr, nullptr, nullptr), E_FAIL);
    OaRtErrSource(s.put());
    EXPECT_EQ(s.str(), u"runtime_tests");
}

TEST_F(Raise, ReplacesThePreviousError)
{
    variant file = variant::str(u"old.chm");
    ASSERT_EQ(OaRtRaise(E_FAIL, nullptr, nullptr, &file, nullptr), E_FAIL);
    ASSERT_EQ(OaRtRaise(OART_E_OVERFLOW, nullptr, nullptr, nullptr, nullptr), OART_E_OVERFLOW);
    bstr f;
    OaRtErrHelpFile(f.put());
    EXPECT_TRUE(f.is_null()) << "nothing of the earlier error may linger";
}

}  // namespace
