// The 2-D clustered column: one slot per category across the plot area, the series'
// bars side by side in it, growing up from zero (down for negative values), over
// light horizontal gridlines.
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

class column_2d final : public chart_strategy {
public:
    double value_axis_length(const rect &plot, size_t) const override { return plot.h; }

    axis_frame frame(const plot_context &ctx) const override
    {
        axis_frame f;
        for (double v : ctx.scale.ticks())
            f.value_ticks.push_back({v, {ctx.plot.x - style::kTickLength, y_of(ctx, v)}});
        double slot = ctx.plot.w / static_cast<double>(ctx.categories);
        for (size_t i = 0; i < ctx.categories; ++i)
            f.category_anchors.push_back(
                {ctx.plot.x + (static_cast<double>(i) + 0.5) * slot, ctx.plot.y - style::kTickLength});
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
            double y = y_of(ctx, v);
            out.items.push_back(line({plot.left(), y}, {plot.right(), y}, style::kGridline));
        }

        double slot = plot.w / static_cast<double>(ctx.categories);
        double zero = y_of(ctx, 0);
        for (size_t s = 0; s < c.series.size(); ++s) {
            bar_span span = clustered_bar_span(s, c.series.size());
            rgb colour = series_base_colour(c, s);
            std::optional<stroke> border = bar_stroke(c, s);
            for (size_t i = 0; i < ctx.categories; ++i) {
                double v;
                if (!value_at(c.series[s], i, v))
                    continue;
                double x0 = plot.x + (static_cast<double>(i) + span.from) * slot;
                double x1 = plot.x + (static_cast<double>(i) + span.to) * slot;
                double y = y_of(ctx, v);
                rect bar{x0, std::min(y, zero), x1 - x0, std::abs(y - zero)};
                shape b;
                b.outline = corners(bar);
                b.fill = paint_for(c.series[s].fill, bar, series_colour(s));
                b.line = border;
                b.crisp = true;
                out.items.push_back(std::move(b));
                out.obstacles.push_back(bar);
                if (std::optional<std::string> text = data_label_text(c, s, i, v))
                    out.labels.push_back({*text, {(x0 + x1) / 2, y}, v < 0 ? label_side::below : label_side::above, bar, colour,
                                          c.series[s].legend_key});
            }
        }

        // Axes last so bars never cover them.
        if (ctx.scale.min < 0)
            out.items.push_back(line({plot.left(), zero}, {plot.right(), zero}, style::kZeroLine));
        out.items.push_back(line({plot.left(), plot.bottom()}, {plot.right(), plot.bottom()}, style::kAxisLine));
        out.items.push_back(line({plot.left(), plot.bottom()}, {plot.left(), plot.top()}, style::kAxisLine));
        for (double v : ctx.scale.ticks()) {
            double y = y_of(ctx, v);
            out.items.push_back(line({plot.left() - style::kTickLength, y}, {plot.left(), y}, style::kAxisLine));
        }
        for (size_t i = 0; i <= ctx.categories; ++i) {
            double x = plot.x + static_cast<double>(i) * slot;
            out.items.push_back(line({x, plot.bottom()}, {x, plot.bottom() - style::kTickLength}, style::kAxisLine));
        }
        return out;
    }

private:
    static double y_of(const plot_context &ctx, double v) { return ctx.plot.y + ctx.scale.fraction(v) * ctx.plot.h; }
};

}  // namespace

const chart_strategy &clustered_column_2d()
{
    static const column_2d instance;
    return instance;
}

}  // namespace sheethost::render
