// Scanline filling by signed-area accumulation: each edge leaves, in every pixel row
// it crosses, the change of coverage it makes from each column on (the part of the
// pixel it crosses to its right, then a whole step). Sorted along the row, those
// changes turn the row into spans of constant coverage: outside, inside, and the few
// pixels an edge passes through. A row whose changes are the same as the row above
// (straight up-and-down edges) reuses that row's spans.
#include "render/paint/coverage_fill.hpp"

#include <algorithm>
#include <cmath>

namespace sheethost::render {

namespace {

// A pixel mixed with an opaque colour by alpha/255, rounding as pixman does. Red and
// blue share one 32-bit product, 16 bits apart; every channel sum stays below
// 255 * 255 + 255, so no lane carries into the next. The colour's share, with the
// rounding term, is worked out once per span.
struct mix_terms {
    uint32_t keep, rb_add, g_add;
};

mix_terms terms_for(uint32_t colour, unsigned alpha)
{
    return {255 - alpha, (colour & 0xFF00FFu) * alpha + 0x800080u, ((colour >> 8) & 0xFFu) * alpha + 0x80u};
}

uint32_t mixed(uint32_t d, const mix_terms &t)
{
    uint32_t rb = (d & 0xFF00FFu) * t.keep + t.rb_add;
    uint32_t g = ((d >> 8) & 0xFFu) * t.keep + t.g_add;
    rb = ((rb + ((rb >> 8) & 0xFF00FFu)) >> 8) & 0xFF00FFu;
    g = ((g + (g >> 8)) >> 8) & 0xFFu;
    return 0xFF000000u | rb | (g << 8);
}

// floor and ceil without a library call, for the picture's small coordinates.
int floor_int(double x)
{
    int i = static_cast<int>(x);
    return i > x ? i - 1 : i;
}
int ceil_int(double x)
{
    int i = static_cast<int>(x);
    return i < x ? i + 1 : i;
}

}  // namespace

void coverage_fill::add_contour(const std::vector<point> &corners, bool reversed)
{
    size_t n = corners.size();
    for (size_t i = 0; i < n; ++i) {
        point p = corners[i], q = corners[(i + 1) % n];
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(q.x) || !std::isfinite(q.y) || p.y == q.y)
            continue;
        double dir = reversed ? -1 : 1;
        if (p.y > q.y) {
            std::swap(p, q);
            dir = -dir;
        }
        edges_.push_back({p.x, p.y, q.y, (q.x - p.x) / (q.y - p.y), dir});
    }
}

// The edge's part within the row, as changes of coverage along the row.
void coverage_fill::deposit_row(const edge &e, int row, int width)
{
    double ya = std::max<double>(row, e.y0), yb = std::min<double>(row + 1, e.y1);
    if (yb <= ya)
        return;
    double xa = e.x0 + (ya - e.y0) * e.dxdy, xb = e.x0 + (yb - e.y0) * e.dxdy;
    double d = (yb - ya) * e.dir;
    double lo = std::min(xa, xb), hi = std::max(xa, xb);
    int first = floor_int(lo), last = ceil_int(hi);
    double lo_floor = first, hi_ceil = last;
    if (last <= first + 1) {
        // Within one pixel column: its share right of the edge's middle.
        double mid = 0.5 * (xa + xb) - lo_floor;
        add(first, d * (1 - mid), width);
        add(first + 1, d * mid, width);
        return;
    }
    // Across several columns: the triangle in the first, strips in between, the
    // triangle's remainder in the last.
    double s = 1 / (hi - lo);
    double lo_frac = lo - lo_floor;
    double a0 = 0.5 * s * (1 - lo_frac) * (1 - lo_frac);
    double hi_frac = hi - hi_ceil + 1;
    double am = 0.5 * s * hi_frac * hi_frac;
    add(first, d * a0, width);
    if (last == first + 2) {
        add(first + 1, d * (1 - a0 - am), width);
    } else {
        double a1 = s * (1.5 - lo_frac);
        add(first + 1, d * (a1 - a0), width);
        for (int x = first + 2; x < last - 1; ++x)
            add(x, d * s, width);
        double a2 = a1 + (last - first - 3) * s;
        add(last - 1, d * (1 - a2 - am), width);
    }
    add(last, d * am, width);
}

