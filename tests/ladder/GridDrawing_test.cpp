#include "ladder/GridDrawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ladder/RecordingCanvas.h"
#include "support/CanvasOps.h"
#include "support/DrawnMachine.h"
#include "support/HandGrids.h"

namespace kelvo {
namespace {

using testing::HasTile;
using testing::PutParallelContacts;
using testing::PutSingleContact;
using testing::PutTwoPartParallel;
using testing::SetBranch;
using testing::TextsOf;
using testing::TileOf;
using testing::TilesOf;

using Op = CanvasOp;

constexpr int kCoilTile = 0;
constexpr int kWireTile = 1;
constexpr int kContactTile = 8;

LadderGrid View(int first, int last, bool stateView = true) {
  LadderGrid grid;
  grid.FirstCircuit = first;
  grid.LastCircuit = last;
  grid.StateView = stateView;
  return grid;
}

std::vector<Op> DrawSum(const LadderGrid& grid, const EquationSet& equations = {},
                        DrawOutcome expected = DrawOutcome::Complete) {
  RecordingCanvas canvas;
  canvas.SetTextColor({255, 0, 0});
  EXPECT_EQ(DrawSumCircuits(grid, equations, canvas), expected);
  EXPECT_EQ(canvas.TextColor(), (Rgb{0, 0, 0}));
  return canvas.Ops();
}

std::vector<Op> DrawTwoPart(const LadderGrid& grid, DrawOutcome expected = DrawOutcome::Complete) {
  RecordingCanvas canvas;
  canvas.SetTextColor({255, 0, 0});
  EXPECT_EQ(DrawTwoPartCircuits(grid, canvas), expected);
  EXPECT_EQ(canvas.TextColor(), (Rgb{0, 0, 0}));
  return canvas.Ops();
}

std::vector<int> XsOf(const std::vector<Op>& ops) {
  std::vector<int> xs;
  for (const auto& op : ops) xs.push_back(op.x);
  return xs;
}

// X1: the supply-line pieces, the tee and a wire down from the top line, the
// branch with its labelled contact, wires down to the coil, the coil with its
// name and the tee into the bottom line.
TEST(GridDrawing, SingleContactCircuitPaintsExactlyThisSequence) {
  LadderGrid grid = View(0, 0);
  PutSingleContact(grid, 0, "X1");
  const std::vector<Op> expected{
      Op::Tile(2, 0, 0),        Op::Tile(2, 0, 8250),      Op::Tile(5, 375, 0),    Op::Tile(2, 750, 0),
      Op::Tile(1, 375, 375),    Op::Tile(1, 375, 750),     Op::Tile(1, 375, 1125), Op::Tile(1, 375, 1500),
      Op::Tile(8, 375, 1875),   Op::Text(775, 2000, "X1"), Op::Tile(1, 375, 2250), Op::Tile(1, 375, 2625),
      Op::Tile(1, 375, 3000),   Op::Tile(1, 375, 3375),    Op::Tile(1, 375, 3750), Op::Tile(1, 375, 4125),
      Op::Tile(1, 375, 4500),   Op::Tile(1, 375, 4875),    Op::Tile(1, 375, 5250), Op::Tile(1, 375, 5625),
      Op::Tile(1, 375, 6000),   Op::Tile(1, 375, 6375),    Op::Tile(1, 375, 6750), Op::Tile(1, 375, 7125),
      Op::Tile(1, 375, 7500),   Op::Tile(0, 375, 7875),    Op::Tile(7, 375, 8250), Op::Tile(2, 750, 8250),
      Op::Text(775, 7900, "A"),
  };
  EXPECT_EQ(DrawSum(grid), expected);
}

// A+B: the second branch gets its own column 750 twips to the right, and
// each of its cells carries both supply lines over that column.
TEST(GridDrawing, SecondBranchPaintsExactlyThisSequence) {
  LadderGrid grid = View(1, 1);
  SetBranch(grid.SumTiles[1], 0, 1, {"6", "8", "6"});
  SetBranch(grid.SumTiles[1], 1, 1, {"3", "8", "4"});
  grid.SumLabels[1][0][2] = "A";
  grid.SumLabels[1][1][2] = "B";
  grid.MainLength[1] = 3;

  std::vector<Op> expected{
      Op::Tile(2, 0, 0),        Op::Tile(2, 0, 8250),   Op::Tile(5, 375, 0),    Op::Tile(2, 750, 0),
      Op::Tile(1, 375, 375),    Op::Tile(6, 375, 750),  Op::Tile(2, 750, 750),  Op::Tile(8, 375, 1125),
      Op::Text(775, 1250, "A"), Op::Tile(6, 375, 1500), Op::Tile(2, 750, 1500),
  };
  for (int y = 1875; y <= 7500; y += 375) expected.push_back(Op::Tile(1, 375, y));
  for (const Op& op :
       {Op::Tile(0, 375, 7875), Op::Tile(7, 375, 8250), Op::Tile(2, 750, 8250), Op::Text(775, 7900, "B")})
    expected.push_back(op);
  const std::vector<Op> rails{Op::Tile(2, 1125, 0), Op::Tile(2, 1125, 8250), Op::Tile(2, 1500, 0),
                              Op::Tile(2, 1500, 8250)};
  const std::vector<std::vector<Op>> branch1{
      {Op::Tile(3, 1125, 750)}, {Op::Tile(8, 1125, 1125), Op::Text(1525, 1250, "B")}, {Op::Tile(4, 1125, 1500)}};
  for (const auto& cell : branch1) {
    expected.insert(expected.end(), rails.begin(), rails.end());
    expected.insert(expected.end(), cell.begin(), cell.end());
  }
  EXPECT_EQ(DrawSum(grid), expected);
}

TEST(GridDrawing, ShowAllPlacesFourOneBranchCircuitsSideBySide) {
  LadderGrid grid = View(0, 3);
  for (int slot = 0; slot < 4; ++slot) PutSingleContact(grid, slot, "K" + std::to_string(slot));
  const auto ops = DrawSum(grid);

  EXPECT_EQ(XsOf(TilesOf(ops, kCoilTile)), (std::vector<int>{375, 1500, 2625, 3750}));
  EXPECT_EQ(XsOf(TilesOf(ops, kContactTile)), (std::vector<int>{375, 1500, 2625, 3750}));
  int rightEdge = 0;
  for (const auto& op : ops)
    if (op.kind == Op::Kind::Tile) rightEdge = std::max(rightEdge, op.x + kTileTwips);
  EXPECT_EQ(rightEdge, 4500);
  EXPECT_EQ(TextsOf(ops),
            (std::vector<Op>{Op::Text(775, 2000, "K0"), Op::Text(775, 7900, "A"), Op::Text(1900, 2000, "K1"),
                             Op::Text(1900, 7900, "B"), Op::Text(3025, 2000, "K2"), Op::Text(3025, 7900, "C"),
                             Op::Text(4150, 2000, "K3"), Op::Text(4150, 7900, "D")}));
}

TEST(GridDrawing, EmptyCircuitsTakeNoRoom) {
  LadderGrid grid = View(0, 3);
  PutSingleContact(grid, 1, "b");
  PutSingleContact(grid, 3, "d");
  const auto ops = DrawSum(grid);
  EXPECT_EQ(ops.front(), Op::Tile(2, 0, 0));
  EXPECT_EQ(TilesOf(ops, kCoilTile), (std::vector<Op>{Op::Tile(0, 375, 7875), Op::Tile(0, 1500, 7875)}));
  EXPECT_EQ(TextsOf(ops)[1], Op::Text(775, 7900, "B"));
  EXPECT_EQ(TextsOf(ops)[3], Op::Text(1900, 7900, "D"));
}

TEST(GridDrawing, ContactLabelsSitRightOfAndBelowTheContactTop) {
  LadderGrid grid = View(2, 2);
  SetBranch(grid.SumTiles[2], 0, 1, {"6", "8", "1", "9", "6"});
  SetBranch(grid.SumTiles[2], 1, 1, {"3", "1", "1", "9", "4"});
  grid.SumLabels[2][0][2] = "A1";
  grid.SumLabels[2][0][4] = "dt";
  grid.SumLabels[2][1][4] = "x";
  grid.MainLength[2] = 5;
  const auto ops = DrawSum(grid);

  // Contact tops: step k lies at y = 750 + 375 (k - 1).
  EXPECT_TRUE(HasTile(ops, 8, 375, 1125));
  EXPECT_TRUE(HasTile(ops, 9, 375, 1875));
  EXPECT_TRUE(HasTile(ops, 9, 1125, 1875));
  EXPECT_EQ(TextsOf(ops), (std::vector<Op>{Op::Text(775, 1250, "A1"), Op::Text(775, 2000, "dt"),
                                           Op::Text(775, 7900, "C"), Op::Text(1525, 2000, "x")}));
}

TEST(GridDrawing, MachineStateViewSkipsEmptyRelaysAndSlot14AndNamesCoilsAsEntered) {
  LadderGrid grid = View(8, 14, false);
  EquationSet equations;
  equations.relayNames = {"Motor", "unused", " lamp 2", "V\xC3\xA4lve", "", ""};
  PutSingleContact(grid, 8, "S1");
  PutSingleContact(grid, 10, "t2");
  PutSingleContact(grid, 11, "DT");
  grid.MainLength[14] = 5;  // slot 14 is never built; a stray length must not draw it
  const auto ops = DrawSum(grid, equations);

  EXPECT_EQ(XsOf(TilesOf(ops, kCoilTile)), (std::vector<int>{375, 1500, 2625}));
  EXPECT_EQ(TextsOf(ops), (std::vector<Op>{Op::Text(775, 2000, "S1"), Op::Text(775, 7900, "Motor"),
                                           Op::Text(1900, 2000, "t2"), Op::Text(1900, 7900, " lamp 2"),
                                           Op::Text(3025, 2000, "DT"), Op::Text(3025, 7900, "V\xC3\xA4lve")}));
}

TEST(GridDrawing, ViewIsTooWideOnlyWhenACircuitEndsBeyond13875) {
  {
    LadderGrid grid = View(0, 0);
    PutParallelContacts(grid, 0, 18);  // ends exactly at 375 + 18 * 750 = 13875
    const auto ops = DrawSum(grid);
    EXPECT_TRUE(HasTile(ops, 3, 375 + 17 * 750, 750));
  }
  {
    LadderGrid grid = View(0, 3);
    PutParallelContacts(grid, 0, 18);
    PutSingleContact(grid, 1, "b");
    PutSingleContact(grid, 2, "c");
    const auto ops = DrawSum(grid, {}, DrawOutcome::TooWide);
    // Circuit B is the one that passes the limit: it is drawn, C is not.
    EXPECT_EQ(XsOf(TilesOf(ops, kCoilTile)), (std::vector<int>{375, 14250}));
    EXPECT_EQ(TextsOf(ops).back(), Op::Text(14650, 7900, "B"));
  }
}

TEST(GridDrawing, Branch20IsNeverDrawn) {
  LadderGrid grid = View(0, 0);
  PutParallelContacts(grid, 0, kBranches);
  const auto ops = DrawSum(grid, {}, DrawOutcome::TooWide);
  const int lastColumn = 375 + 19 * 750;
  EXPECT_TRUE(HasTile(ops, 5, lastColumn, 750));
  for (const auto& op : ops) EXPECT_LE(op.x, lastColumn + 400) << Describe(op);
  EXPECT_EQ(TextsOf(ops).back().text, "X19");
}

// a1.B+c|X1.b+A as the two-part layout builds it.
LadderGrid TwoPartExample() {
  LadderGrid grid = View(0, 0);
  SetBranch(grid.TwoPartTiles[0], 0, 0, {"6", "9", "1", "8", "6", "1", "6", "8", "1", "9", "6"});
  SetBranch(grid.TwoPartTiles[0], 1, 0, {"3", "1", "1", "8", "4", "0", "3", "1", "1", "8", "4"});
  auto& labels = grid.TwoPartLabels[0];
  labels[0][1] = "a1";
  labels[0][3] = "B";
  labels[0][7] = "X1";
  labels[0][9] = "b";
  labels[1][3] = "c";
  labels[1][9] = "A";
  grid.ResetWidth[0] = 4;
  grid.SetEnd[0] = 10;
  return grid;
}

TEST(GridDrawing, TwoPartGridStartsAtStep0AndSkipsGapCells) {
  const auto ops = DrawTwoPart(TwoPartExample());
  EXPECT_TRUE(HasTile(ops, 6, 375, 750));    // step 0: junction with the top line
  EXPECT_TRUE(HasTile(ops, 6, 375, 2250));   // step 4: end of the first group
  EXPECT_TRUE(HasTile(ops, 1, 375, 2625));   // step 5: wire joining the groups
  EXPECT_TRUE(HasTile(ops, 6, 375, 4500));   // step 10: end of the second group
  EXPECT_TRUE(HasTile(ops, 4, 1125, 2250));  // branch 1 returns ...
  EXPECT_TRUE(HasTile(ops, 3, 1125, 3000));  // ... and leaves again one step lower
  for (const auto& op : ops)
    EXPECT_FALSE(op.kind == Op::Kind::Tile && op.x == 1125 && op.y == 2625) << "gap cell painted: " << Describe(op);
  EXPECT_TRUE(HasTile(ops, 1, 375, 4875));  // main path continues to the coil
  EXPECT_EQ(TextsOf(ops),
            (std::vector<Op>{Op::Text(775, 1250, "a1"), Op::Text(775, 2000, "B"), Op::Text(775, 3500, "X1"),
                             Op::Text(775, 4250, "b"), Op::Text(775, 7900, "A"), Op::Text(1525, 2000, "c"),
                             Op::Text(1525, 4250, "A")}));
}

TEST(GridDrawing, TwoPartCircuitWithoutFirstGroupIsSkipped) {
  LadderGrid grid = View(0, 3);
  PutTwoPartParallel(grid, 0, 1);
  PutTwoPartParallel(grid, 1, 2);
  grid.ResetWidth[0] = 0;
  const auto ops = DrawTwoPart(grid);
  EXPECT_EQ(TilesOf(ops, kCoilTile), (std::vector<Op>{Op::Tile(0, 375, 7875)}));
  EXPECT_EQ(TextsOf(ops),
            (std::vector<Op>{Op::Text(775, 1250, "y0"), Op::Text(775, 7900, "B"), Op::Text(1525, 1250, "y1")}));
}

TEST(GridDrawing, TallCircuitIsDrawnWholeWithItsCoilAndRailsLower) {
  LadderGrid grid = View(0, 0);
  auto& tiles = grid.TwoPartTiles[0];
  tiles[0][0] = TileOf("1");
  for (int k = 1; k <= 17; ++k) tiles[0][k] = TileOf("0");  // gap cells take their step too
  for (int k = 18; k < kSteps; ++k) tiles[0][k] = TileOf("1");
  for (int k = 0; k < kSteps; ++k) tiles[1][k] = TileOf("1");
  tiles[1][1] = TileOf("3");
  grid.ResetWidth[0] = 1;
  EXPECT_EQ(ExtraDepth(tiles, 0), 4 * 375);  // 23 cells from y = 750 end at 9375, four steps past the coil line
  RecordingCanvas canvas;
  DrawTwoPartCircuits(grid, canvas);
  const auto& ops = canvas.Ops();
  EXPECT_EQ(canvas.ExtraHeight(), 1500);

  std::vector<Op> branch0;
  for (const auto& op : TilesOf(ops, kWireTile))
    if (op.x == 375) branch0.push_back(op);
  EXPECT_EQ(branch0, (std::vector<Op>{Op::Tile(1, 375, 375), Op::Tile(1, 375, 750), Op::Tile(1, 375, 7500),
                                      Op::Tile(1, 375, 7875), Op::Tile(1, 375, 8250), Op::Tile(1, 375, 8625),
                                      Op::Tile(1, 375, 9000)}));
  EXPECT_EQ(TilesOf(ops, kCoilTile), (std::vector<Op>{Op::Tile(0, 375, 9375)}));
  EXPECT_EQ(TextsOf(ops), (std::vector<Op>{Op::Text(775, 9400, "A")}));
  int lowest = 0;
  for (const auto& op : ops)
    if (op.x == 1125) lowest = std::max(lowest, op.y);
  EXPECT_EQ(lowest, 9750);  // the bottom rail piece over branch 1, four steps lower
  EXPECT_TRUE(HasTile(ops, 1, 1125, 9000));

  // A view that fits is drawn at the usual height.
  LadderGrid fits = View(0, 0);
  PutTwoPartParallel(fits, 0, 1);
  canvas.Clear();
  DrawTwoPartCircuits(fits, canvas);
  EXPECT_EQ(canvas.ExtraHeight(), 0);
  EXPECT_EQ(TilesOf(canvas.Ops(), kCoilTile), (std::vector<Op>{Op::Tile(0, 375, 7875)}));
}

TEST(GridDrawing, TwoPartDrawsOnlyStateVariableSlots) {
  LadderGrid grid = View(2, 13);
  PutTwoPartParallel(grid, 2, 1);
  PutTwoPartParallel(grid, 3, 1);
  const auto ops = DrawTwoPart(grid);
  EXPECT_EQ(TextsOf(ops), (std::vector<Op>{Op::Text(775, 1250, "y0"), Op::Text(775, 7900, "C"),
                                           Op::Text(1900, 1250, "y0"), Op::Text(1900, 7900, "D")}));
}

TEST(GridDrawing, LabelWidthsAreThoseOfTheDrawingFont) {
  EXPECT_EQ(LabelWidth(""), 0);
  EXPECT_EQ(LabelWidth("Star"), 371);                          // fits the usual 750 pitch
  EXPECT_EQ(LabelWidth("Start"), 442);                         // does not
  EXPECT_EQ(LabelWidth("\xc3\xa9t\xc3\xa9"), 180 + 71 + 180);  // a character outside ASCII counts as the widest
}

// A table whose names are long: every label box, measured in the drawing
// font, is clear of every other label and of every contact and coil.
TEST(GridDrawing, LongNamesWidenThePitchAndNeverOverlap) {
  StateDiagram d;
  d.Codes[0] = "0000", d.Codes[1] = "0001", d.Codes[2] = "0011";
  d.Targets[0] = {"S1", "S2"};
  d.Triggers[0] = {"StartButton.doorclosed+EmergencyOverride", "bottomlimitswitch"};
  d.Targets[1][0] = "S2", d.Triggers[1][0] = "TopLimitSwitch";
  d.Targets[2][0] = "S0", d.Triggers[2][0] = "ResetAllNow+timerexpired";
  d.CoilNames[0] = "MotorUpwards", d.CoilNames[1] = "MotorDownwards";
  d.CoilOn[1][0] = d.CoilOn[2][1] = true;
  for (bool parallel : {false, true}) {
    for (ViewButton view : {ViewButton::ShowAll, ViewButton::MachineState}) {
      auto m = testing::DrawTable(d, false, parallel);
      ASSERT_TRUE(m->session.handedOver);
      m->session.views.Show(view);
      struct Box {
        int left, top, right, bottom;
        std::string what;
      };
      std::vector<Box> labels, symbols;
      for (const auto& op : m->canvas.Ops()) {
        if (op.kind == Op::Kind::Text) {
          labels.push_back({op.x, op.y, op.x + LabelWidth(op.text), op.y + 210, op.text});
        } else if (op.slot == kContactTile || op.slot == 9 || op.slot == kCoilTile) {
          symbols.push_back({op.x + 75, op.y, op.x + 300, op.y + 375, Describe(op)});
        }
      }
      ASSERT_GE(labels.size(), 5u);
      const auto overlap = [](const Box& a, const Box& b) {
        return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
      };
      for (size_t i = 0; i < labels.size(); ++i) {
        for (size_t j = i + 1; j < labels.size(); ++j) {
          EXPECT_FALSE(overlap(labels[i], labels[j])) << labels[i].what << " and " << labels[j].what;
        }
        for (const auto& s : symbols) EXPECT_FALSE(overlap(labels[i], s)) << labels[i].what << " over " << s.what;
      }
    }
  }
}

}  // namespace
}  // namespace kelvo
