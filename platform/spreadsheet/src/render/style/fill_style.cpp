// Fill paints. Style decides the direction (1 horizontal bands, 2 vertical, 3 diagonal
// up, 4 diagonal down, 5 from a corner, 6 from the title and 7 from the centre, both
// drawn radially from the centre), variant decides which end the fore colour sits at
// and, for variants 3 and 4 of the banded styles, mirrors the ramp about the middle.
#include "render/style/fill_style.hpp"

#include <algorithm>
#include <cmath>

#include "render/style/colour.hpp"
#include "render/style/preset_gradients.hpp"

namespace sheethost::render {

namespace {


std::vector<colour_stop> reversed(std::vector<colour_stop> stops)
{
    std::reverse(stops.begin(), stops.end());
    for (colour_stop &s : stops)
        s.offset = 1 - s.offset;
    return stops;
}

// The ramp squeezed into the first half and mirrored into the second.
std::vector<colour_stop> mirrored(const std::vector<colour_stop> &stops)
{
    std::vector<colour_stop> out;
    for (const colour_stop &s : stops)
        out.push_back({s.offset / 2, s.colour});
    for (auto it = stops.rbegin(); it != stops.rend(); ++it)
        out.push_back({1 - it->offset / 2, it->colour});
    return out;
}

double length(point a, point b) { return std::hypot(b.x - a.x, b.y - a.y); }

}  // namespace

rgb one_colour_gradient_end(rgb fore, double degree)
{
    double d = std::isfinite(degree) ? std::clamp(degree, 0.0, 1.0) : 0.5;
    // The extremes keep a trace of fore so a 0 or 1 degree still reads as a shade of
    // it rather than as plain black or white.
    if (d < 0.5)
        return darken(fore, 0.15 + 0.85 * (d / 0.5));
    return lighten(fore, 0.9 * ((d - 0.5) / 0.5));
}

std::vector<colour_stop> fill_ramp(const fill_spec &fill, rgb automatic)
{
    switch (fill.type) {
    case fill_spec::kind::automatic:
        return {{0, automatic}};
    case fill_spec::kind::solid:
        return {{0, fill.fore}};
    case fill_spec::kind::one_color_gradient:
        return {{0, fill.fore}, {1, one_colour_gradient_end(fill.fore, fill.gradient_degree)}};
    case fill_spec::kind::preset_gradient:
        if (const preset_gradient *p = find_preset_gradient(fill.preset))
            return p->stops;
        return {{0, fill.fore}};
    }
    return {{0, automatic}};
}

paint paint_for(const fill_spec &fill, const rect &box, rgb automatic)
{
    std::vector<colour_stop> ramp = fill_ramp(fill, automatic);
    paint p;
    if (ramp.size() == 1) {
        p.colour = ramp[0].colour;
        return p;
    }
    p.colour = ramp[ramp.size() / 2].colour;
    gradient_direction style = fill.gradient_style;
    int variant = std::clamp(fill.gradient_variant, 1, 4);
    double l = box.left(), r = box.right(), b = box.bottom(), t = box.top();
    if (style == gradient_direction::from_corner) {
        const point corner[] = {{l, t}, {r, t}, {l, b}, {r, b}};
        p.type = paint::kind::radial;
        p.from = corner[variant - 1];
        // The radius is the diagonal, so the far colour lands exactly on the far corner.
        p.to = {p.from.x + length({l, b}, {r, t}), p.from.y};
        p.stops = ramp;
        return p;
    }
    if (style == gradient_direction::from_centre) {
        // From the centre (and from the title, which a chart area has none of).
        p.type = paint::kind::radial;
        p.from = box.centre();
        p.to = {p.from.x + length({l, b}, {r, t}) / 2, p.from.y};
        p.stops = variant == 2 ? reversed(ramp) : ramp;
        return p;
    }
    p.type = paint::kind::linear;
    switch (style) {
    case gradient_direction::horizontal:
        p.from = {l, t};
        p.to = {l, b};
        break;
    case gradient_direction::vertical:
        p.from = {l, b};
        p.to = {r, b};
        break;
    case gradient_direction::diagonal_up:
        p.from = {l, t};
        p.to = {r, b};
        break;
    default:  // diagonal down (the round ones returned above)
        p.from = {r, t};
        p.to = {l, b};
        break;
    }
    switch (variant) {
    case 1:
        p.stops = ramp;
        break;
    case 2:
        p.stops = reversed(ramp);
        break;
    case 3:
        p.stops = mirrored(ramp);
        break;
    default:
        p.stops = mirrored(reversed(ramp));
        break;
    }
    return p;
}

paint shaded(const paint &p, double factor)
{
    auto shade = [factor](rgb c) { return factor <= 1 ? darken(c, factor) : lighten(c, factor - 1); };
    paint out = p;
    out.colour = shade(p.colour);
    for (colour_stop &s : out.stops)
        s.colour = shade(s.colour);
    return out;
}

rgb colour_at(const paint &p, point at)
{
    if (p.type == paint::kind::solid || p.stops.size() < 2)
        return p.stops.empty() ? p.colour : p.stops[0].colour;
    double t;
    if (p.type == paint::kind::linear) {
        double dx = p.to.x - p.from.x, dy = p.to.y - p.from.y, len2 = dx * dx + dy * dy;
        t = len2 > 0 ? ((at.x - p.from.x) * dx + (at.y - p.from.y) * dy) / len2 : 0;
    } else {
        double radius = length(p.from, p.to);
        t = radius > 0 ? length(p.from, at) / radius : 0;
    }
    t = std::clamp(t, 0.0, 1.0);
    if (t <= p.stops.front().offset)
        return p.stops.front().colour;
    for (size_t i = 1; i < p.stops.size(); ++i) {
        const colour_stop &a = p.stops[i - 1], &b = p.stops[i];
        if (t <= b.offset)
            return b.offset > a.offset ? mix(a.colour, b.colour, (t - a.offset) / (b.offset - a.offset)) : b.colour;
    }
    return p.stops.back().colour;
}

rgb representative_colour(const fill_spec &fill, rgb automatic)
{
    std::vector<colour_stop> ramp = fill_ramp(fill, automatic);
    if (ramp.size() == 1)
        return ramp[0].colour;
    return mix(ramp.front().colour, ramp.back().colour, 0.5);
}

}  // namespace sheethost::render
