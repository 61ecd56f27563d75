// The 2-D clustered columns and bars: one strategy, two orientations.
//
// Columns: one slot per category across the plot area, the series' bars side by side
// in it, growing up from zero (down for negative values), over light horizontal
// gridlines.
//
// Bars: the clustered column turned on its side. Categories run down the left side,
// the first at the top, so the chart reads top to bottom in the order of the data and
// of the legend (the host's own default puts the first category at the bottom, which
// people then have to read backwards); within a category the series' bars follow the
// same order, the first on top. Values run along the bottom and bars grow right from
// zero (left for negative values) over light vertical gridlines.
#include <algorithm>
#include <cmath>

#include "render/chart_types/column_strategies.hpp"
#include "render/chart_types/shared/category_axes_2d.hpp"
#include "render/chart_types/shared/column_geometry.hpp"
#include "render/style/chart_style.hpp"
#include "render/style/fill_style.hpp"

namespace sheethost::render {

namespace {

class clustered_2d final : public chart_strategy {
public:
    explicit clustered_2d(bool across) : across_(across) {}

    axes_layout axes() const override { return across_ ? axes_layout::value_across : axes_layout::value_up; }

    double value_axis_length(const rect &plot, size_t) const override { return across_ ? plot.w : plot.h; }

    axis_frame frame(const plot_context &ctx) const override
    {
        axis_frame f;
        for (double v : ctx.scale.ticks())
            f.value_ticks.push_back({v, across_ ? point{value_x(ctx, v), ctx.plot.y - style::kTickLength}
                                                : point{ctx.plot.x - style::kTickLength, value_y(ctx, v)}});
        double slot = slot_size(ctx);
        for (size_t i = 0; i < ctx.categories; ++i)
            f.category_anchors.push_back(
                across_ ? point{ctx.plot.x - style::kTickLength, slot_top(ctx, i) - slot / 2}
                        : point{ctx.plot.x + (static_cast<double>(i) + 0.5) * slot, ctx.plot.y - style::kTickLength});
        f.category_slot = slot;
        return f;
    }

    plot_content draw(const plot_context &ctx) const override
    {
        plot_content out;
        const chart_snapshot &c = ctx.chart;
        draw_backdrop_2d(ctx, out, across_);

        double slot = slot_size(ctx);
        double zero = across_ ? value_x(ctx, 0) : value_y(ctx, 0);
        for (size_t s = 0; s < c.series.size(); ++s) {
            bar_span span = clustered_bar_span(s, c.series.size());
            rgb colour = series_base_colour(c, s);
            std::optional<stroke> border = bar_stroke(c, s);
            for (size_t i = 0; i < ctx.categories; ++i) {
                double v;
                if (!value_at(c.series[s], i, v))
                    continue;
                placed_bar p = place_bar(ctx, i, span, slot, v, zero);
                shape b;
                b.outline = corners(p.box);
                b.fill = paint_for(c.series[s].fill, p.box, series_colour(s));
                b.line = border;
                b.crisp = true;
                out.items.push_back(std::move(b));
                out.obstacles.push_back(p.box);
                if (std::optional<std::string> text = data_label_text(c, s, i, v))
                    out.labels.push_back({*text, p.end, p.side, p.box, colour, c.series[s].legend_key});
            }
        }

        // Axes last so bars never cover them; a category tick between neighbouring
        // slots and at both ends.
        draw_value_axes_2d(ctx, across_, out);
        std::vector<double> ticks;
        for (size_t i = 0; i <= ctx.categories; ++i)
            ticks.push_back(across_ ? ctx.plot.top() - static_cast<double>(i) * slot
                                    : ctx.plot.x + static_cast<double>(i) * slot);
        draw_category_ticks_2d(ctx, ticks, across_, out);
        return out;
    }

private:
    struct placed_bar {
        rect box;
        point end;  // the middle of its outer end, where a value label attaches
        label_side side;
    };

    placed_bar place_bar(const plot_context &ctx, size_t i, bar_span span, double slot, double v, double zero) const
    {
        if (across_) {
            double y1 = slot_top(ctx, i) - span.from * slot;
            double y0 = slot_top(ctx, i) - span.to * slot;
            double x = value_x(ctx, v);
            return {{std::min(x, zero), y0, std::abs(x - zero), y1 - y0},
                    {x, (y0 + y1) / 2},
                    v < 0 ? label_side::left : label_side::right};
        }
        double x0 = ctx.plot.x + (static_cast<double>(i) + span.from) * slot;
        double x1 = ctx.plot.x + (static_cast<double>(i) + span.to) * slot;
        double y = value_y(ctx, v);
        return {{x0, std::min(y, zero), x1 - x0, std::abs(y - zero)},
                {(x0 + x1) / 2, y},
                v < 0 ? label_side::below : label_side::above};
    }

    // A category's slot: across the plot area for columns, down it for bars.
    double slot_size(const plot_context &ctx) const
    {
        return (across_ ? ctx.plot.h : ctx.plot.w) / static_cast<double>(ctx.categories);
    }

    // Bars: category i's slot hangs from here, the first category's from the plot area's top.
    static double slot_top(const plot_context &ctx, size_t i)
    {
        return ctx.plot.top() - static_cast<double>(i) * (ctx.plot.h / static_cast<double>(ctx.categories));
    }

    bool across_;  // bars: values run across
};

}  // namespace

const chart_strategy &clustered_column_2d()
{
    static const clustered_2d instance(false);
    return instance;
}

const chart_strategy &clustered_bar_2d()
{
    static const clustered_2d instance(true);
    return instance;
}

}  // namespace sheethost::render
