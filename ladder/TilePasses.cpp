#include "ladder/TilePasses.h"

#include "ladder/TermPasses.h"

namespace kelvo::layout {
namespace {

const std::string kOutside;

bool InGrid(int branch, int step) { return branch >= 0 && branch < kBranches && step >= 0 && step < kSteps; }

bool IsWireOrTee(const std::string& cell) { return cell == "1" || cell == "6"; }  // "[16]"

bool ConnectsTowardsMain(const std::string& cell) {  // "[1247]"
  return cell == "1" || cell == "2" || cell == "4" || cell == "7";
}

// Going up from branch `from`, turns the first "1" into "6" and every cell
// passed on the way into "2". False when no "1" is found above branch 0.
bool LinkUpToWire(TileGrid& tiles, int from, int step) {
  for (int b = from; b >= 0; --b) {
    if (tiles[b][step] == "1") {
      tiles[b][step] = "6";
      return true;
    }
    tiles[b][step] = "2";
  }
  return false;
}

// A branch starts at (branch, step); the branch above it is joined.
bool LinkStart(TileGrid& tiles, int branch, int step) {
  bool found = true;
  const std::string& above = TileAt(tiles, branch - 1, step);
  if (IsWireOrTee(above)) {
    SetTile(tiles, branch - 1, step, "6");
  } else if (above != "3") {
    found = LinkUpToWire(tiles, branch - 2, step);
  } else {
    SetTile(tiles, branch - 1, step, "5");
    found = false;
    for (int b = branch - 2; b >= 0 && !found; --b) {
      found = tiles[b][step] != "3";
      tiles[b][step] = found ? "6" : "5";
    }
  }
  if (TileAt(tiles, branch + 1, step) == "3") tiles[branch][step] = "5";
  return found;
}

// A branch ends at (branch, step): it returns at the step before.
bool LinkEnd(TileGrid& tiles, int branch, int step) {
  tiles[branch][step] = "*";
  const int k = step - 1;
  const std::string& before = TileAt(tiles, branch, k);
  if (before != "2" && before != "6") {
    SetTile(tiles, branch, k, "4");
    const std::string& above = TileAt(tiles, branch - 1, k);
    if (above == "1") {
      SetTile(tiles, branch - 1, k, "6");
    } else if (above == "3") {
      SetTile(tiles, branch - 1, k, "5");
    } else if (k >= 0) {
      return LinkUpToWire(tiles, branch - 1, k);
    }
    return true;
  }
  SetTile(tiles, branch, k, "7");
  if (IsWireOrTee(TileAt(tiles, branch - 1, k))) {
    SetTile(tiles, branch - 1, k, "6");
    return true;
  }
  return LinkUpToWire(tiles, branch - 2, k);
}

// Branch 0 gets a tee at `step` when the first branch below it that does not
// share the step connects towards it.
void JoinMainAt(TileGrid& tiles, int step) {
  if (ConnectsTowardsMain(TileAt(tiles, 1, step))) SetTile(tiles, 0, step, "6");
  if (TileAt(tiles, 1, step) != "*") return;
  int b = 1;
  while (TileAt(tiles, b, step) == "*") ++b;
  if (ConnectsTowardsMain(TileAt(tiles, b, step))) SetTile(tiles, 0, step, "6");
}

}  // namespace

const std::string& TileAt(const TileGrid& tiles, int branch, int step) {
  return InGrid(branch, step) ? tiles[branch][step] : kOutside;
}

void SetTile(TileGrid& tiles, int branch, int step, const std::string& code) {
  if (InGrid(branch, step)) tiles[branch][step] = code;
}

void PlaceTermCell(const std::string& cell, TileGrid& tiles, TileGrid& labels, int branch, int step) {
  struct Tiles {
    const char* first;
    const char* second;
  };
  Tiles placed{nullptr, nullptr};
  if (cell == "/") {
    placed = {"*", "3"};
  } else if (cell == "\\") {
    placed = {"4up1", "*"};
  } else if (cell == "1") {
    placed = {"1", "1"};
  } else if (cell == "*") {
    placed = {"*", "*"};
  } else if (IsUpperLiteral(cell)) {
    placed = {"8", "1"};
  } else if (IsLowerLiteral(cell)) {
    placed = {"9", "1"};
  } else {
    return;  // a literal that starts with no letter gets no tile
  }
  SetTile(tiles, branch, step, placed.first);
  SetTile(tiles, branch, step + 1, placed.second);
  if (IsUpperLiteral(cell) || IsLowerLiteral(cell)) SetTile(labels, branch, step, cell);
}

bool LinkBranchStartsAndEnds(TileGrid& tiles) {
  bool joined = true;
  for (int k = 0; k < kSteps; ++k) {
    for (int b = kBranches - 1; b >= 0; --b) {
      if (tiles[b][k] == "3") {
        joined = LinkStart(tiles, b, k) && joined;
      } else if (tiles[b][k] == "4up1") {
        joined = LinkEnd(tiles, b, k) && joined;
      }
    }
  }
  return joined;
}

void JoinNeighbouringEnds(TileGrid& tiles) {
  for (int k = 0; k < kSteps; ++k) {
    for (int b = kBranches - 1; b >= 0; --b) {
      if (tiles[b][k] == "4" && TileAt(tiles, b + 1, k) == "4") tiles[b][k] = "7";
    }
  }
}

void LinkThroughSharedCells(TileGrid& tiles) {
  for (int k = 0; k < kSteps; ++k) {
    for (int b = kBranches - 1; b >= 1; --b) {
      if (tiles[b - 1][k] != "*" || (tiles[b][k] != "3" && tiles[b][k] != "4")) continue;
      for (int m = b - 1; m >= 0 && tiles[m][k] == "*"; --m) tiles[m][k] = "2";
    }
  }
}

void JoinGroupEnds(TileGrid& tiles, int left, int right, int leftGap, int rightGap) {
  JoinMainAt(tiles, right);
  JoinMainAt(tiles, left);
  bool leftSet = false;
  bool rightSet = false;
  for (int b = kBranches - 1; b >= 1; --b) {
    const std::string& atLeft = TileAt(tiles, b, left);
    const char* start = atLeft == "1" ? (leftSet ? "5" : "3") : (atLeft == "*" && leftSet ? "2" : nullptr);
    if (start) {
      leftSet = true;
      SetTile(tiles, b, left, start);
      if (leftGap >= 0) SetTile(tiles, b, leftGap, "0");
    }
    const std::string& atRight = TileAt(tiles, b, right);
    const char* end = atRight == "1" ? (rightSet ? "7" : "4") : (atRight == "*" && rightSet ? "2" : nullptr);
    if (end) {
      rightSet = true;
      SetTile(tiles, b, right, end);
      if (rightGap >= 0) SetTile(tiles, b, rightGap, "0");
    }
  }
}

}  // namespace kelvo::layout
