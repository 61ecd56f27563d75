// The preset gradient ramps. Each ramp is read from the fill's fore side to its far
// side; metals alternate light and dark bands so they read as polished surfaces,
// landscapes run from sky to ground.
#include "render/style/preset_gradients.hpp"

namespace sheethost::render {

namespace {

const std::vector<preset_gradient> &table()
{
    static const std::vector<preset_gradient> presets = {
        {1, "Early Sunset", {{0, 0x1B1464}, {0.45, 0x7B2D8E}, {0.75, 0xD9436B}, {1, 0xFFB347}}},
        {2, "Late Sunset", {{0, 0x1A0026}, {0.5, 0x8E1B3A}, {0.8, 0xD9541E}, {1, 0xF7A440}}},
        {3, "Nightfall", {{0, 0x000000}, {0.6, 0x0A1A5C}, {1, 0x3B4FB8}}},
        {4, "Daybreak", {{0, 0x4A7BD0}, {0.55, 0xB3CCF2}, {1, 0xFFE9A8}}},
        {5, "Horizon", {{0, 0xE8F1FB}, {0.48, 0x7FA9D6}, {0.52, 0x38526E}, {1, 0xD9C9A3}}},
        {6, "Desert", {{0, 0xF7E3B5}, {0.35, 0xE8B86D}, {0.7, 0xD98E4A}, {1, 0xF6D8A6}}},
        {7, "Ocean", {{0, 0x03256C}, {0.5, 0x1167B1}, {1, 0x7FD3E6}}},
        {8, "Calm Water", {{0, 0xCDE7F0}, {0.33, 0x8FC3DA}, {0.66, 0xE3F2F7}, {1, 0x7DB4CF}}},
        {9, "Fire", {{0, 0x7A0000}, {0.35, 0xD62600}, {0.7, 0xFF8C00}, {1, 0xFFE066}}},
        {10, "Fog", {{0, 0xA7B1BA}, {0.5, 0xE3E7EA}, {1, 0xC5CDD3}}},
        {11, "Moss", {{0, 0x2F4F1F}, {0.5, 0x6B8E3A}, {1, 0xB5C97A}}},
        {12, "Peacock", {{0, 0x1E5FA8}, {0.33, 0x0F9C9C}, {0.66, 0x2E7D32}, {1, 0x5E35B1}}},
        {13, "Wheat", {{0, 0xFBF0C8}, {0.5, 0xE9C77B}, {1, 0xC9A04E}}},
        {14, "Parchment", {{0, 0xFFF8E1}, {0.5, 0xF1E0B0}, {1, 0xE2CC94}}},
        {15, "Mahogany", {{0, 0x3E1308}, {0.5, 0x7B2E1A}, {1, 0xB5583A}}},
        {16, "Rainbow",
         {{0, 0xE53935}, {0.2, 0xFB8C00}, {0.4, 0xFDD835}, {0.6, 0x43A047}, {0.8, 0x1E88E5}, {1, 0x8E24AA}}},
        {17, "Rainbow II", {{0, 0xF48FB1}, {0.25, 0xFFCC80}, {0.5, 0xFFF59D}, {0.75, 0xA5D6A7}, {1, 0x90CAF9}}},
        {18, "Gold", {{0, 0x8A6212}, {0.5, 0xF2D16B}, {1, 0xA67C1B}}},
        {19, "Gold II", {{0, 0xFFF3C4}, {0.4, 0xE6B422}, {0.6, 0xB8860B}, {1, 0xFFF3C4}}},
        {20, "Brass", {{0, 0x6B5523}, {0.5, 0xC9AE5D}, {1, 0x85703A}}},
        {21, "Chrome", {{0, 0xFFFFFF}, {0.25, 0x8C8C8C}, {0.5, 0xF5F5F5}, {0.75, 0x6E6E6E}, {1, 0xE6E6E6}}},
        {22, "Chrome II", {{0, 0x5C5C5C}, {0.3, 0xF0F0F0}, {0.55, 0x8A8A8A}, {1, 0xFFFFFF}}},
        {23, "Silver", {{0, 0xE8E8E8}, {0.5, 0xB0B0B0}, {1, 0xF2F2F2}}},
        {24, "Sapphire", {{0, 0x0B1F5C}, {0.5, 0x2F5ED6}, {1, 0x9AB6F2}}},
    };
    return presets;
}

}  // namespace

const preset_gradient *find_preset_gradient(int number)
{
    for (const preset_gradient &p : table())
        if (p.number == number)
            return &p;
    return nullptr;
}

}  // namespace sheethost::render
