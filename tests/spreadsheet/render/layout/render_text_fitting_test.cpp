// Wrapping and shortening text, and the boxes of turned text.
#include <gtest/gtest.h>

#include "render/layout/text_box.hpp"
#include "render/layout/text_fitting.hpp"
#include "render_test_text.h"

namespace {

using namespace sheethost::render;
using render_test::fixed_width_measurer;

const font_spec kTen{u"Verdana", 10, false, false};  // 6 points a character

struct wrap_case {
    const char *text;
    double width;
    std::vector<std::string> lines;
};

class Wrap : public ::testing::TestWithParam<wrap_case> {};

TEST_P(Wrap, BreaksAtSpaces)
{
    fixed_width_measurer m;
    EXPECT_EQ(wrap_words(GetParam().text, GetParam().width, kTen, m), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Wrap,
    ::testing::Values(wrap_case{"North-East Metropolitan Area", 80, {"North-East", "Metropolitan", "Area"}},
                      wrap_case{"North-East Metropolitan Area", 200, {"North-East Metropolitan Area"}},
                      wrap_case{"a b c d", 18, {"a b", "c d"}},
                      wrap_case{"Extraordinarily", 30, {"Extraordinarily"}},  // too long: its own line
                      wrap_case{"  spaced   out  ", 200, {"spaced out"}}, wrap_case{"", 50, {""}}));

TEST(Ellipsize, KeepsTextThatFitsAndShortensTheRest)
{
    fixed_width_measurer m;
    EXPECT_EQ(ellipsize("Short", 60, kTen, m), "Short");
    std::string cut = ellipsize("Northern Territories", 60, kTen, m);  // 10 characters fit
    EXPECT_EQ(cut, "Northern\xE2\x80\xA6");                           // the space before the cut goes too
    EXPECT_LE(m.measure(cut, kTen).width, 60);
    EXPECT_EQ(ellipsize("\xC3\x84\xC3\x84\xC3\x84\xC3\x84", 19, kTen, m), "\xC3\x84\xC3\x84\xE2\x80\xA6");
    EXPECT_EQ(ellipsize("Anything", 3, kTen, m), "\xE2\x80\xA6");
}

TEST(TextBoxes, TurnAboutTheirAnchor)
{
    fixed_width_measurer m;
    text_box level = make_text_box({"abcd"}, kTen, 0, {100, 100}, h_align::right, v_align::middle, 0, m);
    EXPECT_DOUBLE_EQ(level.bounds.right(), 100);
    EXPECT_DOUBLE_EQ(level.bounds.w, 24);
    EXPECT_DOUBLE_EQ(level.bounds.h, 12);
    text_box upright = make_text_box({"abcd"}, kTen, 0, {100, 100}, h_align::centre, v_align::middle, 90, m);
    EXPECT_NEAR(upright.bounds.w, 12, 1e-9);
    EXPECT_NEAR(upright.bounds.h, 24, 1e-9);
    EXPECT_NEAR(upright.bounds.centre().x, 100, 1e-9);
    text_box turned = make_text_box({"abcd"}, kTen, 0, {100, 100}, h_align::right, v_align::middle, 45, m);
    EXPECT_LE(turned.bounds.right(), 100 + 6 * std::sqrt(0.5) + 1e-9);
    EXPECT_LT(turned.bounds.left(), 100 - 24 * std::sqrt(0.5) + 1e-9);
    text_box two = make_text_box({"ab", "abcdef"}, kTen, 0, {0, 0}, h_align::left, v_align::top, 0, m);
    EXPECT_DOUBLE_EQ(two.bounds.w, 36);
    EXPECT_DOUBLE_EQ(two.bounds.h, 24);
    EXPECT_DOUBLE_EQ(two.bounds.top(), 0);
}

TEST(ConvexOverlap, SeesTurnedBoxesThatOnlyTheirBoundsWouldConfuse)
{
    fixed_width_measurer m;
    text_box a = make_text_box({"long heading"}, kTen, 0, {100, 100}, h_align::right, v_align::middle, 45, m);
    text_box b = moved(a, 20, 0);  // parallel, 20 * sin 45 = 14 points apart: clear of each other
    text_box c = moved(a, 10, 0);  // 7 points apart: closer than a line is high
    EXPECT_TRUE(a.bounds.overlaps(b.bounds));
    EXPECT_FALSE(convex_overlap(text_corners(a.item), text_corners(b.item)));
    EXPECT_TRUE(convex_overlap(text_corners(a.item), text_corners(c.item)));
}

}  // namespace
