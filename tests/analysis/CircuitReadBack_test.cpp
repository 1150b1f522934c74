#include "analysis/CircuitReadBack.h"

#include <gtest/gtest.h>

#include "support/HandGrids.h"

namespace kelvo {
namespace {

using testing::PutParallelContacts;
using testing::PutSingleContact;
using testing::PutTwoPartParallel;
using testing::SetBranch;
using testing::TileOf;

uint64_t Bit(VariableTable& table, const char* name) { return uint64_t{1} << table.Index(name); }

TEST(CircuitReadBack, SingleContactsFollowTheirTileCode) {
  LadderGrid grid;
  PutSingleContact(grid, 0, "X1");
  VariableTable table;
  const CircuitReadBack no(grid.SumTiles[0], grid.SumLabels[0], GridFamily::Sum, table);
  EXPECT_TRUE(no.Drawn());
  EXPECT_TRUE(no.Conducts(Bit(table, "X1")));
  EXPECT_FALSE(no.Conducts(0));

  grid.SumTiles[0][0][4] = TileOf("9");
  grid.SumLabels[0][0][4] = "x1";
  const CircuitReadBack nc(grid.SumTiles[0], grid.SumLabels[0], GridFamily::Sum, table);
  EXPECT_FALSE(nc.Conducts(Bit(table, "X1")));
  EXPECT_TRUE(nc.Conducts(0));
  EXPECT_EQ(nc.Variables(), Bit(table, "X1"));
}

TEST(CircuitReadBack, UndrawnCircuitNeverConducts) {
  const CircuitReadBack none;
  EXPECT_FALSE(none.Drawn());
  EXPECT_FALSE(none.Conducts(~uint64_t{0}));
}

TEST(CircuitReadBack, ParallelBranchesAreAnOr) {
  LadderGrid grid;
  PutParallelContacts(grid, 0, 3);
  VariableTable table;
  const CircuitReadBack c(grid.SumTiles[0], grid.SumLabels[0], GridFamily::Sum, table);
  for (uint64_t n = 0; n < 8; ++n) {
    const uint64_t values = n << 4;  // X0, X1, X2 are variables 4..6
    EXPECT_EQ(c.Conducts(values), n != 0) << n;
  }
}

// Each link of the three-branch circuit, cut in turn, loses exactly the
// branches that hang on it.
TEST(CircuitReadBack, OneLinkRemovedIsSeen) {
  struct Cut {
    int branch, step;
    const char* code;
    uint64_t lost;  // the one-contact settings (X0, X1, X2 as bits 0..2) that no longer conduct
  };
  const Cut cuts[] = {
      {2, 3, "1", 0b100},  // the last branch's end corner loses its W side
      {1, 1, "3", 0b100},  // the middle tee no longer passes the link on to the last branch
      {1, 3, "1", 0b110},  // the middle branch no longer returns, nor passes the last one on
      {0, 1, "1", 0b110},  // the main path no longer feeds the link
      {0, 3, "6", 0b000},  // unchanged code: nothing lost
  };
  for (const Cut& cut : cuts) {
    LadderGrid grid;
    PutParallelContacts(grid, 0, 3);
    grid.SumTiles[0][cut.branch][cut.step] = TileOf(cut.code);
    VariableTable table;
    const CircuitReadBack c(grid.SumTiles[0], grid.SumLabels[0], GridFamily::Sum, table);
    for (int b = 0; b < 3; ++b) {
      const bool lost = (cut.lost >> b) & 1;
      EXPECT_EQ(c.Conducts(uint64_t{1} << (4 + b)), !lost) << cut.branch << "," << cut.step << " X" << b;
    }
  }
}

// A.(B + C): the second branch starts below the shared contact A, whose cell
// it skips with "*" while keeping its steps level with the main path.
TEST(CircuitReadBack, SharedCellsKeepTheRowsLevel) {
  LadderGrid grid;
  SetBranch(grid.SumTiles[0], 0, 1, {"1", "8", "6", "8", "6"});
  SetBranch(grid.SumTiles[0], 1, 1, {"*", "*", "3", "8", "4"});
  grid.SumLabels[0][0][2] = "A";
  grid.SumLabels[0][0][4] = "B";
  grid.SumLabels[0][1][4] = "C";
  VariableTable table;
  const CircuitReadBack c(grid.SumTiles[0], grid.SumLabels[0], GridFamily::Sum, table);
  for (uint64_t abc = 0; abc < 8; ++abc) {
    const bool a = abc & 1, b = abc & 2, cc = abc & 4;
    EXPECT_EQ(c.Conducts(abc), a && (b || cc)) << abc;
  }
}

TEST(CircuitReadBack, TwoPartGridsStartAtStepZero) {
  LadderGrid grid;
  PutTwoPartParallel(grid, 1, 2);
  VariableTable table;
  const CircuitReadBack c(grid.TwoPartTiles[1], grid.TwoPartLabels[1], GridFamily::TwoPart, table);
  const uint64_t y0 = Bit(table, "y0"), y1 = Bit(table, "y1");
  EXPECT_TRUE(c.Conducts(0));
  EXPECT_TRUE(c.Conducts(y0));
  EXPECT_TRUE(c.Conducts(y1));
  EXPECT_FALSE(c.Conducts(y0 | y1));
}

}  // namespace
}  // namespace kelvo
