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
    bool level = t.orientation.angle == 0 && !t.orientation.stacked;
    return level ? kMaxHorizontalTitleWidth : plot_height;
}

double foot_title_length(const text_block &t, double plot_width, double plot_height)
{
    bool level = t.orientation.angle == 0 && !t.orientation.stacked;
    return level ? plot_width : std::min(plot_height, kMaxTurnedFootTitleLength);
}

// What both passes share: the chart, its strategy and what follows from them.
struct layout_job {
    const chart_snapshot &chart;
    const chart_strategy &strategy;
    const text_measurer &measurer;
    double pw, ph;  // the plot area's size
    size_t n;       // categories
    bool has_axes, across;
    font_spec tick_font, legend_font;
    std::vector<std::string> headings;
    double max_turned, max_side_heading;

    category_label_plan plan_headings(const axis_frame &f) const
    {
        if (!has_axes)
            return category_label_plan{};
        return across ? plan_side_category_labels(headings, f.category_anchors, f.category_slot, tick_font,
                                                  max_side_heading, measurer)
                      : plan_category_labels(headings, f.category_anchors, f.category_slot, tick_font, max_turned,
                                             measurer);
    }
    // The vertical axis's title goes beside it, the horizontal axis's under it: the
    // value axis's and the category axis's respectively, the other way round for bars.
    const text_block &side_text() const { return across ? chart.category_axis_title : chart.value_axis_title; }
    const text_block &foot_text() const { return across ? chart.value_axis_title : chart.category_axis_title; }
};

layout_job start_job(const chart_snapshot &chart, const chart_strategy &strategy, const text_measurer &measurer,
                     double pw, double ph)
{
    size_t n = category_count(chart);
    axes_layout axes_kind = strategy.axes();
    layout_job job{chart, strategy, measurer, pw, ph, n, axes_kind != axes_layout::none,
                   axes_kind == axes_layout::value_across, sized(chart.title.font, style::kTickFontSize),
                   sized(chart.title.font, style::kLegendFontSize), {}, std::clamp(ph * 0.6, 60.0, 160.0),
                   std::clamp(pw * 0.3, 60.0, 200.0)};
    for (size_t i = 0; i < n; ++i)
        job.headings.push_back(category_heading(chart, i));
    return job;
}

// The blocks around the plot area, measured before anything is placed, and the room
// they take on each side of it.
struct measured_blocks {
    std::optional<text_box> side_title, foot_title, title;
    std::vector<legend_item> legend_items;
    std::optional<legend_block> legend;
    bool legend_in_rows = false;
    double left = 0, right = 0, below = 0, above = 0;
};

// Pass 1: the plot area at the origin, to measure what sticks out of it. A chart
// without axes has no axis titles.
measured_blocks measure_axes(const layout_job &job, const value_scale &scale)
{
    const double pw = job.pw, ph = job.ph;
    plot_context probe_ctx{job.chart, scale, rect{0, 0, pw, ph}, job.n};
    axis_frame probe = job.has_axes ? job.strategy.frame(probe_ctx) : axis_frame{};
    std::vector<text_box> probe_ticks = value_tick_labels(probe, scale, job.tick_font, job.across, job.measurer);
    category_label_plan probe_headings = job.plan_headings(probe);
    rect axes = rect{0, 0, pw, ph};
    rect ticks = axes;
    if (auto r = bounds_of_boxes(probe_ticks))
        axes = ticks = united(axes, *r);
    if (auto r = bounds_of_boxes(probe_headings.labels))
        axes = united(axes, *r);

    measured_blocks m;
    if (job.has_axes) {
        m.side_title = title_block(job.side_text(), side_title_length(job.side_text(), ph), job.measurer);
        m.foot_title = title_block(job.foot_text(), foot_title_length(job.foot_text(), pw, ph), job.measurer);
    }
    // Side headings and tick labels take their own width; turned headings may reach
    // under the side title (the title stays within the plot area's height, the
    // headings below it).
    rect side_labels = job.across ? axes : ticks;
    m.left = style::kOuterPad +
             std::max(std::max(0.0, -side_labels.left()) + (m.side_title ? m.side_title->bounds.w + style::kGap : 0),
                      std::max(0.0, -axes.left()));
    m.right = style::kOuterPad + std::max(0.0, axes.right() - pw);
    m.below = style::kOuterPad + std::max(0.0, -axes.bottom());
    if (m.foot_title)
        m.below += m.foot_title->bounds.h + style::kGap;
    m.above = style::kOuterPad + std::max(style::kGap, axes.top() - ph);
    return m;
}

// The title and legend, wrapped to the width the axes make, and the room they take;
// the image widens, the plot area centred in it, when they need more.
void measure_title_and_legend(const layout_job &job, const value_scale &scale, measured_blocks &m)
{
    const double pw = job.pw;
    double width = m.left + pw + m.right;
    m.title = title_block(job.chart.title, width - 2 * style::kOuterPad, job.measurer);
    m.legend_items = job.strategy.legend_items(job.chart, scale);
    bool show_legend = job.chart.has_legend && !m.legend_items.empty();
    legend_place position = job.chart.legend_position;
    m.legend_in_rows = position == legend_place::top || position == legend_place::bottom;
    if (show_legend)
        m.legend = lay_out_legend(m.legend_items, m.legend_in_rows,
                                  m.legend_in_rows ? width - 2 * style::kOuterPad : std::max(pw / 2, 100.0),
                                  job.legend_font, job.measurer);
    if (m.title)
        m.above += m.title->bounds.h + style::kGap;
    if (m.legend) {
        double lw = m.legend->frame.w, lh = m.legend->frame.h;
        if (position == legend_place::top)
            m.above += lh + style::kGap;
        else if (position == legend_place::bottom)
            m.below += lh + style::kGap;
        else if (position == legend_place::left)
            m.left += lw + style::kGap;
        else
            m.right += lw + style::kGap;  // right and the corner
    }
    double needed = std::max(m.title ? m.title->bounds.w : 0.0, m.legend && m.legend_in_rows ? m.legend->frame.w : 0.0) +
                    2 * style::kOuterPad;
    if (m.left + pw + m.right < needed) {
        double extra = needed - (m.left + pw + m.right);
        m.left += extra / 2;
        m.right += extra / 2;
    }
}

