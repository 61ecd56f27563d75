// A dual interface: its interface-table methods run the same members as Invoke.
#include <gtest/gtest.h>

#include <thread>

#include "oleaut/dispatch/object.hpp"

namespace {

using oleaut::bstr;
using oleaut::com_ptr;
using oleaut::variant;
using oleaut::disp::call;

constexpr GUID kIID_IDual = {0x6D1A0002, 0x2B7C, 0x4E11, {0x9A, 0x01, 0x51, 0x75, 0x11, 0xE7, 0x00, 0x02}};

struct IDual : public IDispatch {
    STDMETHOD(Divide)(LONG a, LONG b, VARIANT *result) PURE;
    STDMETHOD(get_Label)(BSTR *out) PURE;
    STDMETHOD(put_Label)(BSTR value) PURE;

protected:
    ~IDual() = default;
};

}  // namespace

OLEAUT_DECLARE_UUID(IDual, kIID_IDual);

namespace {

class dual : public oleaut::disp::object<dual, IDual> {
public:
    static const oleaut::disp::table<dual> &dispatch_table()
    {
        static const oleaut::disp::table<dual> t(
            u"IDual", kIID_IDual, TYPEFLAG_FDUAL | TYPEFLAG_FDISPATCHABLE | TYPEFLAG_FOLEAUTOMATION,
            {
                {u"Divide", 1, INVOKE_FUNC, {{u"a", VT_I4}, {u"b", VT_I4}}, VT_VARIANT,
                 [](dual &, call &c) {
                     if (c.i4(1) == 0)
                         throw oleaut::com_error(static_cast<HRESULT>(0x800A000B), u"Dual", u"Division by zero");
                     c.result() = variant::i4(c.i4(0) / c.i4(1));
                 }},
                {u"Label", 2, INVOKE_PROPERTYGET, {}, VT_BSTR,
                 [](dual &d, call &c) { c.result() = variant::str(d.label); }},
                {u"Label", 2, INVOKE_PROPERTYPUT, {{u"RHS", VT_BSTR}}, VT_EMPTY,
                 [](dual &d, call &c) { d.label = bstr::copy_of(c.bstr(0)).str(); }},
            });
        return t;
    }
    static dual *create() { return new dual(); }

    STDMETHOD(Divide)(LONG a, LONG b, VARIANT *result) override
    {
        return call_member(1, INVOKE_FUNC, {variant::i4(a), variant::i4(b)}, result);
    }
    STDMETHOD(get_Label)(BSTR *out) override
    {
        variant v;
        HRESULT hr = call_member(2, INVOKE_PROPERTYGET, {}, v.put());
        *out = SUCCEEDED(hr) ? std::exchange(v.bstrVal, nullptr) : nullptr;
        return hr;
    }
    STDMETHOD(put_Label)(BSTR value) override
    {
        VARIANT v;
        v.vt = VT_BSTR;
        v.bstrVal = value;
        return call_member(2, INVOKE_PROPERTYPUT, {v});
    }

    std::u16string label;

private:
    dual() = default;
};

TEST(DualInterface, VtableAndInvokeRunTheSameMember)
{
    auto obj = com_ptr<dual>::attach(dual::create());
    com_ptr<IDual> vt = obj.query<IDual>();
    ASSERT_TRUE(vt);
    variant result;
    ASSERT_EQ(vt->Divide(7, 2, result.put()), S_OK);
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 3);

    bstr label(u"Revenue");
    ASSERT_EQ(vt->put_Label(label.get()), S_OK);
    bstr back;
    ASSERT_EQ(vt->get_Label(back.put()), S_OK);
    EXPECT_EQ(back.str(), u"Revenue");

    // The same member reached late-bound.
    VARIANT args[2];
    args[0] = variant::i4(2);  // b
    args[1] = variant::i4(9);  // a
    DISPPARAMS dp{args, nullptr, 2, 0};
    ASSERT_EQ(obj->Invoke(1, IID_NULL, LOCALE_EN_US, DISPATCH_METHOD, &dp, result.put(), nullptr, nullptr), S_OK);
    EXPECT_EQ(result.lVal, 4);
}

TEST(DualInterface, VtableFailureReturnsTheErrorsOwnCodeAndErrorInfo)
{
    auto obj = com_ptr<dual>::attach(dual::create());
    variant result = variant::i4(5);
    EXPECT_EQ(obj->Divide(1, 0, result.put()), static_cast<HRESULT>(0x800A000B));
    EXPECT_EQ(result.vt, VT_EMPTY);
    com_ptr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
    bstr source, desc;
    info->GetSource(source.put());
    info->GetDescription(desc.put());
    EXPECT_EQ(source.str(), u"Dual");
    EXPECT_EQ(desc.str(), u"Division by zero");
}

TEST(DualInterface, VtableCallsFromAnotherThreadAreRefused)
{
    auto obj = com_ptr<dual>::attach(dual::create());
    HRESULT hr = S_OK;
    std::thread([&] {
        variant r;
        hr = obj->Divide(4, 2, r.put());
    }).join();
    EXPECT_EQ(hr, RPC_E_WRONG_THREAD);
}

// Every object of the kit says that IDispatch and its table's interface report their
// failures through the error info (as the test above shows), and no other interface.
struct error_info_case {
    const char *what;
    const IID *iid;
    HRESULT expected;
};

const error_info_case kErrorInfoCases[] = {
    {"the table's interface", &kIID_IDual, S_OK},
    {"IDispatch", &IID_IDispatch, S_OK},
    {"IUnknown", &IID_IUnknown, S_FALSE},
    {"ISupportErrorInfo itself", &IID_ISupportErrorInfo, S_FALSE},
    {"an interface it does not have", &IID_ITypeInfo, S_FALSE},
    {"IID_NULL", &IID_NULL, S_FALSE},
};

class SupportErrorInfo : public ::testing::TestWithParam<error_info_case> {};

TEST_P(SupportErrorInfo, AnswersForIDispatchAndTheTablesInterfaceOnly)
{
    auto obj = com_ptr<dual>::attach(dual::create());
    com_ptr<ISupportErrorInfo> support = obj.query<ISupportErrorInfo>();
    ASSERT_TRUE(support);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(*GetParam().iid), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Interfaces, SupportErrorInfo, ::testing::ValuesIn(kErrorInfoCases));

TEST(SupportErrorInfo, IsTheSameObject)
{
    auto obj = com_ptr<dual>::attach(dual::create());
    com_ptr<ISupportErrorInfo> support = obj.query<ISupportErrorInfo>();
    ASSERT_TRUE(support);
    com_ptr<IUnknown> a = obj.query<IUnknown>(), b = support.query<IUnknown>();
    EXPECT_EQ(a.get(), b.get()) << "one identity";
    EXPECT_TRUE(support.query<IDual>()) << "back to the table's interface";
}

}  // namespace
