#include "session/CircuitViews.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "ladder/RecordingCanvas.h"
#include "support/CanvasOps.h"
#include "support/HandGrids.h"
#include "support/ScriptedDialogs.h"

namespace kelvo {
namespace {

using testing::PutParallelContacts;
using testing::PutSingleContact;
using testing::PutTwoPartParallel;
using testing::TextsOf;
using testing::TilesOf;

using Op = CanvasOp;

class CircuitViewsTest : public ::testing::Test {
protected:
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& op : TextsOf(canvas.Ops())) texts.push_back(op.text);
    return texts;
  }

  void ExpectFallbackButtons() const {
    EXPECT_EQ(views.Current(), ViewButton::ShowA);
    for (ViewButton button : kAllViewButtons)
      EXPECT_EQ(views.Enabled(button), button != ViewButton::ShowAll) << ViewButtonName(button);
  }

  void ExpectAllEnabled() const {
    for (ViewButton button : kAllViewButtons) EXPECT_TRUE(views.Enabled(button)) << ViewButtonName(button);
  }

  // Circuit A alone as the draw operation paints it, for comparison.
  std::vector<Op> CircuitAAlone() {
    LadderGrid aOnly = grid;
    aOnly.FirstCircuit = aOnly.LastCircuit = 0;
    aOnly.StateView = true;
    RecordingCanvas alone;
    if (views.parallelForm)
      DrawSumCircuits(aOnly, equations, alone);
    else
      DrawTwoPartCircuits(aOnly, alone);
    return alone.Ops();
  }

  LadderGrid grid;
  EquationSet equations;
  RecordingCanvas canvas;
  testing::ScriptedDialogs dialogs;
  Document document;
  CircuitViews views{grid, equations, canvas, dialogs, document};
};

TEST_F(CircuitViewsTest, ButtonsStartDisabledWithNoViewMarked) {
  for (ViewButton button : kAllViewButtons) EXPECT_FALSE(views.Enabled(button)) << ViewButtonName(button);
  EXPECT_FALSE(views.Current().has_value());
}

