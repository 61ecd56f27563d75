// The default series palette.
#include "render/style/chart_style.hpp"

#include "model/classic_palette.hpp"

namespace sheethost::render {

rgb series_colour(size_t index) { return model::automatic_series_color(static_cast<int>(index % 1000) + 1); }

}  // namespace sheethost::render
