// The 2-D line with markers: each series a line through its values at the category
// slots' centres, with the series' automatic marker (markers.hpp) on every value. An
// empty cell breaks the line, as the host plots empty cells as gaps; a value with no
// neighbour shows its marker alone. Series are drawn in order, each line with its
// markers, so a later series lies on top of an earlier one where they cross.
#include <optional>

#include "render/chart_types/shared/category_axes_2d.hpp"
#include "render/style/chart_style.hpp"
#include "render/chart_types/shared/column_geometry.hpp"
#include "render/style/fill_style.hpp"
#include "render/layout/legend_layout.hpp"
#include "render/chart_types/line_area_strategies.hpp"
#include "render/style/markers.hpp"
#include "render/chart_types/shared/series_line.hpp"

namespace sheethost::render {

namespace {

class line_2d final : public chart_strategy {
public:
    double value_axis_length(const rect &plot, size_t) const override { return plot.h; }

    std::vector<legend_item> legend_items(const chart_snapshot &chart, const value_scale &) const override
    {
        std::vector<legend_item> items;
        for (size_t s = 0; s < chart.series.size(); ++s) {
            std::optional<stroke> line = series_line_stroke(chart, s);
            items.push_back({series_label(chart, s), chart.series[s].fill, series_colour(s), line,
                             legend_item::key_kind::line, automatic_marker(s)});
        }
        return items;
    }

    axis_frame frame(const plot_context &ctx) const override
    {
        return category_frame_2d(ctx, point_placement::centres);
    }

    plot_content draw(const plot_context &ctx) const override
    {
        plot_content out;
        const chart_snapshot &c = ctx.chart;
        draw_backdrop_2d(ctx, out);
        double slot = ctx.plot.w / static_cast<double>(ctx.categories);
        double size = marker_size(slot);
        for (size_t s = 0; s < c.series.size(); ++s) {
            std::vector<std::optional<point>> at(ctx.categories);
            std::vector<std::optional<double>> values(ctx.categories);
            for (size_t i = 0; i < ctx.categories; ++i) {
                double v;
                if (value_at(c.series[s], i, v)) {
                    values[i] = v;
                    at[i] = point{category_x(ctx.plot, ctx.categories, i, point_placement::centres), value_y(ctx, v)};
                }
            }
            std::optional<stroke> line = series_line_stroke(c, s);
            // One open path per run of neighbouring values.
            std::vector<point> run;
            auto flush = [&] {
                if (run.size() >= 2 && line) {
                    shape path;
                    path.outline = run;
                    path.closed = false;
                    path.line = line;
                    out.items.push_back(std::move(path));
                }
                add_trace_obstacles(run, (line ? line->width : 1) / 2 + 0.75, out.obstacles);
                run.clear();
            };
            for (size_t i = 0; i < ctx.categories; ++i) {
                if (at[i])
                    run.push_back(*at[i]);
                else
                    flush();
            }
            flush();

            rgb colour = series_base_colour(c, s);
            int kind = automatic_marker(s);
            for (size_t i = 0; i < ctx.categories; ++i) {
                if (!at[i])
                    continue;
                shape m = marker(kind, *at[i], size, colour);
                rect box = bounds_of(m.outline);
                // A shaded series shows its gradient on its markers.
                if (m.fill && c.series[s].fill.type != fill_spec::kind::automatic)
                    m.fill = paint_for(c.series[s].fill, box, colour);
                out.items.push_back(std::move(m));
                out.obstacles.push_back(box);
                if (std::optional<std::string> text = data_label_text(c, s, i, *values[i])) {
                    const double *before = i > 0 && values[i - 1] ? &*values[i - 1] : nullptr;
                    const double *after = i + 1 < ctx.categories && values[i + 1] ? &*values[i + 1] : nullptr;
                    label_side side = kept_inside(label_side_between(before, *values[i], after), box, ctx.plot);
                    out.labels.push_back({*text, {at[i]->x, side == label_side::below ? box.bottom() : box.top()},
                                          side, box, colour, c.series[s].legend_key});
                }
            }
        }
        draw_axes_2d(ctx, point_placement::centres, out);
        return out;
    }
};

}  // namespace

const chart_strategy &line_markers_2d()
{
    static const line_2d instance;
    return instance;
}

}  // namespace sheethost::render
