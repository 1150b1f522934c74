#pragma once
// Passes over one tile grid, shared by the multiplied-out and the two-part
// layouts. Term cells are first written as tiles (PlaceTermCell), then the
// places where a branch leaves or returns to the branch on its left are turned
// into corners, tees and links (LinkBranchStartsAndEnds, JoinNeighbouringEnds,
// LinkThroughSharedCells), and finally the first and last step of a group are
// joined to the supply path of branch 0 (JoinGroupEnds). Cells outside the
// grid read as unused and are never written.

#include <string>

#include "ladder/LadderGrid.h"

namespace kelvo::layout {

// The cell, or Tile::Unused for a branch or step outside the grid.
Tile TileAt(const TileGrid& tiles, int branch, int step);
void SetTile(TileGrid& tiles, int branch, int step, Tile tile);

// Writes the tiles of term cell `cell` at steps `step` and `step` + 1 of
// `branch`, and the literal of a contact into `labels`.
void PlaceTermCell(const std::string& cell, TileGrid& tiles, LabelGrid& labels, int branch, int step);

// Turns every branch start and end mark into the tiles that join the branch to the ones on
// its left. Returns false when a search for a wire ran past branch 0.
bool LinkBranchStartsAndEnds(TileGrid& tiles);

// Two branch ends side by side: the left one becomes a tee.
void JoinNeighbouringEnds(TileGrid& tiles);

// Shared cells on the left of a branch start or end become links.
void LinkThroughSharedCells(TileGrid& tiles);

// Joins the branches of a group to branch 0 at the group's first step `left`
// and last step `right`: the lowest branch gets the corners, those above it
// tees, shared cells between them links. A branch that gets a junction at
// `left` has its step `leftGap` set to a gap, and likewise at `right` and
// `rightGap`; a gap step of -1 is not used.
void JoinGroupEnds(TileGrid& tiles, int left, int right, int leftGap = -1, int rightGap = -1);

}  // namespace kelvo::layout
