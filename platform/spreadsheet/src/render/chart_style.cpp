// The default series palette.
#include "render/chart_style.hpp"

namespace sheethost::render {

rgb series_colour(size_t index)
{
    static constexpr rgb kColourBlind10[] = {0x006BA4, 0xFF800E, 0xABABAB, 0x595959, 0x5F9ED1,
                                             0xC85200, 0x898989, 0xA2C8EC, 0xFFBC79, 0xCFCFCF};
    return kColourBlind10[index % (sizeof kColourBlind10 / sizeof kColourBlind10[0])];
}

}  // namespace sheethost::render
