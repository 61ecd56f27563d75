// VariantChangeType(Ex) itself: references followed, objects asked for their
// default value, invalid types refused, and the destination replaced only on
// success (it may be the source).
#include <string>

#include "oleaut/unknown.hpp"
#include "runtime/conversions/conversion_test_support.hpp"

namespace {

using namespace conversion_test;

// An object whose default member (DISPID_VALUE, read as a property) answers a
// fixed value, or fails the way a real object reports an error.
// It lives on the test's stack, which holds the first reference.
class ValueObject final : public oleaut::unknown<ValueObject, oleaut::interfaces<IDispatch>, oleaut::caller_owned> {
public:
    enum class Mode { Value, Exception, NotFound };
    ValueObject(Mode mode, VARIANT value) : mode_(mode), value_(value) {}

    STDMETHOD(GetTypeInfoCount)(UINT *n) override { *n = 0; return S_OK; }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override { return DISP_E_UNKNOWNNAME; }
    STDMETHOD(Invoke)(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params, VARIANT *result, EXCEPINFO *ei,
                      UINT *) override
    {
        ++calls;
        last_id = id;
        last_flags = flags;
        last_arg_count = params ? params->cArgs : 99;
        if (mode_ == Mode::NotFound)
            return DISP_E_MEMBERNOTFOUND;
        if (mode_ == Mode::Exception) {
            ei->scode = 0x800A0009;  // subscript out of range
            ei->bstrSource = SysAllocString(u"Sheet.Cell");
            ei->bstrDescription = SysAllocString(u"The cell is outside the sheet");
            return DISP_E_EXCEPTION;
        }
        return VariantCopy(result, &value_);
    }

    int calls = 0;
    DISPID last_id = -1;
    WORD last_flags = 0;
    UINT last_arg_count = 0;
    ULONG refs() const { return ref_count(); }

private:
    Mode mode_;
    VARIANT value_;
};

// An object with no IDispatch.
class PlainObject final : public oleaut::unknown<PlainObject, oleaut::interfaces<IUnknown>, oleaut::caller_owned> {
public:
    ULONG refs() const { return ref_count(); }
};

VARIANT plain_i4(LONG x)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = x;
    return v;
}

