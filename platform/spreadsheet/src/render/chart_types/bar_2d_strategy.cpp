// The 2-D clustered bar: the clustered column turned on its side. Categories run down
// the left side, the first at the top, so the chart reads top to bottom in the order
// of the data and of the legend (the host's own default puts the first category at
// the bottom, which people then have to read backwards); within a category the
// series' bars follow the same order, the first on top. Values run along the bottom
// and bars grow right from zero (left for negative values) over light vertical
// gridlines.
#include <algorithm>

#include "render/style/chart_style.hpp"
#include "render/chart_types/shared/column_geometry.hpp"
#include "render/chart_types/column_strategies.hpp"
#include "render/style/fill_style.hpp"

namespace sheethost::render {

namespace {

shape line(point a, point b, rgb colour, double width = 0.75)
{
    shape s;
    s.outline = {a, b};
    s.closed = false;
    s.line = stroke{width, colour, {}};
    s.crisp = true;
    return s;
}

class bar_2d final : public chart_strategy {
public:
    axes_layout axes() const override { return axes_layout::value_across; }

    double value_axis_length(const rect &plot, size_t) const override { return plot.w; }

    axis_frame frame(const plot_context &ctx) const override
    {
        axis_frame f;
        for (double v : ctx.scale.ticks())
            f.value_ticks.push_back({v, {x_of(ctx, v), ctx.plot.y - style::kTickLength}});
        double slot = slot_height(ctx);
        for (size_t i = 0; i < ctx.categories; ++i)
            f.category_anchors.push_back({ctx.plot.x - style::kTickLength, slot_top(ctx, i) - slot / 2});
        f.category_slot = slot;
        return f;
    }

    plot_content draw(const plot_context &ctx) const override
    {
        plot_content out;
        const chart_snapshot &c = ctx.chart;
        const rect &plot = ctx.plot;
        // A 2-D chart has no walls; a fill the chart gave them colours the plot area.
        if (c.walls.fill.type != fill_spec::kind::automatic) {
            shape back;
            back.outline = corners(plot);
            back.fill = paint_for(c.walls.fill, plot, style::kBackground);
            out.backdrop = back.fill;
            back.crisp = true;
            out.items.push_back(std::move(back));
        }
        for (double v : ctx.scale.ticks()) {
            if (v == ctx.scale.min || v == 0)
                continue;
            double x = x_of(ctx, v);
            out.items.push_back(line({x, plot.bottom()}, {x, plot.top()}, style::kGridline));
        }

        double slot = slot_height(ctx);
        double zero = x_of(ctx, 0);
        for (size_t s = 0; s < c.series.size(); ++s) {
            bar_span span = clustered_bar_span(s, c.series.size());
            rgb colour = series_base_colour(c, s);
            std::optional<stroke> border = bar_stroke(c, s);
            for (size_t i = 0; i < ctx.categories; ++i) {
                double v;
                if (!value_at(c.series[s], i, v))
                    continue;
                double y1 = slot_top(ctx, i) - span.from * slot;
                double y0 = slot_top(ctx, i) - span.to * slot;
                double x = x_of(ctx, v);
                rect bar{std::min(x, zero), y0, std::abs(x - zero), y1 - y0};
                shape b;
                b.outline = corners(bar);
                b.fill = paint_for(c.series[s].fill, bar, series_colour(s));
                b.line = border;
                b.crisp = true;
                out.items.push_back(std::move(b));
                out.obstacles.push_back(bar);
                if (std::optional<std::string> text = data_label_text(c, s, i, v))
                    out.labels.push_back({*text, {x, (y0 + y1) / 2}, v < 0 ? label_side::left : label_side::right,
                                          bar, colour, c.series[s].legend_key});
            }
        }

        // Axes last so bars never cover them.
        if (ctx.scale.min < 0)
            out.items.push_back(line({zero, plot.bottom()}, {zero, plot.top()}, style::kZeroLine));
        out.items.push_back(line({plot.left(), plot.bottom()}, {plot.right(), plot.bottom()}, style::kAxisLine));
        out.items.push_back(line({plot.left(), plot.bottom()}, {plot.left(), plot.top()}, style::kAxisLine));
        for (double v : ctx.scale.ticks()) {
            double x = x_of(ctx, v);
            out.items.push_back(line({x, plot.bottom() - style::kTickLength}, {x, plot.bottom()}, style::kAxisLine));
        }
        for (size_t i = 0; i <= ctx.categories; ++i) {
            double y = plot.top() - static_cast<double>(i) * slot;
            out.items.push_back(line({plot.left() - style::kTickLength, y}, {plot.left(), y}, style::kAxisLine));
        }
        return out;
    }

private:
    static double x_of(const plot_context &ctx, double v) { return ctx.plot.x + ctx.scale.fraction(v) * ctx.plot.w; }
    static double slot_height(const plot_context &ctx) { return ctx.plot.h / static_cast<double>(ctx.categories); }
    // Category i's slot hangs from here: the first category's from the plot area's top.
    static double slot_top(const plot_context &ctx, size_t i)
    {
        return ctx.plot.top() - static_cast<double>(i) * slot_height(ctx);
    }
};

}  // namespace

const chart_strategy &clustered_bar_2d()
{
    static const bar_2d instance;
    return instance;
}

}  // namespace sheethost::render
