// Value label placement: a greedy search outward from each bar, in request order, so
// the result is stable and cheap; labels never overlap each other.
#include "render/data_labels.hpp"

#include <algorithm>

#include "render/chart_style.hpp"
#include "render/colour.hpp"
#include "render/fill_style.hpp"

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

// The label with its outer edge (bottom, or top when below) at y, centred on x.
data_label make_label(const data_label_request &r, double x, double y, v_align vertical, rgb colour,
                      const font_spec &font, const text_measurer &measurer)
{
    data_label label;
    label.text = make_text_box({r.text}, font, colour, {x, y}, h_align::centre, vertical, 0, measurer);
    label.bounds = label.text.bounds;
    if (r.legend_key) {
        double side = std::min(label.text.bounds.h * 0.7, 8.0);
        double shift = (side + kKeyGap) / 2;
        label.text = moved(std::move(label.text), shift, 0);
        const rect &t = label.text.bounds;
        label.key = rect{t.left() - kKeyGap - side, t.centre().y - side / 2, side, side};
        label.key_colour = r.bar_colour;
        label.bounds = united(t, *label.key);
    }
    return label;
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
        data_label label = make_label(r, r.anchor.x, r.anchor.y, r.below ? v_align::top : v_align::bottom,
                                      style::kText, font, measurer);
        double step = label.bounds.h * 0.5;
        double first = r.below ? -kLabelGap : kLabelGap;
        bool done = false;
        for (int k = 0; k < kMaxSteps && !done; ++k) {
            data_label candidate = moved(label, 0, first + (r.below ? -step : step) * k);
            if (candidate.bounds.top() > plot.top() + 0.01 || candidate.bounds.bottom() < plot.bottom() - 0.01)
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
        // Inside the bar's end, when the bar is tall enough.
        if (r.bar.h >= label.bounds.h + 2 * kLabelGap) {
            double y = r.below ? r.bar.bottom() + kLabelGap : r.bar.top() - kLabelGap;
            data_label inside = make_label(r, r.anchor.x, y, r.below ? v_align::bottom : v_align::top,
                                           text_colour_on(r.bar_colour), font, measurer);
            if (inside.key)
                inside.key_colour = text_colour_on(r.bar_colour);  // a key in the bar's own colour would vanish
            if (!collides(inside.bounds, r.bar, {}, placed)) {
                placed.push_back(std::move(inside));
                continue;
            }
        }
        // No free place: beside the bar's end, kept clear of the other labels by
        // stacking it past the last one it would cover.
        data_label fallback = moved(label, 0, first);
        for (int k = 0; k < kMaxSteps && collides(fallback.bounds, r.bar, {}, placed); ++k)
            fallback = moved(fallback, 0, r.below ? -step : step);
        placed.push_back(std::move(fallback));
    }
    return placed;
}

}  // namespace sheethost::render