TEST(ChangeType, FailureLeavesTheDestinationUntouched)
{
    variant dest = str("keep me");
    variant src = str("abc");
    EXPECT_EQ(VariantChangeTypeEx(&dest, &src, LOCALE_EN_US, 0, VT_I4), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(text_of(dest), "keep me");
    variant big = variant::i4(40000);
    EXPECT_EQ(VariantChangeType(&dest, &big, 0, VT_I2), DISP_E_OVERFLOW);
    EXPECT_EQ(text_of(dest), "keep me");
}

TEST(ChangeType, SuccessReplacesAndReleasesTheDestination)
{
    ValueObject obj(ValueObject::Mode::Value, plain_i4(1));
    variant dest = variant::dispatch(&obj);
    EXPECT_EQ(obj.refs(), 2u);
    variant src = variant::r8(2.5);
    ASSERT_EQ(VariantChangeTypeEx(&dest, &src, LOCALE_EN_US, 0, VT_BSTR), S_OK);
    EXPECT_EQ(text_of(dest), "2.5");
    EXPECT_EQ(obj.refs(), 1u) << "the object the destination held must be released";
}

TEST(ChangeType, InPlace)
{
    variant v = str(" 1,024 ");
    ASSERT_EQ(VariantChangeTypeEx(&v, &v, LOCALE_EN_US, 0, VT_I4), S_OK);
    EXPECT_EQ(v.vt, VT_I4);
    EXPECT_EQ(v.lVal, 1024);
    ASSERT_EQ(VariantChangeTypeEx(&v, &v, LOCALE_EN_US, 0, VT_BSTR), S_OK);
    EXPECT_EQ(text_of(v), "1024");
    ASSERT_EQ(VariantChangeTypeEx(&v, &v, LOCALE_EN_US, 0, VT_BSTR), S_OK);  // same type: a copy
    EXPECT_EQ(text_of(v), "1024");
}

TEST(ChangeType, InPlaceFailureKeepsTheSource)
{
    variant v = str("twelve");
    EXPECT_EQ(VariantChangeTypeEx(&v, &v, LOCALE_EN_US, 0, VT_R8), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(text_of(v), "twelve");
}

TEST(ChangeType, SameTypeCopiesExactly)
{
    variant out;
    ASSERT_EQ(change(variant::bool_raw(1), VT_BOOL, &out), S_OK);
    EXPECT_EQ(out.boolVal, 1) << "a Boolean holding 1 is not normalised by a same-type copy";
    ASSERT_EQ(change(variant::null_bstr(), VT_BSTR, &out), S_OK);
    EXPECT_EQ(out.bstrVal, nullptr);
    ASSERT_EQ(change(variant::null(), VT_NULL, &out), S_OK);
    EXPECT_EQ(out.vt, VT_NULL);
    ASSERT_EQ(change(variant::error(DISP_E_PARAMNOTFOUND), VT_ERROR, &out), S_OK);
    EXPECT_EQ(out.scode, DISP_E_PARAMNOTFOUND);
}

TEST(ChangeType, FollowsReferences)
{
    LONG l = 7;
    variant by_i4;
    by_i4.vt = VT_BYREF | VT_I4;
    by_i4.plVal = &l;
    variant out;
    ASSERT_EQ(change(by_i4, VT_R8, &out), S_OK);
    EXPECT_EQ(out.dblVal, 7.0);

    BSTR text = SysAllocString(u"2.5");
    variant by_bstr;
    by_bstr.vt = VT_BYREF | VT_BSTR;
    by_bstr.pbstrVal = &text;
    ASSERT_EQ(change(by_bstr, VT_I4, &out), S_OK);
    EXPECT_EQ(out.lVal, 2);
    ASSERT_EQ(change(by_bstr, VT_BSTR, &out), S_OK);
    EXPECT_EQ(text_of(out), "2.5");
    EXPECT_NE(out.bstrVal, text) << "the result owns its own copy";
    SysFreeString(text);

    DECIMAL d = dec(u"-1.25");
    variant by_dec;
    by_dec.vt = VT_BYREF | VT_DECIMAL;
    by_dec.pdecVal = &d;
    ASSERT_EQ(change(by_dec, VT_BSTR, &out), S_OK);
    EXPECT_EQ(text_of(out), "-1.25");

    variant inner = variant::boolean(true);
    variant by_variant = variant::byref(&inner);
    ASSERT_EQ(change(by_variant, VT_I2, &out), S_OK);
    EXPECT_EQ(out.iVal, -1);

    variant null_ref;
    null_ref.vt = VT_BYREF | VT_I4;
    null_ref.plVal = nullptr;
    EXPECT_EQ(change(null_ref, VT_I4, &out), E_INVALIDARG);
}

TEST(ChangeType, ConvertingAReferenceInPlaceLeavesTheReferentAlone)
{
    LONG l = 99;
    variant v;
    v.vt = VT_BYREF | VT_I4;
    v.plVal = &l;
    ASSERT_EQ(VariantChangeTypeEx(&v, &v, LOCALE_EN_US, 0, VT_BSTR), S_OK);
    EXPECT_EQ(text_of(v), "99");
    EXPECT_EQ(l, 99);
}

TEST(ChangeType, RefusesInvalidTypes)
{
    variant out;
    variant bad;
    bad.vt = 15;  // no VARTYPE has this number
    EXPECT_EQ(change(bad, VT_I4, &out), DISP_E_BADVARTYPE);
    EXPECT_EQ(change(variant::i4(1), 15, &out), DISP_E_BADVARTYPE);
    EXPECT_EQ(change(variant::i4(1), VT_BYREF | VT_I4, &out), DISP_E_BADVARTYPE);
    EXPECT_EQ(change(variant::i4(1), VT_VARIANT, &out), DISP_E_BADVARTYPE);
    EXPECT_EQ(change(variant::i4(1), VT_HRESULT, &out), DISP_E_BADVARTYPE);
    bad.vt = VT_VARIANT;  // only valid by reference
    EXPECT_EQ(change(bad, VT_I4, &out), DISP_E_BADVARTYPE);
    bad.vt = VT_EMPTY;
    EXPECT_EQ(VariantChangeTypeEx(nullptr, &bad, LOCALE_EN_US, 0, VT_I4), E_INVALIDARG);
    EXPECT_EQ(VariantChangeTypeEx(&out, nullptr, LOCALE_EN_US, 0, VT_I4), E_INVALIDARG);
}

TEST(ChangeType, NullConvertsToNothingButNull)
{
    const VARTYPE targets[] = {VT_I2, VT_I4, VT_R8, VT_CY, VT_DATE, VT_BSTR, VT_BOOL, VT_DECIMAL, VT_UI1, VT_EMPTY};
    for (VARTYPE to : targets) {
        variant out;
        EXPECT_EQ(change(variant::null(), to, &out), DISP_E_TYPEMISMATCH) << "vt " << to;
    }
}

TEST(ChangeType, EmptyBecomesZero)
{
    variant out;
    ASSERT_EQ(change(empty(), VT_DATE, &out), S_OK);
    EXPECT_EQ(date_of(out), 0.0);
    ASSERT_EQ(change(empty(), VT_DECIMAL, &out), S_OK);
    EXPECT_EQ(decimal_text(out.decVal), "0");
    ASSERT_EQ(change(empty(), VT_CY, &out), S_OK);
    EXPECT_EQ(out.cyVal.int64, 0);
    ASSERT_EQ(change(empty(), VT_BOOL, &out), S_OK);
    EXPECT_EQ(out.boolVal, VARIANT_FALSE);
}

TEST(ChangeType, ErrorValuesConvertOnlyToErrors)
{
    variant out;
    EXPECT_EQ(change(variant::error(E_FAIL), VT_I4, &out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(change(variant::error(E_FAIL), VT_BSTR, &out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(change(variant::i4(5), VT_ERROR, &out), DISP_E_TYPEMISMATCH);
}

TEST(ChangeType, ArraysDoNotConvert)
{
    variant arr;
    arr.vt = VT_ARRAY | VT_I4;
    arr.parray = nullptr;  // never looked at: the refusal comes from the types alone
    variant out;
    EXPECT_EQ(change(arr, VT_I4, &out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(change(arr, VT_BSTR, &out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(change(arr, VT_ARRAY | VT_R8, &out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(change(variant::i4(1), VT_ARRAY | VT_I4, &out), DISP_E_TYPEMISMATCH);
    arr.vt = VT_EMPTY;
}

TEST(ChangeType, ObjectsGiveTheirDefaultValue)
{
    ValueObject obj(ValueObject::Mode::Value, plain_i4(42));
    variant src = variant::dispatch(&obj);
    variant out;
    ASSERT_EQ(change(src, VT_BSTR, &out), S_OK);
    EXPECT_EQ(text_of(out), "42");
    EXPECT_EQ(obj.calls, 1);
    EXPECT_EQ(obj.last_id, DISPID_VALUE);
    EXPECT_EQ(obj.last_flags, DISPATCH_PROPERTYGET);
    EXPECT_EQ(obj.last_arg_count, 0u);

    ASSERT_EQ(change(src, VT_I2, &out), S_OK);
    EXPECT_EQ(out.iVal, 42);

    EXPECT_EQ(change(src, VT_I4, &out, VARIANT_NOVALUEPROP), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(obj.calls, 2) << "VARIANT_NOVALUEPROP must not ask the object";

    variant by_ref = variant::byref(&src);
    ASSERT_EQ(change(by_ref, VT_R8, &out), S_OK);
    EXPECT_EQ(out.dblVal, 42.0);

    variant unknown = variant::unknown(&obj);
    ASSERT_EQ(change(unknown, VT_I4, &out), S_OK);
    EXPECT_EQ(out.lVal, 42);
    out.clear();
    src.clear();
    unknown.clear();
    EXPECT_EQ(obj.refs(), 1u) << "every reference taken was given back";
}

TEST(ChangeType, DefaultValueFailuresAreReported)
{
    ValueObject raising(ValueObject::Mode::Exception, plain_i4(0));
    variant src = variant::dispatch(&raising);
    variant out = str("untouched");
    EXPECT_EQ(change(src, VT_I4, &out), static_cast<HRESULT>(0x800A0009));
    IErrorInfo *info = nullptr;
    ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
    BSTR description = nullptr;
    info->GetDescription(&description);
    EXPECT_NE(utf8(description).find("The cell is outside the sheet"), std::string::npos) << utf8(description);
    SysFreeString(description);
    info->Release();

    ValueObject missing(ValueObject::Mode::NotFound, plain_i4(0));
    variant src2 = variant::dispatch(&missing);
    EXPECT_EQ(change(src2, VT_I4, &out), DISP_E_MEMBERNOTFOUND);

    variant nothing = variant::dispatch(nullptr);
    EXPECT_EQ(change(nothing, VT_I4, &out), DISP_E_TYPEMISMATCH);

    PlainObject plain;
    variant no_dispatch = variant::unknown(&plain);
    EXPECT_EQ(change(no_dispatch, VT_I4, &out), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(change(no_dispatch, VT_DISPATCH, &out), DISP_E_TYPEMISMATCH);
    no_dispatch.clear();
    EXPECT_EQ(plain.refs(), 1u);
}

TEST(ChangeType, ObjectsConvertBetweenObjectTypes)
{
    ValueObject obj(ValueObject::Mode::Value, plain_i4(0));
    variant unknown = variant::unknown(&obj);
    variant out;
    ASSERT_EQ(change(unknown, VT_DISPATCH, &out), S_OK);
    EXPECT_EQ(out.pdispVal, static_cast<IDispatch *>(&obj));
    EXPECT_EQ(obj.calls, 0) << "no value is read when an object stays an object";
    variant back;
    ASSERT_EQ(change(out, VT_UNKNOWN, &back), S_OK);
    EXPECT_EQ(back.punkVal, static_cast<IUnknown *>(&obj));
    out.clear();
    back.clear();
    unknown.clear();
    EXPECT_EQ(obj.refs(), 1u);

    variant nothing = variant::dispatch(nullptr);
    ASSERT_EQ(change(nothing, VT_UNKNOWN, &out), S_OK);
    EXPECT_EQ(out.punkVal, nullptr);
    EXPECT_EQ(change(variant::i4(1), VT_DISPATCH, &out), DISP_E_TYPEMISMATCH);
}

}  // namespace
