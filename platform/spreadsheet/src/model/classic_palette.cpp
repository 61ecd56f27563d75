#include "model/classic_palette.hpp"

namespace sheethost::model {

namespace {

// Entries 1..56 in the order the classic palette lists them.
constexpr rgb kPalette[kPaletteSize] = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,  //  1- 8
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,  //  9-16
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,  // 17-24 chart fills
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,  // 25-32 chart lines
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,  // 33-40
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,  // 41-48
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,  // 49-56
};


}  // namespace

std::optional<rgb> classic_palette_color(int index)
{
    if (index < 1 || index > kPaletteSize)
        return std::nullopt;
    return kPalette[index - 1];
}

int nearest_palette_index(rgb c)
{
    auto channel = [](rgb x, int shift) { return static_cast<int>((x >> shift) & 0xFF); };
    int best = 1;
    long best_distance = -1;
    for (int i = 0; i < kPaletteSize; ++i) {
        long distance = 0;
        for (int shift : {16, 8, 0}) {
            long d = channel(c, shift) - channel(kPalette[i], shift);
            distance += d * d;
        }
        if (best_distance < 0 || distance < best_distance) {
            best = i + 1;
            best_distance = distance;
        }
    }
    return best;
}

rgb automatic_series_color(int n)
{
    static constexpr rgb kColourBlind10[] = {0x006BA4, 0xFF800E, 0xABABAB, 0x595959, 0x5F9ED1,
                                             0xC85200, 0x898989, 0xA2C8EC, 0xFFBC79, 0xCFCFCF};
    constexpr int kCount = sizeof kColourBlind10 / sizeof kColourBlind10[0];
    return kColourBlind10[n < 1 ? 0 : (n - 1) % kCount];
}

}  // namespace sheethost::model
