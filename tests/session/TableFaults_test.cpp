#include "session/TableFaults.h"

#include <gtest/gtest.h>

#include "support/Tables.h"

namespace kelvo {
namespace {

TEST(TableFaults, CommentsAndRelayNames) {
  struct Case {
    std::string comment, relayName;
    std::vector<std::string> faults;
  };
  const std::vector<Case> cases = {
      {"Red\x01",
       "",
       {"State S0 has a comment that cannot be taken: it holds U+0001, a control character. Correct "
        "the comment first."}},
      {std::string(201, 'c'),
       "",
       {"State S0 has a comment that cannot be taken: it has 201 characters, more than "
        "the 200 a comment may have. Correct the comment first."}},
      {"",
       "Lamp\xC2\x9B",
       {"Relay 1 has a name that cannot be taken: it holds U+009B, a control character. Correct "
        "the relay name first."}},
      {"",
       std::string(65, 'r'),
       {"Relay 1 has a name that cannot be taken: it has 65 characters, more than the 64 "
        "a relay name may have. Correct the relay name first."}},
      {std::string(200, 'c'), std::string(64, 'r'), {}},
      {"Red and amber \xE2\x80\xAE", "Lamp \xC3\xA9", {}},
  };
  for (const auto& c : cases) {
    StateDiagram d = testing::Latch();
    d.Comments[0] = c.comment;
    d.CoilNames[0] = c.relayName;
    EXPECT_EQ(FaultTexts(TextFaults(d)), c.faults) << c.comment << c.relayName;
  }
}

TEST(TableFaults, SharedCodesAndRepeatedTransitions) {
  StateDiagram d = testing::Latch();
  d.Codes[2] = "0001";
  EXPECT_TRUE(DuplicateNotes(d).empty()) << "S2 is not in use";
  d.Targets[2][0] = "S0";
  d.Triggers[2][0] = "X3";
  d.Targets[1][2] = "S0";
  d.Triggers[1][2] = "x2";
  EXPECT_EQ(FaultTexts(DuplicateNotes(d)),
            (std::vector<std::string>{
                "State S2 has the code 0001, as S1 has: the circuits cannot tell the two states apart.",
                "State S1 (transition 3) goes to S0 on \"x2\", as transition 1 does: the second is the same "
                "transition."}));
  // Each names where it is: the state, and the transition when it is about one.
  const auto notes = DuplicateNotes(d);
  EXPECT_EQ(std::make_pair(notes[0].state, notes[0].transition), std::make_pair(2, -1));
  EXPECT_EQ(std::make_pair(notes[1].state, notes[1].transition), std::make_pair(1, 2));
}

}  // namespace
}  // namespace kelvo
