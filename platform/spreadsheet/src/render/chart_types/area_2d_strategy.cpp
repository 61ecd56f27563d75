// The 2-D area: each series an area between zero and its values, the values placed
// from the plot area's left edge to its right edge (a single category spans the
// whole width). An empty cell counts as zero, so the area drops to the axis there,
// as the host plots empty cells of an area.
//
// Series overlap, and the host paints them in series order: the first series at the
// back, each later one in front of it. A large later series can therefore cover an
// earlier one. GIF palettes make see-through fills costly, so the areas stay opaque
// and instead every series' top edge, in its border's stroke, is drawn after all the
// fills: a series behind another still shows its outline across it, and no series
// vanishes.
#include <algorithm>
#include <optional>

#include "render/chart_types/shared/category_axes_2d.hpp"
#include "render/style/chart_style.hpp"
#include "render/chart_types/shared/column_geometry.hpp"
#include "render/style/fill_style.hpp"
#include "render/chart_types/line_area_strategies.hpp"

namespace sheethost::render {

namespace {

class area_2d_strategy final : public chart_strategy {
public:
    double value_axis_length(const rect &plot, size_t) const override { return plot.h; }

    axis_frame frame(const plot_context &ctx) const override { return category_frame_2d(ctx, point_placement::edges); }

    plot_content draw(const plot_context &ctx) const override
    {
        plot_content out;
        const chart_snapshot &c = ctx.chart;
        draw_backdrop_2d(ctx, out);
        double zero = value_y(ctx, 0);
        std::vector<std::vector<point>> tops(c.series.size());
        for (size_t s = 0; s < c.series.size(); ++s) {
            std::vector<point> &top = tops[s];
            for (size_t i = 0; i < ctx.categories; ++i) {
                double v = 0;
                value_at(c.series[s], i, v);
                top.push_back({category_x(ctx.plot, ctx.categories, i, point_placement::edges), value_y(ctx, v)});
            }
            if (ctx.categories == 1)  // one value: a level band across the plot area
                top = {{ctx.plot.left(), top[0].y}, {ctx.plot.right(), top[0].y}};
            shape area;
            area.outline = top;
            area.outline.push_back({top.back().x, zero});
            area.outline.push_back({top.front().x, zero});
            area.fill = paint_for(c.series[s].fill, bounds_of(area.outline), series_colour(s));
            out.items.push_back(std::move(area));
        }
        for (size_t s = 0; s < c.series.size(); ++s) {
            std::optional<stroke> border = bar_stroke(c, s);
            if (border) {
                shape edge;
                edge.outline = tops[s];
                edge.closed = false;
                edge.line = border;
                out.items.push_back(std::move(edge));
            }
            add_trace_obstacles(tops[s], (border ? border->width : 0.75) / 2 + 0.75, out.obstacles);
        }
        for (size_t s = 0; s < c.series.size(); ++s) {
            for (size_t i = 0; i < ctx.categories; ++i) {
                double v;
                if (!value_at(c.series[s], i, v))
                    continue;
                std::optional<std::string> text = data_label_text(c, s, i, v);
                if (!text)
                    continue;
                point p{category_x(ctx.plot, ctx.categories, i, point_placement::edges), value_y(ctx, v)};
                // The point itself is the label's "bar": a small box it starts from.
                rect at{p.x - 1, p.y - 1, 2, 2};
                label_side side = kept_inside(v < 0 ? label_side::below : label_side::above, at, ctx.plot);
                out.labels.push_back({*text, p, side, at, series_base_colour(c, s), c.series[s].legend_key});
            }
        }
        draw_axes_2d(ctx, point_placement::edges, out);
        return out;
    }
};

}  // namespace

const chart_strategy &area_2d()
{
    static const area_2d_strategy instance;
    return instance;
}

}  // namespace sheethost::render
