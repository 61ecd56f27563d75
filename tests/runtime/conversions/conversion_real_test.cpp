// Conversions to Double, Single and Currency: exact sources round once to the
// nearest value, currency rounds half to even at the fourth decimal, and values
// past a type's range overflow.
#include <cfloat>
#include <cmath>
#include <limits>

#include "runtime/conversions/conversion_test_support.hpp"

namespace {

using namespace conversion_test;

struct RealCase {
    const char *what;
    Maker source;
    VARTYPE to;  // VT_R8, VT_R4 or VT_CY
    HRESULT hr;
    double expected;             // VT_R8 / VT_R4
    long long expected_units;    // VT_CY, in ten-thousandths
};

const RealCase kCases[] = {
    {"text", [] { return str("1.5"); }, VT_R8, S_OK, 1.5, 0},
    {"thousands and fraction", [] { return str("1,234.5"); }, VT_R8, S_OK, 1234.5, 0},
    {"negative exponent", [] { return str("-1.5e-3"); }, VT_R8, S_OK, -0.0015, 0},
    {"exponent written with D", [] { return str("2D2"); }, VT_R8, S_OK, 200, 0},
    {"parentheses", [] { return str("(2.25)"); }, VT_R8, S_OK, -2.25, 0},
    {"currency sign after", [] { return str("3.75$"); }, VT_R8, S_OK, 3.75, 0},
    {"leading point", [] { return str(".5"); }, VT_R8, S_OK, 0.5, 0},
    {"hex", [] { return str("&H10"); }, VT_R8, S_OK, 16, 0},
    {"not a number", [] { return str("abc"); }, VT_R8, DISP_E_TYPEMISMATCH, 0, 0},
    {"a lone point", [] { return str("."); }, VT_R8, DISP_E_TYPEMISMATCH, 0, 0},
    {"beyond the double range", [] { return str("1e400"); }, VT_R8, DISP_E_OVERFLOW, 0, 0},
    {"below the double range", [] { return str("1e-400"); }, VT_R8, S_OK, 0, 0},
    {"decimal 0.1", [] { return variant::decimal(dec(u"0.1")); }, VT_R8, S_OK, 0.1, 0},
    {"currency", [] { return cy_units(15000); }, VT_R8, S_OK, 1.5, 0},
    {"currency min", [] { return cy_units(std::numeric_limits<long long>::min()); }, VT_R8, S_OK,
     -922337203685477.5808, 0},
    {"True", bool_true, VT_R8, S_OK, -1, 0},
    {"Empty", empty, VT_R8, S_OK, 0, 0},
    {"Null", [] { return variant::null(); }, VT_R8, DISP_E_TYPEMISMATCH, 0, 0},
    {"date", [] { return variant::date(36525.5); }, VT_R8, S_OK, 36525.5, 0},
    {"I8 max", [] { return variant::i8(std::numeric_limits<long long>::max()); }, VT_R8, S_OK,
     9223372036854775807.0, 0},
    // Single.
    {"double to single", [] { return variant::r8(0.1); }, VT_R4, S_OK, static_cast<double>(0.1f), 0},
    {"largest single", [] { return variant::r8(FLT_MAX); }, VT_R4, S_OK, FLT_MAX, 0},
    {"beyond single", [] { return variant::r8(1e39); }, VT_R4, DISP_E_OVERFLOW, 0, 0},
    {"negative beyond single", [] { return variant::r8(-1e39); }, VT_R4, DISP_E_OVERFLOW, 0, 0},
    {"2^24 + 1 rounds", [] { return variant::i4(16777217); }, VT_R4, S_OK, 16777216, 0},
    {"text to single", [] { return str("0.25"); }, VT_R4, S_OK, 0.25, 0},
    // Currency.
    {"double to currency", [] { return variant::r8(1.5); }, VT_CY, S_OK, 0, 15000},
    {"fifth decimal rounds half even down", [] { return str("0.00005"); }, VT_CY, S_OK, 0, 0},
    {"fifth decimal rounds half even up", [] { return str("0.00015"); }, VT_CY, S_OK, 0, 2},
    {"fifth decimal above half", [] { return str("0.000051"); }, VT_CY, S_OK, 0, 1},
    {"currency max from text", [] { return str("922337203685477.5807"); }, VT_CY, S_OK, 0,
     std::numeric_limits<long long>::max()},
    {"one past currency max", [] { return str("922337203685477.5808"); }, VT_CY, DISP_E_OVERFLOW, 0, 0},
    {"currency min from text", [] { return str("-922337203685477.5808"); }, VT_CY, S_OK, 0,
     std::numeric_limits<long long>::min()},
    {"double too big", [] { return variant::r8(1e20); }, VT_CY, DISP_E_OVERFLOW, 0, 0},
    {"I8 too big", [] { return variant::i8(1000000000000000LL); }, VT_CY, DISP_E_OVERFLOW, 0, 0},
    {"I4", [] { return variant::i4(-7); }, VT_CY, S_OK, 0, -70000},
    {"True", bool_true, VT_CY, S_OK, 0, -10000},
    {"decimal rounds at four places", [] { return variant::decimal(dec(u"1.23455")); }, VT_CY, S_OK, 0, 12346},
    {"decimal too big", [] { return variant::decimal(dec(u"1e16")); }, VT_CY, DISP_E_OVERFLOW, 0, 0},
    {"NaN", [] { return variant::r8(std::nan("")); }, VT_CY, DISP_E_OVERFLOW, 0, 0},
    {"not a number", [] { return str("1.2.3"); }, VT_CY, DISP_E_TYPEMISMATCH, 0, 0},
};

class ToReal : public ::testing::TestWithParam<RealCase> {};

TEST_P(ToReal, MatchesPlatform)
{
    const RealCase &c = GetParam();
    variant out;
    ASSERT_EQ(change(c.source(), c.to, &out), c.hr) << c.what;
    if (c.hr != S_OK)
        return;
    ASSERT_EQ(out.vt, c.to) << c.what;
    if (c.to == VT_R8)
        EXPECT_EQ(out.dblVal, c.expected) << c.what;
    else if (c.to == VT_R4)
        EXPECT_EQ(out.fltVal, static_cast<float>(c.expected)) << c.what;
    else
        EXPECT_EQ(out.cyVal.int64, c.expected_units) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Table, ToReal, ::testing::ValuesIn(kCases));

TEST(ToReal, SingleKeepsNaN)
{
    variant out;
    ASSERT_EQ(change(variant::r8(std::nan("")), VT_R4, &out), S_OK);
    EXPECT_TRUE(std::isnan(out.fltVal));
}

TEST(ToReal, HelperFunctions)
{
    FLOAT f = 0;
    EXPECT_EQ(VarR4FromR8(1e39, &f), DISP_E_OVERFLOW);
    EXPECT_EQ(VarR4FromR8(2.5, &f), S_OK);
    EXPECT_EQ(f, 2.5f);
    DOUBLE d = 0;
    EXPECT_EQ(VarR8FromStr(u" -1,000.25 ", LOCALE_EN_US, 0, &d), S_OK);
    EXPECT_EQ(d, -1000.25);
    DECIMAL m = dec(u"-79228162514264337593543950335");
    EXPECT_EQ(VarR8FromDec(&m, &d), S_OK);
    EXPECT_EQ(d, -79228162514264337593543950335.0);
    CY c;
    c.int64 = 12345;
    EXPECT_EQ(VarR8FromCy(c, &d), S_OK);
    EXPECT_EQ(d, 1.2345);
    EXPECT_EQ(VarCyFromR8(1.23456, &c), S_OK);
    EXPECT_EQ(c.int64, 12346);
    EXPECT_EQ(VarCyFromR8(1e16, &c), DISP_E_OVERFLOW);
    EXPECT_EQ(VarCyFromStr(u"$1,234.56789", LOCALE_EN_US, 0, &c), S_OK);
    EXPECT_EQ(c.int64, 12345679);
    m = dec(u"-0.00005");
    EXPECT_EQ(VarCyFromDec(&m, &c), S_OK);
    EXPECT_EQ(c.int64, 0);
}

}  // namespace
