#include "statediagram/StateDiagram.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(StateDiagram, HelpersFollowTheEncodings) {
  EXPECT_EQ(CodeToMinterm("0000"), "a.b.c.d");
  EXPECT_EQ(CodeToMinterm("0001"), "A.b.c.d");
  EXPECT_EQ(CodeToMinterm("0100"), "a.b.C.d");
  EXPECT_EQ(CodeToMinterm("0110"), "a.B.C.d");
  EXPECT_EQ(CodeToMinterm("1010"), "a.B.c.D");
  EXPECT_EQ(CodeToMinterm("1111"), "A.B.C.D");
  for (const char* bad : {"", "010", "01010", "01x0", "0 10"}) EXPECT_EQ(CodeToMinterm(bad), "") << bad;

  EXPECT_EQ(VariableLetter(VariableAtPosition(1)), 'D');
  EXPECT_EQ(VariableLetter(VariableAtPosition(2)), 'C');
  EXPECT_EQ(VariableLetter(VariableAtPosition(3)), 'B');
  EXPECT_EQ(VariableLetter(VariableAtPosition(4)), 'A');
  EXPECT_EQ(VariableAtPosition(0), -1);
  EXPECT_EQ(VariableAtPosition(5), -1);

  EXPECT_EQ(TargetNumber("S5"), 5);
  EXPECT_EQ(TargetNumber("S12"), 12);
  EXPECT_EQ(TargetNumber("S15"), 15);
  EXPECT_EQ(TargetNumber("S12x4"), 12);
  EXPECT_EQ(TargetNumber("SA"), 0);
  EXPECT_EQ(TargetNumber("S"), 0);
  EXPECT_EQ(TargetNumber("S-3"), 0);
  EXPECT_EQ(TargetNumber("S99"), 99);
  EXPECT_GT(TargetNumber("S99999999999999999999"), 15);
  EXPECT_EQ(TargetNumber("\xC3\x9C"
                         "7"),
            7);  // a two-byte first character
}

TEST(StateDiagram, FreshTableIsBlankAndClearingTurnsEveryRelayOff) {
  StateDiagram d;
  for (int s = 0; s < kStateCount; ++s) {
    for (int r = 0; r < kRelayCount; ++r) {
      EXPECT_FALSE(d.CoilOn[s][r]);
      EXPECT_FALSE(d.CoilOff[s][r]);
    }
  }
  d.Codes[3] = "0011";
  d.Triggers[2][1] = "X1";
  d.CoilNames[5] = "M";
  d.CoilOn[7][2] = true;
  d.Clear();
  StateDiagram expected;
  for (auto& row : expected.CoilOff) row.fill(true);
  EXPECT_EQ(d, expected);
}

TEST(StateDiagram, PagesCopyInAndOut) {
  StateDiagram d;
  d.Clear();
  StatePage page;
  page.code = "0101";
  page.comment = "  spaced  ";
  page.targets = {"S1", "", "S17", ""};
  page.triggers = {"X1.y", "", "Z", ""};
  page.on = {true, false, false, false, false, true};
  page.off = {false, true, true, true, true, true};
  page.coilNames = {"M1", "", "", "", "", "Lamp"};
  d.StorePage(9, page);
  EXPECT_EQ(d.Page(9), page);
  EXPECT_EQ(d.Page(3).coilNames, page.coilNames);
  EXPECT_EQ(d.Page(3).code, "");
}

}  // namespace
}  // namespace kelvo
