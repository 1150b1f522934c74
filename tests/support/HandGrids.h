#pragma once
// Tile grids filled by hand, for drawing tests that must not depend on the
// layout builds.

#include <initializer_list>
#include <string>

#include "ladder/LadderGrid.h"

namespace kelvo::testing {

// Writes the tiles of `codes` ("1".."9", "*", "0", "4up1", as `inspect`
// prints them) into branch `branch` of `tiles`, one per step from `fromStep`.
void SetBranch(TileGrid& tiles, int branch, int fromStep, std::initializer_list<const char*> codes);
// The tile of one code.
Tile TileOf(const char* code);

// The circuit of a single literal in SumTiles slot `slot`: wires at steps 1..3,
// a contact at step 4 labelled `literal`, a wire at step 5.
void PutSingleContact(LadderGrid& grid, int slot, const std::string& literal);

// A SumTiles circuit of `branches` independent one-contact branches (the
// contacts labelled "X0", "X1", ...), all at steps 1..3.
void PutParallelContacts(LadderGrid& grid, int slot, int branches);

// The same in TwoPartTiles (normally closed contacts "y0", "y1", .. at steps
// 0..2): a circuit of one group.
void PutTwoPartParallel(LadderGrid& grid, int slot, int branches);

}  // namespace kelvo::testing
