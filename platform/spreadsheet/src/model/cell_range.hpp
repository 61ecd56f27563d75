// A rectangle of cells on one worksheet, rows and columns counted from 1, and the
// size of a worksheet. Plain values: ranges are compared, copied and stored freely.
#ifndef SHEETHOST_MODEL_CELL_RANGE_HPP
#define SHEETHOST_MODEL_CELL_RANGE_HPP

#include <algorithm>
#include <cstdint>

namespace sheethost::model {

// The classic worksheet: 65,536 rows by 256 columns (A to IV).
inline constexpr int kMaxRows = 65536;
inline constexpr int kMaxColumns = 256;

inline bool is_cell_in_sheet(int64_t row, int64_t column)
{
    return row >= 1 && row <= kMaxRows && column >= 1 && column <= kMaxColumns;
}

struct cell_range {
    int top = 1;
    int left = 1;
    int bottom = 1;
    int right = 1;

    static cell_range cell(int row, int column) { return {row, column, row, column}; }
    static cell_range whole_sheet() { return {1, 1, kMaxRows, kMaxColumns}; }
    // The smallest range that holds both a and b.
    static cell_range spanning(const cell_range &a, const cell_range &b)
    {
        return {std::min(a.top, b.top), std::min(a.left, b.left), std::max(a.bottom, b.bottom),
                std::max(a.right, b.right)};
    }

    int rows() const { return bottom - top + 1; }
    int columns() const { return right - left + 1; }
    int64_t count() const { return static_cast<int64_t>(rows()) * columns(); }
    bool is_single_cell() const { return top == bottom && left == right; }
    bool is_line() const { return top == bottom || left == right; }
    bool operator==(const cell_range &) const = default;
};

}  // namespace sheethost::model

#endif
