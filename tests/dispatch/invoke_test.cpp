// Drives the sample class through GetIDsOfNames and Invoke exactly as a script engine
// or a late-bound client does.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "sample_object.h"

namespace {

using oleaut::bstr;
using oleaut::com_ptr;
using oleaut::variant;

// Builds DISPPARAMS the way clients do: named arguments first, then the positional ones
// last-first.
struct invocation {
    std::vector<variant> positional;                    // in declaration order
    std::vector<std::pair<DISPID, variant>> named;      // (parameter id, value)

    HRESULT run(IDispatch *d, DISPID id, WORD flags, VARIANT *result = nullptr, EXCEPINFO *ei = nullptr,
                UINT *arg_err = nullptr)
    {
        std::vector<VARIANT> args;
        std::vector<DISPID> ids;
        for (auto &n : named) {
            args.push_back(n.second);
            ids.push_back(n.first);
        }
        for (auto it = positional.rbegin(); it != positional.rend(); ++it)
            args.push_back(*it);
        DISPPARAMS dp{args.data(), ids.data(), static_cast<UINT>(args.size()), static_cast<UINT>(ids.size())};
        return d->Invoke(id, IID_NULL, LOCALE_EN_US, flags, &dp, result, ei, arg_err);
    }
};

class Invoke : public ::testing::Test {
protected:
    void SetUp() override
    {
        baseline_ = oleaut::disp::module_live_count();
        obj_ = com_ptr<sample::object>::attach(sample::object::create());
    }
    void TearDown() override
    {
        obj_.reset();
        EXPECT_EQ(oleaut::disp::module_live_count(), baseline_) << "an object leaked";
    }
    IDispatch *disp() { return obj_.get(); }

    com_ptr<sample::object> obj_;
    long baseline_ = 0;
};

TEST_F(Invoke, NamesResolveWithoutRegardToCase)
{
    struct row {
        std::vector<const char16_t *> names;
        HRESULT hr;
        std::vector<DISPID> ids;
    };
    const row rows[] = {
        {{u"name"}, S_OK, {sample::kName}},
        {{u"SUBTRACT", u"subtrahend", u"Minuend"}, S_OK, {sample::kSubtract, 1, 0}},
        {{u"Gradient", u"Degree", u"variant", u"STYLE"}, S_OK, {sample::kGradient, 2, 1, 0}},
        {{u"item"}, S_OK, {DISPID_VALUE}},
        {{u"Nope"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}},
        {{u"Gradient", u"Bogus", u"Degree"}, DISP_E_UNKNOWNNAME, {sample::kGradient, DISPID_UNKNOWN, 2}},
        {{u"Name", u"RHS"}, DISP_E_UNKNOWNNAME, {sample::kName, DISPID_UNKNOWN}},  // a put's value has no name
        {{u"Hidden"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}},                        // interface-table only
    };
    for (const row &r : rows) {
        std::vector<LPOLESTR> names;
        for (const char16_t *n : r.names)
            names.push_back(const_cast<LPOLESTR>(n));
        std::vector<DISPID> ids(names.size(), 12345);
        EXPECT_EQ(disp()->GetIDsOfNames(IID_NULL, names.data(), static_cast<UINT>(names.size()), LOCALE_EN_US,
                                        ids.data()),
                  r.hr)
            << oleaut::utf16_to_utf8(r.names[0]);
        EXPECT_EQ(ids, r.ids) << oleaut::utf16_to_utf8(r.names[0]);
    }
}

TEST_F(Invoke, PositionalArgumentsArriveInReverseOrder)
{
    invocation call{{variant::i4(10), variant::i4(3)}, {}};
    variant result;
    ASSERT_EQ(call.run(disp(), sample::kSubtract, DISPATCH_METHOD, result.put()), S_OK);
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 7);
}

