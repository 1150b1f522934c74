#include <gtest/gtest.h>

#include <algorithm>

#include "statediagram/AutoCodes.h"
#include "support/DrawnMachine.h"

namespace kelvo {
namespace {

using testing::DrawTable;

// A washing machine of three states in a ring: Idle, Fill, Wash.
StateDiagram WashingMachine() {
  StateDiagram d;
  const char* comments[] = {"Idle", "Fill", "Wash"};
  const char* triggers[] = {"Start", "Full", "Empty"};
  for (int s = 0; s < 3; ++s) {
    d.Comments[s] = comments[s];
    d.Targets[s][0] = "S" + std::to_string((s + 1) % 3);
    d.Triggers[s][0] = triggers[s];
  }
  d.CoilNames[0] = "Valve";
  for (int s = 0; s < 3; ++s) d.CoilOn[s][0] = s == 1, d.CoilOff[s][0] = s != 1;
  return d;
}

bool Has(const std::vector<std::string>& notes, const std::string& text) {
  return std::find(notes.begin(), notes.end(), text) != notes.end();
}

TEST(TransitCodes, ThreeStateRingFromAutoToAPassingCheck) {
  auto m = std::make_unique<testing::DrawnMachine>();
  Session& session = m->session;
  session.form.OpenTable(WashingMachine());
  session.form.autoCodes = true;
  // No to removing the transitions of the states the automatic codes left without one.
  m->dialogs.fallbackAnswer = Answer::No;
  session.form.DrawCircuit();
  ASSERT_FALSE(m->dialogs.messages.empty());
  EXPECT_EQ(m->dialogs.messages.front().text, kExtraStateNeeded);
  const std::string why =
      "S0 -> S1 -> S2 -> S0 is a cycle of three transitions. Every relay that picks up on the way round must drop out "
      "again, so a cycle needs an even number of transitions: add a state, or use Tools > Assign Codes with Transit "
      "States.";
  EXPECT_EQ(session.form.AutoCodesWhy(), why);
  EXPECT_TRUE(Has(session.Notes(), why));

  const StateDiagram before = session.form.table();
  m->dialogs.answers = {Answer::No};
  EXPECT_FALSE(session.AssignCodesWithTransitStates());
  EXPECT_EQ(session.form.table(), before);

  m->dialogs.fallbackAnswer = Answer::Yes;
  m->dialogs.answers = {Answer::Yes};
  ASSERT_TRUE(session.AssignCodesWithTransitStates());
  EXPECT_EQ(m->dialogs.messages.back().title, kTransitToolTitle);
  EXPECT_FALSE(session.form.autoCodes);
  EXPECT_EQ(session.document.UndoText(), kTransitToolTitle);
  EXPECT_EQ(session.form.table().Comments[3], "S2 -> S0 (transit)");
  EXPECT_EQ(session.form.shown.code, "0000");

  session.form.DrawCircuit();
  const auto report = session.CheckDrawing();
  ASSERT_TRUE(report);
  EXPECT_EQ(report->Failed(), 0);
  EXPECT_EQ(Session::Verdict(*report), "Check: " + std::to_string(report->findings.size()) + " passed");
  EXPECT_TRUE(session.Notes().empty());

  // One step: a single Undo gives the table back.
  session.Undo();
  EXPECT_EQ(session.form.table(), before);
}

TEST(TransitCodes, TypedCodesTwoDigitsApartAreNotedAtCircuit) {
  StateDiagram d = WashingMachine();
  d.Codes[0] = "0000", d.Codes[1] = "0001", d.Codes[2] = "0011";
  auto m = DrawTable(d);
  EXPECT_TRUE(
      Has(m->session.Notes(),
          "S2 -> S0 changes A and B together (0011 -> 0000): the drawn circuits make each relay wait for the "
          "other, so the machine stays in S2. Give S2 and S0 codes one digit apart, or use Tools > Assign Codes "
          "with Transit States."));
  const auto report = m->session.CheckDrawing();
  ASSERT_TRUE(report);
  EXPECT_GT(report->Failed(), 0);
  EXPECT_EQ(Session::Verdict(*report), "Check: " + std::to_string(report->Failed()) + " of " +
                                           std::to_string(report->findings.size()) + " failed (Ctrl+K shows why)");
}

}  // namespace
}  // namespace kelvo
