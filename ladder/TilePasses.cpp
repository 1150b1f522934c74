#include "ladder/TilePasses.h"

#include "ladder/TermPasses.h"

namespace kelvo::layout {
namespace {

bool InGrid(int branch, int step) { return branch >= 0 && branch < kBranches && step >= 0 && step < kSteps; }

bool IsWireOrTee(Tile cell) { return cell == Tile::Wire || cell == Tile::TeeRight; }

bool ConnectsTowardsMain(Tile cell) {
  return cell == Tile::Wire || cell == Tile::Link || cell == Tile::BranchEnd || cell == Tile::TeeUp;
}

// Going up from branch `from`, turns the first wire into a tee and every cell
// passed on the way into a link. False when no wire is found above branch 0.
bool LinkUpToWire(TileGrid& tiles, int from, int step) {
  for (int b = from; b >= 0; --b) {
    if (tiles[b][step] == Tile::Wire) {
      tiles[b][step] = Tile::TeeRight;
      return true;
    }
    tiles[b][step] = Tile::Link;
  }
  return false;
}

// A branch starts at (branch, step); the branch above it is joined.
bool LinkStart(TileGrid& tiles, int branch, int step) {
  bool found = true;
  const Tile above = TileAt(tiles, branch - 1, step);
  if (IsWireOrTee(above)) {
    SetTile(tiles, branch - 1, step, Tile::TeeRight);
  } else if (above != Tile::BranchStart) {
    found = LinkUpToWire(tiles, branch - 2, step);
  } else {
    SetTile(tiles, branch - 1, step, Tile::TeeDown);
    found = false;
    for (int b = branch - 2; b >= 0 && !found; --b) {
      found = tiles[b][step] != Tile::BranchStart;
      tiles[b][step] = found ? Tile::TeeRight : Tile::TeeDown;
    }
  }
  if (TileAt(tiles, branch + 1, step) == Tile::BranchStart) tiles[branch][step] = Tile::TeeDown;
  return found;
}

// A branch ends at (branch, step): it returns at the step before.
bool LinkEnd(TileGrid& tiles, int branch, int step) {
  tiles[branch][step] = Tile::Shared;
  const int k = step - 1;
  const Tile before = TileAt(tiles, branch, k);
  if (before != Tile::Link && before != Tile::TeeRight) {
    SetTile(tiles, branch, k, Tile::BranchEnd);
    const Tile above = TileAt(tiles, branch - 1, k);
    if (above == Tile::Wire) {
      SetTile(tiles, branch - 1, k, Tile::TeeRight);
    } else if (above == Tile::BranchStart) {
      SetTile(tiles, branch - 1, k, Tile::TeeDown);
    } else if (k >= 0) {
      return LinkUpToWire(tiles, branch - 1, k);
    }
    return true;
  }
  SetTile(tiles, branch, k, Tile::TeeUp);
  if (IsWireOrTee(TileAt(tiles, branch - 1, k))) {
    SetTile(tiles, branch - 1, k, Tile::TeeRight);
    return true;
  }
  return LinkUpToWire(tiles, branch - 2, k);
}

// Branch 0 gets a tee at `step` when the first branch below it that does not
// share the step connects towards it.
void JoinMainAt(TileGrid& tiles, int step) {
  if (ConnectsTowardsMain(TileAt(tiles, 1, step))) SetTile(tiles, 0, step, Tile::TeeRight);
  if (TileAt(tiles, 1, step) != Tile::Shared) return;
  int b = 1;
  while (TileAt(tiles, b, step) == Tile::Shared) ++b;
  if (ConnectsTowardsMain(TileAt(tiles, b, step))) SetTile(tiles, 0, step, Tile::TeeRight);
}

}  // namespace

Tile TileAt(const TileGrid& tiles, int branch, int step) {
  return InGrid(branch, step) ? tiles[branch][step] : Tile::Unused;
}

void SetTile(TileGrid& tiles, int branch, int step, Tile tile) {
  if (InGrid(branch, step)) tiles[branch][step] = tile;
}

void PlaceTermCell(const std::string& cell, TileGrid& tiles, LabelGrid& labels, int branch, int step) {
  Tile first, second;
  const bool contact = IsUpperLiteral(cell) || IsLowerLiteral(cell);
  if (cell == "/") {
    first = Tile::Shared, second = Tile::BranchStart;
  } else if (cell == "\\") {
    first = Tile::EndMark, second = Tile::Shared;
  } else if (cell == "1") {
    first = Tile::Wire, second = Tile::Wire;
  } else if (cell == "*") {
    first = Tile::Shared, second = Tile::Shared;
  } else if (contact) {
    first = IsUpperLiteral(cell) ? Tile::NormallyOpen : Tile::NormallyClosed, second = Tile::Wire;
  } else {
    return;  // a literal that starts with no letter gets no tile
  }
  SetTile(tiles, branch, step, first);
  SetTile(tiles, branch, step + 1, second);
  if (contact && InGrid(branch, step)) labels[branch][step] = cell;
}

bool LinkBranchStartsAndEnds(TileGrid& tiles) {
  bool joined = true;
  for (int k = 0; k < kSteps; ++k) {
    for (int b = kBranches - 1; b >= 0; --b) {
      if (tiles[b][k] == Tile::BranchStart) {
        joined = LinkStart(tiles, b, k) && joined;
      } else if (tiles[b][k] == Tile::EndMark) {
        joined = LinkEnd(tiles, b, k) && joined;
      }
    }
  }
  return joined;
}

void JoinNeighbouringEnds(TileGrid& tiles) {
  for (int k = 0; k < kSteps; ++k) {
    for (int b = kBranches - 1; b >= 0; --b) {
      if (tiles[b][k] == Tile::BranchEnd && TileAt(tiles, b + 1, k) == Tile::BranchEnd) tiles[b][k] = Tile::TeeUp;
    }
  }
}

void LinkThroughSharedCells(TileGrid& tiles) {
  for (int k = 0; k < kSteps; ++k) {
    for (int b = kBranches - 1; b >= 1; --b) {
      if (tiles[b - 1][k] != Tile::Shared || (tiles[b][k] != Tile::BranchStart && tiles[b][k] != Tile::BranchEnd)) {
        continue;
      }
      for (int m = b - 1; m >= 0 && tiles[m][k] == Tile::Shared; --m) tiles[m][k] = Tile::Link;
    }
  }
}

void JoinGroupEnds(TileGrid& tiles, int left, int right, int leftGap, int rightGap) {
  JoinMainAt(tiles, right);
  JoinMainAt(tiles, left);
  bool leftSet = false;
  bool rightSet = false;
  for (int b = kBranches - 1; b >= 1; --b) {
    const Tile atLeft = TileAt(tiles, b, left);
    const Tile start = atLeft == Tile::Wire                  ? (leftSet ? Tile::TeeDown : Tile::BranchStart)
                       : (atLeft == Tile::Shared && leftSet) ? Tile::Link
                                                             : Tile::Unused;
    if (start != Tile::Unused) {
      leftSet = true;
      SetTile(tiles, b, left, start);
      if (leftGap >= 0) SetTile(tiles, b, leftGap, Tile::Gap);
    }
    const Tile atRight = TileAt(tiles, b, right);
    const Tile end = atRight == Tile::Wire                   ? (rightSet ? Tile::TeeUp : Tile::BranchEnd)
                     : (atRight == Tile::Shared && rightSet) ? Tile::Link
                                                             : Tile::Unused;
    if (end != Tile::Unused) {
      rightSet = true;
      SetTile(tiles, b, right, end);
      if (rightGap >= 0) SetTile(tiles, b, rightGap, Tile::Gap);
    }
  }
}

}  // namespace kelvo::layout
