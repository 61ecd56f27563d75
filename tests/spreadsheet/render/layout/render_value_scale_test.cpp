// Value-axis scales: round 1-2-5 steps, zero always shown, headroom past the data,
// and the tick label and General number texts.
#include <gtest/gtest.h>

#include <cmath>

#include "render/value_scale.hpp"

namespace {

using sheethost::render::choose_value_scale;
using sheethost::render::format_general;
using sheethost::render::format_tick;
using sheethost::render::value_scale;

struct scale_case {
    double data_min, data_max, length;
    double min, max, step;
};

class ValueScale : public ::testing::TestWithParam<scale_case> {};

TEST_P(ValueScale, PicksRoundRange)
{
    const scale_case &c = GetParam();
    value_scale s = choose_value_scale(c.data_min, c.data_max, c.length);
    EXPECT_DOUBLE_EQ(s.min, c.min);
    EXPECT_DOUBLE_EQ(s.max, c.max);
    EXPECT_DOUBLE_EQ(s.step, c.step);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValueScale,
    ::testing::Values(scale_case{3, 25, 250, 0, 30, 5},           // the reference chart
                      scale_case{3, 20, 250, 0, 25, 5},           // headroom past a round maximum
                      scale_case{-15, 20, 250, -20, 30, 10},      // negatives
                      scale_case{-15, -2, 250, -16, 0, 2},        // all negative: zero on top
                      scale_case{42, 42, 250, 0, 50, 10},         // a single point
                      scale_case{0, 0, 250, 0, 1, 0.2},           // nothing but zeros
                      scale_case{NAN, NAN, 250, 0, 1, 0.2},       // no numbers at all
                      scale_case{0.01, 0.034, 250, 0, 0.04, 0.005},
                      scale_case{1200, 98000, 250, 0, 120000, 20000},
                      scale_case{3, 25, 60, 0, 40, 20}));         // a short axis: two intervals at most

TEST(ValueScaleProperties, StaysFiniteForExtremeValues)
{
    for (auto [lo, hi] : {std::pair{-1e308, 1e308}, std::pair{0.0, 1.7e308}, std::pair{1e-300, 3e-300}}) {
        value_scale s = choose_value_scale(lo, hi, 250);
        EXPECT_TRUE(std::isfinite(s.min) && std::isfinite(s.max) && std::isfinite(s.step)) << lo << " " << hi;
        EXPECT_GT(s.step, 0);
        EXPECT_LE(s.ticks().size(), 11u);
    }
}

TEST(ValueScaleProperties, StepsAreRoundAndTicksIncludeZero)
{
    for (double lo : {-130.0, -7.5, 0.0, 3.0}) {
        for (double hi : {0.5, 9.0, 77.0, 12345.0}) {
            for (double length : {80.0, 250.0, 900.0}) {
                value_scale s = choose_value_scale(lo, hi, length);
                double mantissa = s.step / std::pow(10.0, std::floor(std::log10(s.step) + 1e-9));
                EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                            std::abs(mantissa - 5) < 1e-9)
                    << "step " << s.step;
                std::vector<double> ticks = s.ticks();
                EXPECT_NE(std::find(ticks.begin(), ticks.end(), 0.0), ticks.end());
                EXPECT_LE(s.min, std::min(lo, 0.0));
                EXPECT_GE(s.max, hi);
                EXPECT_LE(ticks.size() - 1, static_cast<size_t>(std::max(2.0, std::min(10.0, length / 30))));
                EXPECT_DOUBLE_EQ(ticks.front(), s.min);
                EXPECT_NEAR(ticks.back(), s.max, s.step * 1e-9);
            }
        }
    }
}

struct text_case {
    double value;
    const char *text;
};

class GeneralFormat : public ::testing::TestWithParam<text_case> {};

TEST_P(GeneralFormat, WritesLikeTheSpreadsheet) { EXPECT_EQ(format_general(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Cases, GeneralFormat,
                         ::testing::Values(text_case{0, "0"}, text_case{25, "25"}, text_case{-4, "-4"},
                                           text_case{12.5, "12.5"}, text_case{1.0 / 3, "0.333333333"},
                                           text_case{120.75, "120.75"}, text_case{0.1 + 0.2, "0.3"},
                                           text_case{123456789, "123456789"}, text_case{1.5e15, "1.5E+15"},
                                           text_case{-2.5e-12, "-2.5E-12"}));

TEST(TickText, UsesTheStepsDecimals)
{
    value_scale s = choose_value_scale(0.01, 0.034, 250);
    EXPECT_EQ(format_tick(0, s), "0");
    EXPECT_EQ(format_tick(0.005, s), "0.005");
    EXPECT_EQ(format_tick(0.02, s), "0.020");
    value_scale whole = choose_value_scale(-15, 20, 250);
    EXPECT_EQ(format_tick(-20, whole), "-20");
    EXPECT_EQ(format_tick(-1e-17, whole), "0");
}

}  // namespace
