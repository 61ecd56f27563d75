// The cells of one worksheet: a sparse grid that stores only cells holding a value,
// each as the VARIANT it was given (a decimal stays a decimal, text stays text), so
// that a 65,536 x 256 sheet with a few dozen values costs a few dozen entries.
#ifndef SHEETHOST_MODEL_CELL_GRID_HPP
#define SHEETHOST_MODEL_CELL_GRID_HPP

#include <cstddef>
#include <cstdint>
#include <map>

#include "model/cell_range.hpp"
#include "oleaut/variant.hpp"

namespace sheethost::model {

class cell_grid {
public:
    // The cell's value, or nullptr when the cell is empty. The pointer is valid until
    // the grid next changes.
    const VARIANT *find(int row, int column) const;
    // A copy of the cell's value (VT_EMPTY for an empty cell).
    oleaut::variant value(int row, int column) const;
    // Stores a value; VT_EMPTY empties the cell.
    void set(int row, int column, oleaut::variant value);
    // Empties every cell of the range.
    void clear(const cell_range &range);
    // How many cells hold a value.
    size_t size() const { return cells_.size(); }

private:
    // Row-major keys, so that one row of a range is one contiguous run of the map.
    static uint32_t key(int row, int column)
    {
        return static_cast<uint32_t>(row) << 9 | static_cast<uint32_t>(column);
    }
    std::map<uint32_t, oleaut::variant> cells_;
};

}  // namespace sheethost::model

#endif
