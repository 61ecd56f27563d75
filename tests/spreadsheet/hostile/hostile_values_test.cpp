// Values nobody checked: the limits of DECIMAL, NaN and infinities in cells, and the
// data sets that trip value axes up (25 equal values, all zeros, all negatives, mixed
// signs). Every one must draw, with a value axis whose ticks are finite, round, in
// order, include zero, cover the data and read differently from each other.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <set>

#include "render/layout/chart_layout.hpp"
#include "render/export/exporter.hpp"
#include "render_test_charts.h"
#include "render_test_gif.h"
#include "render_test_text.h"
#include "snapshot/bound_cells.hpp"
#include "spreadsheet/host_fixture.hpp"
#include "support/temp_registry.hpp"

namespace {

using namespace sheethost::render;
using render_test::fixed_width_measurer;
using test_support::variant;

constexpr double kDecimalMax = 79228162514264337593543950335.0;
constexpr double kDecimalSmallest = 1e-28;

// --- Cells as chart values -----------------------------------------------------

struct cell_case {
    const char *name;
    variant cell;
    std::optional<double> value;
};

TEST(ChartValue, NumbersAreValuesAndNonFiniteDoublesAreLeftOut)
{
    const double inf = std::numeric_limits<double>::infinity();
    const cell_case cases[] = {
        {"decimal max", test_support::decimal(u"79228162514264337593543950335"), kDecimalMax},
        {"decimal min", test_support::decimal(u"-79228162514264337593543950335"), -kDecimalMax},
        {"decimal smallest", test_support::decimal(u"0.0000000000000000000000000001"), kDecimalSmallest},
        {"double", variant::r8(1.5), 1.5},
        {"largest double", variant::r8(std::numeric_limits<double>::max()), std::numeric_limits<double>::max()},
        {"NaN", variant::r8(std::nan("")), std::nullopt},
        {"infinity", variant::r8(inf), std::nullopt},
        {"minus infinity", variant::r8(-inf), std::nullopt},
        {"single NaN", variant::r4(std::nanf("")), std::nullopt},
        {"NaN date", variant::date(std::nan("")), std::nullopt},
        {"text", variant::str(u"12"), std::nullopt},
    };
    for (const cell_case &c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<double> v = sheethost::snapshot::chart_value(c.cell);
        ASSERT_EQ(v.has_value(), c.value.has_value());
        if (v) {
            EXPECT_NEAR(*v, *c.value, std::fabs(*c.value) * 1e-15);
        }
    }
}

// --- Value axes for awkward data -----------------------------------------------

struct data_case {
    const char *name;
    std::vector<double> values;
};

std::vector<double> same(size_t n, double v) { return std::vector<double>(n, v); }

const data_case kDataSets[] = {
    {"identical_25", same(25, 42)},
    {"identical_25_large", same(25, 1e20)},
    {"all_zeros", same(25, 0)},
    {"all_negative", {-3, -17, -8, -250, -0.5}},
    {"mixed_signs", {-3, 17, -8, 250, 0, -0.5}},
    {"decimal_max", {kDecimalMax, 1, kDecimalMax / 2}},
    {"decimal_min", {-kDecimalMax, -1}},
    {"decimal_both_limits", {-kDecimalMax, kDecimalMax}},
    {"decimal_smallest", {kDecimalSmallest, 2 * kDecimalSmallest, 3 * kDecimalSmallest}},
    {"tiny_and_huge", {kDecimalSmallest, kDecimalMax}},
    {"beyond_decimal", {1e300, -1e300}},
    {"largest_doubles", {std::numeric_limits<double>::max(), -std::numeric_limits<double>::max()}},
    {"smallest_doubles", {std::numeric_limits<double>::denorm_min(), -std::numeric_limits<double>::denorm_min()}},
};

std::string name_of(const ::testing::TestParamInfo<data_case> &info) { return info.param.name; }

chart_snapshot chart_of(const std::vector<double> &values, int type)
{
    chart_snapshot c = render_test::titled_chart(type);
    c.series = {render_test::series("S", values)};
    c.series[0].data_labels = true;
    return c;
}

class AwkwardData : public ::testing::TestWithParam<data_case> {};

TEST_P(AwkwardData, ValueAxisStaysSane)
{
    const std::vector<double> &values = GetParam().values;
    fixed_width_measurer measurer;
    chart_layout l = lay_out_chart(chart_of(values, 51), measurer);
    const value_scale &s = l.scale;
    ASSERT_TRUE(std::isfinite(s.min) && std::isfinite(s.max) && std::isfinite(s.step));
    EXPECT_GT(s.step, 0);
    EXPECT_LE(s.min, 0);
    EXPECT_GE(s.max, 0);
    EXPECT_LT(s.min, s.max);
    // The data fits, except beyond the largest span the axis can hold (1e306) and
    // below the smallest magnitude it tells from zero (1e-290).
    for (double v : values) {
        double shown = std::fabs(v) < 1e-290 ? 0.0 : std::clamp(v, -1e306, 1e306);
        EXPECT_LE(s.min, shown);
        EXPECT_GE(s.max, shown);
    }
    std::vector<double> ticks = s.ticks();
    EXPECT_GE(ticks.size(), 2u);
    EXPECT_LE(ticks.size(), 11u);
    std::set<std::string> texts;
    for (size_t i = 0; i < ticks.size(); ++i) {
        if (i > 0) {
            EXPECT_GT(ticks[i], ticks[i - 1]);
        }
        texts.insert(format_tick(ticks[i], s));
    }
    EXPECT_EQ(texts.size(), ticks.size()) << "two ticks read the same";
    EXPECT_TRUE(texts.count("0")) << "zero is not among the ticks";
}

TEST_P(AwkwardData, DrawsInEveryDrawnType)
{
    for (int type : {51, 54}) {
        SCOPED_TRACE(type);
        std::vector<uint8_t> gif = encode_chart(chart_of(GetParam().values, type), image_format::gif);
        render_test::decoded_image img = render_test::decode_gif(gif);
        EXPECT_GT(img.width, 0);
        EXPECT_LT(img.width, 2000);
        EXPECT_LT(img.height, 1200);
    }
}

INSTANTIATE_TEST_SUITE_P(DataSets, AwkwardData, ::testing::ValuesIn(kDataSets), name_of);

// --- NaN and infinities in the host's cells ------------------------------------

class NonFiniteCells : public test_support::HostTest {
protected:
    std::vector<uint8_t> picture_with(const std::vector<variant> &cells)
    {
        data.object(u"Cells").call(u"ClearContents");
        for (size_t i = 0; i < cells.size(); ++i)
            set_cell(static_cast<int>(i + 1), 2, cells[i]);
        std::string dir = test_support::make_temp_directory();
        std::string file = dir + "/cells.gif";
        chart.call(u"Export", {variant::str_utf8(file), variant::str(u"GIF")});
        std::vector<uint8_t> bytes = render_test::read_bytes(file);
        std::filesystem::remove_all(dir);
        return bytes;
    }
};

TEST_F(NonFiniteCells, AreLeftOutLikeEmptyCells)
{
    open_chart_workbook();
    chart.put(u"ChartType", variant::i4(51));
    test_support::late_bound series = add_series(2, {u"1", u"2", u"3", u"4"}, u"S");
    series.call(u"ApplyDataLabels");
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<uint8_t> gaps = picture_with({variant::r8(10), variant(), variant::r8(30), variant()});
    for (double odd : {std::nan(""), inf, -inf}) {
        SCOPED_TRACE(odd);
        EXPECT_EQ(picture_with({variant::r8(10), variant::r8(odd), variant::r8(30), variant::r8(odd)}), gaps);
    }
    EXPECT_NO_THROW(render_test::decode_gif(gaps));
}

}  // namespace
