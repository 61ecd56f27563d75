#include "model/cell_grid.hpp"

namespace sheethost::model {

const VARIANT *cell_grid::find(int row, int column) const
{
    auto it = cells_.find(key(row, column));
    return it == cells_.end() ? nullptr : &it->second;
}

oleaut::variant cell_grid::value(int row, int column) const
{
    const VARIANT *v = find(row, column);
    return v ? oleaut::variant(*v) : oleaut::variant();
}

void cell_grid::set(int row, int column, oleaut::variant value)
{
    if (value.vt == VT_EMPTY)
        cells_.erase(key(row, column));
    else
        cells_[key(row, column)] = std::move(value);
}

void cell_grid::clear(const cell_range &range)
{
    if (range == cell_range::whole_sheet()) {
        cells_.clear();
        return;
    }
    for (int row = range.top; row <= range.bottom && !cells_.empty(); ++row) {
        auto first = cells_.lower_bound(key(row, range.left));
        auto last = cells_.upper_bound(key(row, range.right));
        cells_.erase(first, last);
    }
}

}  // namespace sheethost::model
