#include "analysis/MachineSimulation.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "statediagram/StatesFile.h"
#include "support/DrawnMachine.h"
#include "support/Tables.h"

namespace kelvo {
namespace {

const std::string kExamples = KELVO_TEST_DATA "/";

struct Running {
  std::unique_ptr<testing::DrawnMachine> drawn;
  std::unique_ptr<MachineSimulation> sim;
  Running(const StateDiagram& table, bool parallel) {
    drawn = testing::DrawTable(table, false, parallel);
    EXPECT_TRUE(drawn->session.handedOver);
    const Session& s = drawn->session;
    sim = std::make_unique<MachineSimulation>(s.form.table(), s.equations, s.grid, parallel);
    sim->Reset(0);
  }
  // Sets the switches, settles, and gives the state reached.
  int Apply(std::initializer_list<std::pair<const char*, bool>> switches) {
    for (const auto& [name, on] : switches) {
      const int i = sim->SwitchIndex(name);
      EXPECT_GE(i, 0) << name;
      sim->SetSwitch(i, on);
    }
    last = sim->Settle();
    EXPECT_TRUE(last.settled);
    return sim->State();
  }
  SettleResult last;
};

StateDiagram Example(const std::string& name) { return *ReadStatesFile(kExamples + name); }

TEST(MachineSimulation, TheLatchSetsAndResets) {
  for (bool parallel : {false, true}) {
    Running r(Example("two-state-latch.sfi"), parallel);
    EXPECT_EQ(r.Apply({{"X2", true}}), 0);
    EXPECT_TRUE(r.last.moves.empty());
    EXPECT_EQ(r.Apply({{"X1", true}}), 1);
    ASSERT_EQ(r.last.moves.size(), 1u);
    EXPECT_TRUE(r.last.moves[0].pickUp);
    EXPECT_EQ(r.last.moves[0].why.rfind("A picks up: X1 closed the path ", 0), 0u) << r.last.moves[0].why;
    EXPECT_EQ(r.Apply({{"X1", false}}), 1);  // it holds
    EXPECT_EQ(r.Apply({{"X2", false}}), 0);
    EXPECT_EQ(r.last.moves[0].why, "A drops out: no path to its coil conducts");
    EXPECT_EQ(r.sim->StateText(), "S0: Off");
  }
}

// The four-state cycle and the traffic light go round, state by state, and
// back to S0, in both forms; the output relays follow the table.
TEST(MachineSimulation, ExamplesGoRoundTheirCycles) {
  for (bool parallel : {false, true}) {
    Running cycle(Example("four-state-cycle.sfi"), parallel);
    const auto& d = cycle.drawn->session.form.table();
    int state = 0;
    for (int step = 0; step < 4; ++step) {
      // The trigger of the state's one transition is a single switch.
      const std::string trigger = d.Triggers[state][0];
      const int next = StateOfTarget(d.Targets[state][0]);
      const int i = cycle.sim->SwitchIndex(trigger);
      ASSERT_GE(i, 0) << trigger;
      cycle.sim->SetSwitch(i, true);
      ASSERT_TRUE(cycle.sim->Settle().settled);
      EXPECT_EQ(cycle.sim->State(), next) << "from S" << state;
      cycle.sim->SetSwitch(i, false);
      ASSERT_TRUE(cycle.sim->Settle().settled);
      EXPECT_EQ(cycle.sim->State(), next);
      for (int r = 0; r < kRelayCount; ++r) {
        if (d.CoilNames[r].empty()) continue;
        EXPECT_EQ(cycle.sim->OutputOn(r), d.CoilOn[next][r] && !d.CoilOff[next][r]) << d.CoilNames[r] << " S" << next;
      }
      state = next;
    }
    EXPECT_EQ(state, 0);

    Running light(Example("traffic-light.sfi"), parallel);
    EXPECT_EQ(light.Apply({{"T1", true}}), 1);
    EXPECT_EQ(light.Apply({{"T1", false}}), 1);
    EXPECT_EQ(light.Apply({{"T2", true}}), 2);
    EXPECT_EQ(light.Apply({{"T2", false}}), 2);
    EXPECT_EQ(light.Apply({{"T3", true}, {"Car", true}}), 3);
    EXPECT_EQ(light.Apply({{"T3", false}, {"Car", false}}), 3);
    EXPECT_EQ(light.Apply({{"T5", true}}), 0);
    EXPECT_EQ(light.sim->StateText(), "S0: Red");
  }
}

// A hand-coded table whose transition changes two relays: the order of the
// moves decides where it ends, and every outcome is named.
// S2 -> S0 goes through the transit state S3: the move into it says so and
// the machine is not said to rest there, unless X3 goes false halfway.
TEST(MachineSimulation, ATransitStateIsPassedThrough) {
  for (bool parallel : {false, true}) {
    Running r(testing::TransitRing(), parallel);
    EXPECT_EQ(r.Apply({{"X1", true}}), 1);
    EXPECT_EQ(r.Apply({{"X1", false}, {"X2", true}}), 2);
    EXPECT_EQ(r.Apply({{"X2", false}, {"X3", true}}), 0);
    ASSERT_EQ(r.last.moves.size(), 2u);
    EXPECT_EQ(r.last.moves[0].transit, 3);
    EXPECT_EQ(r.last.moves[0].passes, "passes S3 (transit) on the way to S0");
    EXPECT_EQ(r.last.moves[1].transit, -1);
    EXPECT_EQ(r.last.moves[1].passes, "");
    EXPECT_EQ(r.sim->StuckText(), "");

    r.sim->Reset(2);
    const int x3 = r.sim->SwitchIndex("X3");
    r.sim->SetSwitch(x3, true);
    ASSERT_TRUE(r.sim->Step());
    EXPECT_EQ(r.sim->PlaceText(), "passing S3 (transit) on the way to S0");
    r.sim->SetSwitch(x3, false);
    EXPECT_EQ(r.sim->Due(), 0);
    const std::string stuck =
        "stuck in S3 (transit): it is meant to be passed through to S0 on X3, but X3 is not true now";
    EXPECT_EQ(r.sim->StuckText(), stuck);
    EXPECT_EQ(r.sim->PlaceText(), stuck);
    EXPECT_EQ(r.sim->StateText(), "S3: S2 -> S0 (transit)");
  }
}

TEST(MachineSimulation, ATwoRelayChangeIsARace) {
  StateDiagram d;
  d.Codes[0] = "0101", d.Codes[1] = "0011";
  d.Targets[0][0] = "S1", d.Triggers[0][0] = "X1";
  d.Targets[1][0] = "S0", d.Triggers[1][0] = "X2";
  Running r(d, false);
  r.sim->SetSwitch(r.sim->SwitchIndex("X1"), true);
  const int due = r.sim->Due();
  const SettleResult result = r.sim->Settle();
  EXPECT_TRUE(result.settled);
  ASSERT_GE(result.raceEnds.size(), 2u);
  const auto named = [&](int code) {
    return std::find(result.raceEnds.begin(), result.raceEnds.end(), code) != result.raceEnds.end();
  };
  EXPECT_TRUE(named(r.sim->Code()));
  // Every first move the student can choose ends on a named outcome.
  for (int first = 0; first < 4; ++first) {
    if (!((due >> first) & 1)) continue;
    Running other(d, false);
    other.sim->SetSwitch(other.sim->SwitchIndex("X1"), true);
    ASSERT_TRUE(other.sim->Step(first));
    other.sim->Settle();
    EXPECT_TRUE(named(other.sim->Code())) << RelayCodeText(other.sim->Code());
  }
}

// A machine that never settles is stopped and said to oscillate: a Gray cycle
// of four states all on X1 goes round while X1 is held.
TEST(MachineSimulation, AnOscillationIsStopped) {
  const StateDiagram d = testing::GrayRingOnX1();
  Running r(d, false);
  r.sim->SetSwitch(r.sim->SwitchIndex("X1"), true);
  const SettleResult result = r.sim->Settle();
  EXPECT_FALSE(result.settled);
  EXPECT_TRUE(result.oscillates);
  EXPECT_EQ(result.moves.size(), static_cast<size_t>(MachineSimulation::kMaxMoves));
}

// What the canvas lights up is what the read-back finds on the conducting
// path: the live cells of each circuit, at the places they were drawn.
TEST(MachineSimulation, LitCellsAreTheReadBacksConductingCells) {
  Running r(Example("traffic-light.sfi"), false);
  r.Apply({{"T1", true}});
  const auto& views = r.drawn->session.views;
  const auto lit = LitCells(*r.sim, views.Places());
  ASSERT_FALSE(views.Places().empty());
  int liveContacts = 0;
  for (const auto& place : views.Places()) {
    if (place.slot >= kStateVariables) continue;
    const CircuitReadBack& circuit = r.sim->StateCircuit(place.slot);
    const auto live = circuit.LiveCells(r.sim->Values());
    EXPECT_EQ(live.empty(), !circuit.Conducts(r.sim->Values()));
    for (const auto& [x, row] : live) {
      const int px = place.mainX + x * place.pitch, py = row * 375;
      const auto found =
          std::find_if(lit.begin(), lit.end(), [&](const LitCell& c) { return c.x == px && c.y == py && c.tile != 0; });
      ASSERT_NE(found, lit.end());
      EXPECT_TRUE(found->live);
      liveContacts += found->tile >= 8;
    }
  }
  EXPECT_GT(liveContacts, 0);
  // The energised coil of A is lit; B's is not.
  int litCoils = 0;
  for (const auto& c : lit) litCoils += c.tile == 0 && c.live;
  EXPECT_EQ(litCoils, 1);
}

}  // namespace
}  // namespace kelvo
