// The classic 56-colour palette behind scheme colours and colour indexes.
#include <gtest/gtest.h>

#include "model/classic_palette.hpp"

namespace {

using namespace sheethost::model;

TEST(ClassicPalette, EntriesInTheClassicOrder)
{
    const struct {
        int index;
        rgb color;
    } rows[] = {{1, 0x000000}, {2, 0xFFFFFF}, {3, 0xFF0000}, {5, 0x0000FF}, {10, 0x008000}, {15, 0xC0C0C0},
                {16, 0x808080}, {17, 0x9999FF}, {24, 0xCCCCFF}, {41, 0x3366FF}, {48, 0x969696}, {56, 0x333333}};
    for (const auto &r : rows)
        EXPECT_EQ(classic_palette_color(r.index), r.color) << r.index;
    for (int bad : {0, -1, 57, -4105})
        EXPECT_FALSE(classic_palette_color(bad).has_value()) << bad;
}

TEST(ClassicPalette, NearestEntryAndAutomaticSeriesColours)
{
    EXPECT_EQ(nearest_palette_index(0xC0C0C0), 15);
    EXPECT_EQ(nearest_palette_index(0xFE0101), 3);
    EXPECT_EQ(nearest_palette_index(0x323232), 56);
    EXPECT_EQ(automatic_series_color(1), 0x006BA4u);
    EXPECT_EQ(automatic_series_color(2), 0xFF800Eu);
    EXPECT_EQ(automatic_series_color(11), 0x006BA4u);  // ten colours, then round again
}

TEST(ClassicPalette, AutomationRgbPutsRedInTheLowByte)
{
    EXPECT_EQ(to_automation_rgb(0xFF0000), 0x0000FF);
    EXPECT_EQ(to_automation_rgb(0x123456), 0x563412);
    EXPECT_EQ(from_automation_rgb(0x563412), 0x123456u);
}

}  // namespace
