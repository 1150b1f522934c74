#include "session/CircuitViews.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// Notes how often the canvas had been cleared when each question came.
class ClearWatchingDialogs : public testing::ScriptedDialogs {
public:
  explicit ClearWatchingDialogs(const RecordingCanvas& canvas) : canvas_(canvas) {}
  Answer ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons, Answer defaultAnswer,
                     const std::string& context) override {
    clearsWhenAsked.push_back(canvas_.ClearCount());
    return ScriptedDialogs::ShowMessage(text, title, buttons, defaultAnswer, context);
  }
  std::vector<int> clearsWhenAsked;

private:
  const RecordingCanvas& canvas_;
};

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
    if (views.ParForm)
      DrawSumCircuits(aOnly, equations, alone);
    else
      DrawTwoPartCircuits(aOnly, alone);
    return alone.Ops();
  }

  void AskedDataLossOnce() const {
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const auto& m = dialogs.messages[0];
    EXPECT_EQ(m.title, "Possible Data Loss");
    EXPECT_EQ(m.text,
              "Some changes have been detected. Continuing without exporting could cause Data Loss. Do you want to "
              "continue ?");
    EXPECT_EQ(m.buttons, MessageButtons::YesNo);
    EXPECT_EQ(m.defaultAnswer, Answer::No);
  }

  LadderGrid grid;
  EquationSet equations;
  RecordingCanvas canvas;
  ClearWatchingDialogs dialogs{canvas};
  CircuitViews views{grid, equations, canvas, dialogs};
};

TEST_F(CircuitViewsTest, ButtonsStartDisabledWithNoViewMarked) {
  for (ViewButton button : kAllViewButtons) EXPECT_FALSE(views.Enabled(button)) << ViewButtonName(button);
  EXPECT_FALSE(views.Current().has_value());
}

TEST_F(CircuitViewsTest, EachViewDrawsItsOwnCircuitsAndTakesTheMark) {
  for (int slot = 0; slot < 4; ++slot) {
    PutSingleContact(grid, slot, slot + 4, "sum" + std::to_string(slot));
    PutTwoPartParallel(grid, slot, 1);
  }
  PutSingleContact(grid, 9, 15, "relay");
  equations.NmCoil[1] = "M";
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
      {ViewButton::ShowSC, false, {"relay", "M"}},
      {ViewButton::ShowSC, true, {"relay", "M"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(ViewButtonName(c.button)) + (c.parForm ? " parallel" : " two-part"));
    views.ParForm = c.parForm;
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
  views.ParForm = false;
  views.ShowSC_Click();
  EXPECT_FALSE(grid.StateView);
  EXPECT_EQ(grid.FirstCircuit, 8);
  EXPECT_EQ(grid.LastCircuit, 14);
  views.ShowAll_Click();  // the two-part grid leaves it alone
  EXPECT_FALSE(grid.StateView);
  EXPECT_EQ(grid.FirstCircuit, 0);
  EXPECT_EQ(grid.LastCircuit, 3);
  views.ParForm = true;
  views.ShowB_Click();
  EXPECT_TRUE(grid.StateView);
  EXPECT_EQ(grid.FirstCircuit, 1);
  EXPECT_EQ(grid.LastCircuit, 1);
}

TEST_F(CircuitViewsTest, TooWideViewFallsBackToCircuitAAlone) {
  views.ParForm = true;
  for (int slot = 0; slot < 3; ++slot) PutParallelContacts(grid, slot, slot + 4, 7);
  PutSingleContact(grid, 8, 14, "R");
  views.ShowAll_Click();  // C ends at 16875
  EXPECT_EQ(canvas.Ops(), CircuitAAlone());
  EXPECT_EQ(TilesOf(canvas.Ops(), 0).size(), 1u);
  EXPECT_EQ(grid.FirstCircuit, 0);
  EXPECT_EQ(grid.LastCircuit, 0);
  ExpectFallbackButtons();

  views.ShowSC_Click();  // the next view that is drawn completely enables it again
  ExpectAllEnabled();
  EXPECT_EQ(views.Current(), ViewButton::ShowSC);
}

// The relay view is never given up: a picture too wide for the canvas grows
// to the right and holds every relay circuit.
TEST_F(CircuitViewsTest, TooWideRelayViewGrowsToTheRight) {
  for (int relay = 0; relay < 3; ++relay) PutParallelContacts(grid, kFirstRelaySlot + relay, 14 + relay, 7);
  PutTwoPartParallel(grid, 0, 2);
  views.ParForm = false;
  views.ShowSC_Click();
  EXPECT_EQ(views.Current(), ViewButton::ShowSC);
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
  for (int slot = 0; slot < 3; ++slot) PutParallelContacts(grid, slot, slot + 4, 7);
  views.ParForm = true;
  views.ShowAll_Click();
  EXPECT_EQ(canvas.ExtraWidth(), 0);
  ExpectFallbackButtons();
  EXPECT_EQ(views.ViewNote(), "Show All is too wide for the canvas; showing A. Use A, B, C, D");
}

// An empty view says why.
TEST_F(CircuitViewsTest, AnEmptyViewSaysWhy) {
  PutSingleContact(grid, 0, 4, "X1");
  PutTwoPartParallel(grid, 0, 1);
  views.ShowC_Click();
  EXPECT_TRUE(canvas.Ops().empty());
  EXPECT_EQ(views.EmptyView(), "No transition changes C: it needs no circuit.");
  views.ShowSC_Click();
  EXPECT_EQ(views.EmptyView(), "No output relays are named in this table.");
  views.ShowA_Click();
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
        PutParallelContacts(grid, 0, 4, branches);
        PutSingleContact(grid, 3, 7, "d");
        PutTwoPartParallel(grid, 0, branches);
        PutTwoPartParallel(grid, 3, 1);
        views.ParForm = parForm;
        views.Show(clicked);
        EXPECT_EQ(canvas.Ops(), CircuitAAlone());
        EXPECT_EQ(TilesOf(canvas.Ops(), 0).size(), 1u);
        ExpectFallbackButtons();
      }
    }
  }
}

