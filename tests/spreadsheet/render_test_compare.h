// Comparing a picture with its golden image while allowing for font differences
// between machines: the sizes may differ a little, and the pictures are compared as
// thumbnails (the mean colour of each cell of a grid laid over the whole picture).
#ifndef TESTS_SPREADSHEET_RENDER_TEST_COMPARE_H
#define TESTS_SPREADSHEET_RENDER_TEST_COMPARE_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "render_test_gif.h"

namespace render_test {

constexpr int kThumbColumns = 40;
constexpr int kThumbRows = 24;

struct thumbnail_difference {
    double mean = 0;  // mean absolute channel difference over all cells, 0..255
    double worst = 0; // the largest cell's mean channel difference
    double size_ratio = 1;  // the larger of the width and height ratios, >= 1
};

inline std::vector<double> thumbnail(const decoded_image &img)
{
    std::vector<double> cells(kThumbColumns * kThumbRows * 3, 0);
    std::vector<double> counts(kThumbColumns * kThumbRows, 0);
    for (int y = 0; y < img.height; ++y) {
        int row = y * kThumbRows / img.height;
        for (int x = 0; x < img.width; ++x) {
            int cell = row * kThumbColumns + x * kThumbColumns / img.width;
            uint32_t c = img.at(x, y);
            cells[cell * 3] += (c >> 16) & 0xFF;
            cells[cell * 3 + 1] += (c >> 8) & 0xFF;
            cells[cell * 3 + 2] += c & 0xFF;
            counts[cell] += 1;
        }
    }
    for (size_t i = 0; i < counts.size(); ++i)
        for (int k = 0; k < 3; ++k)
            cells[i * 3 + k] /= std::max(counts[i], 1.0);
    return cells;
}

inline thumbnail_difference compare_thumbnails(const decoded_image &a, const decoded_image &b)
{
    thumbnail_difference d;
    d.size_ratio = std::max({static_cast<double>(a.width) / b.width, static_cast<double>(b.width) / a.width,
                             static_cast<double>(a.height) / b.height, static_cast<double>(b.height) / a.height});
    std::vector<double> ta = thumbnail(a), tb = thumbnail(b);
    double total = 0;
    for (size_t cell = 0; cell < ta.size() / 3; ++cell) {
        double diff = 0;
        for (int k = 0; k < 3; ++k)
            diff += std::abs(ta[cell * 3 + k] - tb[cell * 3 + k]) / 3;
        total += diff;
        d.worst = std::max(d.worst, diff);
    }
    d.mean = total / static_cast<double>(ta.size() / 3);
    return d;
}

// Within what font differences explain: sizes within 4%, thumbnails alike.
inline bool looks_alike(const thumbnail_difference &d)
{
    return d.size_ratio <= 1.04 && d.mean <= 3.0 && d.worst <= 40.0;
}

inline std::string describe(const thumbnail_difference &d)
{
    std::ostringstream s;
    s << "size ratio " << d.size_ratio << ", mean cell difference " << d.mean << ", worst cell " << d.worst;
    return s.str();
}

}  // namespace render_test

#endif
