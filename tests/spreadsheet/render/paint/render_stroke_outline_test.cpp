// The polygons that stand in for plain strokes: rings around convex outlines, bands
// along single segments, and the outlines that must go back to cairo's stroker.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "render/paint/stroke_outline.hpp"

namespace {

using namespace sheethost::render;

double area_of(const std::vector<point> &p)
{
    double sum = 0;
    for (size_t i = 0; i < p.size(); ++i)
        sum += p[i].x * p[(i + 1) % p.size()].y - p[(i + 1) % p.size()].x * p[i].y;
    return std::abs(sum) / 2;
}

struct ring_case {
    std::string name;
    std::vector<point> outline;
    double width;
    bool drawn;        // false: cairo strokes it
    double ring_area;  // outer area - inner area, when drawn
};

class StrokeRing : public testing::TestWithParam<ring_case> {};

TEST_P(StrokeRing, CoversTheStrokeOrDeclines)
{
    const ring_case &c = GetParam();
    std::optional<stroke_ring> ring = closed_stroke_ring(c.outline, c.width);
    ASSERT_EQ(ring.has_value(), c.drawn);
    if (ring) {
        ASSERT_EQ(ring->outer.size(), ring->inner.size());
        EXPECT_NEAR(area_of(ring->outer) - area_of(ring->inner), c.ring_area, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Outlines, StrokeRing,
    testing::Values(
        // A 10 x 6 box stroked 1 wide: 11 x 7 outside, 9 x 5 inside, either winding.
        ring_case{"box", {{0, 0}, {10, 0}, {10, 6}, {0, 6}}, 1, true, 77 - 45},
        ring_case{"box_reversed", {{0, 6}, {10, 6}, {10, 0}, {0, 0}}, 1, true, 77 - 45},
        ring_case{"closing_corner_repeated", {{0, 0}, {10, 0}, {10, 6}, {0, 6}, {0, 0}}, 1, true, 77 - 45},
        // A parallelogram: the ring is perimeter x width wherever the mitres meet.
        ring_case{"parallelogram", {{0, 0}, {4, 0}, {7, 4}, {3, 4}}, 0.5, true, 0.5 * (4 + 5 + 4 + 5)},
        ring_case{"not_convex", {{0, 0}, {10, 0}, {10, 10}, {5, 2}, {0, 10}}, 1, false, 0},
        ring_case{"sharp_corner", {{0, 0}, {100, 0}, {0, 3}}, 1, false, 0},
        ring_case{"thinner_than_the_line", {{0, 0}, {10, 0}, {10, 0.5}, {0, 0.5}}, 1, false, 0},
        ring_case{"two_corners", {{0, 0}, {10, 0}}, 1, false, 0},
        ring_case{"no_width", {{0, 0}, {10, 0}, {10, 6}, {0, 6}}, 0, false, 0}),
    [](const testing::TestParamInfo<ring_case> &info) { return info.param.name; });

struct convex_case {
    std::string name;
    std::vector<point> outline;
    bool convex;
};

class Convexity : public testing::TestWithParam<convex_case> {};

TEST_P(Convexity, IsTold) { EXPECT_EQ(is_convex(GetParam().outline), GetParam().convex); }

INSTANTIATE_TEST_SUITE_P(
    Outlines, Convexity,
    testing::Values(convex_case{"box", {{0, 0}, {10, 0}, {10, 6}, {0, 6}}, true},
                    convex_case{"with_a_straight_corner", {{0, 0}, {5, 0}, {10, 0}, {10, 6}, {0, 6}}, true},
                    convex_case{"dent", {{0, 0}, {10, 0}, {10, 10}, {5, 2}, {0, 10}}, false},
                    convex_case{"flat", {{0, 0}, {5, 0}, {10, 0}}, false},
                    convex_case{"point", {{1, 1}}, false}),
    [](const testing::TestParamInfo<convex_case> &info) { return info.param.name; });

TEST(StrokeBand, IsTheSegmentWidenedWithSquareEnds)
{
    std::optional<std::array<point, 4>> band = segment_band({2, 5}, {12, 5}, 2);
    ASSERT_TRUE(band);
    EXPECT_NEAR(area_of({band->begin(), band->end()}), 20, 1e-9);
    for (const point &p : *band) {
        EXPECT_TRUE(p.x == 2 || p.x == 12) << p.x;
        EXPECT_NEAR(std::abs(p.y - 5), 1, 1e-12);
    }
    EXPECT_FALSE(segment_band({3, 3}, {3, 3}, 1));
}

}  // namespace
