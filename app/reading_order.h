#pragma once
// The order Tab visits the fields of a window in, from where the fields and their captions stand.
// A field with a caption or nothing to its left heads a row; heads standing one under another at
// the same left edge form a column. Columns go in reading order of their first field, a column
// top to bottom, and each head is followed by the fields to its right on its row. So two columns
// of captioned fields are read column by column, and a grid or a table row by row.
#include <QRect>
#include <cstddef>
#include <vector>

namespace shell {

struct PlacedItem {
    QRect rect;          // on the window
    const void *parent;  // items are neighbours only within one parent
    bool field;          // a field Tab stops at; otherwise a caption
};

// Indexes of the fields, in the order Tab visits them.
std::vector<size_t> ReadingOrder(const std::vector<PlacedItem> &items);

}  // namespace shell