TEST_F(Invoke, NamedArgumentsBindByParameterId)
{
    invocation call{{variant::i2(1)}, {{2, variant::r8(0.231372549019608)}, {1, variant::i2(4)}}};
    ASSERT_EQ(call.run(disp(), sample::kGradient, DISPATCH_METHOD), S_OK);
    EXPECT_EQ(obj_->style, 1);
    EXPECT_EQ(obj_->variant_no, 4);
    EXPECT_DOUBLE_EQ(obj_->degree, 0.231372549019608);

    invocation only_named{{}, {{0, variant::i2(2)}, {2, variant::r8(0.5)}}};
    ASSERT_EQ(only_named.run(disp(), sample::kGradient, DISPATCH_METHOD), S_OK);
    EXPECT_EQ(obj_->style, 2);
    EXPECT_EQ(obj_->variant_no, -1);  // left out
}

TEST_F(Invoke, OptionalArgumentLeftOutArrivesAsParamNotFound)
{
    for (invocation call : {invocation{{variant::i4(10)}, {}}, invocation{{variant::i4(10), variant::missing()}, {}}}) {
        variant result;
        ASSERT_EQ(call.run(disp(), sample::kSubtract, DISPATCH_METHOD, result.put()), S_OK);
        EXPECT_TRUE(obj_->optional_left_out);
        EXPECT_EQ(result.lVal, 9);
    }
}

