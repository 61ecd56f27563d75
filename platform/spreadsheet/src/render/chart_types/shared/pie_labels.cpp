// Pie value labels: natural spots, spreading per side, leader lines.
#include "render/chart_types/shared/pie_labels.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "render/style/chart_style.hpp"
#include "render/chart_types/shared/column_geometry.hpp"
#include "render/style/fill_style.hpp"

namespace sheethost::render {

namespace {

// Generous per-character and line sizes in ems: the widest digits of the usual faces
// are about 0.64 em, a line about 1.2 em.
constexpr double kCharEm = 0.66;
constexpr double kLineEm = 1.25;
constexpr double kKeyRoom = 10;       // the legend key beside a value and its gap
constexpr double kRimGap = 4;         // between the rim and where a label starts
constexpr double kPlacementGap = 2;   // the shared placement's own gap off the anchor
constexpr double kRowGap = 1;         // between labels stacked on one side
constexpr double kLeaderThreshold = 3;  // a label moved further than this gets a leader
constexpr rgb kLeaderColour = 0x8C8C8C;

size_t characters(const std::string &utf8)
{
    size_t n = 0;
    for (char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

double label_width(const chart_snapshot &chart, const std::string &text)
{
    double w = static_cast<double>(characters(text)) * kCharEm * style::kDataLabelFontSize;
    if (!chart.series.empty() && chart.series.front().legend_key)
        w += kKeyRoom;
    return w;
}

double label_height() { return kLineEm * style::kDataLabelFontSize; }

struct pending {
    data_label_request request;
    point rim;
    point natural;
    double width;
};

// The furthest the obstacles reach right (or left) within the band [y0, y1], or
// nothing when none lies in it.
std::optional<double> reach(const std::vector<rect> &obstacles, double y0, double y1, bool right)
{
    std::optional<double> out;
    for (const rect &o : obstacles) {
        if (o.top() <= y0 || o.bottom() >= y1)
            continue;
        double edge = right ? o.right() : o.left();
        out = !out ? edge : right ? std::max(*out, edge) : std::min(*out, edge);
    }
    return out;
}

// Spreads one side's labels (sorted top first) so neighbours are at least a row
// apart, as little away from their natural heights as the plot area allows.
void spread(std::vector<pending *> &side, const rect &plot, double h)
{
    if (side.empty())
        return;
    double pitch = h + kRowGap;
    double top = plot.top() - h / 2, bottom = plot.bottom() + h / 2;
    std::vector<double> y;
    for (const pending *p : side)
        y.push_back(p->natural.y);
    y[0] = std::min(y[0], top);
    for (size_t i = 1; i < y.size(); ++i)
        y[i] = std::min(y[i], y[i - 1] - pitch);
    if (y.back() < bottom) {
        y.back() = bottom;
        for (size_t i = y.size() - 1; i-- > 0;)
            y[i] = std::max(y[i], y[i + 1] + pitch);
    }
    for (size_t i = 0; i < side.size(); ++i)
        side[i]->request.anchor.y = y[i];
}

}  // namespace

label_room pie_label_room(const chart_snapshot &chart)
{
    label_room room;
    for (const pie_slice &s : pie_slices(chart)) {
        std::optional<std::string> text = data_label_text(chart, 0, s.category, s.value);
        if (!text)
            continue;
        room.width = std::max(room.width, label_width(chart, *text));
        room.height = label_height();
    }
    return room;
}

pie_margins pie_label_margins(const chart_snapshot &chart)
{
    label_room room = pie_label_room(chart);
    if (room.width == 0)
        return {kRimGap, kRimGap};  // a hair of room for the separators' width
    return {room.width + kRimGap + kPlacementGap + 2, room.height + kRimGap};
}

std::vector<rect> covering_strips(const std::vector<std::vector<point>> &outlines, double strip_height)
{
    std::vector<rect> out;
    std::optional<rect> all;
    for (const std::vector<point> &o : outlines)
        if (!o.empty())
            all = all ? united(*all, bounds_of(o)) : bounds_of(o);
    if (!all || !(strip_height > 0))
        return out;
    int count = std::max(1, static_cast<int>(std::ceil(all->h / strip_height)));
    double h = all->h / count;
    for (int k = 0; k < count; ++k) {
        double y0 = all->bottom() + k * h, y1 = y0 + h;
        double x0 = INFINITY, x1 = -INFINITY;
        for (const std::vector<point> &o : outlines) {
            for (size_t i = 0; i < o.size(); ++i) {
                point p = o[i], q = o[(i + 1) % o.size()];
                double lo = std::max(std::min(p.y, q.y), y0), hi = std::min(std::max(p.y, q.y), y1);
                if (lo > hi)
                    continue;
                for (double yy : {lo, hi}) {
                    double x = p.y == q.y ? p.x : p.x + (yy - p.y) / (q.y - p.y) * (q.x - p.x);
                    x0 = std::min(x0, x);
                    x1 = std::max(x1, x);
                }
                if (p.y == q.y) {
                    x0 = std::min(x0, q.x);
                    x1 = std::max(x1, q.x);
                }
            }
        }
        if (x0 <= x1)
            out.push_back({x0, y0, x1 - x0, h});
    }
    return out;
}

void add_pie_labels(const plot_context &ctx, const std::vector<pie_label_spot> &spots, plot_content &out)
{
    const chart_snapshot &c = ctx.chart;
    double h = label_height();
    std::vector<pending> labels;
    for (const pie_label_spot &spot : spots) {
        std::optional<std::string> text = data_label_text(c, 0, spot.slice.category, spot.slice.value);
        if (!text)
            continue;
        double a = spot.slice.middle(), sx = std::sin(a), cy = std::cos(a);
        // Off the rim along the middle angle, and half a row further up or down near
        // 12 and 6 o'clock so a label hanging sideways clears the pie's top or bottom.
        point natural{spot.rim.x + kRimGap * sx, spot.rim.y + kRimGap * cy + cy * h / 2};
        bool right = sx >= 0;
        rgb colour = representative_colour(slice_fill(c, spot.slice.category), series_colour(spot.slice.category));
        data_label_request r{*text, natural, right ? label_side::right : label_side::left,
                             rect{natural.x, natural.y, 0, 0}, colour, c.series.front().legend_key};
        labels.push_back({std::move(r), spot.rim, natural, label_width(c, *text)});
    }

    for (bool right : {true, false}) {
        std::vector<pending *> side;
        for (pending &p : labels)
            if ((p.request.side == label_side::right) == right)
                side.push_back(&p);
        std::stable_sort(side.begin(), side.end(),
                         [](const pending *a, const pending *b) { return a->natural.y > b->natural.y; });
        spread(side, ctx.plot, h);
        for (pending *p : side) {
            double y = p->request.anchor.y;
            double x = p->natural.x;
            if (std::optional<double> edge = reach(out.obstacles, y - h / 2, y + h / 2, right))
                x = right ? std::max(x, *edge + kRimGap) : std::min(x, *edge - kRimGap);
            // Within the plot area across, when the pie leaves the room.
            double room = p->width + kPlacementGap;
            x = right ? std::min(x, ctx.plot.right() - room) : std::max(x, ctx.plot.left() + room);
            p->request.anchor.x = x;
            p->request.bar = rect{x, y, 0, 0};
        }
    }

    for (pending &p : labels) {
        point a = p.request.anchor;
        if (std::hypot(a.x - p.natural.x, a.y - p.natural.y) > kLeaderThreshold) {
            shape leader;
            leader.outline = {p.rim, a};
            leader.closed = false;
            leader.line = stroke{0.6, kLeaderColour, {}};
            out.items.push_back(std::move(leader));
        }
        out.labels.push_back(std::move(p.request));
    }
}

}  // namespace sheethost::render
