// Value label placement: a greedy search outward from each bar, in request order, so
// the result is stable and cheap; labels never overlap each other.
#include "render/layout/data_labels.hpp"

#include <algorithm>

#include "render/style/chart_style.hpp"
#include "render/style/colour.hpp"
#include "render/style/fill_style.hpp"

namespace sheethost::render {

namespace {

constexpr double kLabelGap = 2;
constexpr double kKeyGap = 2;
constexpr int kMaxSteps = 24;

bool same_rect(const rect &a, const rect &b) { return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h; }

bool collides(const rect &box, const rect &own_bar, const std::vector<rect> &obstacles,
              const std::vector<data_label> &placed)
{
    for (const data_label &t : placed)
        if (box.overlaps(t.bounds))
            return true;
    for (const rect &o : obstacles)
        if (!same_rect(o, own_bar) && box.overlaps(o, 0.5))
            return true;
    return false;
}

// Which way a side pushes a label, and how the label's box hangs off the point it
// starts from (its edge nearest the data point sits there).
struct side_geometry {
    double dx, dy;
    h_align h;
    v_align v;
};

side_geometry geometry_of(label_side side)
{
    switch (side) {
    case label_side::below:
        return {0, -1, h_align::centre, v_align::top};
    case label_side::right:
        return {1, 0, h_align::left, v_align::middle};
    case label_side::left:
        return {-1, 0, h_align::right, v_align::middle};
    case label_side::above:
    default:
        return {0, 1, h_align::centre, v_align::bottom};
    }
}

// The opposite alignment: a label inside the bar's end hangs back into the bar.
h_align flipped(h_align a) { return a == h_align::left ? h_align::right : a == h_align::right ? h_align::left : a; }
v_align flipped(v_align a) { return a == v_align::top ? v_align::bottom : a == v_align::bottom ? v_align::top : a; }

// The label with the alignments' point at (x, y).
data_label make_label(const data_label_request &r, double x, double y, h_align horizontal, v_align vertical,
                      rgb colour, const font_spec &font, const text_measurer &measurer)
{
    data_label label;
    label.text = make_text_box({r.text}, font, colour, {x, y}, horizontal, vertical, 0, measurer);
    label.bounds = label.text.bounds;
    if (r.legend_key) {
        double side = std::min(label.text.bounds.h * 0.7, 8.0);
        // The key goes before the text; when the label grows leftward the text moves
        // nothing and the key goes further left, else the text makes room for it.
        double shift = horizontal == h_align::right ? 0 : horizontal == h_align::left ? side + kKeyGap
                                                                                      : (side + kKeyGap) / 2;
        label.text = moved(std::move(label.text), shift, 0);
        const rect &t = label.text.bounds;
        label.key = rect{t.left() - kKeyGap - side, t.centre().y - side / 2, side, side};
        label.key_colour = r.bar_colour;
        label.bounds = united(t, *label.key);
    }
    return label;
}

// Whether the box is still within the plot area along the direction labels move in
// (across it a label may stick out a little, as headings do).
bool within(const rect &box, const rect &plot, bool vertical)
{
    if (vertical)
        return box.top() <= plot.top() + 0.01 && box.bottom() >= plot.bottom() - 0.01;
    return box.left() >= plot.left() - 0.01 && box.right() <= plot.right() + 0.01;
}

data_label moved(data_label label, double dx, double dy)
{
    label.text = moved(std::move(label.text), dx, dy);
    if (label.key) {
        label.key->x += dx;
        label.key->y += dy;
    }
    label.bounds.x += dx;
    label.bounds.y += dy;
    return label;
}

// The label moved the least distance along the direction labels move in that brings
// it within the plot area (when it is larger than the plot area, its far edge wins).
data_label pulled_inside(data_label label, const rect &plot, bool vertical)
{
    const rect &b = label.bounds;
    if (vertical) {
        double dy = b.top() > plot.top() ? plot.top() - b.top() : b.bottom() < plot.bottom() ? plot.bottom() - b.bottom() : 0;
        return moved(std::move(label), 0, dy);
    }
    double dx = b.right() > plot.right() ? plot.right() - b.right() : b.left() < plot.left() ? plot.left() - b.left() : 0;
    return moved(std::move(label), dx, 0);
}

}  // namespace

rgb text_colour_on(rgb background)
{
    double luminance = 0.2126 * red(background) + 0.7152 * green(background) + 0.0722 * blue(background);
    return luminance < 140 ? 0xFFFFFF : style::kTitleText;
}

std::vector<data_label> place_data_labels(const std::vector<data_label_request> &requests,
                                          const std::vector<rect> &obstacles, const rect &plot,
                                          const font_spec &font, const std::optional<paint> &backdrop,
                                          const text_measurer &measurer)
{
    std::vector<data_label> placed;
    for (const data_label_request &r : requests) {
        side_geometry g = geometry_of(r.side);
        data_label label = make_label(r, r.anchor.x, r.anchor.y, g.h, g.v, style::kText, font, measurer);
        bool vertical = g.dy != 0;
        // A label over a point on the plot area's side edge (an area's first or last
        // value) slides inward rather than hang over the axis and its tick labels.
        if (vertical) {
            if (label.bounds.left() < plot.left())
                label = moved(std::move(label), plot.left() - label.bounds.left(), 0);
            else if (label.bounds.right() > plot.right())
                label = moved(std::move(label), plot.right() - label.bounds.right(), 0);
        }
        double step = vertical ? label.bounds.h * 0.5 : label.bounds.h * 0.75;
        auto along = [&](const data_label &l, double distance) { return moved(l, g.dx * distance, g.dy * distance); };
        bool done = false;
        for (int k = 0; k < kMaxSteps && !done; ++k) {
            data_label candidate = along(label, kLabelGap + step * k);
            if (!within(candidate.bounds, plot, vertical))
                break;  // moving further only leaves the plot area more
            if (!collides(candidate.bounds, r.bar, obstacles, placed)) {
                if (backdrop)
                    candidate.text.item.colour = text_colour_on(colour_at(*backdrop, candidate.bounds.centre()));
                placed.push_back(std::move(candidate));
                done = true;
            }
        }
        if (done)
            continue;
        // Inside the bar's end, when the bar is long enough.
        bool fits = vertical ? r.bar.h >= label.bounds.h + 2 * kLabelGap : r.bar.w >= label.bounds.w + 2 * kLabelGap;
        if (fits) {
            point at = r.anchor;
            if (r.side == label_side::above)
                at.y = r.bar.top() - kLabelGap;
            else if (r.side == label_side::below)
                at.y = r.bar.bottom() + kLabelGap;
            else if (r.side == label_side::right)
                at.x = r.bar.right() - kLabelGap;
            else
                at.x = r.bar.left() + kLabelGap;
            data_label in_bar = make_label(r, at.x, at.y, vertical ? g.h : flipped(g.h), vertical ? flipped(g.v) : g.v,
                                           text_colour_on(r.bar_colour), font, measurer);
            if (in_bar.key)
                in_bar.key_colour = text_colour_on(r.bar_colour);  // a key in the bar's own colour would vanish
            if (!collides(in_bar.bounds, r.bar, {}, placed)) {
                placed.push_back(std::move(in_bar));
                continue;
            }
        }
        // No free place: beside the bar's end, kept clear of the other labels by
        // stacking it past the last one it would cover. A label that would leave the
        // plot area there is pulled back inside it and stacks inward instead.
        data_label fallback = along(label, kLabelGap);
        double direction = 1;
        if (!within(fallback.bounds, plot, vertical)) {
            fallback = pulled_inside(std::move(fallback), plot, vertical);
            direction = -1;
        }
        for (int k = 0; k < kMaxSteps && collides(fallback.bounds, r.bar, {}, placed); ++k)
            fallback = along(fallback, direction * step);
        placed.push_back(std::move(fallback));
    }
    return placed;
}

}  // namespace sheethost::render