TEST_F(Invoke, PropertyPutTakesItsValueAsPropertyPutArgument)
{
    invocation put{{}, {{DISPID_PROPERTYPUT, variant::str(u"Sales")}}};
    ASSERT_EQ(put.run(disp(), sample::kName, DISPATCH_PROPERTYPUT), S_OK);
    EXPECT_EQ(obj_->name, u"Sales");

    // Script engines send method and property get together.
    variant got;
    ASSERT_EQ(invocation{}.run(disp(), sample::kName, DISPATCH_METHOD | DISPATCH_PROPERTYGET, got.put()), S_OK);
    EXPECT_EQ(bstr::copy_of(got.bstrVal).str(), u"Sales");

    // A put whose value is not marked DISPID_PROPERTYPUT has no value.
    invocation bad{{variant::str(u"x")}, {}};
    EXPECT_EQ(bad.run(disp(), sample::kName, DISPATCH_PROPERTYPUT), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(obj_->name, u"Sales");
}

TEST_F(Invoke, RefusalsHappenBeforeAnyMemberCodeRuns)
{
    struct row {
        const char *what;
        invocation call;
        DISPID id;
        WORD flags;
        HRESULT hr;
        UINT arg_err;  // expected rgvarg index, or ~0u when not set
    };
    row rows[] = {
        {"missing required", {}, sample::kSubtract, DISPATCH_METHOD, DISP_E_PARAMNOTFOUND, ~0u},
        {"required given as missing", {{variant::missing()}, {}}, sample::kSubtract, DISPATCH_METHOD,
         DISP_E_PARAMNOTFOUND, 0},
        {"too many", {{variant::i4(1), variant::i4(2), variant::i4(3)}, {}}, sample::kSubtract, DISPATCH_METHOD,
         DISP_E_BADPARAMCOUNT, ~0u},
        {"unknown named", {{variant::i2(1)}, {{7, variant::i2(1)}}}, sample::kGradient, DISPATCH_METHOD,
         DISP_E_PARAMNOTFOUND, 0},
        {"named twice", {{variant::i2(1)}, {{0, variant::i2(1)}}}, sample::kGradient, DISPATCH_METHOD,
         DISP_E_PARAMNOTFOUND, 0},
        {"text for a number", {{variant::i4(1), variant::str(u"abc")}, {}}, sample::kSubtract, DISPATCH_METHOD,
         DISP_E_TYPEMISMATCH, 0},
        {"null for a number", {{variant::null(), variant::i4(1)}, {}}, sample::kSubtract, DISPATCH_METHOD,
         DISP_E_TYPEMISMATCH, 1},
        {"overflow", {{variant::i4(40000)}, {}}, sample::kGradient, DISPATCH_METHOD, DISP_E_OVERFLOW, 0},
        {"number for an object", {{variant::i4(1)}, {}}, sample::kTake, DISPATCH_METHOD, DISP_E_TYPEMISMATCH, 0},
        {"unknown member", {}, 999, DISPATCH_METHOD, DISP_E_MEMBERNOTFOUND, ~0u},
        {"method flag on a property", {}, sample::kName, DISPATCH_METHOD, DISP_E_MEMBERNOTFOUND, ~0u},
        {"interface-table-only member", {}, sample::kHidden, DISPATCH_PROPERTYGET, DISP_E_MEMBERNOTFOUND, ~0u},
    };
    for (row &r : rows) {
        variant result = variant::i4(99);
        UINT arg_err = ~0u;
        EXPECT_EQ(r.call.run(disp(), r.id, r.flags, result.put(), nullptr, &arg_err), r.hr) << r.what;
        EXPECT_EQ(arg_err, r.arg_err) << r.what;
        EXPECT_EQ(result.vt, VT_EMPTY) << r.what;
        EXPECT_EQ(obj_->member_runs, 0) << r.what;
    }
}

TEST_F(Invoke, ArgumentsOfTheDeclaredTypePassUntouched)
{
    ASSERT_EQ((invocation{{variant::bool_raw(1)}, {}}.run(disp(), sample::kFlag, DISPATCH_METHOD)), S_OK);
    EXPECT_EQ(obj_->last_flag, 1);  // not normalised to VARIANT_TRUE

    ASSERT_EQ((invocation{{variant::null_bstr()}, {}}.run(disp(), sample::kText, DISPATCH_METHOD)), S_OK);
    EXPECT_TRUE(obj_->last_text_null);
    ASSERT_EQ((invocation{{variant::str(u"")}, {}}.run(disp(), sample::kText, DISPATCH_METHOD)), S_OK);
    EXPECT_FALSE(obj_->last_text_null);

    // Other types are coerced.
    ASSERT_EQ((invocation{{variant::i4(12)}, {}}.run(disp(), sample::kText, DISPATCH_METHOD)), S_OK);
    EXPECT_EQ(obj_->last_text, u"12");
    ASSERT_EQ((invocation{{variant::i4(2)}, {}}.run(disp(), sample::kFlag, DISPATCH_METHOD)), S_OK);
    EXPECT_EQ(obj_->last_flag, VARIANT_TRUE);
    variant result;
    ASSERT_EQ((invocation{{variant::str(u" 1,000 "), variant::r8(2.5)}, {}}.run(disp(), sample::kSubtract,
                                                                              DISPATCH_METHOD, result.put())),
              S_OK);
    EXPECT_EQ(result.lVal, 998);  // 2.5 rounds to even
}

TEST_F(Invoke, ByReferenceVariantIsWrittenBack)
{
    VARIANT target;
    VariantInit(&target);
    target.vt = VT_I4;
    target.lVal = 5;
    ASSERT_EQ((invocation{{variant::byref(&target)}, {}}.run(disp(), sample::kSwap, DISPATCH_METHOD)), S_OK);
    ASSERT_EQ(target.vt, VT_BSTR);
    EXPECT_EQ(bstr::copy_of(target.bstrVal).str(), u"swapped");
    VariantClear(&target);

    // A plain value for a by-reference parameter works on a private copy.
    ASSERT_EQ((invocation{{variant::i4(1)}, {}}.run(disp(), sample::kSwap, DISPATCH_METHOD)), S_OK);
}

TEST_F(Invoke, ObjectParametersTakeAnyDispatch)
{
    com_ptr<sample::object> other = com_ptr<sample::object>::attach(sample::object::create());
    ASSERT_EQ((invocation{{variant::unknown(other.get())}, {}}.run(disp(), sample::kTake, DISPATCH_METHOD)), S_OK);
    EXPECT_FALSE(obj_->last_object_null);
    ASSERT_EQ((invocation{{variant::dispatch(nullptr)}, {}}.run(disp(), sample::kTake, DISPATCH_METHOD)), S_OK);
    EXPECT_TRUE(obj_->last_object_null);
}

TEST_F(Invoke, IndexedDefaultMemberAndForwardingThroughAnObjectProperty)
{
    // Child(3) = "x" and Child(3) reach the child's default member.
    invocation put{{variant::i4(3)}, {{DISPID_PROPERTYPUT, variant::str(u"x")}}};
    ASSERT_EQ(put.run(disp(), sample::kChild, DISPATCH_PROPERTYPUT), S_OK);
    variant got;
    ASSERT_EQ((invocation{{variant::i4(3)}, {}}.run(disp(), sample::kChild, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                                     got.put())),
              S_OK);
    ASSERT_EQ(got.vt, VT_BSTR);
    EXPECT_EQ(bstr::copy_of(got.bstrVal).str(), u"x");

    // A failure of the forwarded call reaches the caller as this call's exception.
    EXCEPINFO ei{};
    EXPECT_EQ((invocation{{variant::i4(4)}, {}}.run(disp(), sample::kChild, DISPATCH_PROPERTYGET, got.put(), &ei)),
              DISP_E_EXCEPTION);
    EXPECT_EQ(ei.scode, DISP_E_BADINDEX);
    SysFreeString(ei.bstrSource);
    SysFreeString(ei.bstrDescription);
    SysFreeString(ei.bstrHelpFile);

    // Without arguments the property answers the child itself.
    ASSERT_EQ(invocation{}.run(disp(), sample::kChild, DISPATCH_PROPERTYGET, got.put()), S_OK);
    EXPECT_EQ(got.vt, VT_DISPATCH);
}

TEST_F(Invoke, ThrownErrorBecomesExceptionInfoAndErrorInfo)
{
    EXCEPINFO ei{};
    variant result = variant::i4(1);
    UINT arg_err = 0;
    ASSERT_EQ(invocation{}.run(disp(), sample::kFail, DISPATCH_METHOD, result.put(), &ei, &arg_err),
              DISP_E_EXCEPTION);
    EXPECT_EQ(result.vt, VT_EMPTY) << "a failed member delivers no result";
    EXPECT_EQ(ei.scode, static_cast<SCODE>(0x800403E9));
    EXPECT_EQ(bstr::attach(ei.bstrSource).str(), u"Sample.Source");
    EXPECT_EQ(bstr::attach(ei.bstrDescription).str(), u"It broke");
    EXPECT_EQ(ei.bstrHelpFile, nullptr);

    com_ptr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
    bstr desc;
    info->GetDescription(desc.put());
    EXPECT_EQ(desc.str(), u"It broke");
}

TEST_F(Invoke, CallsFromAnotherThreadAreRefused)
{
    HRESULT hr = S_OK;
    int runs_before = obj_->member_runs;
    std::thread([&] { hr = invocation{}.run(disp(), sample::kName, DISPATCH_PROPERTYGET); }).join();
    EXPECT_EQ(hr, RPC_E_WRONG_THREAD);
    EXPECT_EQ(obj_->member_runs, runs_before);
}

TEST_F(Invoke, ReferenceCountingReleasesObjectsAndTheChild)
{
    long before = oleaut::disp::module_live_count();
    {
        variant child;
        ASSERT_EQ(invocation{}.run(disp(), sample::kChild, DISPATCH_PROPERTYGET, child.put()), S_OK);
        EXPECT_EQ(oleaut::disp::module_live_count(), before + 1);
    }
    com_ptr<IDispatch> as_dispatch = obj_.query<IDispatch>();
    ASSERT_TRUE(as_dispatch);
    com_ptr<IUnknown> as_unknown = obj_.query<IUnknown>();
    EXPECT_EQ(static_cast<IUnknown *>(as_dispatch.get()), as_unknown.get());
}

}  // namespace