void coverage_fill::make_spans(int width)
{
    spans_.clear();
    double sum = 0;
    size_t k = 0;
    while (k < deposits_.size()) {
        int column = deposits_[k].column;
        for (; k < deposits_.size() && deposits_[k].column == column; ++k)
            sum += deposits_[k].delta;
        int next = k < deposits_.size() ? deposits_[k].column : width;
        auto alpha = static_cast<unsigned>(std::min(1.0, std::abs(sum)) * 255 + 0.5);
        if (alpha > 0)
            spans_.push_back({column, next, alpha});
    }
}

// The last row that is the same as `row`: up to where an edge starts, ends or leans.
int coverage_fill::steady_until(int row, int last_row) const
{
    int until = last_row;
    for (const edge &e : edges_) {
        if (e.y1 <= row)
            continue;
        if (e.y0 >= row + 1) {
            until = std::min(until, floor_int(e.y0) - 1);
            break;  // sorted by y0: no later edge starts sooner
        }
        if (e.dxdy != 0 || e.y0 > row)
            return row;
        until = std::min(until, floor_int(e.y1) - 1);
    }
    return std::max(until, row);
}

// A run of equal rows in one colour, span by span down the rows: a pixel at an
// edge costs a mix and nothing more.
void coverage_fill::paint(const pixel_target &target, rgb colour)
{
    const uint32_t solid = 0xFF000000u | (colour & 0xFFFFFFu);
    const auto stride = static_cast<size_t>(target.width);
    for_each_run(target, [&](int first, int last) {
        uint32_t *top = target.pixels + static_cast<size_t>(first) * stride;
        for (const span &s : spans_) {
            uint32_t *column = top + s.from;
            if (s.alpha >= 255) {
                for (int row = first; row <= last; ++row, column += stride)
                    fill_pixels(column, static_cast<size_t>(s.to - s.from), solid);
                continue;
            }
            mix_terms t = terms_for(solid, s.alpha);
            for (int x = s.from; x < s.to; ++x, ++column) {
                uint32_t *p = column;
                for (int row = first; row <= last; ++row, p += stride)
                    *p = mixed(*p, t);
            }
        }
    });
}

void coverage_fill::paint_rows(const pixel_target &target, const std::function<rgb(int)> &colour_of_row)
{
    for_each_run(target, [&](int first, int last) {
        for (int row = first; row <= last; ++row) {
            const uint32_t solid = 0xFF000000u | (colour_of_row(row) & 0xFFFFFFu);
            uint32_t *line = target.pixels + static_cast<size_t>(row) * static_cast<size_t>(target.width);
            for (const span &s : spans_) {
                if (s.alpha >= 255) {
                    fill_pixels(line + s.from, static_cast<size_t>(s.to - s.from), solid);
                    continue;
                }
                mix_terms t = terms_for(solid, s.alpha);
                for (int x = s.from; x < s.to; ++x)
                    line[x] = mixed(line[x], t);
            }
        }
    });
}

// Works out the spans of each run of equal rows and hands the run on.
void coverage_fill::for_each_run(const pixel_target &target, const std::function<void(int, int)> &paint_run)
{
    if (edges_.empty())
        return;
    std::sort(edges_.begin(), edges_.end(), [](const edge &a, const edge &b) { return a.y0 < b.y0; });
    double bottom = 0;
    for (const edge &e : edges_)
        bottom = std::max(bottom, e.y1);
    int from = std::max(0, floor_int(edges_.front().y0));
    int to = std::min(target.height, ceil_int(bottom));
    for (int row = from; row < to;) {
        deposits_.clear();
        for (const edge &e : edges_) {
            if (e.y0 >= row + 1)
                break;
            if (e.y1 > row)
                deposit_row(e, row, target.width);
        }
        // Insertion sort: a row holds a handful of changes.
        for (size_t i = 1; i < deposits_.size(); ++i)
            for (size_t j = i; j > 0 && deposits_[j - 1].column > deposits_[j].column; --j)
                std::swap(deposits_[j - 1], deposits_[j]);
        make_spans(target.width);
        int last = steady_until(row, to - 1);
        if (!spans_.empty())
            paint_run(row, last);
        row = last + 1;
    }
}

}  // namespace sheethost::render
