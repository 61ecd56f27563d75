// The 3-D projection: the box fills the plot area exactly, right-angle axes keep
// fronts rectangular, and the eye sits where the documented angles put it.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "render/layout/projection.hpp"

namespace {

using namespace sheethost::render;

rect picture_of(const projection &p, vec3 box)
{
    std::vector<point> pts;
    for (int i = 0; i < 8; ++i)
        pts.push_back(p.project({i & 1 ? box.x : 0, i & 2 ? box.y : 0, i & 4 ? box.z : 0}));
    return bounds_of(pts);
}

class Projection : public ::testing::TestWithParam<view_angles> {};

TEST_P(Projection, FillsThePlotAreaExactly)
{
    vec3 box{12, 5, 1.2};
    rect plot{40, 30, 540, 250};
    projection p(box, GetParam(), plot);
    rect r = picture_of(p, box);
    EXPECT_NEAR(r.x, plot.x, 1e-9);
    EXPECT_NEAR(r.y, plot.y, 1e-9);
    EXPECT_NEAR(r.w, plot.w, 1e-9);
    EXPECT_NEAR(r.h, plot.h, 1e-9);
}

TEST_P(Projection, SeesTheInnerWallsAndTheBarsFrontRightAndTop)
{
    vec3 box{12, 5, 1.2};
    projection p(box, GetParam(), {0, 0, 540, 250});
    EXPECT_TRUE(p.faces_eye({0, 2, 0.6}, {1, 0, 0}));      // the left wall's inner face
    EXPECT_TRUE(p.faces_eye({6, 2, 1.2}, {0, 0, -1}));     // the back wall's inner face
    EXPECT_TRUE(p.faces_eye({6, 0, 0.6}, {0, 1, 0}));      // the floor's top
    EXPECT_TRUE(p.faces_eye({6, 2, 0.3}, {0, 0, -1}));     // a bar's front
    EXPECT_TRUE(p.faces_eye({6.5, 2, 0.6}, {1, 0, 0}));    // its right side
    EXPECT_FALSE(p.faces_eye({6, 2, 0.6}, {-1, 0, 0}));    // not its left side
    EXPECT_FALSE(p.faces_eye({6, 2, 0.9}, {0, 0, 1}));     // nor its back
    // Up the value axis is up the picture, along the categories is to the right.
    EXPECT_GT(p.project({0, 5, 0}).y, p.project({0, 0, 0}).y);
    EXPECT_GT(p.project({12, 0, 0}).x, p.project({0, 0, 0}).x);
}

INSTANTIATE_TEST_SUITE_P(Views, Projection,
                         ::testing::Values(view_angles{15, 20, 30, true}, view_angles{15, 20, 30, false},
                                           view_angles{15, 20, 0, false}, view_angles{25, 40, 80, false}));

TEST(ObliqueProjection, KeepsFrontFacesRectangularAndDepthRecedingUpRight)
{
    vec3 box{4, 3, 1};
    projection p(box, view_angles{15, 20, 30, true}, {0, 0, 400, 300});
    point a = p.project({1, 1, 0}), b = p.project({2, 1, 0}), c = p.project({1, 2, 0});
    EXPECT_NEAR(a.y, b.y, 1e-9);  // level
    EXPECT_NEAR(a.x, c.x, 1e-9);  // upright
    point back = p.project({1, 1, 1});
    EXPECT_GT(back.x, a.x);
    EXPECT_GT(back.y, a.y);
    // Depth recedes by sin(rotation) across and sin(elevation) up, before the fit's scaling.
    double sx = (b.x - a.x), sy = (c.y - a.y);
    EXPECT_NEAR((back.x - a.x) / sx, std::sin(20 * std::numbers::pi / 180), 1e-9);
    EXPECT_NEAR((back.y - a.y) / sy, std::sin(15 * std::numbers::pi / 180), 1e-9);
}

TEST(CentralProjection, MakesNearThingsLarger)
{
    vec3 box{4, 3, 4};
    projection p(box, view_angles{15, 20, 60, false}, {0, 0, 400, 300});
    double front = p.project({2, 0, 0}).x - p.project({1, 0, 0}).x;
    double back = p.project({2, 0, 4}).x - p.project({1, 0, 4}).x;
    EXPECT_GT(front, back * 1.05);
    projection parallel(box, view_angles{15, 20, 0, false}, {0, 0, 400, 300});
    EXPECT_NEAR(parallel.project({2, 0, 0}).x - parallel.project({1, 0, 0}).x,
                parallel.project({2, 0, 4}).x - parallel.project({1, 0, 4}).x, 1e-9);
}

}  // namespace
