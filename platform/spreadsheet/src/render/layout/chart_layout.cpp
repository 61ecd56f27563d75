// The layout pass. Margins are measured first with the plot area at the origin (the
// strategies' anchors only shift with it), then everything is placed for real and
// the display list assembled: plot contents, then axis text, titles, legend and
// value labels on top.
#include "render/layout/chart_layout.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "host_errors.hpp"
#include "oleaut/utf.hpp"
#include "render/chart_strategy.hpp"
#include "render/style/chart_style.hpp"
#include "render/style/colour.hpp"
#include "render/layout/data_labels.hpp"
#include "render/style/fill_style.hpp"
#include "render/style/stroke_style.hpp"
#include "render/layout/title_blocks.hpp"

namespace sheethost::render {

namespace {

enum legend_position { legend_top = -4160, legend_bottom = -4107, legend_left = -4131, legend_corner = 2 };
enum alignment { xl_left = -4131, xl_right = -4152, xl_top = -4160, xl_bottom = -4107 };
constexpr int xl_vertical = -4166;

constexpr double kPixel = 0.75;  // one pixel at 96 dpi, in points
constexpr double kMaxHorizontalTitleWidth = 120;
constexpr double kMaxTurnedFootTitleLength = 120;

double to_pixels_up(double pt) { return std::ceil(pt / kPixel - 1e-6) * kPixel; }

font_spec sized(const font_spec &face, double size)
{
    font_spec f;
    f.name = face.name;
    f.size = size;
    return f;
}

std::optional<rect> bounds_of_boxes(const std::vector<text_box> &boxes)
{
    std::optional<rect> r;
    for (const text_box &b : boxes)
        r = r ? united(*r, b.bounds) : b.bounds;
    return r;
}

// Tick labels end left of a vertical value axis's ticks and hang below a horizontal one's.
std::vector<text_box> value_tick_labels(const axis_frame &frame, const value_scale &scale, const font_spec &font,
                                        bool across, const text_measurer &measurer)
{
    std::vector<text_box> out;
    for (const axis_frame::value_tick &t : frame.value_ticks) {
        std::string text = format_tick(t.value, scale);
        if (across)
            out.push_back(make_text_box({text}, font, style::kText, {t.at.x, t.at.y - style::kTickLabelGap},
                                        h_align::centre, v_align::top, 0, measurer));
        else
            out.push_back(make_text_box({text}, font, style::kText, {t.at.x - style::kTickLabelGap, t.at.y},
                                        h_align::right, v_align::middle, 0, measurer));
    }
    return out;
}

void add_legend(const std::vector<legend_item> &items, const legend_block &legend, scene &picture)
{
    for (const legend_entry &e : legend.entries) {
        for (shape &key : legend_key_shapes(items[e.item], e.key))
            picture.items.push_back(std::move(key));
        picture.items.push_back(e.label.item);
    }
}

// How far a title may run along its reading direction: a level title beside the plot
// area is kept narrow, a turned or stacked one runs along the plot area's height; a
// title under the plot area runs along its width, or a short way down when turned.
double side_title_length(const text_block &t, double plot_height)
{
    bool level = orientation_angle(t.orientation) == 0 && t.orientation != xl_vertical;
    return level ? kMaxHorizontalTitleWidth : plot_height;
}

double foot_title_length(const text_block &t, double plot_width, double plot_height)
{
    bool level = orientation_angle(t.orientation) == 0 && t.orientation != xl_vertical;
    return level ? plot_width : std::min(plot_height, kMaxTurnedFootTitleLength);
}

}  // namespace

double plot_side(double set, double automatic) { return set == 0 ? automatic : set; }

chart_layout lay_out_chart(const chart_snapshot &chart, const text_measurer &measurer)
{
    const chart_strategy *strategy = find_strategy(chart.chart_type);
    if (!strategy)
        raise_host_error(host_error::not_drawn_yet, oleaut::utf8_to_utf16(std::to_string(chart.chart_type)));
    double pw = plot_side(chart.plot_width, style::kAutomaticPlotWidth);
    double ph = plot_side(chart.plot_height, style::kAutomaticPlotHeight);
    if (!(pw > 0 && ph > 0 && pw <= style::kMaxPlotSide && ph <= style::kMaxPlotSide))
        raise_host_error(host_error::render_failed, u"the plot area must be between 0 and 4000 points on each side");

    chart_layout out;
    size_t n = category_count(chart);
    axes_layout axes_kind = strategy->axes();
    bool has_axes = axes_kind != axes_layout::none;
    bool across = axes_kind == axes_layout::value_across;
    data_bounds bounds = strategy->bounds(chart);
    // Level tick labels under a horizontal axis need more room each than stacked ones.
    out.scale = choose_value_scale(bounds.min, bounds.max, strategy->value_axis_length(rect{0, 0, pw, ph}, n),
                                   across ? 48 : 30);
    font_spec tick_font = sized(chart.title.font, style::kTickFontSize);
    font_spec legend_font = sized(chart.title.font, style::kLegendFontSize);
    std::vector<std::string> headings;
    for (size_t i = 0; i < n; ++i)
        headings.push_back(category_heading(chart, i));
    double max_turned = std::clamp(ph * 0.6, 60.0, 160.0);
    double max_side_heading = std::clamp(pw * 0.3, 60.0, 200.0);
    auto plan_headings = [&](const axis_frame &f) {
        if (!has_axes)
            return category_label_plan{};
        return across ? plan_side_category_labels(headings, f.category_anchors, f.category_slot, tick_font,
                                                  max_side_heading, measurer)
                      : plan_category_labels(headings, f.category_anchors, f.category_slot, tick_font, max_turned,
                                             measurer);
    };

    // Pass 1: the plot area at the origin, to measure what sticks out of it.
    plot_context probe_ctx{chart, out.scale, rect{0, 0, pw, ph}, n};
    axis_frame probe = has_axes ? strategy->frame(probe_ctx) : axis_frame{};
    std::vector<text_box> probe_ticks = value_tick_labels(probe, out.scale, tick_font, across, measurer);
    category_label_plan probe_headings = plan_headings(probe);
    rect axes = rect{0, 0, pw, ph};
    rect ticks = axes;
    if (auto r = bounds_of_boxes(probe_ticks))
        axes = ticks = united(axes, *r);
    if (auto r = bounds_of_boxes(probe_headings.labels))
        axes = united(axes, *r);

    // The vertical axis's title goes beside it, the horizontal axis's under it: the
    // value axis's and the category axis's respectively, the other way round for bars.
    // A chart without axes shows neither.
    const text_block &side_text = across ? chart.category_axis_title : chart.value_axis_title;
    const text_block &foot_text = across ? chart.value_axis_title : chart.category_axis_title;
    std::optional<text_box> side_title, foot_title;
    if (has_axes) {
        side_title = title_block(side_text, side_title_length(side_text, ph), measurer);
        foot_title = title_block(foot_text, foot_title_length(foot_text, pw, ph), measurer);
    }
    // Side headings and tick labels take their own width; turned headings may reach
    // under the side title (the title stays within the plot area's height, the
    // headings below it).
    rect side_labels = across ? axes : ticks;
    double left = style::kOuterPad +
                  std::max(std::max(0.0, -side_labels.left()) + (side_title ? side_title->bounds.w + style::kGap : 0),
                           std::max(0.0, -axes.left()));
    double right = style::kOuterPad + std::max(0.0, axes.right() - pw);
    double below = style::kOuterPad + std::max(0.0, -axes.bottom());
    if (foot_title)
        below += foot_title->bounds.h + style::kGap;
    double above = style::kOuterPad + std::max(style::kGap, axes.top() - ph);

    // Title and legend, wrapped to the width the axes make.
    double width = left + pw + right;
    std::optional<text_box> title = title_block(chart.title, width - 2 * style::kOuterPad, measurer);
    std::vector<legend_item> legend_items = strategy->legend_items(chart, out.scale);
    bool show_legend = chart.has_legend && !legend_items.empty();
    int position = chart.legend_position;
    bool legend_in_rows = position == legend_top || position == legend_bottom;
    std::optional<legend_block> legend;
    if (show_legend)
        legend = lay_out_legend(legend_items, legend_in_rows,
                                legend_in_rows ? width - 2 * style::kOuterPad : std::max(pw / 2, 100.0), legend_font,
                                measurer);
    if (title)
        above += title->bounds.h + style::kGap;
    if (legend) {
        double lw = legend->frame.w, lh = legend->frame.h;
        if (position == legend_top)
            above += lh + style::kGap;
        else if (position == legend_bottom)
            below += lh + style::kGap;
        else if (position == legend_left)
            left += lw + style::kGap;
        else
            right += lw + style::kGap;  // right (-4152) and the corner
    }
    double needed = std::max(title ? title->bounds.w : 0.0, legend && legend_in_rows ? legend->frame.w : 0.0) +
                    2 * style::kOuterPad;
    if (left + pw + right < needed) {
        double extra = needed - (left + pw + right);
        left += extra / 2;
        right += extra / 2;
    }
    left = to_pixels_up(left);
    below = to_pixels_up(below);
    out.picture.width = to_pixels_up(left + pw + right);
    out.picture.height = to_pixels_up(below + ph + above);
    out.picture.background = style::kBackground;
    out.plot = {left, below, pw, ph};
    const rect &plot = out.plot;
    double image_w = out.picture.width, image_h = out.picture.height;

    // Pass 2: everything in place.
    plot_context ctx{chart, out.scale, plot, n};
    axis_frame frame = has_axes ? strategy->frame(ctx) : axis_frame{};
    out.value_labels = value_tick_labels(frame, out.scale, tick_font, across, measurer);
    out.categories = plan_headings(frame);
    rect placed_ticks = plot;
    if (auto r = bounds_of_boxes(out.value_labels))
        placed_ticks = united(placed_ticks, *r);
    rect placed_axes = placed_ticks;
    if (auto r = bounds_of_boxes(out.categories.labels))
        placed_axes = united(placed_axes, *r);
    rect placed_side = across ? placed_axes : placed_ticks;

    if (side_title) {
        // Its vertical alignment slides it along the axis: to the plot area's top or
        // bottom, or centred on it.
        int a = side_text.vertical_alignment;
        v_align v = a == xl_top ? v_align::top : a == xl_bottom ? v_align::bottom : v_align::middle;
        double y = v == v_align::top ? plot.top() : v == v_align::bottom ? plot.bottom() : plot.centre().y;
        side_title = placed_at(std::move(*side_title), h_align::right, placed_side.left() - style::kGap, v, y);
    }
    if (foot_title) {
        int a = foot_text.horizontal_alignment;
        h_align h = a == xl_left ? h_align::left : a == xl_right ? h_align::right : h_align::centre;
        double x = h == h_align::left ? plot.left() : h == h_align::right ? plot.right() : plot.centre().x;
        foot_title = placed_at(std::move(*foot_title), h, x, v_align::top, placed_axes.bottom() - style::kGap);
    }
    out.value_title = across ? foot_title : side_title;
    out.category_title = across ? side_title : foot_title;
    // The title and a top legend are centred over the plot area, as far as the image
    // allows.
    auto centred_x = [&](double w) {
        return std::clamp(plot.centre().x, style::kOuterPad + w / 2, image_w - style::kOuterPad - w / 2);
    };
    double next_top = image_h - style::kOuterPad;
    if (title) {
        double x = centred_x(title->bounds.w);
        out.title = placed_at(std::move(*title), h_align::centre, x, v_align::top, next_top);
        next_top = out.title->bounds.bottom() - style::kGap;
    }
    if (legend) {
        const rect &f = legend->frame;
        double x = 0, y = 0;  // the legend's new bottom-left corner
        if (position == legend_top) {
            x = centred_x(f.w) - f.w / 2;
            y = next_top - f.h;
        } else if (position == legend_bottom) {
            x = centred_x(f.w) - f.w / 2;
            y = style::kOuterPad;
        } else if (position == legend_left) {
            x = style::kOuterPad;
            y = plot.centre().y - f.h / 2;
        } else if (position == legend_corner) {
            x = image_w - style::kOuterPad - f.w;
            y = plot.top() - f.h;
        } else {
            x = image_w - style::kOuterPad - f.w;
            y = plot.centre().y - f.h / 2;
        }
        out.legend = moved(std::move(*legend), x - f.x, y - f.y);
    }

    plot_content content = strategy->draw(ctx);
    out.data_labels = place_data_labels(content.labels, content.obstacles, plot,
                                        sized(chart.title.font, style::kDataLabelFontSize), content.backdrop, measurer);

    std::vector<scene_item> &items = out.picture.items;
    items = std::move(content.items);
    for (const text_box &b : out.value_labels)
        items.push_back(b.item);
    for (const text_box &b : out.categories.labels)
        items.push_back(b.item);
    for (const std::optional<text_box> *b : {&out.value_title, &out.category_title, &out.title})
        if (*b)
            items.push_back((*b)->item);
    if (out.legend)
        add_legend(legend_items, *out.legend, out.picture);
    for (const data_label &label : out.data_labels) {
        if (label.key) {
            shape key;
            key.outline = corners(*label.key);
            key.fill = paint{paint::kind::solid, label.key_colour, {}, {}, {}};
            key.line = stroke{0.5, darken(label.key_colour, 0.62), {}};
            key.crisp = true;
            items.push_back(std::move(key));
        }
        items.push_back(label.text.item);
    }
    return out;
}

}  // namespace sheethost::render
