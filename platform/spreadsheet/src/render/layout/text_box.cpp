// Text boxes: the corners of the unturned box relative to its anchor, turned about
// the anchor, give the bounds.
#include "render/layout/text_box.hpp"

#include <cmath>
#include <numbers>

#include "render/layout/text_fitting.hpp"

namespace sheethost::render {

std::vector<point> text_corners(const text_item &item)
{
    double w = item.width, h = item.line_height * static_cast<double>(item.lines.size());
    double left = item.horizontal == h_align::left ? 0 : item.horizontal == h_align::centre ? -w / 2 : -w;
    double top = item.vertical == v_align::top ? 0 : item.vertical == v_align::middle ? h / 2 : h;
    double a = item.angle * std::numbers::pi / 180, c = std::cos(a), s = std::sin(a);
    std::vector<point> pts;
    for (point p : {point{left, top}, point{left + w, top}, point{left + w, top - h}, point{left, top - h}})
        pts.push_back({item.anchor.x + p.x * c - p.y * s, item.anchor.y + p.x * s + p.y * c});
    return pts;
}

rect text_bounds(const text_item &item) { return bounds_of(text_corners(item)); }

text_box make_text_box(std::vector<std::string> lines, const font_spec &font, rgb colour, point anchor,
                       h_align horizontal, v_align vertical, double angle, const text_measurer &measurer)
{
    text_box box;
    box.item.font = font;
    box.item.colour = colour;
    box.item.anchor = anchor;
    box.item.horizontal = horizontal;
    box.item.vertical = vertical;
    box.item.angle = angle;
    box.item.width = widest(lines, font, measurer);
    box.item.line_height = measurer.measure("", font).line_height;
    box.item.lines = std::move(lines);
    box.bounds = text_bounds(box.item);
    return box;
}

text_box moved(text_box box, double dx, double dy)
{
    box.item.anchor.x += dx;
    box.item.anchor.y += dy;
    box.bounds.x += dx;
    box.bounds.y += dy;
    return box;
}

}  // namespace sheethost::render
