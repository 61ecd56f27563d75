// Dates: serials to text and back (locale 1033), numbers to dates within
// 1/1/100 .. 12/31/9999, leap years, and times before the 1899 epoch.
#include <cmath>
#include <ctime>

#include "runtime/conversions/conversion_test_support.hpp"

namespace {

using namespace conversion_test;

struct FormatCase {
    DATE serial;
    const char *expected;
};

const FormatCase kFormat[] = {
    {0, "12:00:00 AM"},
    {0.5, "12:00:00 PM"},
    {0.5625, "1:30:00 PM"},
    {36525, "12/31/1999"},
    {36525.5, "12/31/1999 12:00:00 PM"},
    {36525 + 13.5 / 24, "12/31/1999 1:30:00 PM"},
    {36526 + 1.0 / 86400, "1/1/2000 12:00:01 AM"},
    {1, "12/31/1899"},
    {2, "1/1/1900"},
    {60, "2/28/1900"},  // 1900 is not a leap year
    {61, "3/1/1900"},
    {36585, "2/29/2000"},  // 2000 is
    {45351, "2/29/2024"},
    {-1, "12/29/1899"},
    {-1.25, "12/29/1899 6:00:00 AM"},  // before the epoch the fraction still counts forward
    {-0.5, "12:00:00 PM"},
    {VTDATEGRE_MAX, "12/31/9999"},
    {VTDATEGRE_MAX + 0.5, "12/31/9999 12:00:00 PM"},
    {VTDATEGRE_MIN, "1/1/100"},
    {VTDATEGRE_MIN - 0.5, "1/1/100 12:00:00 PM"},
};

class DateToText : public ::testing::TestWithParam<FormatCase> {};

TEST_P(DateToText, MatchesPlatform)
{
    const FormatCase &c = GetParam();
    EXPECT_EQ(as_text(variant::date(c.serial)), c.expected) << "serial " << c.serial;
    BSTR b = nullptr;
    ASSERT_EQ(VarBstrFromDate(c.serial, LOCALE_EN_US, 0, &b), S_OK);
    EXPECT_EQ(utf8(b), c.expected);
    SysFreeString(b);
}

INSTANTIATE_TEST_SUITE_P(Table, DateToText, ::testing::ValuesIn(kFormat));

TEST(DateToText, OutsideTheCalendarIsRefused)
{
    BSTR b = nullptr;
    EXPECT_EQ(VarBstrFromDate(VTDATEGRE_MAX + 1, LOCALE_EN_US, 0, &b), E_INVALIDARG);
    EXPECT_EQ(VarBstrFromDate(VTDATEGRE_MIN - 1, LOCALE_EN_US, 0, &b), E_INVALIDARG);
    EXPECT_EQ(VarBstrFromDate(std::nan(""), LOCALE_EN_US, 0, &b), E_INVALIDARG);
    EXPECT_EQ(b, nullptr);
}

TEST(DateToText, OnePartOnly)
{
    BSTR b = nullptr;
    ASSERT_EQ(VarBstrFromDate(36525.5, LOCALE_EN_US, VAR_DATEVALUEONLY, &b), S_OK);
    EXPECT_EQ(utf8(b), "12/31/1999");
    SysFreeString(b);
    ASSERT_EQ(VarBstrFromDate(36525.5, LOCALE_EN_US, VAR_TIMEVALUEONLY, &b), S_OK);
    EXPECT_EQ(utf8(b), "12:00:00 PM");
    SysFreeString(b);
    ASSERT_EQ(VarBstrFromDate(36525, LOCALE_EN_US, VAR_TIMEVALUEONLY, &b), S_OK);
    EXPECT_EQ(utf8(b), "12:00:00 AM");
    SysFreeString(b);
}

struct ParseCase {
    const char *text;
    HRESULT hr;
    DATE expected;
};

const ParseCase kParse[] = {
    {"12/31/1999", S_OK, 36525},
    {"12/31/1999 1:30:00 PM", S_OK, 36525 + 13.5 / 24},
    {"12/31/1999 13:30", S_OK, 36525 + 13.5 / 24},
    {"1:30 PM", S_OK, 0.5625},
    {"1:30:15 am", S_OK, (3600 + 30 * 60 + 15) / 86400.0},
    {"12:00 AM", S_OK, 0},
    {"12:00 PM", S_OK, 0.5},
    {"1 PM", S_OK, 13 / 24.0},
    {"13:30", S_OK, 0.5625},
    {"1999-12-31", S_OK, 36525},
    {"Dec 31, 1999", S_OK, 36525},
    {"December 31, 1999", S_OK, 36525},
    {"31 Dec 1999", S_OK, 36525},
    {"31-Dec-1999", S_OK, 36525},
    {"Friday, December 31, 1999", S_OK, 36525},
    {"  12/31/1999  ", S_OK, 36525},
    {"12-31-1999", S_OK, 36525},
    {"12/31/99", S_OK, 36525},
    {"1/1/30", S_OK, 10959},    // two-digit years from 30 are 19xx
    {"12/31/29", S_OK, 47483},  // and up to 29 are 20xx
    {"2/29/2000", S_OK, 36585},
    {"2/29/2024", S_OK, 45351},
    {"1/1/100", S_OK, VTDATEGRE_MIN},
    {"12/31/9999 11:59:59 PM", S_OK, VTDATEGRE_MAX + 86399 / 86400.0},
    {"12/29/1899 6:00 AM", S_OK, -1.25},
    {"2/29/1900", DISP_E_TYPEMISMATCH, 0},
    {"2/30/2000", DISP_E_TYPEMISMATCH, 0},
    {"13/13/2000", DISP_E_TYPEMISMATCH, 0},
    {"25:00", DISP_E_TYPEMISMATCH, 0},
    {"12:60", DISP_E_TYPEMISMATCH, 0},
    {"13:00 PM", DISP_E_TYPEMISMATCH, 0},
    {"1/1/10000", DISP_E_TYPEMISMATCH, 0},
    {"abc", DISP_E_TYPEMISMATCH, 0},
    {"", DISP_E_TYPEMISMATCH, 0},
    {"PM", DISP_E_TYPEMISMATCH, 0},
    {"12//1999", DISP_E_TYPEMISMATCH, 0},
    {"12/31/1999/5", DISP_E_TYPEMISMATCH, 0},
};

class TextToDate : public ::testing::TestWithParam<ParseCase> {};

TEST_P(TextToDate, MatchesPlatform)
{
    const ParseCase &c = GetParam();
    variant out;
    ASSERT_EQ(change(str(c.text), VT_DATE, &out), c.hr) << c.text;
    if (c.hr == S_OK) {
        EXPECT_EQ(out.vt, VT_DATE);
        EXPECT_NEAR(date_of(out), c.expected, 1e-9) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, TextToDate, ::testing::ValuesIn(kParse));

TEST(TextToDate, WithoutAYearMeansThisYear)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    DATE d = 0;
    ASSERT_EQ(VarDateFromStr(u"7/4", LOCALE_EN_US, 0, &d), S_OK);
    BSTR b = nullptr;
    ASSERT_EQ(VarBstrFromDate(d, LOCALE_EN_US, 0, &b), S_OK);
    EXPECT_EQ(utf8(b), "7/4/" + std::to_string(local.tm_year + 1900));
    SysFreeString(b);
}

TEST(TextToDate, OnePartOnly)
{
    DATE d = 0;
    ASSERT_EQ(VarDateFromStr(u"12/31/1999 6:00 PM", LOCALE_EN_US, VAR_DATEVALUEONLY, &d), S_OK);
    EXPECT_EQ(d, 36525);
    ASSERT_EQ(VarDateFromStr(u"12/31/1999 6:00 PM", LOCALE_EN_US, VAR_TIMEVALUEONLY, &d), S_OK);
    EXPECT_EQ(d, 0.75);
    EXPECT_EQ(VarDateFromStr(nullptr, LOCALE_EN_US, 0, &d), E_INVALIDARG);
}

TEST(TextToDate, RoundTripsThroughText)
{
    const DATE serials[] = {36525.5, -657434, 2958465.5, 1.75, -700.25, 45351 + 1.0 / 86400};
    for (DATE s : serials) {
        variant text;
        ASSERT_EQ(change(variant::date(s), VT_BSTR, &text), S_OK);
        variant back;
        ASSERT_EQ(change(text, VT_DATE, &back), S_OK) << text_of(text);
        EXPECT_NEAR(date_of(back), s, 1e-9) << text_of(text);
    }
}

struct RangeCase {
    const char *what;
    Maker source;
    HRESULT hr;
    DATE expected;
};

const RangeCase kRange[] = {
    {"last second of 9999", [] { return variant::r8(2958465.99); }, S_OK, 2958465.99},
    {"past 12/31/9999", [] { return variant::r8(2958466); }, DISP_E_OVERFLOW, 0},
    {"noon on 1/1/100", [] { return variant::r8(-657434.5); }, S_OK, -657434.5},
    {"before 1/1/100", [] { return variant::r8(-657435); }, DISP_E_OVERFLOW, 0},
    {"NaN", [] { return variant::r8(std::nan("")); }, DISP_E_OVERFLOW, 0},
    {"I4 day", [] { return variant::i4(36525); }, S_OK, 36525},
    {"I4 too far", [] { return variant::i4(3000000); }, DISP_E_OVERFLOW, 0},
    {"True", bool_true, S_OK, -1},
    {"currency", [] { return cy_units(365255000); }, S_OK, 36525.5},
    {"Empty", empty, S_OK, 0},
    {"Null", [] { return variant::null(); }, DISP_E_TYPEMISMATCH, 0},
};

class NumberToDate : public ::testing::TestWithParam<RangeCase> {};

TEST_P(NumberToDate, MatchesPlatform)
{
    const RangeCase &c = GetParam();
    variant out;
    ASSERT_EQ(change(c.source(), VT_DATE, &out), c.hr) << c.what;
    if (c.hr == S_OK) {
        EXPECT_EQ(date_of(out), c.expected) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, NumberToDate, ::testing::ValuesIn(kRange));

TEST(NumberToDate, HelperFunction)
{
    DATE d = 0;
    EXPECT_EQ(VarDateFromR8(VTDATEGRE_MAX + 1.0, &d), DISP_E_OVERFLOW);
    EXPECT_EQ(VarDateFromR8(36525.25, &d), S_OK);
    EXPECT_EQ(d, 36525.25);
}

TEST(DateToNumber, RoundsHalfToEven)
{
    variant out;
    ASSERT_EQ(change(variant::date(36524.5), VT_I4, &out), S_OK);
    EXPECT_EQ(out.lVal, 36524);
    ASSERT_EQ(change(variant::date(-1.5), VT_I4, &out), S_OK);
    EXPECT_EQ(out.lVal, -2);
    ASSERT_EQ(change(variant::date(36525.5), VT_R8, &out), S_OK);
    EXPECT_EQ(out.dblVal, 36525.5);
}

}  // namespace