TEST_F(CircuitViewsTest, EachViewDrawsItsOwnCircuitsAndTakesTheMark) {
  for (int slot = 0; slot < 4; ++slot) {
    PutSingleContact(grid, slot, "sum" + std::to_string(slot));
    PutTwoPartParallel(grid, slot, 1);
  }
  PutSingleContact(grid, 9, "relay");
  equations.relayNames[1] = "M";
  struct Case {
    ViewButton button;
    bool parForm;
    std::vector<std::string> texts;
  } cases[] = {
      {ViewButton::ShowA, true, {"sum0", "A"}},
      {ViewButton::ShowB, true, {"sum1", "B"}},
      {ViewButton::ShowC, false, {"y0", "C"}},
      {ViewButton::ShowD, false, {"y0", "D"}},
      {ViewButton::ShowAll, true, {"sum0", "A", "sum1", "B", "sum2", "C", "sum3", "D"}},
      {ViewButton::ShowAll, false, {"y0", "A", "y0", "B", "y0", "C", "y0", "D"}},
      {ViewButton::MachineState, false, {"relay", "M"}},
      {ViewButton::MachineState, true, {"relay", "M"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(ViewButtonName(c.button)) + (c.parForm ? " parallel" : " two-part"));
    views.parallelForm = c.parForm;
    views.InsertPointSet = true;
    views.Show(c.button);
    EXPECT_EQ(Texts(), c.texts);
    EXPECT_EQ(views.Current(), c.button);
    EXPECT_FALSE(views.InsertPointSet);
    ExpectAllEnabled();
  }
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CircuitViewsTest, StateViewFollowsTheGridDrawn) {
  views.parallelForm = false;
  views.ShowMachineState();
  EXPECT_FALSE(grid.StateView);
  EXPECT_EQ(grid.FirstCircuit, 8);
  EXPECT_EQ(grid.LastCircuit, 14);
  views.ShowAll();  // the two-part grid leaves it alone
  EXPECT_FALSE(grid.StateView);
  EXPECT_EQ(grid.FirstCircuit, 0);
  EXPECT_EQ(grid.LastCircuit, 3);
  views.parallelForm = true;
  views.ShowB();
  EXPECT_TRUE(grid.StateView);
  EXPECT_EQ(grid.FirstCircuit, 1);
  EXPECT_EQ(grid.LastCircuit, 1);
}

TEST_F(CircuitViewsTest, TooWideViewFallsBackToCircuitAAlone) {
  views.parallelForm = true;
  for (int slot = 0; slot < 3; ++slot) PutParallelContacts(grid, slot, 7);
  PutSingleContact(grid, 8, "R");
  views.ShowAll();  // C ends at 16875
  EXPECT_EQ(canvas.Ops(), CircuitAAlone());
  EXPECT_EQ(TilesOf(canvas.Ops(), 0).size(), 1u);
  EXPECT_EQ(grid.FirstCircuit, 0);
  EXPECT_EQ(grid.LastCircuit, 0);
  ExpectFallbackButtons();

  views.ShowMachineState();  // the next view that is drawn completely enables it again
  ExpectAllEnabled();
  EXPECT_EQ(views.Current(), ViewButton::MachineState);
}

// The relay view is never given up: a picture too wide for the canvas grows
// to the right and holds every relay circuit.
TEST_F(CircuitViewsTest, TooWideRelayViewGrowsToTheRight) {
  for (int relay = 0; relay < 3; ++relay) PutParallelContacts(grid, kFirstRelaySlot + relay, 7);
  PutTwoPartParallel(grid, 0, 2);
  views.parallelForm = false;
  views.ShowMachineState();
  EXPECT_EQ(views.Current(), ViewButton::MachineState);
  EXPECT_EQ(TilesOf(canvas.Ops(), 0).size(), 3u);  // three coils
  int right = 0;
  for (const auto& op : canvas.Ops()) {
    if (op.kind == Op::Kind::Tile) right = std::max(right, op.x + 375);
  }
  EXPECT_GT(right, kCanvasWidthTwips);
  EXPECT_GE(canvas.ExtraWidth(), right - kCanvasWidthTwips);
  EXPECT_TRUE(views.ViewNote().empty());
  ExpectAllEnabled();

  // "Show All" still falls back to A, and says so.
  for (int slot = 0; slot < 3; ++slot) PutParallelContacts(grid, slot, 7);
  views.parallelForm = true;
  views.ShowAll();
  EXPECT_EQ(canvas.ExtraWidth(), 0);
  ExpectFallbackButtons();
  EXPECT_EQ(views.ViewNote(), "Show All is too wide for the canvas; showing A. Use A, B, C, D");
}

// An empty view says why.
TEST_F(CircuitViewsTest, AnEmptyViewSaysWhy) {
  PutSingleContact(grid, 0, "X1");
  PutTwoPartParallel(grid, 0, 1);
  views.ShowC();
  EXPECT_TRUE(canvas.Ops().empty());
  EXPECT_EQ(views.EmptyView(), "No transition changes C: it needs no circuit.");
  views.ShowMachineState();
  EXPECT_EQ(views.EmptyView(), "No output relays are named in this table.");
  views.ShowA();
  EXPECT_EQ(views.EmptyView(), "");
}

// 375 + 19 * 750 passes 13875 with circuit A alone: it is drawn once, cut off
// at the canvas edge, and the view stays on A.
TEST_F(CircuitViewsTest, CircuitATooWideByItselfIsDrawnOnceWithoutEndlessFallback) {
  for (int branches : {19, 20}) {
    for (bool parForm : {true, false}) {
      for (ViewButton clicked : {ViewButton::ShowAll, ViewButton::ShowA}) {
        SCOPED_TRACE(std::to_string(branches) + " branches, " + (parForm ? "parallel, " : "two-part, ") +
                     ViewButtonName(clicked));
        grid = LadderGrid{};
        PutParallelContacts(grid, 0, branches);
        PutSingleContact(grid, 3, "d");
        PutTwoPartParallel(grid, 0, branches);
        PutTwoPartParallel(grid, 3, 1);
        views.parallelForm = parForm;
        views.Show(clicked);
        EXPECT_EQ(canvas.Ops(), CircuitAAlone());
        EXPECT_EQ(TilesOf(canvas.Ops(), 0).size(), 1u);
        ExpectFallbackButtons();
      }
    }
  }
}

// Hand edits are items of their view: another view does not show them and
// asks nothing, and the view shown again gets them back over its drawing.
TEST_F(CircuitViewsTest, HandEditsStayWithTheirView) {
  views.parallelForm = true;
  PutSingleContact(grid, 0, "X1");
  PutSingleContact(grid, 1, "X2");
  views.ShowA();
  const auto drawingA = canvas.Ops();
  ASSERT_TRUE(views.AddHandEdit(HandEdit::Stamp(9, 3000, 3000), "Stamp"));
  ASSERT_TRUE(views.AddHandEdit(HandEdit::Text(750, 4500, "note", {255, 0, 0}), "Add Text"));
  auto withEdits = drawingA;
  withEdits.push_back(Op::Tile(9, 3000, 3000));
  withEdits.push_back(Op::Text(750, 4500, "note"));
  EXPECT_EQ(canvas.Ops(), withEdits);

  views.ShowB();
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(Texts(), (std::vector<std::string>{"X2", "B"}));
  views.ShowA();
  EXPECT_EQ(canvas.Ops(), withEdits);
  EXPECT_EQ(document.EditsOf({ViewButton::ShowA, true}).size(), 2u);
  EXPECT_EQ(document.UnexportedViews(), (std::set<ViewKey>{{ViewButton::ShowA, true}}));
  views.MarkExported();
  EXPECT_TRUE(document.UnexportedViews().empty());

  document.Undo();  // the text goes; the drawing shows what the document holds
  views.Redraw();
  EXPECT_EQ(canvas.Ops(), (std::vector<Op>(withEdits.begin(), withEdits.end() - 1)));
  EXPECT_EQ(document.UnexportedViews().size(), 1u);
}

// With no equations every layout is empty, whatever the layout code does.
TEST_F(CircuitViewsTest, DrawCircShowsAllWithoutAskingWhenThereAreNoEdits) {
  grid.StateView = false;
  views.DrawCircuits();
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_TRUE(grid.StateView);
  EXPECT_EQ(views.Current(), ViewButton::ShowAll);
  EXPECT_EQ(grid.FirstCircuit, 0);
  EXPECT_EQ(grid.LastCircuit, 3);
  EXPECT_TRUE(canvas.Ops().empty());
  EXPECT_TRUE(views.Problems().empty());
  ExpectAllEnabled();
}

}  // namespace
}  // namespace kelvo
