// Conversions to and from DECIMAL: exact on the 96-bit mantissa, doubles kept
// to 15 significant digits, text rounded past scale 28 and refused only above
// 79228162514264337593543950335.
#include <cmath>
#include <limits>

#include "runtime/conversions/conversion_test_support.hpp"

namespace {

using namespace conversion_test;

struct Parts {
    ULONG hi;
    ULONGLONG lo;
    BYTE scale;
    bool negative;
};

struct DecimalCase {
    const char *what;
    Maker source;
    HRESULT hr;
    Parts expected;
};

constexpr ULONGLONG kAllOnes = ~0ULL;

const DecimalCase kCases[] = {
    {"0.1 from a double is exactly 0.1", [] { return variant::r8(0.1); }, S_OK, {0, 1, 1, false}},
    {"1/3 keeps 15 digits", [] { return variant::r8(1.0 / 3.0); }, S_OK, {0, 333333333333333ULL, 15, false}},
    {"123456789012345678 keeps 15 digits", [] { return variant::r8(123456789012345678.0); }, S_OK,
     {0, 123456789012346000ULL, 0, false}},
    {"-2.5", [] { return variant::r8(-2.5); }, S_OK, {0, 25, 1, true}},
    {"double 1e28", [] { return variant::r8(1e28); }, S_OK, {0x204FCE5E, 0x3E25026110000000ULL, 0, false}},
    {"double 1e29 overflows", [] { return variant::r8(1e29); }, DISP_E_OVERFLOW, {}},
    {"double NaN", [] { return variant::r8(std::nan("")); }, DISP_E_OVERFLOW, {}},
    {"double below scale 28 is zero", [] { return variant::r8(1e-30); }, S_OK, {0, 0, 28, false}},
    {"single 0.1 keeps 7 digits", [] { return variant::r4(0.1f); }, S_OK, {0, 1, 1, false}},
    {"single 1/3", [] { return variant::r4(1.0f / 3.0f); }, S_OK, {0, 3333333, 7, false}},
    {"date", [] { return variant::date(36525.5); }, S_OK, {0, 365255, 1, false}},
    {"max from text", [] { return str("79228162514264337593543950335"); }, S_OK, {0xFFFFFFFF, kAllOnes, 0, false}},
    {"negative max from text", [] { return str("-79228162514264337593543950335"); }, S_OK,
     {0xFFFFFFFF, kAllOnes, 0, true}},
    {"one past max", [] { return str("79228162514264337593543950336"); }, DISP_E_OVERFLOW, {}},
    {"30 digits", [] { return str("100000000000000000000000000000"); }, DISP_E_OVERFLOW, {}},
    {"max with a fraction below half", [] { return str("79228162514264337593543950335.4"); }, S_OK,
     {0xFFFFFFFF, kAllOnes, 0, false}},
    {"max with a fraction rounding up", [] { return str("79228162514264337593543950335.6"); }, DISP_E_OVERFLOW, {}},
    {"max mantissa at scale 28", [] { return str("7.9228162514264337593543950335"); }, S_OK,
     {0xFFFFFFFF, kAllOnes, 28, false}},
    {"scale 28", [] { return str("0.0000000000000000000000000001"); }, S_OK, {0, 1, 28, false}},
    {"30 decimals round to 28",
     [] { return str("0.123456789012345678901234567891"); }, S_OK,
     {0x03FD35EB, 0x6D797A91BE38F34FULL, 28, false}},  // 0.1234567890123456789012345679
    {"beyond scale 28 rounds to zero", [] { return str("0.00000000000000000000000000004"); }, S_OK,
     {0, 0, 28, false}},
    {"trailing fraction zeros are not scale", [] { return str("1.50"); }, S_OK, {0, 15, 1, false}},
    {"1.500 is scale 1", [] { return str("1.500"); }, S_OK, {0, 15, 1, false}},
    {"thousands with a trailing zero", [] { return str("1,234.50"); }, S_OK, {0, 12345, 1, false}},
    {"1.000 is scale 0", [] { return str("1.000"); }, S_OK, {0, 1, 0, false}},
    {"0.0 is zero at scale 0", [] { return str("0.0"); }, S_OK, {0, 0, 0, false}},
    {"0.000 is zero at scale 0", [] { return str("0.000"); }, S_OK, {0, 0, 0, false}},
    {"-2.50", [] { return str("-2.50"); }, S_OK, {0, 25, 1, true}},
    {"integer zeros stay", [] { return str("1200"); }, S_OK, {0, 1200, 0, false}},
    {"zeros between digits stay", [] { return str("10.050"); }, S_OK, {0, 1005, 2, false}},
    {"1.50E1 is 15", [] { return str("1.50E1"); }, S_OK, {0, 15, 0, false}},
    {"1.50E-1", [] { return str("1.50E-1"); }, S_OK, {0, 15, 2, false}},
    {"2.500E2 is 250", [] { return str("2.500E2"); }, S_OK, {0, 250, 0, false}},
    {"exponent", [] { return str("1.5E3"); }, S_OK, {0, 1500, 0, false}},
    {"thousands and parentheses", [] { return str("(1,234.5)"); }, S_OK, {0, 12345, 1, true}},
    {"not a number", [] { return str("1.5x"); }, DISP_E_TYPEMISMATCH, {}},
    {"True is -1", bool_true, S_OK, {0, 1, 0, true}},
    {"Empty is 0", empty, S_OK, {0, 0, 0, false}},
    {"Null", [] { return variant::null(); }, DISP_E_TYPEMISMATCH, {}},
    {"currency keeps its four places", [] { return cy_units(-15000); }, S_OK, {0, 15000, 4, true}},
    {"I8 min", [] { return variant::i8(std::numeric_limits<long long>::min()); }, S_OK,
     {0, 9223372036854775808ULL, 0, true}},
    {"UI8 max", [] { return ui8(kAllOnes); }, S_OK, {0, kAllOnes, 0, false}},
    {"I1", [] { return i1(-5); }, S_OK, {0, 5, 0, true}},
};

class ToDecimal : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(ToDecimal, MatchesPlatform)
{
    const DecimalCase &c = GetParam();
    variant out;
    ASSERT_EQ(change(c.source(), VT_DECIMAL, &out), c.hr) << c.what;
    if (c.hr != S_OK)
        return;
    EXPECT_EQ(out.vt, VT_DECIMAL) << c.what;
    const DECIMAL &d = out.decVal;
    EXPECT_EQ(d.Hi32, c.expected.hi) << c.what;
    EXPECT_EQ(d.Lo64, c.expected.lo) << c.what;
    EXPECT_EQ(d.scale, c.expected.scale) << c.what;
    EXPECT_EQ(d.sign, c.expected.negative ? DECIMAL_NEG : 0) << c.what << " (" << decimal_text(d) << ")";
}

INSTANTIATE_TEST_SUITE_P(Table, ToDecimal, ::testing::ValuesIn(kCases));

TEST(FromDecimal, ToOtherTypes)
{
    variant out;
    ASSERT_EQ(change(variant::decimal(dec_parts(0, 25, 1, false)), VT_I4, &out), S_OK);
    EXPECT_EQ(out.lVal, 2);
    ASSERT_EQ(change(variant::decimal(dec_parts(0, 35, 1, true)), VT_I8, &out), S_OK);
    EXPECT_EQ(out.llVal, -4);
    ASSERT_EQ(change(variant::decimal(dec_parts(0, 0, 0, true)), VT_I4, &out), S_OK);
    EXPECT_EQ(out.lVal, 0) << "negative zero";
    ASSERT_EQ(change(variant::decimal(dec_parts(0, 123456789, 4, false)), VT_CY, &out), S_OK);
    EXPECT_EQ(out.cyVal.int64, 123456789);
    ASSERT_EQ(change(variant::decimal(dec_parts(0, 1, 1, false)), VT_R8, &out), S_OK);
    EXPECT_EQ(out.dblVal, 0.1);
    ASSERT_EQ(change(variant::decimal(dec_parts(0, 365255, 1, false)), VT_DATE, &out), S_OK);
    EXPECT_EQ(date_of(out), 36525.5);
    EXPECT_EQ(change(variant::decimal(dec_parts(0, 1, 29, false)), VT_I4, &out), E_INVALIDARG);
    DECIMAL bad_sign = dec_parts(0, 1, 0, false);
    bad_sign.sign = 0x01;
    EXPECT_EQ(change(variant::decimal(bad_sign), VT_R8, &out), E_INVALIDARG);
}

TEST(FromDecimal, HelperFunctions)
{
    DECIMAL d;
    EXPECT_EQ(VarDecFromI8(-42, &d), S_OK);
    EXPECT_EQ(decimal_text(d), "-42");
    EXPECT_EQ(VarDecFromUI8(18446744073709551615ULL, &d), S_OK);
    EXPECT_EQ(decimal_text(d), "18446744073709551615");
    EXPECT_EQ(VarDecFromR8(0.1 + 0.2, &d), S_OK);
    EXPECT_EQ(decimal_text(d), "0.3");
    EXPECT_EQ(VarDecFromR4(2.5f, &d), S_OK);
    EXPECT_EQ(decimal_text(d), "2.5");
    CY c;
    c.int64 = 10001;
    EXPECT_EQ(VarDecFromCy(c, &d), S_OK);
    EXPECT_EQ(decimal_text(d), "1.0001");
    EXPECT_EQ(VarDecFromStr(u"79228162514264337593543950336", LOCALE_EN_US, 0, &d), DISP_E_OVERFLOW);
    EXPECT_EQ(VarDecFromStr(nullptr, LOCALE_EN_US, 0, &d), E_INVALIDARG);
    EXPECT_EQ(VarDecFromDate(-1.5, &d), S_OK);
    EXPECT_EQ(decimal_text(d), "-1.5");
}

// The text-to-DECIMAL reading drops trailing fraction zeros; text to every
// other type reads the same value as before.
TEST(FromText, TrailingZerosOnlyChangeDecimalScale)
{
    DECIMAL d;
    ASSERT_EQ(VarDecFromStr(u"1.500", LOCALE_EN_US, 0, &d), S_OK);
    EXPECT_EQ(d.scale, 1);
    EXPECT_EQ(d.Lo64, 15u);
    ASSERT_EQ(VarDecFromStr(u"1,234.50", LOCALE_EN_US, 0, &d), S_OK);
    EXPECT_EQ(d.scale, 1);
    EXPECT_EQ(d.Lo64, 12345u);
    EXPECT_EQ(decimal_text(d), "1234.5");

    variant out;
    ASSERT_EQ(change(str("1.500"), VT_CY, &out), S_OK);
    EXPECT_EQ(out.cyVal.int64, 15000);
    ASSERT_EQ(change(str("1,234.50"), VT_R8, &out), S_OK);
    EXPECT_EQ(out.dblVal, 1234.5);
    ASSERT_EQ(change(str("2.50"), VT_I4, &out), S_OK);
    EXPECT_EQ(out.lVal, 2);
}

}  // namespace
