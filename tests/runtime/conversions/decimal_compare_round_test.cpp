// VarDecCmp compares exact values whatever their scales; VarDecRound rounds
// half to even, as Basic's Round does with a Decimal.
#include "runtime/conversions/conversion_test_support.hpp"

namespace {

using namespace conversion_test;

struct CompareCase {
    const char16_t *left;
    const char16_t *right;
    HRESULT expected;
};

const CompareCase kCompare[] = {
    {u"1.5", u"1.50", VARCMP_EQ},
    {u"-1", u"1", VARCMP_LT},
    {u"1", u"-1", VARCMP_GT},
    {u"-2", u"-1", VARCMP_LT},
    {u"-0", u"0", VARCMP_EQ},
    {u"0.0000000000000000000000000001", u"0", VARCMP_GT},
    {u"79228162514264337593543950335", u"7.9228162514264337593543950335", VARCMP_GT},
    {u"79228162514264337593543950335", u"79228162514264337593543950334", VARCMP_GT},
    {u"-79228162514264337593543950335", u"-0.0000000000000000000000000001", VARCMP_LT},
    {u"0.1", u"0.0999999999999999999999999999", VARCMP_GT},
    {u"123456789.123", u"123456789.1230000000", VARCMP_EQ},
};

class DecimalCompare : public ::testing::TestWithParam<CompareCase> {};

TEST_P(DecimalCompare, ExactValues)
{
    const CompareCase &c = GetParam();
    DECIMAL a = dec(c.left), b = dec(c.right);
    EXPECT_EQ(VarDecCmp(&a, &b), c.expected) << oleaut::utf16_to_utf8(c.left) << " vs "
                                             << oleaut::utf16_to_utf8(c.right);
}

INSTANTIATE_TEST_SUITE_P(Table, DecimalCompare, ::testing::ValuesIn(kCompare));

TEST(DecimalCompare, NegativeZeroOfAnyScaleEqualsZero)
{
    DECIMAL minus_zero = dec_parts(0, 0, 7, true), zero = dec_parts(0, 0, 0, false);
    EXPECT_EQ(VarDecCmp(&minus_zero, &zero), VARCMP_EQ);
}

TEST(DecimalCompare, RefusesMalformedValues)
{
    DECIMAL bad = dec_parts(0, 1, 29, false), ok = dec_parts(0, 1, 0, false);
    EXPECT_EQ(VarDecCmp(&bad, &ok), E_INVALIDARG);
    EXPECT_EQ(VarDecCmp(nullptr, &ok), E_INVALIDARG);
}

struct RoundCase {
    const char16_t *value;
    int decimals;
    const char *expected;
};

const RoundCase kRound[] = {
    {u"2.5", 0, "2"},
    {u"3.5", 0, "4"},
    {u"-2.5", 0, "-2"},
    {u"-3.5", 0, "-4"},
    {u"2.45", 1, "2.4"},
    {u"2.55", 1, "2.6"},
    {u"2.451", 1, "2.5"},
    {u"1.005", 2, "1"},
    {u"0.0000000000000000000000000005", 27, "0"},
    {u"0.0000000000000000000000000015", 27, "0.000000000000000000000000002"},
    {u"1.25", 5, "1.25"},
    {u"79228162514264337593543950335", 0, "79228162514264337593543950335"},
    {u"7.9228162514264337593543950335", 0, "8"},
};

class DecimalRound : public ::testing::TestWithParam<RoundCase> {};

TEST_P(DecimalRound, HalfToEven)
{
    const RoundCase &c = GetParam();
    DECIMAL in = dec(c.value), out;
    ASSERT_EQ(VarDecRound(&in, c.decimals, &out), S_OK);
    EXPECT_EQ(decimal_text(out), c.expected) << oleaut::utf16_to_utf8(c.value) << " to " << c.decimals;
    EXPECT_LE(out.scale, c.decimals);
}

INSTANTIATE_TEST_SUITE_P(Table, DecimalRound, ::testing::ValuesIn(kRound));

TEST(DecimalRound, RefusesBadArguments)
{
    DECIMAL in = dec(u"1.5"), out;
    EXPECT_EQ(VarDecRound(&in, -1, &out), E_INVALIDARG);
    DECIMAL bad = dec_parts(0, 1, 29, false);
    EXPECT_EQ(VarDecRound(&bad, 0, &out), E_INVALIDARG);
    EXPECT_EQ(VarDecRound(&in, 0, nullptr), E_INVALIDARG);
}

TEST(DecimalRound, MayWriteOverItsInput)
{
    DECIMAL d = dec(u"-7.77");
    ASSERT_EQ(VarDecRound(&d, 1, &d), S_OK);
    EXPECT_EQ(decimal_text(d), "-7.8");
}

}  // namespace
