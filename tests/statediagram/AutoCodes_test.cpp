#include "statediagram/AutoCodes.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

struct Outcome {
  bool ok;
  std::vector<std::string> messages;
  std::array<std::string, kStateCount> codes;
  std::vector<std::pair<int, std::string>> shown;
};

Outcome Assign(const std::vector<std::tuple<int, int, std::string>>& transitions, StateDiagram d = {}) {
  for (const auto& [from, slot, target] : transitions) {
    d.Targets[from][slot] = target;
    d.Triggers[from][slot] = "X";
  }
  Outcome out;
  const auto result = AssignStateCodes(d, [&](int s, const std::string& c) { out.shown.emplace_back(s, c); });
  out.ok = result.ok;
  if (!result.ok) out.messages = {result.message};
  out.codes = d.Codes;
  return out;
}

std::array<std::string, kStateCount> Codes(std::vector<std::string> first) {
  std::array<std::string, kStateCount> codes;
  for (size_t i = 0; i < first.size(); ++i) codes[i] = first[i];
  return codes;
}

TEST(AutoCodes, Adjacency) {
  EXPECT_TRUE(CodesAdjacent("0010", "0011"));
  EXPECT_TRUE(CodesAdjacent("1000", "1010"));
  EXPECT_FALSE(CodesAdjacent("0001", "0010"));
  EXPECT_FALSE(CodesAdjacent("0001", "0001"));
  EXPECT_FALSE(CodesAdjacent("001", "000"));
  EXPECT_FALSE(CodesAdjacent("", "0000"));
}

TEST(AutoCodes, CodesAlongTheTransitions) {
  auto four = Assign({{0, 0, "S1"}, {1, 0, "S2"}, {2, 0, "S3"}, {3, 0, "S0"}});
  EXPECT_TRUE(four.ok);
  EXPECT_EQ(four.codes, Codes({"0000", "0001", "0011", "0010"}));
  EXPECT_TRUE(four.messages.empty());

  std::vector<std::tuple<int, int, std::string>> eight;
  for (int s = 0; s < 8; ++s) eight.emplace_back(s, 0, "S" + std::to_string((s + 1) % 8));
  EXPECT_EQ(Assign(eight).codes, Codes({"0000", "0001", "0011", "0010", "0110", "0100", "1100", "1000"}));

  auto fork = Assign({{0, 0, "S1"}, {0, 1, "S2"}, {1, 0, "S0"}, {2, 0, "S0"}});
  EXPECT_TRUE(fork.ok);
  EXPECT_EQ(fork.codes, Codes({"0000", "0001", "0010"}));
  // The code box is told of every state that receives a code, S0 first.
  EXPECT_EQ(fork.shown, (std::vector<std::pair<int, std::string>>{{0, "0000"}, {1, "0001"}, {2, "0010"}}));

  // Hand-typed codes are discarded, whatever the outcome.
  StateDiagram typed;
  typed.Codes[9] = "1111";
  EXPECT_EQ(Assign({{0, 0, "S1"}, {1, 0, "S0"}}, typed).codes, Codes({"0000", "0001"}));
}

TEST(AutoCodes, Aborts) {
  auto three = Assign({{0, 0, "S1"}, {1, 0, "S2"}, {2, 0, "S0"}});
  EXPECT_FALSE(three.ok);
  EXPECT_EQ(three.messages, std::vector<std::string>{kExtraStateNeeded});
  EXPECT_EQ(three.codes, Codes({"0000"}));
  // Every neighbour of 0000 was tried for S1 before giving up.
  std::vector<std::string> triedForS1;
  for (const auto& [s, c] : three.shown) {
    if (s == 1) triedForS1.push_back(c);
  }
  EXPECT_EQ(triedForS1, (std::vector<std::string>{"0001", "0010", "0100", "1000"}));

  auto join = Assign({{0, 0, "S1"}, {0, 1, "S2"}, {1, 0, "S3"}, {2, 0, "S3"}});
  EXPECT_EQ(join.messages, std::vector<std::string>{kErrorStateSequence});
  EXPECT_EQ(join.codes, Codes({"0000", "0001", "0010", "0011"}));

  auto unreached = Assign({{0, 0, "S2"}, {1, 0, "S2"}});
  EXPECT_EQ(unreached.messages, std::vector<std::string>{kErrorStateSequence});

  auto self = Assign({{0, 0, "S1"}, {1, 0, "S1"}});
  EXPECT_EQ(self.messages, std::vector<std::string>{kExtraStateNeeded});
  EXPECT_EQ(self.codes, Codes({"0000", "0001"}));
}

TEST(AutoCodes, TargetsOutsideTheTableAreRejected) {
  auto bad = Assign({{0, 0, "S1"}, {1, 0, "S16"}});
  EXPECT_FALSE(bad.ok);
  ASSERT_EQ(bad.messages.size(), 1u);
  EXPECT_EQ(bad.messages[0],
            "State S1 goes to \"S16\", which is not one of the states S0 to S15. Aborting Automatic calculation!");

  // A bad target among the transitions of the state being coded.
  auto inner = Assign({{0, 0, "S1"}, {1, 0, "S0"}, {1, 1, "S99999999999"}});
  ASSERT_EQ(inner.messages.size(), 1u);
  EXPECT_NE(inner.messages[0].find("State S1 goes to \"S99999999999\""), std::string::npos);
}

TEST(AutoCodes, BacktrackingOnlyUndoesTheGrantOfTheFailingState) {
  // S0 codes S1 and then S2; S1's successor S3 finds no code next to both S1
  // and S0. The last grant coded S2, not S1, so S2 keeps its code and S1 is
  // not retried.
  auto out = Assign({{0, 0, "S1"}, {0, 1, "S2"}, {1, 0, "S3"}, {3, 0, "S0"}});
  EXPECT_FALSE(out.ok);
  EXPECT_EQ(out.messages, std::vector<std::string>{kExtraStateNeeded});
  EXPECT_EQ(out.codes, Codes({"0000", "0001", "0010"}));
}

}  // namespace
}  // namespace kelvo
