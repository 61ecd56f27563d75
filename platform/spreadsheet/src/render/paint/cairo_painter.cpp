// The cairo painter. Shapes are anti-aliased; shapes marked crisp have their points
// snapped to the pixel grid (to pixel centres when their stroke is an odd number of
// pixels wide) so gridlines and bar edges stay sharp. Text is drawn with pango in
// point units under a 96/72 scale, from the font system's cache of shaped lines.
//
// Flat-coloured convex shapes and plain strokes (the faces of 3-D solids and their
// outlines, gridlines, ticks, legend keys) are filled straight into the pixels with
// exact-area anti-aliasing (coverage_fill.hpp, stroke_outline.hpp): cairo's general
// compositing cost several times as many instructions per pixel row for them, and was
// most of the painting. Gradients, dashes, non-convex shapes and text stay with cairo
// (at CAIRO_ANTIALIAS_GOOD); the surface is flushed and marked dirty where the two
// take turns.
#include "render/paint/cairo_painter.hpp"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>
#include <vector>

#include "render/render_errors.hpp"
#include "render/style/colour.hpp"
#include "render/style/fill_style.hpp"
#include "render/paint/coverage_fill.hpp"
#include "render/paint/pango_fonts.hpp"
#include "render/paint/stroke_outline.hpp"

namespace sheethost::render {

namespace {

struct surface_deleter {
    void operator()(cairo_surface_t *s) const { cairo_surface_destroy(s); }
};
struct context_deleter {
    void operator()(cairo_t *c) const { cairo_destroy(c); }
};
struct pattern_deleter {
    void operator()(cairo_pattern_t *p) const { cairo_pattern_destroy(p); }
};

void check(cairo_status_t status)
{
    if (status != CAIRO_STATUS_SUCCESS)
        raise_render_failed(cairo_status_to_string(status));
}

void set_colour(cairo_t *cr, rgb c) { cairo_set_source_rgb(cr, red(c) / 255.0, green(c) / 255.0, blue(c) / 255.0); }

class painter {
public:
    painter(cairo_t *cr, pixel_target pixels, double height_pt, const font_session &fonts)
        : cr_(cr), pixels_(pixels), height_(height_pt), fonts_(fonts)
    {
    }

    // Before cairo draws again after direct writes, and at the end: cairo must not
    // trust anything it cached about the pixels.
    void hand_to_cairo() const
    {
        if (direct_) {
            cairo_surface_mark_dirty(cairo_get_target(cr_));
            direct_ = false;
        }
    }

    // Points (y up) to pixels (y down): the only flip.
    point device(point p) const { return {p.x * kPixelsPerPoint, (height_ - p.y) * kPixelsPerPoint}; }

    void draw(const shape &s) const
    {
        if (s.outline.size() < 2)
            return;
        double offset = 0;
        if (s.line) {
            long px = std::lround(s.line->width * kPixelsPerPoint);
            offset = px % 2 == 1 ? 0.5 : 0;
        }
        corners_.clear();
        for (const point &p : s.outline) {
            point d = device(p);
            if (s.crisp) {
                d.x = std::round(d.x - offset) + offset;
                d.y = std::round(d.y - offset) + offset;
            }
            corners_.push_back(d);
        }
        if (s.fill && s.closed) {
            if (!is_convex(corners_) || !fill_directly(*s.fill)) {
                hand_to_cairo();
                cairo_new_path(cr_);
                trace(corners_, true, false);
                set_paint(*s.fill);
                cairo_fill(cr_);
            }
        }
        if (s.line)
            draw_line(*s.line, s.closed);
    }

    void draw(const text_item &t) const
    {
        if (t.lines.empty())
            return;
        hand_to_cairo();
        // Only the transformation changes, so it alone is put back afterwards (cheaper
        // than saving and restoring the whole graphics state).
        cairo_identity_matrix(cr_);
        point a = device(t.anchor);
        cairo_translate(cr_, a.x, a.y);
        cairo_rotate(cr_, -t.angle * std::numbers::pi / 180);
        cairo_scale(cr_, kPixelsPerPoint, kPixelsPerPoint);
        // The shaped lines keep the font system's unscaled, unrotated context: with
        // metric hinting off their glyph positions do not depend on the scale, and
        // cairo renders the glyphs for the transformation in force here. Not telling
        // pango about the transformation is what lets every export reuse the shaping.
        double h = t.line_height * static_cast<double>(t.lines.size());
        double left = t.horizontal == h_align::left ? 0 : t.horizontal == h_align::centre ? -t.width / 2 : -t.width;
        double top = t.vertical == v_align::top ? 0 : t.vertical == v_align::middle ? -h / 2 : -h;
        set_colour(cr_, t.colour);
        for (size_t i = 0; i < t.lines.size(); ++i) {
            shaped_line line = fonts_.shape(t.lines[i], t.font);
            double x = left;
            if (t.horizontal == h_align::centre)
                x += (t.width - line.extent.width) / 2;
            else if (t.horizontal == h_align::right)
                x += t.width - line.extent.width;
            cairo_move_to(cr_, x, top + static_cast<double>(i) * t.line_height);
            pango_cairo_show_layout(cr_, line.layout);
        }
        cairo_identity_matrix(cr_);
    }

private:
    void trace(const std::vector<point> &pts, bool closed, bool reversed) const
    {
        cairo_new_sub_path(cr_);
        for (size_t i = 0; i < pts.size(); ++i) {
            const point &p = pts[reversed ? pts.size() - 1 - i : i];
            cairo_line_to(cr_, p.x, p.y);
        }
        if (closed)
            cairo_close_path(cr_);
    }

