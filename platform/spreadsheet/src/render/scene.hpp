// The display list the layout produces and the painter draws: shapes and text in
// points (y up), in painting order. Nothing in it refers back to the chart model.
#ifndef SHEETHOST_RENDER_SCENE_HPP
#define SHEETHOST_RENDER_SCENE_HPP

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "render/chart_snapshot.hpp"
#include "render/geometry.hpp"

namespace sheethost::render {

struct colour_stop {
    double offset;  // 0..1 along the gradient
    rgb colour;
};

// What fills a shape: a flat colour, or a gradient along from -> to (linear) or around
// `from` out to the distance |to - from| (radial).
struct paint {
    enum class kind { solid, linear, radial } type = kind::solid;
    rgb colour = 0;
    std::vector<colour_stop> stops;
    point from;
    point to;
};

struct stroke {
    double width = 0.75;  // points
    rgb colour = 0;
    std::vector<double> dashes;  // points; empty = continuous
};

struct shape {
    std::vector<point> outline;
    bool closed = true;
    std::optional<paint> fill;
    std::optional<stroke> line;
    // Axis-aligned edges are snapped to the pixel grid so 1-pixel lines stay sharp.
    bool crisp = false;
};

// A closed shape with that fill and border: a face of a 3-D solid, a wall, a slice.
inline shape filled(std::vector<point> outline, paint fill, const std::optional<stroke> &border)
{
    shape s;
    s.outline = std::move(outline);
    s.fill = std::move(fill);
    s.line = border;
    return s;
}

// One or more lines of text in a box of width x (lines * line_height); the anchor is
// the box's point named by the two alignments, and the box turns about it by angle
// degrees counter-clockwise.
struct text_item {
    std::vector<std::string> lines;  // UTF-8
    font_spec font;
    rgb colour = 0;
    point anchor;
    h_align horizontal = h_align::centre;
    v_align vertical = v_align::middle;
    double angle = 0;
    double width = 0;  // the widest line, as measured by the layout
    double line_height = 0;
};

using scene_item = std::variant<shape, text_item>;

struct scene {
    double width = 0;  // points, whole pixels at 96 dpi
    double height = 0;
    rgb background = 0xFFFFFF;
    std::vector<scene_item> items;
};

}  // namespace sheethost::render

#endif
