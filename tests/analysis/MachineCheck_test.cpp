#include "analysis/MachineCheck.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(MachineCheck, SettingsAreWrittenRelaysFirstThenSwitchesByName) {
  VariableTable table;
  const int x2 = table.Index("X2"), x1 = table.Index("x1"), door = table.Index("Door");
  const uint64_t switches = (uint64_t{1} << x2) | (uint64_t{1} << x1) | (uint64_t{1} << door);
  const uint64_t values = (uint64_t{1} << x1) | 0b0010;
  EXPECT_EQ(ValuesText(table, switches | 0b0011, values), "A=0 B=1 Door=0 X2=0 x1=1");
  EXPECT_EQ(WithText(table, switches, values), " with Door=0 X2=0 x1=1");
  EXPECT_EQ(WithText(table, 0, values), "");
  EXPECT_EQ(CodeText(0b0011), "0011");
  EXPECT_EQ(CodeText(0b1000), "1000");
}

// A one-relay machine built by hand: S0 0000 -> S1 0001 on X1, S1 -> S0 on X2,
// relay A a latch reset by X2.
TEST(MachineCheck, TransitionAndHoldOnHandCircuits) {
  StateDiagram d;
  d.Clear();
  d.Codes[0] = "0000";
  d.Codes[1] = "0001";
  d.Targets[0][0] = "S1", d.Triggers[0][0] = "X1";
  d.Targets[1][0] = "S0", d.Triggers[1][0] = "X2";
  VariableTable table;
  MachineUnderTest m{d, table, {}, {}, {}, 0, {}};
  m.triggers[0][0] = SwitchFunction::Parse("X1", table);
  m.triggers[1][0] = SwitchFunction::Parse("X2", table);
  const SwitchFunction latch = SwitchFunction::ParseTwoPart("x2|X1+A", table);
  m.relays[0] = [&latch](uint64_t v) { return latch.Evaluate(v); };
  m.settings = SwitchSettings(kStateRelayVariables, table.Size(), nullptr);
  m.switchMask = 0b110000;
  EXPECT_TRUE(CheckTransition(m, 0, 0, 1).passed) << CheckTransition(m, 0, 0, 1).text;
  EXPECT_TRUE(CheckTransition(m, 1, 0, 0).passed);
  EXPECT_TRUE(CheckHold(m, 0).passed);
  EXPECT_TRUE(CheckHold(m, 1).passed);

  // Without its holding contact the relay drops out as soon as X1 is let go.
  const SwitchFunction noHold = SwitchFunction::ParseTwoPart("x2|X1", table);
  m.relays[0] = [&noHold](uint64_t v) { return noHold.Evaluate(v); };
  const CheckFinding hold = CheckHold(m, 1);
  EXPECT_FALSE(hold.passed);
  EXPECT_EQ(hold.text, "hold S1 (0001): relay A moves with X1=0 X2=0");
}

}  // namespace
}  // namespace kelvo
