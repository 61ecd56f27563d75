// What a source hands to a recordset: the field descriptions and every row's values,
// read in full when the recordset opens (the cursor is static, so it can move both ways
// and RecordCount is known).
#ifndef RECORDSET_ROW_TABLE_HPP
#define RECORDSET_ROW_TABLE_HPP

#include <string>
#include <vector>

#include "oleaut/variant.hpp"

namespace recordset {

struct column {
    std::u16string name;
    LONG type = 0;          // DataTypeEnum
    LONG defined_size = 0;  // 0: no limit
    LONG attributes = 0;    // FieldAttributeEnum bits
};

struct row_table {
    std::vector<column> columns;
    std::vector<oleaut::variant> cells;  // row after row, columns.size() values each

    size_t row_count() const noexcept { return columns.empty() ? 0 : cells.size() / columns.size(); }
};

}  // namespace recordset

#endif
