// Value label placement: outside the bar's end, clear of other labels and bars,
// inside the bar when there is no room, readable on dark backdrops.
#include <gtest/gtest.h>

#include "render/layout/data_labels.hpp"
#include "render/style/fill_style.hpp"
#include "render_test_text.h"

namespace {

using namespace sheethost::render;
using render_test::fixed_width_measurer;

const font_spec kEight{u"Verdana", 8, false, false};  // 4.8 points a character, 9.6 a line
const rect kPlot{0, 0, 300, 200};

data_label_request request(const char *text, rect bar, bool below = false)
{
    return {text, {bar.centre().x, below ? bar.bottom() : bar.top()}, below ? label_side::below : label_side::above, bar,
            0x006BA4, false};
}

TEST(DataLabels, SitJustOutsideTheBarsEnd)
{
    fixed_width_measurer m;
    rect up{10, 50, 20, 60}, down{40, 20, 20, 30};
    auto placed = place_data_labels({request("60", up), request("-30", down, true)}, {up, down}, kPlot, kEight,
                                    std::nullopt, m);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_NEAR(placed[0].bounds.bottom(), up.top() + 2, 1e-9);
    EXPECT_NEAR(placed[0].bounds.centre().x, up.centre().x, 1e-9);
    EXPECT_NEAR(placed[1].bounds.top(), down.bottom() - 2, 1e-9);
}

TEST(DataLabels, MoveUpPastNeighboursAndTallerBars)
{
    fixed_width_measurer m;
    // Two narrow bars side by side with wide labels at the same height, and a taller
    // bar right next to the first.
    rect a{100, 0, 8, 100}, b{108, 0, 8, 100}, tall{116, 0, 8, 130};
    auto placed = place_data_labels({request("123456", a), request("654321", b)}, {a, b, tall}, kPlot, kEight,
                                    std::nullopt, m);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_FALSE(placed[0].bounds.overlaps(placed[1].bounds));
    for (const auto &p : placed) {
        EXPECT_FALSE(p.bounds.overlaps(tall, 0.5));
        EXPECT_TRUE(kPlot.contains(p.bounds, 0.01));
    }
}

TEST(DataLabels, GoInsideABarThatReachesTheTop)
{
    fixed_width_measurer m;
    rect full{50, 0, 30, 199};
    auto placed = place_data_labels({request("99", full)}, {full}, kPlot, kEight, std::nullopt, m);
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_TRUE(full.contains(placed[0].bounds, 0.01));
    EXPECT_EQ(placed[0].text.item.colour, 0xFFFFFFu);  // white on the dark blue bar
}

TEST(DataLabels, TurnWhiteOverADarkBackdrop)
{
    fixed_width_measurer m;
    rect bar{50, 0, 30, 50};
    paint dark;
    dark.colour = 0x0B1F5C;
    auto on_dark = place_data_labels({request("5", bar)}, {bar}, kPlot, kEight, dark, m);
    auto on_white = place_data_labels({request("5", bar)}, {bar}, kPlot, kEight, std::nullopt, m);
    EXPECT_EQ(on_dark.at(0).text.item.colour, 0xFFFFFFu);
    EXPECT_NE(on_white.at(0).text.item.colour, 0xFFFFFFu);
}

TEST(DataLabels, PutALegendKeyBeforeTheValueWhenAsked)
{
    fixed_width_measurer m;
    rect bar{100, 0, 30, 50};
    data_label_request with_key = request("50", bar);
    with_key.legend_key = true;
    auto placed = place_data_labels({with_key}, {bar}, kPlot, kEight, std::nullopt, m);
    ASSERT_EQ(placed.size(), 1u);
    const data_label &l = placed[0];
    ASSERT_TRUE(l.key);
    EXPECT_EQ(l.key_colour, 0x006BA4u);
    EXPECT_LT(l.key->right(), l.text.bounds.left());
    EXPECT_NEAR(l.key->centre().y, l.text.bounds.centre().y, 1e-9);
    EXPECT_NEAR(l.bounds.centre().x, bar.centre().x, 1e-9);  // key and value centred together
    EXPECT_TRUE(l.bounds.contains(*l.key) && l.bounds.contains(l.text.bounds));
    EXPECT_FALSE(place_data_labels({request("50", bar)}, {bar}, kPlot, kEight, std::nullopt, m).at(0).key);
}

// Bars grow sideways: their labels go right of a positive bar's end and left of a
// negative one's, and move on sideways past a neighbour's label.
TEST(DataLabels, SidewaysBarsGetLabelsBesideTheirEnds)
{
    fixed_width_measurer m;
    rect right_bar{100, 50, 80, 10}, left_bar{40, 80, 60, 10};
    data_label_request r{"12", {right_bar.right(), right_bar.centre().y}, label_side::right, right_bar, 0x006BA4, false};
    data_label_request l{"-9", {left_bar.left(), left_bar.centre().y}, label_side::left, left_bar, 0x006BA4, false};
    std::vector<data_label> placed = place_data_labels({r, l}, {right_bar, left_bar}, kPlot, {u"Arial", 8}, {}, m);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_GT(placed[0].bounds.left(), right_bar.right());
    EXPECT_NEAR(placed[0].bounds.centre().y, right_bar.centre().y, 1e-9);
    EXPECT_LT(placed[1].bounds.right(), left_bar.left());
    EXPECT_NEAR(placed[1].bounds.centre().y, left_bar.centre().y, 1e-9);

    // A second label where the first one sits moves further right.
    data_label_request again = r;
    again.text = "13";
    placed = place_data_labels({r, again}, {right_bar}, kPlot, {u"Arial", 8}, {}, m);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_FALSE(placed[0].bounds.overlaps(placed[1].bounds));
    EXPECT_GT(placed[1].bounds.left(), placed[0].bounds.left());

    // A bar reaching the plot area's right edge takes its label inside, right-aligned.
    rect full{0, 120, 300, 12};
    data_label_request edge{"99", {full.right(), full.centre().y}, label_side::right, full, 0x000000, false};
    placed = place_data_labels({edge}, {full}, kPlot, {u"Arial", 8}, {}, m);
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_LE(placed[0].bounds.right(), full.right());
    EXPECT_GT(placed[0].bounds.right(), full.right() - 6);
    EXPECT_EQ(placed[0].text.item.colour, 0xFFFFFFu);
}

// A point at the very top of the plot area (a line's marker) has no room above it and no
// bar to go into: its label is pulled back inside the plot area, whatever the rounding.
TEST(DataLabels, StayInsideThePlotAreaWhenThereIsNoRoomAbove)
{
    fixed_width_measurer m;
    for (double top_gap : {0.0, 0.004, 0.02, 3.0}) {
        rect marker{150, kPlot.top() - 6 - top_gap, 6, 6};
        data_label_request r{"190", {marker.centre().x, marker.top()}, label_side::above, marker, 0x006BA4, false};
        std::vector<data_label> placed = place_data_labels({r}, {marker}, kPlot, {u"Arial", 8}, {}, m);
        ASSERT_EQ(placed.size(), 1u);
        EXPECT_TRUE(kPlot.contains(placed[0].bounds, 0.01)) << "gap " << top_gap;
    }
}

TEST(DataLabels, TextColourFollowsBrightness)
{
    EXPECT_EQ(text_colour_on(0x000000), 0xFFFFFFu);
    EXPECT_EQ(text_colour_on(0x006BA4), 0xFFFFFFu);
    EXPECT_NE(text_colour_on(0xFFFFFF), 0xFFFFFFu);
    EXPECT_NE(text_colour_on(0xFFBC79), 0xFFFFFFu);
}

}  // namespace
