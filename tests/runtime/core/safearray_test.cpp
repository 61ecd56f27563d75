#include <gtest/gtest.h>

#include "oleaut.h"

namespace {

TEST(SafeArray, VectorBoundsAndElements)
{
    SAFEARRAY *psa = SafeArrayCreateVector(VT_I4, 1, 3);
    ASSERT_NE(psa, nullptr);
    LONG lb = 0, ub = 0;
    EXPECT_EQ(SafeArrayGetLBound(psa, 1, &lb), S_OK);
    EXPECT_EQ(SafeArrayGetUBound(psa, 1, &ub), S_OK);
    EXPECT_EQ(lb, 1);
    EXPECT_EQ(ub, 3);
    VARTYPE vt = VT_EMPTY;
    EXPECT_EQ(SafeArrayGetVartype(psa, &vt), S_OK);
    EXPECT_EQ(vt, VT_I4);
    for (LONG i = 1; i <= 3; ++i) {
        LONG v = i * 10;
        ASSERT_EQ(SafeArrayPutElement(psa, &i, &v), S_OK);
    }
    LONG idx = 2, out = 0;
    EXPECT_EQ(SafeArrayGetElement(psa, &idx, &out), S_OK);
    EXPECT_EQ(out, 20);
    EXPECT_EQ(SafeArrayDestroy(psa), S_OK);
}

TEST(SafeArray, IndexOutOfBoundsIsBadIndex)
{
    SAFEARRAY *psa = SafeArrayCreateVector(VT_R8, 0, 2);
    double d = 1.5;
    for (LONG bad : {-1, 2, 0x7FFFFFFF}) {
        EXPECT_EQ(SafeArrayPutElement(psa, &bad, &d), DISP_E_BADINDEX) << bad;
        EXPECT_EQ(SafeArrayGetElement(psa, &bad, &d), DISP_E_BADINDEX) << bad;
    }
    LONG sink = 0;
    EXPECT_EQ(SafeArrayGetLBound(psa, 2, &sink), DISP_E_BADINDEX);
    EXPECT_EQ(SafeArrayGetLBound(psa, 0, &sink), DISP_E_BADINDEX);
    SafeArrayDestroy(psa);
}

TEST(SafeArray, TwoDimensionsAreColumnMajorAndBoundsPerDimension)
{
    SAFEARRAYBOUND b[2] = {{2, 1}, {3, 0}};  // rows 1..2, columns 0..2
    SAFEARRAY *psa = SafeArrayCreate(VT_I2, 2, b);
    ASSERT_NE(psa, nullptr);
    LONG lb = 9, ub = 9;
    SafeArrayGetLBound(psa, 2, &lb);
    SafeArrayGetUBound(psa, 2, &ub);
    EXPECT_EQ(lb, 0);
    EXPECT_EQ(ub, 2);
    LONG idx[2] = {2, 1};  // row 2, column 1
    SHORT v = 7;
    ASSERT_EQ(SafeArrayPutElement(psa, idx, &v), S_OK);
    SHORT *data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(psa, reinterpret_cast<void **>(&data)), S_OK);
    EXPECT_EQ(data[(2 - 1) + (1 - 0) * 2], 7);  // the first dimension varies fastest
    EXPECT_EQ(SafeArrayDestroy(psa), DISP_E_ARRAYISLOCKED);
    SafeArrayUnaccessData(psa);
    EXPECT_EQ(SafeArrayDestroy(psa), S_OK);
}

TEST(SafeArray, StringElementsAreCopiedInAndOut)
{
    SAFEARRAY *psa = SafeArrayCreateVector(VT_BSTR, 0, 2);
    BSTR s = SysAllocString(u"Jan");
    LONG i = 0;
    ASSERT_EQ(SafeArrayPutElement(psa, &i, s), S_OK);
    SysFreeString(s);  // the array holds its own copy
    BSTR replacement = SysAllocString(u"Feb");
    ASSERT_EQ(SafeArrayPutElement(psa, &i, replacement), S_OK);  // the old copy is freed
    SysFreeString(replacement);
    BSTR out = nullptr;
    ASSERT_EQ(SafeArrayGetElement(psa, &i, &out), S_OK);
    EXPECT_EQ(std::u16string_view(out, SysStringLen(out)), u"Feb");
    SysFreeString(out);

    SAFEARRAY *copy = nullptr;
    ASSERT_EQ(SafeArrayCopy(psa, &copy), S_OK);
    SafeArrayDestroy(psa);
    ASSERT_EQ(SafeArrayGetElement(copy, &i, &out), S_OK);
    EXPECT_EQ(std::u16string_view(out, SysStringLen(out)), u"Feb");
    SysFreeString(out);
    SafeArrayDestroy(copy);
}

TEST(SafeArray, VariantElementsAreClearedOnDestroy)
{
    SAFEARRAY *psa = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(u"kept until destroy");
    LONG i = 0;
    ASSERT_EQ(SafeArrayPutElement(psa, &i, &v), S_OK);
    VariantClear(&v);
    EXPECT_EQ(SafeArrayDestroy(psa), S_OK);  // the sanitizer build proves nothing leaks
}

TEST(SafeArray, UnsupportedElementTypesAreRefused)
{
    for (VARTYPE vt : {VARTYPE(VT_EMPTY), VARTYPE(VT_NULL), VARTYPE(VT_VOID), VARTYPE(VT_LPSTR), VARTYPE(0x0FFF)})
        EXPECT_EQ(SafeArrayCreateVector(vt, 0, 1), nullptr) << vt;
    EXPECT_EQ(SafeArrayCreate(VT_I4, 0, nullptr), nullptr);
}

}  // namespace
