// CreateErrorInfo / SetErrorInfo / GetErrorInfo: one error-info object per thread,
// handed over (and cleared) by GetErrorInfo, with exact reference counting.
#include <gtest/gtest.h>

#include <thread>

#include "oleaut.h"
#include "oleaut/bstr.hpp"
#include "oleaut/com_ptr.hpp"
#include "oleaut/unknown.hpp"

namespace {

using oleaut::bstr;
using oleaut::com_ptr;

// An IErrorInfo that only counts references, to see what the thread slot holds.
// Starts with the test's own reference.
class counted_error_info final
    : public oleaut::unknown<counted_error_info, oleaut::interfaces<IErrorInfo>, oleaut::caller_owned> {
public:
    STDMETHOD(GetGUID)(GUID *g) override
    {
        *g = IID_NULL;
        return S_OK;
    }
    STDMETHOD(GetSource)(BSTR *b) override { return *b = nullptr, S_OK; }
    STDMETHOD(GetDescription)(BSTR *b) override { return *b = nullptr, S_OK; }
    STDMETHOD(GetHelpFile)(BSTR *b) override { return *b = nullptr, S_OK; }
    STDMETHOD(GetHelpContext)(DWORD *c) override { return *c = 0, S_OK; }

    ULONG refs() const { return ref_count(); }
};

class ErrorInfo : public ::testing::Test {
protected:
    void SetUp() override { SetErrorInfo(0, nullptr); }
    void TearDown() override { SetErrorInfo(0, nullptr); }
};

com_ptr<ICreateErrorInfo> new_error_info()
{
    com_ptr<ICreateErrorInfo> c;
    EXPECT_EQ(CreateErrorInfo(c.put()), S_OK);
    return c;
}

TEST_F(ErrorInfo, NewObjectHasNoFields)
{
    com_ptr<IErrorInfo> info = new_error_info().query<IErrorInfo>();
    ASSERT_TRUE(info);
    GUID g{};
    g.Data1 = 7;
    EXPECT_EQ(info->GetGUID(&g), S_OK);
    EXPECT_TRUE(g == IID_NULL);
    bstr s, d, f;
    EXPECT_EQ(info->GetSource(s.put()), S_OK);
    EXPECT_EQ(info->GetDescription(d.put()), S_OK);
    EXPECT_EQ(info->GetHelpFile(f.put()), S_OK);
    EXPECT_TRUE(s.is_null());
    EXPECT_TRUE(d.is_null());
    EXPECT_TRUE(f.is_null());
    DWORD ctx = 99;
    EXPECT_EQ(info->GetHelpContext(&ctx), S_OK);
    EXPECT_EQ(ctx, 0u);
}

TEST_F(ErrorInfo, WhatIsWrittenIsReadBack)
{
    com_ptr<ICreateErrorInfo> c = new_error_info();
    const GUID g = IID_IDispatch;
    ASSERT_EQ(c->SetGUID(g), S_OK);
    ASSERT_EQ(c->SetSource(const_cast<LPOLESTR>(u"Quillet.cQuillet")), S_OK);
    ASSERT_EQ(c->SetDescription(const_cast<LPOLESTR>(u"Caf\u00E9 \U0001F600")), S_OK);
    ASSERT_EQ(c->SetHelpFile(const_cast<LPOLESTR>(u"")), S_OK);
    ASSERT_EQ(c->SetHelpContext(4711), S_OK);

    com_ptr<IErrorInfo> info = c.query<IErrorInfo>();
    ASSERT_TRUE(info);
    GUID read{};
    ASSERT_EQ(info->GetGUID(&read), S_OK);
    EXPECT_TRUE(read == g);
    bstr s, d, f;
    info->GetSource(s.put());
    info->GetDescription(d.put());
    info->GetHelpFile(f.put());
    EXPECT_EQ(s.str(), u"Quillet.cQuillet");
    EXPECT_EQ(d.str(), u"Caf\u00E9 \U0001F600");
    EXPECT_FALSE(f.is_null()) << "an empty help file was set, not left out";
    EXPECT_EQ(f.length(), 0u);
    DWORD ctx = 0;
    info->GetHelpContext(&ctx);
    EXPECT_EQ(ctx, 4711u);

    // Setting null takes the field back to "not set".
    ASSERT_EQ(c->SetSource(nullptr), S_OK);
    info->GetSource(s.put());
    EXPECT_TRUE(s.is_null());
}

TEST_F(ErrorInfo, BothInterfacesAreOneObject)
{
    com_ptr<ICreateErrorInfo> c = new_error_info();
    com_ptr<IErrorInfo> info = c.query<IErrorInfo>();
    ASSERT_TRUE(info);
    com_ptr<ICreateErrorInfo> back = info.query<ICreateErrorInfo>();
    EXPECT_EQ(back.get(), c.get());
    com_ptr<IUnknown> id1 = c.query<IUnknown>();
    com_ptr<IUnknown> id2 = info.query<IUnknown>();
    ASSERT_TRUE(id1);
    EXPECT_EQ(id1.get(), id2.get());

    void *other = reinterpret_cast<void *>(1);
    EXPECT_EQ(c->QueryInterface(IID_IDispatch, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
}

TEST_F(ErrorInfo, ReferenceCountsAreExact)
{
    ICreateErrorInfo *c = nullptr;
    ASSERT_EQ(CreateErrorInfo(&c), S_OK);
    EXPECT_EQ(c->AddRef(), 2u);
    IErrorInfo *info = nullptr;
    ASSERT_EQ(c->QueryInterface(IID_IErrorInfo, reinterpret_cast<void **>(&info)), S_OK);
    EXPECT_EQ(info->Release(), 2u);
    EXPECT_EQ(c->Release(), 1u);
    EXPECT_EQ(c->Release(), 0u);
}

TEST_F(ErrorInfo, NoneSetGivesSFalseAndNull)
{
    IErrorInfo *info = reinterpret_cast<IErrorInfo *>(1);
    EXPECT_EQ(GetErrorInfo(0, &info), S_FALSE);
    EXPECT_EQ(info, nullptr);
}

TEST_F(ErrorInfo, GetHandsOverTheObjectAndClears)
{
    counted_error_info fake;
    ASSERT_EQ(SetErrorInfo(0, &fake), S_OK);
    EXPECT_EQ(fake.refs(), 2u);

    IErrorInfo *got = nullptr;
    ASSERT_EQ(GetErrorInfo(0, &got), S_OK);
    EXPECT_EQ(got, &fake);
    EXPECT_EQ(fake.refs(), 2u) << "the slot's reference is handed over, not copied";

    IErrorInfo *again = reinterpret_cast<IErrorInfo *>(1);
    EXPECT_EQ(GetErrorInfo(0, &again), S_FALSE);
    EXPECT_EQ(again, nullptr);
    got->Release();
    EXPECT_EQ(fake.refs(), 1u);
}

TEST_F(ErrorInfo, SetReplacesAndReleasesThePrevious)
{
    counted_error_info first, second;
    SetErrorInfo(0, &first);
    SetErrorInfo(0, &second);
    EXPECT_EQ(first.refs(), 1u);
    EXPECT_EQ(second.refs(), 2u);
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(second.refs(), 1u);
    IErrorInfo *got = nullptr;
    EXPECT_EQ(GetErrorInfo(0, &got), S_FALSE);
}

TEST_F(ErrorInfo, SettingTheSameObjectAgainKeepsOneReference)
{
    counted_error_info fake;
    SetErrorInfo(0, &fake);
    SetErrorInfo(0, &fake);
    EXPECT_EQ(fake.refs(), 2u);
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(fake.refs(), 1u);
}

TEST_F(ErrorInfo, EachThreadHasItsOwn)
{
    counted_error_info mine, theirs;
    SetErrorInfo(0, &mine);
    HRESULT seen_there = E_FAIL;
    IErrorInfo *got_there = reinterpret_cast<IErrorInfo *>(1);
    std::thread([&] {
        seen_there = GetErrorInfo(0, &got_there);
        SetErrorInfo(0, &theirs);
        IErrorInfo *own = nullptr;
        if (GetErrorInfo(0, &own) == S_OK && own)
            own->Release();
    }).join();
    EXPECT_EQ(seen_there, S_FALSE);
    EXPECT_EQ(got_there, nullptr);

    IErrorInfo *got = nullptr;
    ASSERT_EQ(GetErrorInfo(0, &got), S_OK);
    EXPECT_EQ(got, &mine);
    got->Release();
    EXPECT_EQ(theirs.refs(), 1u);
}

TEST_F(ErrorInfo, ThreadExitReleasesWhatItHeld)
{
    counted_error_info fake;
    std::thread([&] { SetErrorInfo(0, &fake); }).join();
    EXPECT_EQ(fake.refs(), 1u);
}

TEST_F(ErrorInfo, BadArgumentsAreRefused)
{
    EXPECT_EQ(CreateErrorInfo(nullptr), E_INVALIDARG);
    EXPECT_EQ(GetErrorInfo(0, nullptr), E_INVALIDARG);
    counted_error_info fake;
    EXPECT_EQ(SetErrorInfo(1, &fake), E_INVALIDARG);
    EXPECT_EQ(fake.refs(), 1u);
    IErrorInfo *got = reinterpret_cast<IErrorInfo *>(1);
    EXPECT_EQ(GetErrorInfo(1, &got), E_INVALIDARG);
    EXPECT_EQ(got, nullptr);
}

}  // namespace
