#pragma once
// Passes over one term matrix, shared by the multiplied-out and the two-part
// layouts. A sum is split into rows of literals, each row (or each group of a
// row) is padded with wire at its start so that all rows of the group end in
// the same column, and then every row is compared with the rows above it: a
// matching beginning becomes "*" cells closed by "/", a matching ending
// becomes "*" cells opened by "\". Cells outside the matrix read as empty.

#include <string>
#include <vector>

#include "equations/ExpressionText.h"
#include "ladder/LadderGrid.h"

namespace kelvo::layout {

// The cell, or "" for a row or column outside the matrix.
const std::string& TermAt(const TermMatrix& terms, int row, int column);

// Last column of the run of non-"0" cells that starts at `first`, or first - 1.
int RunEnd(const TermMatrix& terms, int row, int first);

// Moves the cells first..last of `row` right by `distance` and fills the
// freed columns from `first` on with "1"; cells pushed past `last` are lost.
void ShiftRight(TermMatrix& terms, int row, int first, int last, int distance);

// Marks the cells of `row` from column `first` that repeat the row above.
// With `shareFirstColumn` clear the first column is only shared when its left
// neighbour is, so no shared run can start there.
void ShareBeginning(TermMatrix& terms, int row, int first, bool shareFirstColumn);

// Marks the cells of `row` that end like the row above, scanning from column
// `last` (the last column of the group) down to column `low`.
void ShareEnding(TermMatrix& terms, int row, int last, int low);

}  // namespace kelvo::layout
