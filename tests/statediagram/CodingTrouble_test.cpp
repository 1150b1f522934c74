#include "statediagram/CodingTrouble.h"

#include <gtest/gtest.h>

#include <tuple>

#include "statediagram/AutoCodes.h"
#include "support/Tables.h"

namespace kelvo {
namespace {

using testing::Arrows;

StateDiagram Table(const Arrows& arrows) { return testing::TableOf(arrows); }

// The automatic codes keep their one message; the explanation names the cause.
TEST(CodingTrouble, WhyTheAutomaticCodesGaveUp) {
  struct Case {
    const char* name;
    StateDiagram table;
    std::string message;
    std::string why;
  };
  const std::vector<Case> cases = {
      {"three-state ring", Table({{0, 1, "X"}, {1, 2, "X"}, {2, 0, "X"}}), kExtraStateNeeded,
       "S0 -> S1 -> S2 -> S0 is a cycle of three transitions. Every relay that picks up on the way round must drop out "
       "again, so a cycle needs an even number of transitions: add a state, or use Tools > Assign Codes with Transit "
       "States."},
      {"five-state ring", Table({{0, 1, "X"}, {1, 2, "X"}, {2, 3, "X"}, {3, 4, "X"}, {4, 0, "X"}}), kExtraStateNeeded,
       "S0 -> S1 -> S2 -> S3 -> S4 -> S0 is a cycle of five transitions. Every relay that picks up on the way round "
       "must drop out again, so a cycle needs an even number of transitions: add a state, or use Tools > Assign Codes "
       "with Transit States."},
      {"triangle not taken round", Table({{0, 1, "X"}, {0, 2, "Y"}, {1, 2, "X"}, {2, 0, "Z"}}), kExtraStateNeeded,
       "S0 -> S1 -> S2 -> S0 is a cycle of three transitions. Every relay that picks up on the way round must drop out "
       "again, so a cycle needs an even number of transitions: add a state, or use Tools > Assign Codes with Transit "
       "States."},
      {"five emergency stops",
       Table({{0, 1, "Go"},
              {1, 5, "Go"},
              {5, 6, "Go"},
              {0, 2, "Up"},
              {0, 3, "Down"},
              {0, 4, "Left"},
              {1, 0, "Stop"},
              {2, 0, "Stop"},
              {3, 0, "Stop"},
              {4, 0, "Stop"},
              {6, 0, "Stop"}}),
       kExtraStateNeeded,
       "S0 has transitions with five states (S1, S2, S3, S4 and S6), but a code of four digits has only four codes one "
       "digit away from it: lead some of these transitions through another state, or use Tools > Assign Codes with "
       "Transit States."},
      {"join", Table({{0, 1, "X"}, {0, 2, "X"}, {1, 3, "X"}, {2, 3, "X"}}), kErrorStateSequence,
       "S2 -> S3 runs from a lower to a higher state number, but S3 has its code already, from S1 -> S3, and the "
       "automatic codes allow only one such transition into a state. Numbered in the order they are reached from S0, "
       "the states get codes: S2 as S3, S3 as S2."},
      {"unreached", Table({{0, 2, "X"}, {1, 2, "X"}, {2, 0, "X"}, {2, 1, "Y"}}), kErrorStateSequence,
       "S1 -> S2 runs from a lower to a higher state number, but no transition from a lower-numbered state reaches S1 "
       "first, and the automatic codes give each state its code along such a transition. Numbered in the order they "
       "are reached from S0, the states get codes: S1 as S2, S2 as S1."},
      {"to itself", Table({{0, 1, "X"}, {1, 1, "X"}}), kExtraStateNeeded,
       "S1 -> S1 is a transition of S1 to itself: no relay can change on it, so no code fits it. Remove it: a state "
       "stays as it is while none of its triggers is true."},
      {"target outside the table", Table({{0, 1, "X"}}), "", ""},
  };
  for (const Case& c : cases) {
    StateDiagram coded = c.table;
    if (std::string(c.name) == "target outside the table") coded.Targets[1][0] = "S16", coded.Triggers[1][0] = "X";
    const auto result = AssignStateCodes(coded, nullptr);
    if (!c.message.empty()) {
      EXPECT_EQ(result.message, c.message) << c.name;
    }
    StateDiagram asked = c.table;
    if (std::string(c.name) == "target outside the table") asked = coded;
    EXPECT_EQ(WhyAutoCodesFailed(asked), c.why) << c.name;
  }
}

}  // namespace
}  // namespace kelvo
