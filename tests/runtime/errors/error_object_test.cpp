// The error object of each thread (OaRtErr*): set exactly as given, read any number
// of times, cleared on request, private to its thread, and published as error info.
#include <gtest/gtest.h>

#include <thread>

#include "oleaut.h"
#include "oleaut/bstr.hpp"
#include "oleaut/com_ptr.hpp"

namespace {

using oleaut::bstr;

struct snapshot {
    LONG number;
    bstr source, description, help_file;
    LONG help_context;
};

snapshot current_error()
{
    snapshot s{OaRtErrNumber(), {}, {}, {}, OaRtErrHelpContext()};
    EXPECT_EQ(OaRtErrSource(s.source.put()), S_OK);
    EXPECT_EQ(OaRtErrDescription(s.description.put()), S_OK);
    EXPECT_EQ(OaRtErrHelpFile(s.help_file.put()), S_OK);
    return s;
}

class ErrorObject : public ::testing::Test {
protected:
    void SetUp() override { OaRtErrClear(); }
    void TearDown() override { OaRtErrClear(); }
};

TEST_F(ErrorObject, FreshThreadHasNoError)
{
    snapshot s{};
    std::thread([&] { s = current_error(); }).join();
    EXPECT_EQ(s.number, 0);
    EXPECT_TRUE(s.source.is_null());
    EXPECT_TRUE(s.description.is_null());
    EXPECT_TRUE(s.help_file.is_null());
    EXPECT_EQ(s.help_context, 0);
}

TEST_F(ErrorObject, SetKeepsEveryFieldExactly)
{
    ASSERT_EQ(OaRtErrSet(OART_E_TYPEMISMATCH, u"Quillet.cQuillet", u"Bad \u00E9 value", u"help.chm", 12), S_OK);
    snapshot s = current_error();
    EXPECT_EQ(s.number, OART_E_TYPEMISMATCH);
    EXPECT_EQ(s.source.str(), u"Quillet.cQuillet");
    EXPECT_EQ(s.description.str(), u"Bad \u00E9 value");
    EXPECT_EQ(s.help_file.str(), u"help.chm");
    EXPECT_EQ(s.help_context, 12);

    // Reading does not consume.
    snapshot again = current_error();
    EXPECT_EQ(again.description.str(), u"Bad \u00E9 value");
}

TEST_F(ErrorObject, SetKeepsEmptyAndNullApart)
{
    ASSERT_EQ(OaRtErrSet(OART_OBJECT_ERROR_BASE + 5, u"", nullptr, u"", -1), S_OK);
    snapshot s = current_error();
    EXPECT_FALSE(s.source.is_null());
    EXPECT_EQ(s.source.length(), 0u);
    EXPECT_TRUE(s.description.is_null()) << "no description was given, so none is made up";
    EXPECT_FALSE(s.help_file.is_null());
    EXPECT_EQ(s.help_context, -1);
}

TEST_F(ErrorObject, SetPublishesErrorInfo)
{
    ASSERT_EQ(OaRtErrSet(E_FAIL, u"Src", u"Desc", u"file.hlp", 77), S_OK);
    oleaut::com_ptr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
    bstr s, d, f;
    DWORD ctx = 0;
    info->GetSource(s.put());
    info->GetDescription(d.put());
    info->GetHelpFile(f.put());
    info->GetHelpContext(&ctx);
    EXPECT_EQ(s.str(), u"Src");
    EXPECT_EQ(d.str(), u"Desc");
    EXPECT_EQ(f.str(), u"file.hlp");
    EXPECT_EQ(ctx, 77u);
    // Consuming the error info leaves the error object as it was.
    EXPECT_EQ(OaRtErrNumber(), E_FAIL);
}

TEST_F(ErrorObject, ClearForgetsTheErrorAndItsErrorInfo)
{
    ASSERT_EQ(OaRtErrSet(E_FAIL, u"Src", u"Desc", nullptr, 0), S_OK);
    OaRtErrClear();
    snapshot s = current_error();
    EXPECT_EQ(s.number, 0);
    EXPECT_TRUE(s.source.is_null());
    EXPECT_TRUE(s.description.is_null());
    IErrorInfo *info = nullptr;
    EXPECT_EQ(GetErrorInfo(0, &info), S_FALSE);
}

TEST_F(ErrorObject, NumberZeroIsNotAnError)
{
    ASSERT_EQ(OaRtErrSet(E_FAIL, u"Src", u"Desc", nullptr, 0), S_OK);
    EXPECT_EQ(OaRtErrSet(0, u"Other", u"Other", nullptr, 0), E_INVALIDARG);
    snapshot s = current_error();
    EXPECT_EQ(s.number, E_FAIL);
    EXPECT_EQ(s.source.str(), u"Src");
}

TEST_F(ErrorObject, IsPrivateToItsThread)
{
    ASSERT_EQ(OaRtErrSet(E_FAIL, u"Main", u"Main thread's error", nullptr, 0), S_OK);
    LONG seen_there = -1;
    std::thread([&] {
        seen_there = OaRtErrNumber();
        OaRtErrSet(E_NOTIMPL, u"Worker", u"Worker's error", nullptr, 0);
    }).join();
    EXPECT_EQ(seen_there, 0);
    EXPECT_EQ(OaRtErrNumber(), E_FAIL);
    EXPECT_EQ(current_error().source.str(), u"Main");
}

TEST_F(ErrorObject, GettersRefuseNullOutPointers)
{
    EXPECT_EQ(OaRtErrSource(nullptr), E_POINTER);
    EXPECT_EQ(OaRtErrDescription(nullptr), E_POINTER);
    EXPECT_EQ(OaRtErrHelpFile(nullptr), E_POINTER);
}

class DefaultSource : public ::testing::Test {
protected:
    void TearDown() override { OaRtSetDefaultSource(nullptr); }
    static std::u16string get()
    {
        bstr s;
        EXPECT_EQ(OaRtGetDefaultSource(s.put()), S_OK);
        return s.str();
    }
};

TEST_F(DefaultSource, BuiltInIsTheProgramName)
{
    ASSERT_EQ(OaRtSetDefaultSource(nullptr), S_OK);
    EXPECT_EQ(get(), u"runtime_tests");
}

TEST_F(DefaultSource, SetIsProcessWideAndNullRestores)
{
    ASSERT_EQ(OaRtSetDefaultSource(u"Quillet.cQuillet"), S_OK);
    std::u16string seen_there;
    std::thread([&] { seen_there = get(); }).join();
    EXPECT_EQ(seen_there, u"Quillet.cQuillet");
    ASSERT_EQ(OaRtSetDefaultSource(nullptr), S_OK);
    EXPECT_EQ(get(), u"runtime_tests");
}

TEST_F(DefaultSource, NullOutPointerIsRefused) { EXPECT_EQ(OaRtGetDefaultSource(nullptr), E_POINTER); }

}  // namespace
