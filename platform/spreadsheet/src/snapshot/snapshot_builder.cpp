#include "snapshot/snapshot_builder.hpp"

#include "model/chart_types.hpp"
#include "model/color_resolution.hpp"
#include "render/layout/drawable_text.hpp"
#include "snapshot/bound_cells.hpp"
#include "snapshot/host_values.hpp"

namespace sheethost::snapshot {

namespace {

constexpr int kXlLineStyleNone = -4142;

render::font_spec font_of(const model::font_state &f) { return {f.name, f.size, f.bold, f.italic}; }

render::text_block text_of(const model::text_state &t, bool shown)
{
    render::text_block out;
    out.visible = shown && t.visible;
    out.text = t.text;
    out.font = font_of(t.font);
    out.horizontal_alignment = h_align_of(t.horizontal_alignment);
    out.vertical_alignment = v_align_of(t.vertical_alignment);
    out.orientation = orientation_of(t.orientation);
    return out;
}

render::border_spec border_of(const model::border_state &b)
{
    render::border_spec out;
    out.visible = b.line_style != kXlLineStyleNone;
    out.weight = border_weight_of(b.weight);
    out.line_style = line_dash_of(b.line_style);
    if (b.color.type != model::color_state::kind::automatic)
        out.color = model::resolve_color(b.color, model::kAutomaticLineColor);
    return out;
}

render::fill_spec fill_of(const model::fill_state &f, model::rgb automatic)
{
    using kind = model::fill_state::kind;
    render::fill_spec out;
    switch (f.type) {
    case kind::automatic: out.type = render::fill_spec::kind::automatic; break;
    case kind::solid: out.type = render::fill_spec::kind::solid; break;
    case kind::one_color_gradient: out.type = render::fill_spec::kind::one_color_gradient; break;
    case kind::preset_gradient: out.type = render::fill_spec::kind::preset_gradient; break;
    }
    out.fore = model::resolve_color(f.fore, automatic);
    out.gradient_style = gradient_direction_of(f.gradient_style);
    out.gradient_variant = f.gradient_variant;
    out.gradient_degree = f.gradient_degree;
    out.preset = f.preset;
    return out;
}

render::surface_spec surface_of(const model::surface_state &s)
{
    return {border_of(s.border), fill_of(s.fill, model::kAutomaticSurfaceColor)};
}

render::series_data series_of(const model::series_state &s, int plot_order)
{
    render::series_data out;
    out.name = render::drawable_text(s.name);
    if (s.values)
        for (const oleaut::variant &cell : bound_cells(*s.values))
            out.values.push_back(chart_value(cell));
    out.border = border_of(s.border);
    out.fill = fill_of(s.fill, model::automatic_series_color(plot_order));
    out.data_labels = s.data_labels;
    out.data_label_type = label_content_of(s.data_label_type);
    out.legend_key = s.legend_key;
    return out;
}

}  // namespace

render::chart_snapshot build_snapshot(const model::chart_state &chart)
{
    render::chart_snapshot out;
    out.chart_type = chart.type;
    out.plot_width = chart.plot_width;
    out.plot_height = chart.plot_height;
    out.has_legend = chart.has_legend;
    out.legend_position = legend_place_of(chart.legend_position);
    out.walls_and_gridlines_2d = chart.walls_and_gridlines_2d;
    out.has_data_table = chart.has_data_table;

    const model::chart_type_info *type = model::find_chart_type(chart.type);
    const bool has_axes = type && type->has_axes;
    out.title = text_of(chart.title, true);
    out.category_axis_title = text_of(chart.category_axis_title, has_axes);
    out.value_axis_title = text_of(chart.value_axis_title, has_axes);
    out.walls = surface_of(chart.walls);
    out.floor = surface_of(chart.floor);

    if (!chart.series.empty() && chart.series.front()->x_values)
        for (const oleaut::variant &cell : bound_cells(*chart.series.front()->x_values))
            out.categories.push_back(render::drawable_text(heading_text(cell)));
    for (size_t i = 0; i < chart.series.size(); ++i)
        out.series.push_back(series_of(*chart.series[i], static_cast<int>(i + 1)));
    return out;
}

}  // namespace sheethost::snapshot
