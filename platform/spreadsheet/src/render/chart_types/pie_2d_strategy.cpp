// The 2-D pie: a circle centred in the plot area, as large as fits with the value
// labels' margin around it. Exploded, every slice is pulled out along its bisector by
// a tenth of the radius (a lone slice stays put: there is nothing to pull it from).
//
// Fills: an automatic fill gives each slice its category's palette colour; a
// one-colour gradient shades each slice radially from the pie's middle (the slice's
// colour) to the rim (Degree's shade), so all slices share one light and meet without
// seams; a solid or preset fill paints each slice over its own box in the fill's
// style, as a bar would be.
#include <cmath>
#include <numbers>
#include <utility>
#include <variant>

#include "render/style/chart_style.hpp"
#include "render/style/fill_style.hpp"
#include "render/chart_types/shared/pie_labels.hpp"
#include "render/chart_types/shared/pie_slices.hpp"
#include "render/chart_types/pie_strategies.hpp"

namespace sheethost::render {

namespace {

constexpr double kStripHeight = 3;
constexpr double kMinRadius = 4;

class pie_2d_strategy final : public pie_strategy_base {
public:
    explicit pie_2d_strategy(bool exploded) : exploded_(exploded) {}

    plot_content draw(const plot_context &ctx) const override
    {
        const chart_snapshot &c = ctx.chart;
        plot_content out;
        std::vector<pie_slice> slices = pie_slices(c);
        pie_margins m = pie_label_margins(c);
        double pull = exploded_ && slices.size() > 1 ? kExplodedShare : 0;
        double fit = std::min(ctx.plot.w / 2 - m.across, ctx.plot.h / 2 - m.up);
        double radius = std::max(kMinRadius, fit / (1 + pull));
        point centre = ctx.plot.centre();

        if (slices.empty()) {
            // Nothing to divide: the pie's outline alone, so the chart is visibly empty.
            shape ring;
            ring.outline = rim_points(centre, radius, radius, 0, 2 * std::numbers::pi);
            ring.outline.pop_back();
            ring.line = stroke{0.75, style::kAxisLine, {}};
            out.items.emplace_back(std::in_place_type<shape>, std::move(ring));
            return out;
        }

        std::optional<stroke> border = slice_stroke(c);
        std::vector<std::vector<point>> outlines;
        std::vector<pie_label_spot> spots;
        for (const pie_slice &s : slices) {
            point apex = on_rim(centre, pull * radius, pull * radius, s.middle());
            shape slice;
            slice.outline = rim_points(apex, radius, radius, s.start, s.sweep);
            if (slices.size() > 1)
                slice.outline.insert(slice.outline.begin(), apex);  // the apex first, then the rim clockwise
            else
                slice.outline.pop_back();  // a whole circle: no seam from the centre
            slice.fill = slice_paint(c, s.category, slice.outline, apex, {apex.x + radius, apex.y}, paint::kind::radial);
            slice.line = border;
            outlines.push_back(slice.outline);
            out.items.push_back(std::move(slice));
            spots.push_back({s, on_rim(apex, radius, radius, s.middle())});
        }
        out.obstacles = covering_strips(outlines, kStripHeight);
        add_pie_labels(ctx, spots, out);
        return out;
    }

private:
    bool exploded_;
};

}  // namespace

const chart_strategy &pie_2d()
{
    static const pie_2d_strategy instance(false);
    return instance;
}

const chart_strategy &exploded_pie_2d()
{
    static const pie_2d_strategy instance(true);
    return instance;
}

}  // namespace sheethost::render