// The image's size and the plot area's corner, in whole pixels.
void size_picture(const layout_job &job, const measured_blocks &m, chart_layout &out)
{
    double left = to_pixels_up(m.left);
    double below = to_pixels_up(m.below);
    out.picture.width = to_pixels_up(left + job.pw + m.right);
    out.picture.height = to_pixels_up(below + job.ph + m.above);
    out.picture.background = style::kBackground;
    out.plot = {left, below, job.pw, job.ph};
}

// Pass 2: tick labels, headings and the axis titles around the plot area where it
// now is.
void place_axis_text(const layout_job &job, measured_blocks &m, chart_layout &out)
{
    const rect &plot = out.plot;
    plot_context ctx{job.chart, out.scale, plot, job.n};
    axis_frame frame = job.has_axes ? job.strategy.frame(ctx) : axis_frame{};
    out.value_labels = value_tick_labels(frame, out.scale, job.tick_font, job.across, job.measurer);
    out.categories = job.plan_headings(frame);
    rect placed_ticks = plot;
    if (auto r = bounds_of_boxes(out.value_labels))
        placed_ticks = united(placed_ticks, *r);
    rect placed_axes = placed_ticks;
    if (auto r = bounds_of_boxes(out.categories.labels))
        placed_axes = united(placed_axes, *r);
    rect placed_side = job.across ? placed_axes : placed_ticks;

    if (m.side_title) {
        // Its vertical alignment slides it along the axis: to the plot area's top or
        // bottom, or centred on it.
        v_align v = job.side_text().vertical_alignment;
        double y = v == v_align::top ? plot.top() : v == v_align::bottom ? plot.bottom() : plot.centre().y;
        m.side_title = placed_at(std::move(*m.side_title), h_align::right, placed_side.left() - style::kGap, v, y);
    }
    if (m.foot_title) {
        h_align h = job.foot_text().horizontal_alignment;
        double x = h == h_align::left ? plot.left() : h == h_align::right ? plot.right() : plot.centre().x;
        m.foot_title = placed_at(std::move(*m.foot_title), h, x, v_align::top, placed_axes.bottom() - style::kGap);
    }
    out.value_title = job.across ? m.foot_title : m.side_title;
    out.category_title = job.across ? m.side_title : m.foot_title;
}

// The title and a top legend are centred over the plot area, as far as the image
// allows; a legend at the side is centred on the plot area's height.
void place_title_and_legend(const layout_job &job, measured_blocks &m, chart_layout &out)
{
    const rect &plot = out.plot;
    double image_w = out.picture.width, image_h = out.picture.height;
    auto centred_x = [&](double w) {
        return std::clamp(plot.centre().x, style::kOuterPad + w / 2, image_w - style::kOuterPad - w / 2);
    };
    double next_top = image_h - style::kOuterPad;
    if (m.title) {
        double x = centred_x(m.title->bounds.w);
        out.title = placed_at(std::move(*m.title), h_align::centre, x, v_align::top, next_top);
        next_top = out.title->bounds.bottom() - style::kGap;
    }
    if (!m.legend)
        return;
    legend_place position = job.chart.legend_position;
    const rect &f = m.legend->frame;
    double x = 0, y = 0;  // the legend's new bottom-left corner
    if (position == legend_place::top) {
        x = centred_x(f.w) - f.w / 2;
        y = next_top - f.h;
    } else if (position == legend_place::bottom) {
        x = centred_x(f.w) - f.w / 2;
        y = style::kOuterPad;
    } else if (position == legend_place::left) {
        x = style::kOuterPad;
        y = plot.centre().y - f.h / 2;
    } else if (position == legend_place::corner) {
        x = image_w - style::kOuterPad - f.w;
        y = plot.top() - f.h;
    } else {
        x = image_w - style::kOuterPad - f.w;
        y = plot.centre().y - f.h / 2;
    }
    out.legend = moved(std::move(*m.legend), x - f.x, y - f.y);
}

// The display list: plot contents first, then axis text, titles, legend and value
// labels on top.
void assemble_scene(plot_content &&content, const std::vector<legend_item> &legend_items, chart_layout &out)
{
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

    // Measure, then place, then assemble.
    const layout_job job = start_job(chart, *strategy, measurer, pw, ph);
    chart_layout out;
    data_bounds bounds = strategy->bounds(chart);
    // Level tick labels under a horizontal axis need more room each than stacked ones.
    out.scale = choose_value_scale(bounds.min, bounds.max, strategy->value_axis_length(rect{0, 0, pw, ph}, job.n),
                                   job.across ? 48 : 30);
    measured_blocks m = measure_axes(job, out.scale);
    measure_title_and_legend(job, out.scale, m);
    size_picture(job, m, out);
    place_axis_text(job, m, out);
    place_title_and_legend(job, m, out);

    plot_content content = strategy->draw(plot_context{chart, out.scale, out.plot, job.n});
    out.data_labels = place_data_labels(content.labels, content.obstacles, out.plot,
                                        sized(chart.title.font, style::kDataLabelFontSize), content.backdrop, measurer);
    assemble_scene(std::move(content), m.legend_items, out);
    return out;
}

}  // namespace sheethost::render
