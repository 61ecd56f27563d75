// Conversions to text, locale 1033: 15 significant digits for doubles, 7 for
// singles, exact currency and decimal without trailing zeros, Booleans as
// "-1"/"0" unless VARIANT_ALPHABOOL asks for words.
#include <limits>

#include "runtime/conversions/conversion_test_support.hpp"

namespace {

using namespace conversion_test;

struct TextCase {
    const char *what;
    Maker source;
    USHORT flags;
    const char *expected;  // or "hr=0x........" for a failure
};

const TextCase kCases[] = {
    {"0.1 + 0.2", [] { return variant::r8(0.1 + 0.2); }, 0, "0.3"},
    {"1/3", [] { return variant::r8(1.0 / 3.0); }, 0, "0.333333333333333"},
    {"2/3 rounds the 15th digit", [] { return variant::r8(2.0 / 3.0); }, 0, "0.666666666666667"},
    {"1e20", [] { return variant::r8(1e20); }, 0, "1E+20"},
    {"1e15 switches to exponent", [] { return variant::r8(1e15); }, 0, "1E+15"},
    {"0.00001", [] { return variant::r8(0.00001); }, 0, "1E-05"},
    {"0.0001 stays plain", [] { return variant::r8(0.0001); }, 0, "0.0001"},
    {"-0.5", [] { return variant::r8(-0.5); }, 0, "-0.5"},
    {"15 digits stay plain", [] { return variant::r8(123456789012345.0); }, 0, "123456789012345"},
    {"16 digits use the exponent", [] { return variant::r8(1234567890123456.0); }, 0, "1.23456789012346E+15"},
    {"1e100", [] { return variant::r8(1e100); }, 0, "1E+100"},
    {"-1.5e-10", [] { return variant::r8(-1.5e-10); }, 0, "-1.5E-10"},
    {"whole double", [] { return variant::r8(100); }, 0, "100"},
    {"negative zero", [] { return variant::r8(-0.0); }, 0, "0"},
    {"single 0.1", [] { return variant::r4(0.1f); }, 0, "0.1"},
    {"single 1/3", [] { return variant::r4(1.0f / 3.0f); }, 0, "0.3333333"},
    {"single 2^24", [] { return variant::r4(16777216.0f); }, 0, "1.677722E+07"},
    {"I2", [] { return variant::i2(-123); }, 0, "-123"},
    {"I1", [] { return i1(-128); }, 0, "-128"},
    {"UI1", [] { return ui1(200); }, 0, "200"},
    {"I8 min", [] { return variant::i8(std::numeric_limits<long long>::min()); }, 0, "-9223372036854775808"},
    {"UI8 max", [] { return ui8(~0ULL); }, 0, "18446744073709551615"},
    {"currency 1.5", [] { return cy_units(15000); }, 0, "1.5"},
    {"currency 0", [] { return cy_units(0); }, 0, "0"},
    {"currency -0.0001", [] { return cy_units(-1); }, 0, "-0.0001"},
    {"currency whole", [] { return cy_units(-20000); }, 0, "-2"},
    {"currency max", [] { return cy_units(std::numeric_limits<long long>::max()); }, 0, "922337203685477.5807"},
    {"currency min", [] { return cy_units(std::numeric_limits<long long>::min()); }, 0, "-922337203685477.5808"},
    {"decimal keeps no trailing zeros", [] { return variant::decimal(dec_parts(0, 150, 2, false)); }, 0, "1.5"},
    {"decimal max", [] { return variant::decimal(dec_parts(0xFFFFFFFF, ~0ULL, 0, false)); }, 0,
     "79228162514264337593543950335"},
    {"decimal max negative at scale 28", [] { return variant::decimal(dec_parts(0xFFFFFFFF, ~0ULL, 28, true)); }, 0,
     "-7.9228162514264337593543950335"},
    {"decimal smallest step", [] { return variant::decimal(dec_parts(0, 1, 28, false)); }, 0,
     "0.0000000000000000000000000001"},
    {"decimal negative zero", [] { return variant::decimal(dec_parts(0, 0, 3, true)); }, 0, "0"},
    {"decimal with a bad scale", [] { return variant::decimal(dec_parts(0, 1, 29, false)); }, 0, "hr=0x80070057"},
    {"True", bool_true, 0, "-1"},
    {"False", [] { return variant::boolean(false); }, 0, "0"},
    {"True as a word", bool_true, VARIANT_ALPHABOOL, "True"},
    {"False as a word", [] { return variant::boolean(false); }, VARIANT_ALPHABOOL, "False"},
    {"True, local words", bool_true, VARIANT_LOCALBOOL, "True"},
    {"Empty", empty, 0, ""},
    {"Null", [] { return variant::null(); }, 0, "hr=0x80020005"},
    {"error value", [] { return variant::error(E_FAIL); }, 0, "hr=0x80020005"},
};

class ToText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ToText, MatchesPlatform)
{
    const TextCase &c = GetParam();
    EXPECT_EQ(as_text(c.source(), c.flags), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Table, ToText, ::testing::ValuesIn(kCases));

TEST(ToText, EmptyGivesAnEmptyStringNotANullOne)
{
    variant out;
    ASSERT_EQ(change(empty(), VT_BSTR, &out), S_OK);
    ASSERT_NE(out.bstrVal, nullptr);
    EXPECT_EQ(SysStringLen(out.bstrVal), 0u);
}

// Each helper answers S_OK and exactly the text.
TEST(ToText, HelperFunctions)
{
    struct Row {
        const char *what;
        std::function<HRESULT(BSTR *)> call;
        const char *expected;
    };
    const Row rows[] = {
        {"R8", [](BSTR *b) { return VarBstrFromR8(0.1 + 0.2, LOCALE_EN_US, 0, b); }, "0.3"},
        {"R4", [](BSTR *b) { return VarBstrFromR4(2.5f, LOCALE_EN_US, 0, b); }, "2.5"},
        {"I8", [](BSTR *b) { return VarBstrFromI8(-42, LOCALE_EN_US, 0, b); }, "-42"},
        {"UI8", [](BSTR *b) { return VarBstrFromUI8(18446744073709551615ULL, LOCALE_EN_US, 0, b); },
         "18446744073709551615"},
        {"CY", [](BSTR *b) { CY c; c.int64 = 12345; return VarBstrFromCy(c, LOCALE_EN_US, 0, b); }, "1.2345"},
        {"Bool always words", [](BSTR *b) { return VarBstrFromBool(VARIANT_TRUE, LOCALE_EN_US, 0, b); }, "True"},
        {"Bool false", [](BSTR *b) { return VarBstrFromBool(VARIANT_FALSE, LOCALE_EN_US, 0, b); }, "False"},
        {"Dec",
         [](BSTR *b) {
             DECIMAL d = dec_parts(0, 12500, 4, true);
             return VarBstrFromDec(&d, LOCALE_EN_US, 0, b);
         },
         "-1.25"},
    };
    for (const Row &r : rows) {
        BSTR b = nullptr;
        ASSERT_EQ(r.call(&b), S_OK) << r.what;
        EXPECT_EQ(utf8(b), r.expected) << r.what;
        SysFreeString(b);
    }
}

TEST(ToText, FailureNamesTheValueAndTypes)
{
    variant out;
    ASSERT_EQ(change(str("abc"), VT_R8, &out), DISP_E_TYPEMISMATCH);
    IErrorInfo *info = nullptr;
    ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
    ASSERT_NE(info, nullptr);
    BSTR description = nullptr, source = nullptr;
    info->GetDescription(&description);
    info->GetSource(&source);
    const std::string d = utf8(description);
    EXPECT_NE(d.find("\"abc\""), std::string::npos) << d;
    EXPECT_NE(d.find("Double"), std::string::npos) << d;
    EXPECT_EQ(utf8(source), "VariantChangeTypeEx");
    SysFreeString(description);
    SysFreeString(source);
    info->Release();
}

}  // namespace