TEST_F(CircuitViewsTest, DeclinedDataLossQuestionLeavesEverythingAsItWas) {
  views.ParForm = true;
  PutSingleContact(grid, 0, 4, "X1");
  PutParallelContacts(grid, 1, 5, 2);
  views.ShowAll_Click();
  canvas.PaintTile(9, 3000, 3000);  // a stamped tile: the user's edit
  views.ChangesDetected = true;
  views.InsertPointSet = true;
  const auto before = canvas.Ops();
  const int clears = canvas.ClearCount();

  dialogs.answers = {Answer::No};
  views.ShowB_Click();

  AskedDataLossOnce();
  EXPECT_EQ(canvas.Ops(), before);
  EXPECT_EQ(canvas.ClearCount(), clears);
  EXPECT_TRUE(views.ChangesDetected);
  EXPECT_TRUE(views.InsertPointSet);
  EXPECT_EQ(views.Current(), ViewButton::ShowAll);
  EXPECT_EQ(grid.LastCircuit, 3);
  ExpectAllEnabled();
}

TEST_F(CircuitViewsTest, AcceptedDataLossQuestionRedrawsTheView) {
  views.ParForm = true;
  PutSingleContact(grid, 1, 5, "X1");
  views.ShowAll_Click();
  views.ChangesDetected = true;
  views.InsertPointSet = true;
  dialogs.answers = {Answer::Yes};
  views.ShowAll_Click();  // the view already shown is drawn again
  AskedDataLossOnce();
  EXPECT_EQ(dialogs.clearsWhenAsked, (std::vector<int>{1}));
  EXPECT_EQ(canvas.ClearCount(), 2);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"X1", "B"}));
  EXPECT_FALSE(views.ChangesDetected);
  EXPECT_FALSE(views.InsertPointSet);
}

// With no equations every layout is empty, whatever the layout code does.
TEST_F(CircuitViewsTest, DrawCircShowsAllWithoutAskingWhenThereAreNoEdits) {
  grid.StateView = false;
  views.DrawCirc();
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_TRUE(grid.StateView);
  EXPECT_EQ(views.Current(), ViewButton::ShowAll);
  EXPECT_EQ(grid.FirstCircuit, 0);
  EXPECT_EQ(grid.LastCircuit, 3);
  EXPECT_TRUE(canvas.Ops().empty());
  EXPECT_TRUE(views.Problems().empty());
  ExpectAllEnabled();
}

TEST_F(CircuitViewsTest, DrawCircAsksBeforeClearingAndDeclinedKeepsTheCanvas) {
  canvas.PaintTile(8, 750, 750);
  views.ChangesDetected = true;
  views.InsertPointSet = true;
  grid.StateView = false;
  dialogs.answers = {Answer::No};
  views.DrawCirc();

  AskedDataLossOnce();
  EXPECT_EQ(canvas.ClearCount(), 0);
  EXPECT_EQ(canvas.Ops(), (std::vector<Op>{Op::Tile(8, 750, 750)}));
  EXPECT_TRUE(views.ChangesDetected);
  EXPECT_TRUE(views.InsertPointSet);
  EXPECT_TRUE(grid.StateView);
  EXPECT_FALSE(views.Current().has_value());
  ExpectAllEnabled();  // so that a view button can draw the new circuits
}

TEST_F(CircuitViewsTest, DrawCircAcceptedAsksOnlyOnceAndBeforeTheFirstClear) {
  canvas.PaintTile(8, 750, 750);
  views.ChangesDetected = true;
  dialogs.answers = {Answer::Yes};
  views.DrawCirc();
  AskedDataLossOnce();
  EXPECT_EQ(dialogs.clearsWhenAsked, (std::vector<int>{0}));
  EXPECT_TRUE(canvas.Ops().empty());
  EXPECT_FALSE(views.ChangesDetected);
  EXPECT_EQ(views.Current(), ViewButton::ShowAll);
}

}  // namespace
}  // namespace kelvo
