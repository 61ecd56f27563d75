// SetBackgroundEffect: bordered walls and floor filled with one of the 23 preset
// gradients, or with the default one-colour gradient in scheme colour 15 for any other
// number. Log-and-re-raise: the first refusal ends the call, is logged and reaches the
// caller; what was done before stays done.
#include "chart/chart_builder.hpp"
#include "chart/failure_modes.hpp"
#include "host/chart.hpp"

namespace quillet {

using namespace quillet::host;

namespace {

constexpr LONG kFirstPreset = 1;
constexpr LONG kLastPreset = 23;
constexpr SHORT kMsoGradientHorizontal = 1;
constexpr SHORT kGradientVariant = 1;
constexpr DOUBLE kGradientDegree = 0.231372549019608;
constexpr LONG kDefaultSchemeColor = 15;
constexpr LONG kXlThin = 2;
constexpr LONG kXlContinuous = 1;
constexpr LONG kXlHairline = 1;
constexpr LONG kXlAutomatic = -4105;

void apply_fill(const Surface &surface, LONG effect)
{
    if (effect >= kFirstPreset && effect <= kLastPreset) {
        LONG preset = effect;  // passed by reference: the routine's own copy
        surface.get_Fill().PresetGradient(kMsoGradientHorizontal, kGradientVariant, &preset);
        return;
    }
    surface.get_Fill().OneColorGradient(kMsoGradientHorizontal, kGradientVariant, kGradientDegree);
    surface.get_Fill().get_ForeColor().put_SchemeColor(kDefaultSchemeColor);
}

}  // namespace

void chart_builder::background_effect(LONG iXlChartFillEffect)
{
    log_and_reraise([&] {
        Chart(oQuillet).put_WallsAndGridlines2D(false);
        {
            Surface walls = Chart(oQuillet).get_Walls();
            walls.get_Border().put_Weight(kXlThin);
            walls.get_Border().put_LineStyle(kXlContinuous);
            apply_fill(walls, iXlChartFillEffect);
        }
        Surface floor = Chart(oQuillet).get_Floor();
        floor.get_Border().put_Weight(kXlHairline);
        floor.get_Border().put_LineStyle(kXlAutomatic);
        apply_fill(floor, iXlChartFillEffect);
    });
}

}  // namespace quillet
