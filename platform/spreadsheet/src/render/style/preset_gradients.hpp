// The 24 preset gradients by their msoPresetGradientType number, each a ramp of our
// own colours chosen to evoke its name.
#ifndef SHEETHOST_RENDER_PRESET_GRADIENTS_HPP
#define SHEETHOST_RENDER_PRESET_GRADIENTS_HPP

#include <string_view>
#include <vector>

#include "render/scene.hpp"

namespace sheethost::render {

struct preset_gradient {
    int number;  // 1 (Early Sunset) .. 24 (Sapphire)
    std::string_view name;
    std::vector<colour_stop> stops;
};

// The preset with that number, or nullptr for a number outside 1..24.
const preset_gradient *find_preset_gradient(int number);

}  // namespace sheethost::render

#endif
