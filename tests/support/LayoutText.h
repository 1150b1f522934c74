#pragma once
// Text helpers for the layout tests: compact text of term matrices and tile
// grids, so that tests compare whole grids in a readable form, and long
// equations built from numbered literals.
//
// A tile grid is one line per branch: every step from step 0, separated by
// spaces, "." for an empty cell, a cell with a label as code:label ("8:A1").
// A term matrix is one line per row: its cells separated by spaces, '' for an
// empty literal. Trailing empty steps, cells, branches and rows are left out.

#include <string>
#include <vector>

#include "ladder/LadderGrid.h"

namespace kelvo::testing {

std::vector<std::string> TileText(const TileGrid& tiles, const LabelGrid& labels);
std::vector<std::string> TermText(const TermMatrix& terms);

// name1, name2, ... name`count` joined by `separator`: Chain("X", 3, '.') is "X1.X2.X3".
std::string Chain(const char* name, int count, char separator);

}  // namespace kelvo::testing
