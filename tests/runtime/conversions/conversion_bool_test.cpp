// Conversions to and from Boolean: any non-zero value is True (-1); text is
// "True"/"False" in any case, also between "#" marks, or a number; True is -1 in every signed type.
#include <cmath>

#include "runtime/conversions/conversion_test_support.hpp"

namespace {

using namespace conversion_test;

struct BoolCase {
    const char *what;
    Maker source;
    HRESULT hr;
    VARIANT_BOOL expected;
};

const BoolCase kCases[] = {
    {"True", [] { return str("True"); }, S_OK, VARIANT_TRUE},
    {"false", [] { return str("false"); }, S_OK, VARIANT_FALSE},
    {"TRUE", [] { return str("TRUE"); }, S_OK, VARIANT_TRUE},
    {"spaces around", [] { return str("  False "); }, S_OK, VARIANT_FALSE},
    {"number 1", [] { return str("1"); }, S_OK, VARIANT_TRUE},
    {"number 0", [] { return str("0"); }, S_OK, VARIANT_FALSE},
    {"number 0.0", [] { return str("0.0"); }, S_OK, VARIANT_FALSE},
    {"number 2.5", [] { return str("2.5"); }, S_OK, VARIANT_TRUE},
    {"number -1", [] { return str("-1"); }, S_OK, VARIANT_TRUE},
    {"#TRUE#", [] { return str("#TRUE#"); }, S_OK, VARIANT_TRUE},
    {"#FALSE#", [] { return str("#FALSE#"); }, S_OK, VARIANT_FALSE},
    {"#true# in any case", [] { return str("#true#"); }, S_OK, VARIANT_TRUE},
    {"#False# in any case", [] { return str("#False#"); }, S_OK, VARIANT_FALSE},
    {"#TRUE# with spaces around", [] { return str(" #TRUE# "); }, S_OK, VARIANT_TRUE},
    {"one mark is not a Boolean", [] { return str("#TRUE"); }, DISP_E_TYPEMISMATCH, 0},
    {"spaces inside the marks", [] { return str("# TRUE #"); }, DISP_E_TYPEMISMATCH, 0},
    {"marks alone", [] { return str("##"); }, DISP_E_TYPEMISMATCH, 0},
    {"a number in marks", [] { return str("#1#"); }, DISP_E_TYPEMISMATCH, 0},
    {"yes is not a Boolean", [] { return str("yes"); }, DISP_E_TYPEMISMATCH, 0},
    {"Truth is not a Boolean", [] { return str("Truth"); }, DISP_E_TYPEMISMATCH, 0},
    {"empty text", [] { return str(""); }, DISP_E_TYPEMISMATCH, 0},
    {"I4 2", [] { return variant::i4(2); }, S_OK, VARIANT_TRUE},
    {"I4 0", [] { return variant::i4(0); }, S_OK, VARIANT_FALSE},
    {"UI8 max", [] { return ui8(~0ULL); }, S_OK, VARIANT_TRUE},
    {"R8 0.1", [] { return variant::r8(0.1); }, S_OK, VARIANT_TRUE},
    {"R8 -0", [] { return variant::r8(-0.0); }, S_OK, VARIANT_FALSE},
    {"R8 NaN", [] { return variant::r8(std::nan("")); }, S_OK, VARIANT_TRUE},
    {"R4 0", [] { return variant::r4(0); }, S_OK, VARIANT_FALSE},
    {"currency 0.0001", [] { return cy_units(1); }, S_OK, VARIANT_TRUE},
    {"decimal 0 at scale 5", [] { return variant::decimal(dec_parts(0, 0, 5, false)); }, S_OK, VARIANT_FALSE},
    {"decimal 1e-28", [] { return variant::decimal(dec_parts(0, 1, 28, false)); }, S_OK, VARIANT_TRUE},
    {"date", [] { return variant::date(0.5); }, S_OK, VARIANT_TRUE},
    {"Empty", empty, S_OK, VARIANT_FALSE},
    {"Null", [] { return variant::null(); }, DISP_E_TYPEMISMATCH, 0},
    {"error value", [] { return variant::error(E_FAIL); }, DISP_E_TYPEMISMATCH, 0},
};

class ToBool : public ::testing::TestWithParam<BoolCase> {};

TEST_P(ToBool, MatchesPlatform)
{
    const BoolCase &c = GetParam();
    variant out;
    ASSERT_EQ(change(c.source(), VT_BOOL, &out), c.hr) << c.what;
    if (c.hr == S_OK) {
        EXPECT_EQ(out.vt, VT_BOOL) << c.what;
        EXPECT_EQ(out.boolVal, c.expected) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ToBool, ::testing::ValuesIn(kCases));

TEST(FromBool, TrueIsMinusOneInEveryValueType)
{
    variant out;
    ASSERT_EQ(change(bool_true(), VT_R8, &out), S_OK);
    EXPECT_EQ(out.dblVal, -1.0);
    ASSERT_EQ(change(bool_true(), VT_R4, &out), S_OK);
    EXPECT_EQ(out.fltVal, -1.0f);
    ASSERT_EQ(change(bool_true(), VT_DATE, &out), S_OK);
    EXPECT_EQ(date_of(out), -1.0);
    ASSERT_EQ(change(bool_true(), VT_DECIMAL, &out), S_OK);
    EXPECT_EQ(out.decVal.sign, DECIMAL_NEG);
    EXPECT_EQ(out.decVal.Lo64, 1u);
    EXPECT_EQ(out.decVal.Hi32, 0u);
    EXPECT_EQ(out.decVal.scale, 0);
}

TEST(ToBool, HelperFunctions)
{
    VARIANT_BOOL b = 0;
    EXPECT_EQ(VarBoolFromStr(u"fAlSe", LOCALE_EN_US, 0, &b), S_OK);
    EXPECT_EQ(b, VARIANT_FALSE);
    EXPECT_EQ(VarBoolFromStr(u"maybe", LOCALE_EN_US, VAR_LOCALBOOL, &b), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(VarBoolFromStr(u"#TRUE#", LOCALE_EN_US, 0, &b), S_OK);
    EXPECT_EQ(b, VARIANT_TRUE);
    EXPECT_EQ(VarBoolFromStr(u"#false#", LOCALE_EN_US, 0, &b), S_OK);
    EXPECT_EQ(b, VARIANT_FALSE);
    EXPECT_EQ(VarBoolFromR8(-0.25, &b), S_OK);
    EXPECT_EQ(b, VARIANT_TRUE);
    DECIMAL d = dec_parts(0, 0, 0, true);
    EXPECT_EQ(VarBoolFromDec(&d, &b), S_OK);
    EXPECT_EQ(b, VARIANT_FALSE);
    d = dec_parts(0, 1, 30, false);
    EXPECT_EQ(VarBoolFromDec(&d, &b), E_INVALIDARG);
    DECIMAL minus_one;
    EXPECT_EQ(VarDecFromBool(VARIANT_TRUE, &minus_one), S_OK);
    EXPECT_EQ(decimal_text(minus_one), "-1");
    EXPECT_EQ(VarDecFromBool(VARIANT_FALSE, &minus_one), S_OK);
    EXPECT_EQ(decimal_text(minus_one), "0");
}

}  // namespace
