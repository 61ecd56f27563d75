// Ordering the upright faces: pairwise "behind" from the footprints, then a
// topological sort that prefers the earliest input face among those ready.
#include "render/chart_types/shared/pie_side_order.hpp"

#include <algorithm>
#include <cmath>

namespace sheethost::render {

namespace {

constexpr double kTiny = 1e-9;

double min_x(const footprint &f) { return std::min(f.front().x, f.back().x); }
double max_x(const footprint &f) { return std::max(f.front().x, f.back().x); }

// The footprint's depth at x, which lies within its x range.
double depth_at(const footprint &f, double x)
{
    for (size_t i = 1; i < f.size(); ++i) {
        point a = f[i - 1], b = f[i];
        if ((x - a.x) * (x - b.x) <= 0) {
            double dx = b.x - a.x;
            return std::abs(dx) < kTiny ? std::min(a.y, b.y) : a.y + (x - a.x) / dx * (b.y - a.y);
        }
    }
    return f.back().y;
}

// +1 when p lies behind q where both exist across, -1 when in front, 0 when they do
// not share an x range. Sampled at three places and decided by the clearest one, so a
// touch at one end never decides it.
int behind(const footprint &p, const footprint &q)
{
    double lo = std::max(min_x(p), min_x(q)), hi = std::min(max_x(p), max_x(q));
    if (hi - lo <= kTiny)
        return 0;
    double best = 0;
    for (double t : {0.25, 0.5, 0.75}) {
        double x = lo + (hi - lo) * t;
        double d = depth_at(p, x) - depth_at(q, x);
        if (std::abs(d) > std::abs(best))
            best = d;
    }
    if (std::abs(best) <= kTiny)
        return 0;
    return best > 0 ? 1 : -1;
}

}  // namespace

std::vector<size_t> back_to_front(const std::vector<footprint> &faces)
{
    size_t n = faces.size();
    std::vector<std::vector<size_t>> after(n);  // after[i]: faces to paint after i
    std::vector<size_t> waiting(n, 0);           // how many faces must come before i
    for (size_t i = 0; i < n; ++i) {
        if (faces[i].size() < 2)
            continue;
        for (size_t j = i + 1; j < n; ++j) {
            if (faces[j].size() < 2)
                continue;
            int b = behind(faces[i], faces[j]);
            if (b > 0) {
                after[i].push_back(j);
                ++waiting[j];
            } else if (b < 0) {
                after[j].push_back(i);
                ++waiting[i];
            }
        }
    }
    std::vector<size_t> order;
    std::vector<bool> done(n, false);
    while (order.size() < n) {
        size_t pick = n;
        for (size_t i = 0; i < n && pick == n; ++i)
            if (!done[i] && waiting[i] == 0)
                pick = i;
        // Rounding could only make a cycle of faces that touch edge to edge; then any
        // order of them is right to the pixel, so take the earliest.
        for (size_t i = 0; i < n && pick == n; ++i)
            if (!done[i])
                pick = i;
        done[pick] = true;
        order.push_back(pick);
        for (size_t j : after[pick])
            if (waiting[j] > 0)
                --waiting[j];
    }
    return order;
}

}  // namespace sheethost::render