    void take_from_cairo() const
    {
        if (!direct_) {
            cairo_surface_flush(cairo_get_target(cr_));
            direct_ = true;
        }
    }

    void fill_directly(rgb colour) const
    {
        take_from_cairo();
        fill_.paint(pixels_, colour);
    }

    // corners_ filled without cairo when the paint is flat or a linear gradient that
    // changes only down the picture (one colour per pixel row, taken at the row's
    // middle as cairo samples it); false when cairo must fill it.
    bool fill_directly(const paint &p) const
    {
        bool flat = p.type == paint::kind::solid || p.stops.size() < 2;
        if (!flat && (p.type != paint::kind::linear || p.from.x != p.to.x))
            return false;
        fill_.clear();
        fill_.add_contour(corners_);
        if (flat) {
            fill_directly(p.stops.empty() ? p.colour : p.stops[0].colour);
            return true;
        }
        take_from_cairo();
        fill_.paint_rows(pixels_, [this, &p](int row) {
            return colour_at(p, {p.from.x, height_ - (row + 0.5) / kPixelsPerPoint});
        });
        return true;
    }

    // A plain stroke is filled as the area it covers where that area is simple to
    // work out (stroke_outline.hpp); cairo strokes the rest.
    void draw_line(const stroke &line, bool closed) const
    {
        double width = std::max(line.width * kPixelsPerPoint, 0.5);
        if (line.dashes.empty()) {
            fill_.clear();
            if (closed) {
                if (std::optional<stroke_ring> ring = closed_stroke_ring(corners_, width)) {
                    fill_.add_contour(ring->outer);
                    fill_.add_contour(ring->inner, true);
                    fill_directly(line.colour);
                    return;
                }
            } else if (corners_.size() == 2) {
                if (auto band = segment_band(corners_[0], corners_[1], width)) {
                    fill_.add_contour({band->begin(), band->end()});
                    fill_directly(line.colour);
                    return;
                }
            }
        }
        hand_to_cairo();
        set_colour(cr_, line.colour);
        cairo_new_path(cr_);
        trace(corners_, closed, false);
        cairo_set_line_width(cr_, width);
        set_dashes(line.dashes);
        cairo_stroke(cr_);
    }

    // Dashes in pixels; the buffer is the painter's, so a dashed line allocates once
    // per picture rather than once per shape.
    void set_dashes(const std::vector<double> &dashes) const
    {
        dash_pixels_.clear();
        for (double d : dashes)
            dash_pixels_.push_back(d * kPixelsPerPoint);
        cairo_set_dash(cr_, dash_pixels_.data(), static_cast<int>(dash_pixels_.size()), 0);
    }

    void set_paint(const paint &p) const
    {
        if (p.type == paint::kind::solid || p.stops.size() < 2) {
            set_colour(cr_, p.stops.empty() ? p.colour : p.stops[0].colour);
            return;
        }
        point from = device(p.from), to = device(p.to);
        std::unique_ptr<cairo_pattern_t, pattern_deleter> pattern(
            p.type == paint::kind::linear
                ? cairo_pattern_create_linear(from.x, from.y, to.x, to.y)
                : cairo_pattern_create_radial(from.x, from.y, 0, from.x, from.y,
                                              std::hypot(to.x - from.x, to.y - from.y)));
        for (const colour_stop &s : p.stops)
            cairo_pattern_add_color_stop_rgb(pattern.get(), s.offset, red(s.colour) / 255.0, green(s.colour) / 255.0,
                                             blue(s.colour) / 255.0);
        cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
        cairo_set_source(cr_, pattern.get());
    }

    cairo_t *cr_;
    pixel_target pixels_;
    double height_;
    const font_session &fonts_;
    mutable std::vector<double> dash_pixels_;
    mutable std::vector<point> corners_;  // the shape being drawn, in pixels
    mutable coverage_fill fill_;
    mutable bool direct_ = false;  // the last pixels were written without cairo
};

}  // namespace

raster paint_scene(const scene &picture)
{
    raster out;
    out.width = static_cast<int>(std::lround(picture.width * kPixelsPerPoint));
    out.height = static_cast<int>(std::lround(picture.height * kPixelsPerPoint));
    if (out.width <= 0 || out.height <= 0)
        raise_render_failed("the picture has no area");
    // The buffer starts as the opaque background (premultiplied ARGB32), which spares
    // cairo a paint over every pixel that the allocation would already have written.
    out.pixels.resize(static_cast<size_t>(out.width) * static_cast<size_t>(out.height));
    fill_pixels(out.pixels.data(), out.pixels.size(), 0xFF000000u | (picture.background & 0xFFFFFFu));
    int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, out.width);
    if (stride != out.width * 4)
        raise_render_failed("unexpected cairo row layout");
    std::unique_ptr<cairo_surface_t, surface_deleter> surface(cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char *>(out.pixels.data()), CAIRO_FORMAT_ARGB32, out.width, out.height, stride));
    check(cairo_surface_status(surface.get()));
    std::unique_ptr<cairo_t, context_deleter> cr(cairo_create(surface.get()));
    check(cairo_status(cr.get()));
    cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_GOOD);

    font_session fonts;
    painter p(cr.get(), {out.pixels.data(), out.width, out.height}, picture.height, fonts);
    for (const scene_item &item : picture.items)
        std::visit([&p](const auto &i) { p.draw(i); }, item);
    p.hand_to_cairo();
    check(cairo_status(cr.get()));
    cairo_surface_flush(surface.get());
    return out;
}

}  // namespace sheethost::render
