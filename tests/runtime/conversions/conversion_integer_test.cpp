// Conversions to the integer types: banker's rounding, the range of each type,
// text in all the forms locale 1033 accepts, and the refusals.
#include <cmath>
#include <limits>

#include "runtime/conversions/conversion_test_support.hpp"

namespace {

using namespace conversion_test;

struct IntegerCase {
    const char *what;
    Maker source;
    VARTYPE to;
    HRESULT hr;
    long long expected;  // when hr is S_OK (UI8 cases fit below 2^63 or use UnsignedTargets)
};

long long integer_value(const VARIANT &v)
{
    switch (v.vt) {
    case VT_I1: return v.cVal;
    case VT_UI1: return v.bVal;
    case VT_I2: return v.iVal;
    case VT_UI2: return v.uiVal;
    case VT_I4: return v.lVal;
    case VT_UI4: return v.ulVal;
    case VT_I8: return v.llVal;
    case VT_UI8: return static_cast<long long>(v.ullVal);
    case VT_INT: return v.intVal;
    case VT_UINT: return v.uintVal;
    default: ADD_FAILURE() << "not an integer variant: vt " << v.vt; return 0;
    }
}

const IntegerCase kCases[] = {
    // Banker's rounding: halves go to the even neighbour.
    {"2.5 -> 2", [] { return variant::r8(2.5); }, VT_I4, S_OK, 2},
    {"3.5 -> 4", [] { return variant::r8(3.5); }, VT_I4, S_OK, 4},
    {"-2.5 -> -2", [] { return variant::r8(-2.5); }, VT_I4, S_OK, -2},
    {"-3.5 -> -4", [] { return variant::r8(-3.5); }, VT_I2, S_OK, -4},
    {"0.5 -> 0", [] { return variant::r8(0.5); }, VT_UI1, S_OK, 0},
    {"2.6 -> 3", [] { return variant::r8(2.6); }, VT_I8, S_OK, 3},
    {"single 2.5 -> 2", [] { return variant::r4(2.5f); }, VT_I4, S_OK, 2},
    {"date 36525.5 -> 36526", [] { return variant::date(36525.5); }, VT_I4, S_OK, 36526},
    {"currency 2.5 -> 2", [] { return cy_units(25000); }, VT_I4, S_OK, 2},
    {"currency 3.5 -> 4", [] { return cy_units(35000); }, VT_I4, S_OK, 4},
    {"currency -2.5 -> -2", [] { return cy_units(-25000); }, VT_I2, S_OK, -2},
    {"decimal 2.5 -> 2", [] { return variant::decimal(dec(u"2.5")); }, VT_I4, S_OK, 2},
    {"decimal 3.5 -> 4", [] { return variant::decimal(dec(u"3.5")); }, VT_I4, S_OK, 4},
    {"decimal -0.5 -> 0", [] { return variant::decimal(dec(u"-0.5")); }, VT_I4, S_OK, 0},
    {"text 2.5 -> 2", [] { return str("2.5"); }, VT_I4, S_OK, 2},
    // Ranges: the limit fits, one past it overflows; rounding happens before the check.
    {"40000 to I2", [] { return variant::i4(40000); }, VT_I2, DISP_E_OVERFLOW, 0},
    {"32767 to I2", [] { return variant::i4(32767); }, VT_I2, S_OK, 32767},
    {"-32768 to I2", [] { return variant::i4(-32768); }, VT_I2, S_OK, -32768},
    {"-32769 to I2", [] { return variant::i4(-32769); }, VT_I2, DISP_E_OVERFLOW, 0},
    {"32767.5 rounds to 32768", [] { return variant::r8(32767.5); }, VT_I2, DISP_E_OVERFLOW, 0},
    {"-32768.5 rounds to -32768", [] { return variant::r8(-32768.5); }, VT_I2, S_OK, -32768},
    {"128 to I1", [] { return variant::i2(128); }, VT_I1, DISP_E_OVERFLOW, 0},
    {"-128 to I1", [] { return variant::i2(-128); }, VT_I1, S_OK, -128},
    {"255 to UI1", [] { return variant::i4(255); }, VT_UI1, S_OK, 255},
    {"256 to UI1", [] { return variant::i4(256); }, VT_UI1, DISP_E_OVERFLOW, 0},
    {"-1 to UI1", [] { return variant::i4(-1); }, VT_UI1, DISP_E_OVERFLOW, 0},
    {"-1 to UI2", [] { return variant::i2(-1); }, VT_UI2, DISP_E_OVERFLOW, 0},
    {"65535 to UI2", [] { return ui4(65535); }, VT_UI2, S_OK, 65535},
    {"-1 to UI4", [] { return variant::i4(-1); }, VT_UI4, DISP_E_OVERFLOW, 0},
    {"4294967295 to I4", [] { return ui4(4294967295u); }, VT_I4, DISP_E_OVERFLOW, 0},
    {"4294967295 to I8", [] { return ui4(4294967295u); }, VT_I8, S_OK, 4294967295LL},
    {"3e9 to INT", [] { return variant::i8(3000000000LL); }, VT_INT, DISP_E_OVERFLOW, 0},
    {"3e9 to UINT", [] { return variant::i8(3000000000LL); }, VT_UINT, S_OK, 3000000000LL},
    {"UI8 max to I8", [] { return ui8(~0ULL); }, VT_I8, DISP_E_OVERFLOW, 0},
    {"-1 to UI8", [] { return variant::i8(-1); }, VT_UI8, DISP_E_OVERFLOW, 0},
    {"2^63 to I8", [] { return variant::r8(9223372036854775808.0); }, VT_I8, DISP_E_OVERFLOW, 0},
    {"-2^63 to I8", [] { return variant::r8(-9223372036854775808.0); }, VT_I8, S_OK,
     std::numeric_limits<long long>::min()},
    {"NaN", [] { return variant::r8(std::nan("")); }, VT_I4, DISP_E_OVERFLOW, 0},
    {"infinity", [] { return variant::r8(INFINITY); }, VT_I8, DISP_E_OVERFLOW, 0},
    {"1e300", [] { return variant::r8(1e300); }, VT_UI8, DISP_E_OVERFLOW, 0},
    {"currency max to I4", [] { return cy_units(std::numeric_limits<long long>::max()); }, VT_I4, DISP_E_OVERFLOW, 0},
    {"currency max to I8", [] { return cy_units(std::numeric_limits<long long>::max()); }, VT_I8, S_OK,
     922337203685478LL},
    {"decimal max to I8", [] { return variant::decimal(dec(u"79228162514264337593543950335")); }, VT_I8,
     DISP_E_OVERFLOW, 0},
    // Booleans: True is -1 in every signed type; Byte takes its bits (255);
    // the wider unsigned types go through -1 as a 16-bit integer and overflow.
    {"True to I1", bool_true, VT_I1, S_OK, -1},
    {"True to I2", bool_true, VT_I2, S_OK, -1},
    {"True to I4", bool_true, VT_I4, S_OK, -1},
    {"True to I8", bool_true, VT_I8, S_OK, -1},
    {"True to INT", bool_true, VT_INT, S_OK, -1},
    {"True to UI1", bool_true, VT_UI1, S_OK, 255},
    {"True to UI2", bool_true, VT_UI2, DISP_E_OVERFLOW, 0},
    {"True to UI4", bool_true, VT_UI4, DISP_E_OVERFLOW, 0},
    {"True to UINT", bool_true, VT_UINT, DISP_E_OVERFLOW, 0},
    {"False to UI4", [] { return variant::boolean(false); }, VT_UI4, S_OK, 0},
    // Empty is 0; Null, errors and text that is not a number are refused.
    {"Empty", empty, VT_I4, S_OK, 0},
    {"Empty to UI8", empty, VT_UI8, S_OK, 0},
    {"Null", [] { return variant::null(); }, VT_I4, DISP_E_TYPEMISMATCH, 0},
    {"error value", [] { return variant::error(DISP_E_PARAMNOTFOUND); }, VT_I4, DISP_E_TYPEMISMATCH, 0},
    // Text.
    {"spaces", [] { return str("  42  "); }, VT_I4, S_OK, 42},
    {"thousands", [] { return str("1,234,567"); }, VT_I4, S_OK, 1234567},
    {"leading minus", [] { return str("-17"); }, VT_I2, S_OK, -17},
    {"leading plus", [] { return str("+17"); }, VT_I2, S_OK, 17},
    {"trailing minus", [] { return str("17-"); }, VT_I2, S_OK, -17},
    {"parentheses", [] { return str("(17)"); }, VT_I4, S_OK, -17},
    {"currency sign", [] { return str("$1,000"); }, VT_I4, S_OK, 1000},
    {"minus and currency sign", [] { return str("-$5"); }, VT_I4, S_OK, -5},
    {"exponent", [] { return str("1.5E3"); }, VT_I4, S_OK, 1500},
    {"negative exponent", [] { return str("25e-1"); }, VT_I4, S_OK, 2},
    {"hex", [] { return str("&HFF"); }, VT_I4, S_OK, 255},
    {"hex lower case", [] { return str("&hff"); }, VT_I2, S_OK, 255},
    {"hex pattern of -1 in 16 bits", [] { return str("&HFFFF"); }, VT_I2, S_OK, -1},
    {"hex 0xFFFF is 65535 in 32 bits", [] { return str("&HFFFF"); }, VT_I4, S_OK, 65535},
    {"hex pattern of -1 in 32 bits", [] { return str("&HFFFFFFFF"); }, VT_I4, S_OK, -1},
    {"hex too wide for I2", [] { return str("&H10000"); }, VT_I2, DISP_E_OVERFLOW, 0},
    {"octal", [] { return str("&O17"); }, VT_I4, S_OK, 15},
    {"text 40000 to I2", [] { return str("40000"); }, VT_I2, DISP_E_OVERFLOW, 0},
    {"text 1e100", [] { return str("1e100"); }, VT_I8, DISP_E_OVERFLOW, 0},
    {"not a number", [] { return str("abc"); }, VT_I4, DISP_E_TYPEMISMATCH, 0},
    {"trailing garbage", [] { return str("12abc"); }, VT_I4, DISP_E_TYPEMISMATCH, 0},
    {"empty text", [] { return str(""); }, VT_I4, DISP_E_TYPEMISMATCH, 0},
    {"only spaces", [] { return str("   "); }, VT_I4, DISP_E_TYPEMISMATCH, 0},
    {"two signs", [] { return str("-5-"); }, VT_I4, DISP_E_TYPEMISMATCH, 0},
    {"sign inside parentheses", [] { return str("(-5)"); }, VT_I4, DISP_E_TYPEMISMATCH, 0},
    {"unclosed parenthesis", [] { return str("(5"); }, VT_I4, DISP_E_TYPEMISMATCH, 0},
    {"two points", [] { return str("1.2.3"); }, VT_I4, DISP_E_TYPEMISMATCH, 0},
    {"exponent without digits", [] { return str("1E"); }, VT_I4, DISP_E_TYPEMISMATCH, 0},
    {"hex without digits", [] { return str("&H"); }, VT_I4, DISP_E_TYPEMISMATCH, 0},
    {"null string", [] { return variant::null_bstr(); }, VT_I4, DISP_E_TYPEMISMATCH, 0},
};

class ToInteger : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(ToInteger, MatchesPlatform)
{
    const IntegerCase &c = GetParam();
    variant src = c.source();
    variant out;
    HRESULT hr = change(src, c.to, &out);
    ASSERT_EQ(hr, c.hr) << c.what;
    if (c.hr == S_OK) {
        EXPECT_EQ(out.vt, c.to) << c.what;
        EXPECT_EQ(integer_value(out), c.expected) << c.what;
    } else {
        EXPECT_EQ(out.vt, VT_EMPTY) << c.what << ": a failed conversion must leave the destination alone";
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ToInteger, ::testing::ValuesIn(kCases));

TEST(ToInteger, FullUnsignedRange)
{
    variant out;
    ASSERT_EQ(change(str("18446744073709551615"), VT_UI8, &out), S_OK);
    EXPECT_EQ(out.ullVal, ~0ULL);
    EXPECT_EQ(change(str("18446744073709551616"), VT_UI8, &out), DISP_E_OVERFLOW);
    ASSERT_EQ(change(str("&HFFFFFFFFFFFFFFFF"), VT_UI8, &out), S_OK);
    EXPECT_EQ(out.ullVal, ~0ULL);
    EXPECT_EQ(change(str("&H10000000000000000"), VT_UI8, &out), DISP_E_OVERFLOW);
}

TEST(ToInteger, HelperFunctions)
{
    SHORT s = 0;
    EXPECT_EQ(VarI2FromI4(40000, &s), DISP_E_OVERFLOW);
    EXPECT_EQ(VarI2FromR8(-2.5, &s), S_OK);
    EXPECT_EQ(s, -2);
    EXPECT_EQ(VarI2FromStr(u"(1,000)", LOCALE_EN_US, 0, &s), S_OK);
    EXPECT_EQ(s, -1000);
    DECIMAL d = dec(u"32767.49");
    EXPECT_EQ(VarI2FromDec(&d, &s), S_OK);
    EXPECT_EQ(s, 32767);
    LONG l = 0;
    EXPECT_EQ(VarI4FromI8(2147483648LL, &l), DISP_E_OVERFLOW);
    EXPECT_EQ(VarI4FromR8(1.5, &l), S_OK);
    EXPECT_EQ(l, 2);
    EXPECT_EQ(VarI4FromStr(u"abc", LOCALE_EN_US, 0, &l), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(VarI4FromStr(nullptr, LOCALE_EN_US, 0, &l), E_INVALIDARG);
    d = dec(u"-2147483648.5");
    EXPECT_EQ(VarI4FromDec(&d, &l), S_OK);
    EXPECT_EQ(l, -2147483648LL);
    LONG64 ll = 0;
    EXPECT_EQ(VarI8FromR8(4.5, &ll), S_OK);
    EXPECT_EQ(ll, 4);
    EXPECT_EQ(VarI8FromStr(u"9223372036854775808", LOCALE_EN_US, 0, &ll), DISP_E_OVERFLOW);
    d = dec(u"-9223372036854775808");
    EXPECT_EQ(VarI8FromDec(&d, &ll), S_OK);
    EXPECT_EQ(ll, std::numeric_limits<long long>::min());
}

}  // namespace
