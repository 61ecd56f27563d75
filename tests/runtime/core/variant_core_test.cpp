#include <gtest/gtest.h>

#include "oleaut.h"
#include "support/counting_object.h"

namespace {

TEST(VariantCore, LayoutMatchesWindows)
{
    EXPECT_EQ(sizeof(VARIANT), 24u);
    EXPECT_EQ(sizeof(DECIMAL), 16u);
    EXPECT_EQ(sizeof(GUID), 16u);
    EXPECT_EQ(sizeof(SAFEARRAY), 32u);  // as on Win64: the data pointer is 8-aligned
    EXPECT_EQ(sizeof(EXCEPINFO), 64u);
    EXPECT_EQ(offsetof(VARIANT, lVal), 8u);
    VARIANT v;
    VariantInit(&v);
    v.decVal.wReserved = 0;  // DECIMAL's first word is the variant's vt
    v.vt = VT_DECIMAL;
    EXPECT_EQ(v.decVal.wReserved, VT_DECIMAL);
}

TEST(VariantCore, ClearRefusesGarbageTypes)
{
    for (VARTYPE vt : {VARTYPE(15), VARTYPE(VT_VARIANT), VARTYPE(VT_VOID), VARTYPE(0x0FFF), VARTYPE(0x8003),
                       VARTYPE(VT_ARRAY | VT_EMPTY), VARTYPE(VT_BYREF | VT_NULL)}) {
        VARIANT v;
        VariantInit(&v);
        v.vt = vt;
        EXPECT_EQ(VariantClear(&v), DISP_E_BADVARTYPE) << std::hex << vt;
        VARIANT d;
        VariantInit(&d);
        EXPECT_EQ(VariantCopy(&d, &v), DISP_E_BADVARTYPE) << std::hex << vt;
    }
}

TEST(VariantCore, CopyDuplicatesStringsWithEmbeddedNuls)
{
    const OLECHAR text[] = {u'a', 0, u'b'};
    VARIANT src, dst;
    VariantInit(&src);
    VariantInit(&dst);
    src.vt = VT_BSTR;
    src.bstrVal = SysAllocStringLen(text, 3);
    ASSERT_EQ(VariantCopy(&dst, &src), S_OK);
    ASSERT_EQ(dst.vt, VT_BSTR);
    EXPECT_NE(dst.bstrVal, src.bstrVal);
    EXPECT_EQ(std::u16string_view(dst.bstrVal, SysStringLen(dst.bstrVal)), std::u16string_view(text, 3));
    VariantClear(&src);
    VariantClear(&dst);
}

TEST(VariantCore, CopyKeepsNullStringNull)
{
    VARIANT src, dst;
    VariantInit(&src);
    VariantInit(&dst);
    src.vt = VT_BSTR;
    src.bstrVal = nullptr;
    ASSERT_EQ(VariantCopy(&dst, &src), S_OK);
    EXPECT_EQ(dst.vt, VT_BSTR);
    EXPECT_EQ(dst.bstrVal, nullptr);
}

TEST(VariantCore, ObjectsAreAddRefedOnCopyAndReleasedOnClear)
{
    test_support::counting_object obj;
    VARIANT src, dst;
    VariantInit(&src);
    VariantInit(&dst);
    src.vt = VT_DISPATCH;
    src.pdispVal = &obj;
    obj.AddRef();
    ASSERT_EQ(VariantCopy(&dst, &src), S_OK);
    EXPECT_EQ(obj.refs(), 2);
    VariantClear(&dst);
    VariantClear(&src);
    EXPECT_EQ(obj.refs(), 0);
}

TEST(VariantCore, CopyIndDereferences)
{
    LONG target = 42;
    VARIANT ref, out;
    VariantInit(&ref);
    VariantInit(&out);
    ref.vt = VT_BYREF | VT_I4;
    ref.plVal = &target;
    ASSERT_EQ(VariantCopyInd(&out, &ref), S_OK);
    EXPECT_EQ(out.vt, VT_I4);
    EXPECT_EQ(out.lVal, 42);

    VARIANT inner;
    VariantInit(&inner);
    inner.vt = VT_BSTR;
    inner.bstrVal = SysAllocString(u"title");
    ref.vt = VT_BYREF | VT_VARIANT;
    ref.pvarVal = &inner;
    ASSERT_EQ(VariantCopyInd(&out, &ref), S_OK);
    ASSERT_EQ(out.vt, VT_BSTR);
    EXPECT_NE(out.bstrVal, inner.bstrVal);
    EXPECT_EQ(std::u16string_view(out.bstrVal), u"title");
    VariantClear(&out);

    // In place: the reference is replaced by a copy of what it points at.
    ASSERT_EQ(VariantCopyInd(&ref, &ref), S_OK);
    EXPECT_EQ(ref.vt, VT_BSTR);
    EXPECT_NE(ref.bstrVal, inner.bstrVal);
    VariantClear(&ref);
    VariantClear(&inner);

    DECIMAL dec{};
    dec.Lo64 = 12345;
    dec.scale = 2;
    ref.vt = VT_BYREF | VT_DECIMAL;
    ref.pdecVal = &dec;
    ASSERT_EQ(VariantCopyInd(&out, &ref), S_OK);
    EXPECT_EQ(out.vt, VT_DECIMAL);
    EXPECT_EQ(out.decVal.Lo64, 12345u);
    EXPECT_EQ(out.decVal.scale, 2);
}

TEST(VariantCore, CopyIndRefusesReferenceToReference)
{
    VARIANT inner, ref, out;
    LONG x = 1;
    VariantInit(&inner);
    VariantInit(&out);
    inner.vt = VT_BYREF | VT_VARIANT;
    inner.pvarVal = &ref;
    ref.vt = VT_BYREF | VT_I4;
    ref.plVal = &x;
    VARIANT outer;
    outer.vt = VT_BYREF | VT_VARIANT;
    outer.pvarVal = &inner;
    EXPECT_EQ(VariantCopyInd(&out, &outer), E_INVALIDARG);
    EXPECT_EQ(out.vt, VT_EMPTY);
}

TEST(VariantCore, ArraysCopyDeep)
{
    VARIANT src, dst;
    VariantInit(&src);
    VariantInit(&dst);
    src.vt = VT_ARRAY | VT_I4;
    src.parray = SafeArrayCreateVector(VT_I4, 0, 2);
    ASSERT_EQ(VariantCopy(&dst, &src), S_OK);
    EXPECT_NE(dst.parray, src.parray);
    LONG i = 1, v = 5;
    SafeArrayPutElement(src.parray, &i, &v);
    LONG got = -1;
    SafeArrayGetElement(dst.parray, &i, &got);
    EXPECT_EQ(got, 0);
    VariantClear(&src);
    VariantClear(&dst);
}

}  // namespace
