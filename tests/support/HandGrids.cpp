#include "support/HandGrids.h"

#include <stdexcept>

namespace kelvo::testing {

Tile TileOf(const char* code) {
  const auto tile = TileFromCode(code);
  if (!tile) throw std::invalid_argument(std::string("no tile code: ") + code);
  return *tile;
}

void SetBranch(TileGrid& tiles, int branch, int fromStep, std::initializer_list<const char*> codes) {
  int step = fromStep;
  for (const char* code : codes) tiles[branch][step++] = TileOf(code);
}

void PutSingleContact(LadderGrid& grid, int slot, const std::string& literal) {
  SetBranch(grid.SumTiles[slot], 0, 1, {"1", "1", "1", "8", "1"});
  grid.SumLabels[slot][0][4] = literal;
  grid.MainLength[slot] = 5;
}

namespace {

// The cells of branch b of n parallel branches of one contact `contact`: a
// junction with the branch on the left at the top and at the bottom ("1" wires
// when there is only one branch).
void PutParallelBranch(TileGrid& tiles, int b, int n, int fromStep, const char* contact) {
  const char* top = n == 1 ? "1" : b == 0 ? "6" : b == n - 1 ? "3" : "5";
  const char* bottom = n == 1 ? "1" : b == 0 ? "6" : b == n - 1 ? "4" : "7";
  SetBranch(tiles, b, fromStep, {top, contact, bottom});
}

}  // namespace

void PutParallelContacts(LadderGrid& grid, int slot, int branches) {
  for (int b = 0; b < branches; ++b) {
    PutParallelBranch(grid.SumTiles[slot], b, branches, 1, "8");
    grid.SumLabels[slot][b][2] = "X" + std::to_string(b);
  }
  grid.MainLength[slot] = 3;
}

void PutTwoPartParallel(LadderGrid& grid, int slot, int branches) {
  for (int b = 0; b < branches; ++b) {
    PutParallelBranch(grid.TwoPartTiles[slot], b, branches, 0, "9");
    grid.TwoPartLabels[slot][b][1] = "y" + std::to_string(b);
  }
  grid.ResetWidth[slot] = 2;
  grid.SetEnd[slot] = 2;
}

}  // namespace kelvo::testing
