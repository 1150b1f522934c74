#include "analysis/CircuitCheck.h"

#include <gtest/gtest.h>

#include <memory>

#include "ladder/RecordingCanvas.h"
#include "session/Session.h"
#include "support/DrawnMachine.h"
#include "support/HandGrids.h"

namespace kelvo {
namespace {

using testing::DrawnMachine;
using testing::TileOf;

std::unique_ptr<DrawnMachine> Draw(const StateDiagram& diagram, bool parallel) {
  auto m = testing::DrawTable(diagram, false, parallel);
  EXPECT_TRUE(m->session.handedOver);
  return m;
}

CheckReport CheckDrawn(const DrawnMachine& m, bool parallel) {
  return CheckCircuit(m.session.form.table(), m.session.equations, m.session.grid, parallel);
}

void AddTransition(StateDiagram& d, int from, int slot, int to, const char* trigger) {
  d.Targets[from][slot] = "S" + std::to_string(to);
  d.Triggers[from][slot] = trigger;
}

// S0 0000 <-> S1 0001 on X1 and x2, relay "Lamp" ON in S1.
StateDiagram Latch() {
  StateDiagram d;
  d.Clear();
  d.Codes[0] = "0000";
  d.Codes[1] = "0001";
  AddTransition(d, 0, 0, 1, "X1");
  AddTransition(d, 1, 0, 0, "x2");
  d.CoilNames[0] = "Lamp";
  d.CoilOn[1][0] = true;
  d.CoilOff[1][0] = false;
  return d;
}

std::string Lines(const CheckReport& r) {
  std::string text;
  for (const auto& f : r.findings) text += (f.passed ? "PASS " : "FAIL ") + f.text + "\n";
  return text;
}

const CheckFinding* FirstFailure(const CheckReport& r, CheckFinding::Kind kind) {
  for (const auto& f : r.findings) {
    if (!f.passed && f.kind == kind) return &f;
  }
  return nullptr;
}

TEST(CircuitCheck, LatchPassesInBothForms) {
  for (bool parallel : {false, true}) {
    const auto m = Draw(Latch(), parallel);
    const CheckReport r = CheckDrawn(*m, parallel);
    EXPECT_EQ(r.Failed(), 0) << Lines(r);
    EXPECT_EQ(Lines(r),
              std::string("PASS read-back A (") + (parallel ? "parallel" : "two-part") + "): matches A = " +
                  (parallel ? m->session.equations.variableEquations[0] : m->session.equations.parallelEquations[0]) +
                  "\nPASS read-back Lamp (relay): matches Lamp = " + m->session.equations.relayEquations[0] +
                  "\nPASS S0 -> S1 on X1\nPASS S1 -> S0 on x2\nPASS hold S0 (0000)\nPASS hold S1 (0001)\n"
                  "PASS output Lamp\n");
  }
}

// S1 = 0011 is two relay changes away from S0 = 0000. The table's own
// equations make each change wait for the other, so the machine sticks.
TEST(CircuitCheck, CodesThatChangeTwoRelaysAtOnceAreCaught) {
  StateDiagram d = Latch();
  d.Codes[1] = "0011";
  for (bool parallel : {false, true}) {
    const auto m = Draw(d, parallel);
    const CheckReport r = CheckDrawn(*m, parallel);
    const CheckFinding* f = FirstFailure(r, CheckFinding::Kind::Transition);
    ASSERT_NE(f, nullptr) << Lines(r);
    EXPECT_EQ(
        f->text,
        "S0 -> S1 on X1: settles on 0000 instead of 0011 with X1=1 X2=1: give the two states codes one digit apart")
        << Lines(r);
  }
}

// Circuits drawn from equations that let either relay start first: the one
// that wins locks the other out.
TEST(CircuitCheck, CodesThatChangeTwoRelaysAtOnceRace) {
  StateDiagram d = Latch();
  d.Codes[1] = "0011";
  auto m = Draw(d, false);
  m->session.equations.parallelEquations[0] = "X2|X1.b+A";
  m->session.equations.parallelEquations[1] = "X2|X1.a+B";
  m->session.views.DrawCircuits();
  const CheckReport r = CheckDrawn(*m, false);
  const CheckFinding* f = FirstFailure(r, CheckFinding::Kind::Transition);
  ASSERT_NE(f, nullptr) << Lines(r);
  EXPECT_EQ(
      f->text,
      "S0 -> S1 on X1: critical race, ends on 0001 or 0010 with X1=1 X2=1: give the two states codes one digit apart")
      << Lines(r);
  EXPECT_EQ(FirstFailure(r, CheckFinding::Kind::ReadBack), nullptr) << Lines(r);
}

TEST(CircuitCheck, OverlappingTriggersAreReported) {
  StateDiagram d = Latch();
  d.Codes[2] = "0010";
  AddTransition(d, 0, 1, 2, "X1.X3");
  AddTransition(d, 2, 0, 0, "x3");
  const auto m = Draw(d, false);
  const CheckReport r = CheckDrawn(*m, false);
  EXPECT_NE(Lines(r).find("FAIL S0 -> S2 on X1.X3: overlapping triggers of S0\n"), std::string::npos) << Lines(r);
}

TEST(CircuitCheck, RunThroughIsReported) {
  StateDiagram d = Latch();
  d.Codes[2] = "0011";
  AddTransition(d, 1, 1, 2, "X1");  // S1 moves on at once when X1 stays pressed
  AddTransition(d, 2, 0, 0, "x4");
  const auto m = Draw(d, false);
  const CheckReport r = CheckDrawn(*m, false);
  EXPECT_NE(
      Lines(r).find(
          "FAIL S0 -> S1 on X1: run-through, a trigger of S1 is true whenever this one is: make them exclusive\n"),
      std::string::npos)
      << Lines(r);
}

TEST(CircuitCheck, WrongOutputFlagIsReported) {
  const auto m = Draw(Latch(), false);
  StateDiagram flipped = m->session.form.table();
  flipped.CoilOn[0][0] = true;
  const CheckReport r = CheckCircuit(flipped, m->session.equations, m->session.grid, false);
  const CheckFinding* f = FirstFailure(r, CheckFinding::Kind::Output);
  ASSERT_NE(f, nullptr) << Lines(r);
  EXPECT_EQ(f->text, "output Lamp: off in S0 (0000) where the table has it ON with X1=0 X2=0");
  EXPECT_EQ(r.Failed(), 1);
}

TEST(CircuitCheck, RemovedLinkFailsTheReadBack) {
  for (bool parallel : {false, true}) {
    auto m = Draw(Latch(), parallel);
    TileGrid& tiles = parallel ? m->session.grid.SumTiles[0] : m->session.grid.TwoPartTiles[0];
    // The first tee of the main path that feeds a second branch becomes a plain wire.
    bool cut = false;
    for (int k = 0; k < kSteps && !cut; ++k) {
      if (tiles[0][k] == TileOf("6")) tiles[0][k] = TileOf("1"), cut = true;
    }
    ASSERT_TRUE(cut);
    const CheckReport r = CheckDrawn(*m, parallel);
    const CheckFinding* f = FirstFailure(r, CheckFinding::Kind::ReadBack);
    ASSERT_NE(f, nullptr) << Lines(r);
    EXPECT_EQ(f->text.rfind("read-back A", 0), 0u) << f->text;
    EXPECT_NE(f->text.find("but A = "), std::string::npos) << f->text;
  }
}

// Twenty branches and one more name in the equation: past the exhaustive
// limit the comparison samples with a fixed seed and says so.
TEST(CircuitCheck, ManyVariablesAreSampledAndSaySo) {
  LadderGrid grid;
  testing::PutParallelContacts(grid, kFirstRelaySlot, 20);
  EquationSet equations;
  for (int i = 0; i < 20; ++i) equations.relayEquations[0] += "X" + std::to_string(i) + "+";
  equations.relayEquations[0] += "X0.Y";
  equations.relayNames[0] = "Big";
  StateDiagram diagram;
  diagram.Clear();
  const CheckReport r = CheckCircuit(diagram, equations, grid, false);
  ASSERT_FALSE(r.findings.empty());
  EXPECT_EQ(r.findings[0].text,
            "read-back Big (relay): matches Big = " + equations.relayEquations[0] + " (65536 sampled settings)");
  EXPECT_TRUE(r.findings[0].passed);

  // The same circuit with its last branch cut off: the equation without Y is
  // compared over every setting and the lost branch is named.
  grid.SumTiles[kFirstRelaySlot][19][3] = TileOf("1");
  equations.relayEquations[0].resize(equations.relayEquations[0].size() - std::string("+X0.Y").size());
  const CheckReport cut = CheckCircuit(diagram, equations, grid, false);
  ASSERT_FALSE(cut.findings.empty());
  EXPECT_FALSE(cut.findings[0].passed);
  EXPECT_NE(cut.findings[0].text.find("the drawing does not conduct with"), std::string::npos) << cut.findings[0].text;
  EXPECT_EQ(cut.findings[0].text.find("sampled"), std::string::npos) << cut.findings[0].text;
}

TEST(CircuitCheck, CodeValues) {
  EXPECT_EQ(CodeValue("0000"), 0);
  EXPECT_EQ(CodeValue("1000"), 8);
  EXPECT_EQ(CodeValue("0011"), 3);
  EXPECT_EQ(CodeValue("001"), -1);
  EXPECT_EQ(CodeValue("00x1"), -1);
  EXPECT_EQ(CodeValue(""), -1);
}

}  // namespace
}  // namespace kelvo
