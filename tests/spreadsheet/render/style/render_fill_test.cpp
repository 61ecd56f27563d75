// Fills and borders: one-colour gradient shades, the 24 preset ramps, where style and
// variant put the fore colour, and border widths and dashes.
#include <gtest/gtest.h>

#include <set>

#include "render/style/colour.hpp"
#include "render/style/fill_style.hpp"
#include "render/style/preset_gradients.hpp"
#include "render/style/stroke_style.hpp"
#include "snapshot/host_values.hpp"

namespace {

using namespace sheethost::render;

int brightness(rgb c) { return red(c) + green(c) + blue(c); }

fill_spec gradient(int style, int variant, rgb fore = 0x3366CC, double degree = 0.2)
{
    fill_spec f;
    f.type = fill_spec::kind::one_color_gradient;
    f.fore = fore;
    f.gradient_style = sheethost::snapshot::gradient_direction_of(style);
    f.gradient_variant = variant;
    f.gradient_degree = degree;
    return f;
}

TEST(OneColourGradient, DegreeRunsFromDarkestThroughForeToLightest)
{
    rgb fore = 0x3366CC;
    EXPECT_EQ(one_colour_gradient_end(fore, 0.5), fore);
    int previous = -1;
    for (double d = 0; d <= 1.0001; d += 0.1) {
        int b = brightness(one_colour_gradient_end(fore, d));
        EXPECT_GT(b, previous) << "degree " << d;
        previous = b;
    }
    EXPECT_LT(brightness(one_colour_gradient_end(fore, 0)), brightness(fore) / 4);
    EXPECT_GT(brightness(one_colour_gradient_end(fore, 1)), 3 * 230);
    // The darkest shade keeps the hue: blue stays the strongest channel.
    rgb darkest = one_colour_gradient_end(fore, 0);
    EXPECT_GT(blue(darkest), red(darkest));
}

TEST(PresetGradients, AllTwentyFourAreDistinctNamedRamps)
{
    const char *names[] = {"Early Sunset", "Late Sunset", "Nightfall", "Daybreak", "Horizon",   "Desert",
                           "Ocean",        "Calm Water",  "Fire",      "Fog",      "Moss",      "Peacock",
                           "Wheat",        "Parchment",   "Mahogany",  "Rainbow",  "Rainbow II", "Gold",
                           "Gold II",      "Brass",       "Chrome",    "Chrome II", "Silver",   "Sapphire"};
    std::set<std::vector<rgb>> seen;
    for (int n = 1; n <= 24; ++n) {
        const preset_gradient *p = find_preset_gradient(n);
        ASSERT_NE(p, nullptr) << n;
        EXPECT_EQ(p->name, names[n - 1]);
        ASSERT_GE(p->stops.size(), 3u) << p->name;
        EXPECT_DOUBLE_EQ(p->stops.front().offset, 0);
        EXPECT_DOUBLE_EQ(p->stops.back().offset, 1);
        std::vector<rgb> colours;
        for (size_t i = 0; i < p->stops.size(); ++i) {
            colours.push_back(p->stops[i].colour);
            if (i > 0) {
                EXPECT_GT(p->stops[i].offset, p->stops[i - 1].offset) << p->name;
            }
        }
        EXPECT_TRUE(seen.insert(colours).second) << p->name << " repeats another ramp";
    }
    EXPECT_EQ(find_preset_gradient(0), nullptr);
    EXPECT_EQ(find_preset_gradient(25), nullptr);
}

struct placement_case {
    int style, variant;
    point fore_at;  // where the fore colour shows in the unit box
    point far_at;   // where the other end shows
};

class GradientPlacement : public ::testing::TestWithParam<placement_case> {};

TEST_P(GradientPlacement, PutsTheForeColourWhereStyleAndVariantSay)
{
    const placement_case &c = GetParam();
    rect box{0, 0, 100, 100};
    fill_spec f = gradient(c.style, c.variant);
    paint p = paint_for(f, box, 0);
    rgb end = one_colour_gradient_end(f.fore, f.gradient_degree);
    EXPECT_EQ(colour_at(p, {c.fore_at.x * 100, c.fore_at.y * 100}), f.fore);
    EXPECT_EQ(colour_at(p, {c.far_at.x * 100, c.far_at.y * 100}), end);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, GradientPlacement,
    ::testing::Values(placement_case{1, 1, {0.5, 1}, {0.5, 0}},      // horizontal: fore on top
                      placement_case{1, 2, {0.5, 0}, {0.5, 1}},      // ... at the bottom
                      placement_case{1, 3, {0.5, 1}, {0.5, 0.5}},    // ... at both edges
                      placement_case{1, 4, {0.5, 0.5}, {0.5, 0}},    // ... in the middle
                      placement_case{2, 1, {0, 0.5}, {1, 0.5}},      // vertical: fore on the left
                      placement_case{2, 2, {1, 0.5}, {0, 0.5}},
                      placement_case{3, 1, {0, 1}, {1, 0}},          // diagonal up
                      placement_case{4, 1, {1, 1}, {0, 0}},          // diagonal down
                      placement_case{5, 1, {0, 1}, {1, 0}},          // from the top-left corner
                      placement_case{5, 4, {1, 0}, {0, 1}},          // from the bottom-right corner
                      placement_case{7, 1, {0.5, 0.5}, {0, 0}},      // from the centre
                      placement_case{7, 2, {0, 0}, {0.5, 0.5}}));

TEST(Fills, SolidAndAutomaticPaintFlat)
{
    fill_spec solid;
    solid.type = fill_spec::kind::solid;
    solid.fore = 0x123456;
    EXPECT_EQ(paint_for(solid, {0, 0, 10, 10}, 0xFF0000).type, paint::kind::solid);
    EXPECT_EQ(colour_at(paint_for(solid, {0, 0, 10, 10}, 0xFF0000), {5, 5}), 0x123456u);
    fill_spec automatic;
    EXPECT_EQ(colour_at(paint_for(automatic, {0, 0, 10, 10}, 0xFF0000), {5, 5}), 0xFF0000u);
}

TEST(Fills, PresetRampsFollowTheBox)
{
    fill_spec f;
    f.type = fill_spec::kind::preset_gradient;
    f.preset = 9;  // Fire: dark red at the fore side
    f.gradient_style = gradient_direction::horizontal;
    f.gradient_variant = 1;
    paint p = paint_for(f, {10, 20, 50, 200}, 0);
    EXPECT_EQ(colour_at(p, {30, 220}), 0x7A0000u);
    EXPECT_EQ(colour_at(p, {30, 20}), 0xFFE066u);
}

TEST(Fills, ShadingDarkensAndLightensEveryStop)
{
    paint p = paint_for(gradient(1, 1), {0, 0, 10, 10}, 0);
    paint darker = shaded(p, 0.7), lighter = shaded(p, 1.3);
    ASSERT_EQ(darker.stops.size(), p.stops.size());
    for (size_t i = 0; i < p.stops.size(); ++i) {
        EXPECT_LT(brightness(darker.stops[i].colour), brightness(p.stops[i].colour));
        EXPECT_GT(brightness(lighter.stops[i].colour), brightness(p.stops[i].colour));
    }
}

struct border_case {
    int weight, line_style;
    double width;
    size_t dash_count;
};

class Borders : public ::testing::TestWithParam<border_case> {};

TEST_P(Borders, MapWeightAndStyle)
{
    border_spec b;
    b.weight = sheethost::snapshot::border_weight_of(GetParam().weight);
    b.line_style = sheethost::snapshot::line_dash_of(GetParam().line_style);
    std::optional<stroke> s = stroke_for(b, 0x112233);
    ASSERT_TRUE(s);
    EXPECT_DOUBLE_EQ(s->width, GetParam().width);
    EXPECT_EQ(s->dashes.size(), GetParam().dash_count);
    EXPECT_EQ(s->colour, 0x112233u);
}

INSTANTIATE_TEST_SUITE_P(Table, Borders,
                         ::testing::Values(border_case{1, 1, 0.5, 0}, border_case{2, 1, 0.75, 0},
                                           border_case{-4138, 1, 1.5, 0}, border_case{4, 1, 2.25, 0},
                                           border_case{2, -4115, 0.75, 2}, border_case{2, -4118, 0.75, 2},
                                           border_case{2, 4, 0.75, 4}, border_case{2, 5, 0.75, 6},
                                           border_case{2, -4105, 0.75, 0}));

TEST(Borders, HiddenBordersDrawNothingAndOwnColoursWin)
{
    border_spec none;
    none.line_style = line_dash::none;
    EXPECT_FALSE(stroke_for(none, 0));
    border_spec invisible;
    invisible.visible = false;
    EXPECT_FALSE(stroke_for(invisible, 0));
    border_spec red_border;
    red_border.color = 0xFF0000;
    EXPECT_EQ(stroke_for(red_border, 0x000000)->colour, 0xFF0000u);
}

}  // namespace
