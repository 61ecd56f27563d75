// com_error: built from an Invoke's EXCEPINFO or the thread's error info, and turned
// back into an HRESULT plus error info at a library boundary.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "oleaut/com_error.hpp"

namespace {

using oleaut::bstr;
using oleaut::com_error;
using oleaut::com_ptr;

class ComError : public ::testing::Test {
protected:
    void SetUp() override { SetErrorInfo(0, nullptr); }
    void TearDown() override { SetErrorInfo(0, nullptr); }
};

EXCEPINFO excepinfo(WORD wcode, SCODE scode, const char16_t *source, const char16_t *description)
{
    EXCEPINFO ei{};
    ei.wCode = wcode;
    ei.scode = scode;
    ei.bstrSource = source ? SysAllocString(source) : nullptr;
    ei.bstrDescription = description ? SysAllocString(description) : nullptr;
    return ei;
}

TEST_F(ComError, FromInvokeTakesEverythingFromExcepinfo)
{
    EXCEPINFO ei = excepinfo(0, OART_OBJECT_ERROR_BASE + 9, u"Host.Chart", u"Series out of range");
    ei.bstrHelpFile = SysAllocString(u"host.chm");
    ei.dwHelpContext = 31;
    com_error e = com_error::from_invoke(DISP_E_EXCEPTION, ei);
    EXPECT_EQ(e.hr(), OART_OBJECT_ERROR_BASE + 9);
    EXPECT_EQ(e.source(), u"Host.Chart");
    EXPECT_EQ(e.description(), u"Series out of range");
    EXPECT_EQ(e.help_file(), u"host.chm");
    EXPECT_EQ(e.help_context(), 31u);
    // The strings now belong to the error; the EXCEPINFO no longer points at them.
    EXPECT_EQ(ei.bstrSource, nullptr);
    EXPECT_EQ(ei.bstrDescription, nullptr);
    EXPECT_EQ(ei.bstrHelpFile, nullptr);
}

TEST_F(ComError, FromInvokeUsesWCodeWhenNoScode)
{
    EXCEPINFO ei = excepinfo(1004, 0, u"Host", u"Application-defined failure");
    com_error e = com_error::from_invoke(DISP_E_EXCEPTION, ei);
    EXPECT_EQ(e.hr(), static_cast<HRESULT>(0x800A03EC));
}

TEST_F(ComError, FromInvokeFillsAMissingDescriptionFromTheTable)
{
    EXCEPINFO ei = excepinfo(0, OART_E_TYPEMISMATCH, u"Host", nullptr);
    com_error e = com_error::from_invoke(DISP_E_EXCEPTION, ei);
    EXPECT_EQ(e.description(), u"Type mismatch");
    EXPECT_EQ(e.source(), u"Host");
}

TEST_F(ComError, FromInvokeWithNeitherCodeKeepsDispException)
{
    EXCEPINFO ei = excepinfo(0, 0, u"Sloppy.Server", nullptr);
    com_error e = com_error::from_invoke(DISP_E_EXCEPTION, ei);
    EXPECT_EQ(e.hr(), DISP_E_EXCEPTION);
    EXPECT_EQ(e.description(), u"Exception occurred.");
}

HRESULT STDMETHODCALLTYPE deferred_fill_in(EXCEPINFO *ei)
{
    ei->scode = OART_E_DIVBYZERO;
    ei->bstrDescription = SysAllocString(u"filled in later");
    return S_OK;
}

TEST_F(ComError, FromInvokeRunsDeferredFillIn)
{
    EXCEPINFO ei{};
    ei.pfnDeferredFillIn = deferred_fill_in;
    com_error e = com_error::from_invoke(DISP_E_EXCEPTION, ei);
    EXPECT_EQ(e.hr(), OART_E_DIVBYZERO);
    EXPECT_EQ(e.description(), u"filled in later");
    EXPECT_EQ(ei.pfnDeferredFillIn, nullptr);
}

TEST_F(ComError, FromInvokeOtherFailureReadsErrorInfo)
{
    ASSERT_EQ(OaRtErrSet(DISP_E_MEMBERNOTFOUND, u"Host.Axis", u"No member 'Foo'", nullptr, 0), S_OK);
    EXCEPINFO ei{};
    com_error e = com_error::from_invoke(DISP_E_MEMBERNOTFOUND, ei);
    EXPECT_EQ(e.hr(), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(e.source(), u"Host.Axis");
    EXPECT_EQ(e.description(), u"No member 'Foo'");
    IErrorInfo *left = nullptr;
    EXPECT_EQ(GetErrorInfo(0, &left), S_FALSE) << "the error info is consumed";
    OaRtErrClear();
}

TEST_F(ComError, WithoutErrorInfoTheTableDescribes)
{
    com_error e = com_error::from_error_info(DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(e.description(), u"Invalid number of parameters.");
    EXPECT_TRUE(e.source().empty());
}

TEST_F(ComError, FillThenFromInvokeRoundTrips)
{
    com_error original(OART_E_SUBSCRIPT, u"Quillet.cQuillet", u"Series 7", u"q.chm", 3);
    EXCEPINFO ei{};
    original.fill(&ei);
    EXPECT_EQ(ei.scode, OART_E_SUBSCRIPT);
    com_error back = com_error::from_invoke(DISP_E_EXCEPTION, ei);
    EXPECT_EQ(back.hr(), original.hr());
    EXPECT_EQ(back.source(), original.source());
    EXPECT_EQ(back.description(), original.description());
    EXPECT_EQ(back.help_file(), original.help_file());
    EXPECT_EQ(back.help_context(), original.help_context());
}

TEST_F(ComError, WhatNamesCodeDescriptionAndSource)
{
    com_error e(OART_E_TYPEMISMATCH, u"Quillet", u"Type mismatch");
    EXPECT_STREQ(e.what(), "0x800A000D: Type mismatch (Quillet)");
}

struct published {
    HRESULT hr;
    std::u16string source, description;
};

template <class Thrower>
published boundary(Thrower thrower)
{
    published p{};
    try {
        thrower();
    } catch (...) {
        p.hr = oleaut::hresult_from_exception();
    }
    com_ptr<IErrorInfo> info;
    EXPECT_EQ(GetErrorInfo(0, info.put()), S_OK);
    if (info) {
        bstr s, d;
        info->GetSource(s.put());
        info->GetDescription(d.put());
        p.source = s.str();
        p.description = d.str();
    }
    return p;
}

TEST_F(ComError, BoundaryPublishesAComError)
{
    published p = boundary([] { throw com_error(OART_E_OVERFLOW, u"Quillet.cQuillet", u"Value too large"); });
    EXPECT_EQ(p.hr, OART_E_OVERFLOW);
    EXPECT_EQ(p.source, u"Quillet.cQuillet");
    EXPECT_EQ(p.description, u"Value too large");
}

TEST_F(ComError, BoundaryTurnsBadAllocIntoOutOfMemory)
{
    published p = boundary([] { throw std::bad_alloc(); });
    EXPECT_EQ(p.hr, E_OUTOFMEMORY);
    EXPECT_EQ(p.description, u"Not enough memory resources are available to complete this operation.");
}

TEST_F(ComError, BoundaryKeepsAStandardExceptionsMessage)
{
    published p = boundary([] { throw std::runtime_error("chart has no series"); });
    EXPECT_EQ(p.hr, E_FAIL);
    EXPECT_EQ(p.description, u"chart has no series");
}

TEST_F(ComError, BoundaryTurnsAnythingElseIntoUnexpected)
{
    published p = boundary([] { throw 42; });
    EXPECT_EQ(p.hr, E_UNEXPECTED);
    EXPECT_EQ(p.description, u"Catastrophic failure");
}

TEST_F(ComError, CheckThrowsOnlyOnFailure)
{
    EXPECT_NO_THROW(oleaut::check(S_OK));
    EXPECT_NO_THROW(oleaut::check(S_FALSE));
    EXPECT_THROW(oleaut::check(E_FAIL), com_error);
}

}  // namespace
