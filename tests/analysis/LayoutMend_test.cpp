#include "analysis/LayoutMend.h"

#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <random>

#include "analysis/CircuitCheck.h"
#include "analysis/CircuitCompare.h"
#include "ladder/RecordingCanvas.h"
#include "ladder/SumLayout.h"
#include "ladder/TwoPartLayout.h"
#include "session/Session.h"
#include "support/DrawnMachine.h"

namespace kelvo {
namespace {

using testing::DrawnMachine;

std::unique_ptr<DrawnMachine> Draw(const StateDiagram& diagram, bool autoCodes = false) {
  return testing::DrawTable(diagram, autoCodes);
}

void AddTransition(StateDiagram& d, int from, int slot, int to, const std::string& trigger) {
  d.Targets[from][slot] = "S" + std::to_string(to);
  d.Triggers[from][slot] = trigger;
}

StateDiagram Table(const std::vector<std::string>& codes) {
  StateDiagram d;
  d.Clear();
  for (size_t s = 0; s < codes.size(); ++s) d.Codes[s] = codes[s];
  return d;
}

void SetRelay(StateDiagram& d, int relay, const std::string& name, const std::vector<int>& onIn) {
  d.CoilNames[relay] = name;
  for (int s : onIn) d.CoilOn[s][relay] = true, d.CoilOff[s][relay] = false;
}

std::string Whys(const std::vector<CircuitMend>& mends) {
  std::string text;
  for (const auto& m : mends) {
    text += std::string(FamilyName(m.family)) + " " + std::to_string(m.slot) + " " + m.circuit + ": " + m.why + "\n";
  }
  return text;
}

// Both forms of the drawing pass every read-back, and the machine check too.
void ExpectChecksPass(const DrawnMachine& m) {
  for (bool parallel : {false, true}) {
    const CheckReport r = CheckCircuit(m.session.form.table(), m.session.equations, m.session.grid, parallel);
    for (const auto& f : r.findings) EXPECT_TRUE(f.passed) << (parallel ? "parallel: " : "two-part: ") << f.text;
  }
}

TEST(LayoutMend, SharedContactsThatMakeASneakPathAreLaidOutAgain) {
  // The cycle 00 -> 01 -> 11 -> 10 with M2 ON in the first three states:
  // M2 = a.b+A.b+A.B, which full sharing draws as (a+A) in series with (b+B).
  StateDiagram d = Table({"0000", "0001", "0011", "0010"});
  AddTransition(d, 0, 0, 1, "X1");
  AddTransition(d, 1, 0, 2, "X2");
  AddTransition(d, 2, 0, 3, "X3");
  AddTransition(d, 3, 0, 0, "X4");
  SetRelay(d, 0, "M2", {0, 1, 2});
  auto m = Draw(d);
  ASSERT_TRUE(m->session.handedOver);
  EXPECT_EQ(m->session.equations.relayEquations[0], "a.b+A.b+A.B");
  EXPECT_EQ(Whys(m->session.views.Mended()), "sum 8 M2: shared endings\n");
  EXPECT_EQ(m->session.views.Mended()[0].text,
            "Relay M2 is drawn without shared endings: sharing them would close the circuit for A=0 B=1, where "
            "M2 = a.b+A.b+A.B is false.");
  EXPECT_EQ(m->session.views.DrawingNotes().size(), 1u);
  ExpectChecksPass(*m);
  // With full sharing the same grid conducts for A=0 B=1.
  LadderGrid full = m->session.grid;
  std::vector<std::string> problems;
  LayOutSumEquation(m->session.equations, full, 4, Sharing::Full, problems);
  VariableTable table;
  const SwitchFunction f = SwitchFunction::Parse("a.b+A.b+A.B", table);
  const CircuitReadBack sneaky(full.SumTiles[8], full.SumLabels[8], GridFamily::Sum, table);
  EXPECT_TRUE(sneaky.Conducts(0b10));
  EXPECT_TRUE(CompareCircuit(sneaky, f).difference);
}

TEST(LayoutMend, TallCircuitsAreDrawnWholeWithTheCoilLower) {
  // A long reset group and a long set group: ten contacts in series.
  StateDiagram d = Table({"0000", "0001"});
  AddTransition(d, 0, 0, 1, "P1.P2.P3.P4.P5.P6.P7.P8");
  AddTransition(d, 1, 0, 0, "Q1.Q2+Q3.Q4");
  auto m = Draw(d);
  ASSERT_TRUE(m->session.handedOver);
  EXPECT_TRUE(m->session.views.Problems().empty());
  const std::string whys = Whys(m->session.views.Mended());
  EXPECT_NE(whys.find("twoPart 0 A: too tall"), std::string::npos) << whys;
  ExpectChecksPass(*m);
  // The two-part view hangs its coil below the cells: the canvas grew.
  const auto& ops = m->canvas.Ops();
  int coilY = 0, lowestCell = 0;
  for (const auto& op : ops) {
    if (op.kind != CanvasOp::Kind::Tile) continue;
    if (op.slot == 0) coilY = op.y;
    if (op.slot == 8 || op.slot == 9) lowestCell = std::max(lowestCell, op.y);
  }
  EXPECT_GT(m->canvas.ExtraHeight(), 0);
  EXPECT_EQ(coilY, 7875 + m->canvas.ExtraHeight());
  EXPECT_LT(lowestCell, coilY);
}

TEST(LayoutMend, VariablesMissingSetOrResetTransitionsAreDrawnAsTheirEquations) {
  // A chain that never comes back: A and B are set, never reset.
  StateDiagram chain = Table({"0000", "0001", "0011"});
  AddTransition(chain, 0, 0, 1, "X1");
  AddTransition(chain, 1, 0, 2, "X2");
  SetRelay(chain, 0, "Lamp", {2});
  auto m = Draw(chain);
  ASSERT_TRUE(m->session.handedOver);
  EXPECT_EQ(m->session.equations.variableEquations[0], "X1.b+A");
  EXPECT_EQ(m->session.equations.parallelEquations[0], "|X1.b+A");
  EXPECT_EQ(m->session.equations.relayEquations[0], "A.B");  // A and B are no longer taken for idle
  EXPECT_GE(m->session.grid.ResetWidth[0], 1);
  EXPECT_EQ(Whys(m->session.views.Mended()),
            "twoPart 0 A: no reset transitions\ntwoPart 1 B: no reset transitions\n"
            "sum 0 A: no reset transitions\nsum 1 B: no reset transitions\n");
  ExpectChecksPass(*m);

  // Reset but never set: the reset group, then the holding contact.
  StateDiagram drop = Table({"0001", "0000"});
  AddTransition(drop, 0, 0, 1, "X1");
  auto n = Draw(drop);
  ASSERT_TRUE(n->session.handedOver);
  EXPECT_EQ(n->session.equations.parallelEquations[0], "x1|");
  EXPECT_EQ(n->session.equations.variableEquations[0], "A.x1");
  EXPECT_EQ(Whys(n->session.views.Mended()), "twoPart 0 A: no set transitions\n");
  ExpectChecksPass(*n);
}

TEST(LayoutMend, TriggerOutsideTheGrammarIsRefusedAndNothingDrawn) {
  for (const char* trigger : {"1X", "(X1", "X1++Y2", "X1|Y2", "X1+", " X1"}) {
    StateDiagram d = Table({"0000", "0001"});
    AddTransition(d, 0, 0, 1, trigger);
    AddTransition(d, 1, 0, 0, "x2");
    auto m = Draw(d);
    EXPECT_FALSE(m->session.handedOver) << trigger;
    ASSERT_FALSE(m->dialogs.messages.empty()) << trigger;
    const std::string& text = m->dialogs.messages.back().text;
    EXPECT_EQ(text.rfind("State S0 (transition 1) has the trigger \"" + std::string(trigger) + "\"", 0), 0u) << text;
  }
  StateDiagram d = Table({"0000", "0001"});
  AddTransition(d, 0, 0, 1, "X2+1X");
  AddTransition(d, 1, 0, 0, "x2");
  auto m = Draw(d);
  EXPECT_EQ(m->dialogs.messages.back().text,
            "State S0 (transition 1) has the trigger \"X2+1X\", which is not a switch expression: the contact \"1X\" "
            "does not start with a letter. Correct the trigger first.");
  // Letters and digits after a first letter are a contact.
  StateDiagram ok = Table({"0000", "0001"});
  AddTransition(ok, 0, 0, 1, "Start2.dt+X1");
  AddTransition(ok, 1, 0, 0, "x2");
  EXPECT_TRUE(Draw(ok)->session.handedOver);
}

TEST(LayoutMend, GarageDoorDrawsLightWithoutSharedEndings) {
  for (bool parallel : {false, true}) {
    auto m = std::make_unique<DrawnMachine>();
    ASSERT_TRUE(m->session.form.LoadStatesFrom(std::string(KELVO_TEST_DATA) + "/garage-door.sfi"));
    m->session.views.parallelForm = parallel;
    m->session.form.autoCodes = true;
    m->session.form.DrawCircuit();
    ASSERT_TRUE(m->session.handedOver);
    EXPECT_EQ(Whys(m->session.views.Mended()), "sum 10 Light: shared endings\n");
    const CheckReport r = CheckCircuit(m->session.form.table(), m->session.equations, m->session.grid, parallel);
    EXPECT_EQ(r.Failed(), 0);
  }
}

TEST(LayoutMend, CircuitsThatReadBackRightKeepEveryCell) {
  EquationSet equations;
  equations.variableEquations[0] = "A1.B1.c+A1.B1.D+X.Y";
  equations.variableEquations[1] = "A.B+A.C+A.D";
  equations.variableEquations[2] = "A.B.C+D.B.C";
  equations.variableEquations[3] = "X1";
  equations.parallelEquations[2] = "a1.B+c|X1.b+A";
  equations.parallelEquations[1] = "x3+b|X1.b+A";
  auto grid = std::make_unique<LadderGrid>();
  std::vector<std::string> problems;
  ParseTwoPartEquations(equations, *grid, problems);
  BuildTwoPartTiles(*grid, problems);
  ParseSumEquations(equations, *grid, problems);
  BuildSumTiles(*grid, problems);
  const auto before = std::make_unique<LadderGrid>(*grid);
  EXPECT_TRUE(MendLayouts(equations, *grid).empty());
  EXPECT_EQ(grid->SumTiles, before->SumTiles);
  EXPECT_EQ(grid->SumLabels, before->SumLabels);
  EXPECT_EQ(grid->SumTerms, before->SumTerms);
  EXPECT_EQ(grid->TwoPartTiles, before->TwoPartTiles);
  EXPECT_EQ(grid->TwoPartLabels, before->TwoPartLabels);
  EXPECT_EQ(grid->TwoPartTerms, before->TwoPartTerms);
}

// Random tables of the kinds students type: rings and random graphs, Gray or
// random codes or "Auto", one or two switches per trigger, up to three relays.
StateDiagram RandomTable(std::mt19937& random, bool& autoCodes) {
  auto pick = [&random](int n) { return static_cast<int>(random() % n); };
  const int states = 2 + pick(7);
  StateDiagram d;
  d.Clear();
  autoCodes = pick(3) == 0;
  std::vector<int> codes(16);
  for (int i = 0; i < 16; ++i) codes[i] = i;
  if (pick(2)) {
    for (int i = 0; i < 16; ++i) codes[i] = i ^ (i >> 1);  // Gray code
  } else {
    std::shuffle(codes.begin(), codes.end(), random);
  }
  static const char* kSwitches[] = {"X1", "x1", "X2", "x2", "Y", "y", "Start", "stop", "T1", "t1", "Z9", "z9"};
  auto literal = [&] { return std::string(kSwitches[pick(12)]); };
  for (int s = 0; s < states; ++s) {
    if (!autoCodes) {
      std::string code;
      for (int bit = 3; bit >= 0; --bit) code += ((codes[s] >> bit) & 1) ? '1' : '0';
      d.Codes[s] = code;
    }
    const bool ring = pick(2) == 0;
    const int transitions = ring ? 1 : 1 + pick(3);
    for (int j = 0; j < transitions; ++j) {
      const int to = ring ? (s + 1) % states : pick(states);
      std::string trigger = literal();
      if (pick(3) == 0) trigger += "." + literal();
      if (pick(4) == 0) trigger += "+" + literal();
      AddTransition(d, s, j, to, trigger);
    }
  }
  const int relays = pick(4);
  for (int r = 0; r < relays; ++r) {
    d.CoilNames[r] = "M" + std::to_string(r);
    for (int s = 0; s < states; ++s) {
      if (pick(2)) d.CoilOn[s][r] = true, d.CoilOff[s][r] = false;
    }
  }
  return d;
}

// The entry form hands the ladder the synthesis' sums beside the texts; the
// layouts they give must be those of the texts alone, cuts and notices included.
TEST(LayoutMend, CarriedSumsLayOutAsTheirTexts) {
  const uint32_t seed = 20261208;
  std::cout << "seed " << seed << "\n";
  std::mt19937 random(seed);
  auto layOut = [](const EquationSet& equations, LadderGrid& grid, std::vector<std::string>& problems) {
    ParseTwoPartEquations(equations, grid, problems);
    BuildTwoPartTiles(grid, problems);
    ParseSumEquations(equations, grid, problems);
    BuildSumTiles(grid, problems);
  };
  int carried = 0;
  for (int t = 0; t < 300; ++t) {
    bool autoCodes = false;
    const StateDiagram d = RandomTable(random, autoCodes);
    auto m = Draw(d, autoCodes);
    if (!m->session.handedOver) continue;
    const EquationSet& withSums = m->session.equations;
    ASSERT_TRUE(withSums.sums && withSums.sums->Of(withSums)) << "seed " << seed << " table " << t;
    ++carried;
    EquationSet textsOnly = withSums;
    textsOnly.sums.reset();
    auto fromSums = std::make_unique<LadderGrid>();
    auto fromTexts = std::make_unique<LadderGrid>();
    std::vector<std::string> sumProblems, textProblems;
    layOut(withSums, *fromSums, sumProblems);
    layOut(textsOnly, *fromTexts, textProblems);
    EXPECT_EQ(sumProblems, textProblems) << "seed " << seed << " table " << t;
    EXPECT_EQ(fromSums->SumTerms, fromTexts->SumTerms) << "seed " << seed << " table " << t;
    EXPECT_EQ(fromSums->SumTiles, fromTexts->SumTiles) << "seed " << seed << " table " << t;
    EXPECT_EQ(fromSums->SumLabels, fromTexts->SumLabels) << "seed " << seed << " table " << t;
    EXPECT_EQ(fromSums->TwoPartTerms, fromTexts->TwoPartTerms) << "seed " << seed << " table " << t;
    EXPECT_EQ(fromSums->TwoPartTiles, fromTexts->TwoPartTiles) << "seed " << seed << " table " << t;
    EXPECT_EQ(fromSums->TwoPartLabels, fromTexts->TwoPartLabels) << "seed " << seed << " table " << t;
  }
  EXPECT_GT(carried, 150);
}

TEST(LayoutMend, EveryCircuitOfRandomTablesReadsBackAsItsEquation) {
  const uint32_t seed = 20261207;
  std::mt19937 random(seed);
  int drawn = 0, circuits = 0, mended = 0;
  for (int t = 0; t < 2000; ++t) {
    bool autoCodes = false;
    const StateDiagram d = RandomTable(random, autoCodes);
    auto m = Draw(d, autoCodes);
    if (!m->session.handedOver || !m->session.views.Problems().empty()) continue;  // refused, or cut by a grid limit
    ++drawn;
    mended += !m->session.views.Mended().empty();
    const EquationSet& eq = m->session.equations;
    const LadderGrid& grid = m->session.grid;
    VariableTable table;
    for (int x = 0; x < kStateVariables; ++x) {
      if (eq.parallelEquations[x] != "|") {
        const std::string text = TwoPartDrawnText(eq.parallelEquations[x], x);
        const CircuitReadBack rb(grid.TwoPartTiles[x], grid.TwoPartLabels[x], GridFamily::TwoPart, table);
        EXPECT_FALSE(CompareCircuit(rb, SwitchFunction::ParseTwoPart(text, table)).difference)
            << "seed " << seed << " table " << t << " two-part " << x << ": " << text;
        ++circuits;
      }
    }
    for (int e = 0; e < kSumEquations; ++e) {
      const std::string& text = e < 4 ? eq.variableEquations[e] : eq.relayEquations[e - 4];
      if (text.empty()) continue;
      const CircuitReadBack rb(grid.SumTiles[SumSlotOf(e)], grid.SumLabels[SumSlotOf(e)], GridFamily::Sum, table);
      EXPECT_FALSE(CompareCircuit(rb, SwitchFunction::Parse(text, table)).difference)
          << "seed " << seed << " table " << t << " equation " << e << ": " << text;
      ++circuits;
    }
  }
  EXPECT_GT(drawn, 1000);
  EXPECT_GT(mended, 0);
  RecordProperty("circuits", circuits);
}

}  // namespace
}  // namespace kelvo
