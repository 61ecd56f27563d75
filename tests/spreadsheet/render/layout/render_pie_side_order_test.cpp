// The 3-D pie's upright faces in painting order: a face comes before every face that
// covers part of it (the smaller depth where both exist across), and faces that never
// share a column keep their input order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "render/chart_types/shared/pie_side_order.hpp"

namespace {

using namespace sheethost::render;

// The front half of a unit circle's rim from angle `from` to `to` (clockwise from
// 12 o'clock), as a pie wall's footprint.
footprint wall(double from_deg, double to_deg, point offset = {0, 0})
{
    footprint f;
    for (int k = 0; k <= 40; ++k) {
        double a = (from_deg + (to_deg - from_deg) * k / 40) * std::numbers::pi / 180;
        f.push_back({offset.x + std::sin(a), offset.y + std::cos(a)});
    }
    return f;
}

struct order_case {
    const char *name;
    std::vector<footprint> faces;
    std::vector<std::pair<size_t, size_t>> before;  // (i, j): i is painted before j
};

const order_case kCases[] = {
    {"near_line_given_first", {{{-0.5, -1}, {0.5, -1}}, {{-1, 1}, {1, 1}}}, {{1, 0}}},
    {"apart_across_keep_input_order", {{{2, 0}, {3, 0}}, {{0, -5}, {1, -5}}}, {{0, 1}}},
    {"touching_ends_keep_input_order", {{{1, -1}, {2, 0}}, {{0, 0}, {1, -1}}}, {{0, 1}}},
    {"three_deep",
     {{{0, 0}, {4, 0}}, {{1, -2}, {3, -2}}, {{0.5, 3}, {3.5, 3}}},
     {{2, 0}, {0, 1}, {2, 1}}},
    {"cut_face_behind_the_wall_it_meets", {wall(90, 270), {{0, 0}, {0.7071, -0.7071}}}, {{1, 0}}},
    {"sloping_cut_behind_a_neighbours_wall",
     // An exploded slice's wall (right front) and the next slice's start cut further
     // back: the cut runs from the centre out toward 4 o'clock.
     {wall(100, 170, {0.05, -0.05}), {{-0.02, 0.02}, {0.85, -0.5}}},
     {{1, 0}}},
    {"walls_of_two_exploded_slices_side_by_side",
     {wall(180, 260, {-0.07, -0.07}), wall(100, 180, {0.07, -0.07}), {{0, 0.2}, {0, -0.8}}},
     {{0, 1}}},
};

TEST(PieSideOrder, PaintsEveryFaceBeforeTheFacesThatCoverIt)
{
    for (const order_case &c : kCases) {
        std::vector<size_t> order = back_to_front(c.faces);
        ASSERT_EQ(order.size(), c.faces.size()) << c.name;
        std::vector<size_t> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        for (size_t i = 0; i < sorted.size(); ++i)
            ASSERT_EQ(sorted[i], i) << c.name << ": not a permutation";
        auto at = [&order](size_t face) { return std::find(order.begin(), order.end(), face) - order.begin(); };
        for (auto [first, second] : c.before)
            EXPECT_LT(at(first), at(second)) << c.name << ": face " << first << " must come before " << second;
    }
}

TEST(PieSideOrder, SortsARingOfFacesInAnyInputOrder)
{
    // Parallel lines at depths 0..5 given in a scrambled order come out farthest first.
    const int depths[] = {3, 0, 5, 1, 4, 2};
    std::vector<footprint> faces;
    for (int d : depths)
        faces.push_back({{-1.0 - d * 0.1, static_cast<double>(d)}, {1.0 + d * 0.1, static_cast<double>(d)}});
    std::vector<size_t> order = back_to_front(faces);
    for (size_t k = 1; k < order.size(); ++k)
        EXPECT_GT(depths[order[k - 1]], depths[order[k]]);
}

}  // namespace
