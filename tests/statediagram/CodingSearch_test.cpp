#include "statediagram/CodingSearch.h"

#include <gtest/gtest.h>

#include <iostream>
#include <random>
#include <tuple>

#include "statediagram/AutoCodes.h"
#include "support/Tables.h"

namespace kelvo {
namespace {

using testing::Arrows;

StateDiagram Table(const Arrows& arrows) { return testing::TableOf(arrows); }

Arrows Ring(int states) {
  Arrows ring;
  for (int s = 0; s < states; ++s) ring.emplace_back(s, (s + 1) % states, "X" + std::to_string(s + 1));
  return ring;
}

// Six steps in a ring on Next, and an emergency stop back to S0 from each of the five others.
Arrows EmergencyStops() {
  Arrows arrows;
  for (int s = 0; s < 6; ++s) arrows.emplace_back(s, (s + 1) % 6, "Next");
  for (int s = 1; s < 6; ++s) arrows.emplace_back(s, 0, "Stop");
  return arrows;
}

int Differences(const std::string& a, const std::string& b) {
  int d = 0;
  for (int p = 0; p < kCodeDigits; ++p) d += a[p] != b[p];
  return d;
}

// What is wrong with `coded` as a coding of `original`: S0 is 0000, the codes
// are distinct, each transition changes one digit, and each transition of
// the original is still there on its trigger, directly or through one state
// the original did not use.
std::string OracleFault(const StateDiagram& original, const StateDiagram& coded) {
  if (coded.Codes[0] != "0000") return "S0 is " + coded.Codes[0];
  for (int a = 0; a < kStateCount; ++a) {
    for (int b = a + 1; b < kStateCount; ++b) {
      if (!coded.Codes[a].empty() && coded.Codes[a] == coded.Codes[b]) return "shared code " + coded.Codes[a];
    }
  }
  for (int s = 0; s < kStateCount; ++s) {
    for (int j = 0; j < kSlotCount; ++j) {
      if (coded.Targets[s][j].empty()) continue;
      const int t = StateOfTarget(coded.Targets[s][j]);
      if (!IsCompleteCode(coded.Codes[s]) || !IsCompleteCode(coded.Codes[t]) ||
          Differences(coded.Codes[s], coded.Codes[t]) != 1) {
        return "S" + std::to_string(s) + " -> S" + std::to_string(t) + " is not one digit";
      }
    }
  }
  const auto unused = [&](int n) {
    return original.Comments[n].empty() && original.Targets[n] == std::array<std::string, kSlotCount>{};
  };
  for (int s = 0; s < kStateCount; ++s) {
    for (int j = 0; j < kSlotCount; ++j) {
      if (original.Targets[s][j].empty()) continue;
      const int t = StateOfTarget(original.Targets[s][j]);
      const std::string& x = original.Triggers[s][j];
      const int n = StateOfTarget(coded.Targets[s][j]);
      if (coded.Triggers[s][j] != x) return "trigger changed";
      if (n == t) continue;
      if (!unused(n) || coded.Targets[n][0] != "S" + std::to_string(t) || coded.Triggers[n][0] != x) {
        return "S" + std::to_string(s) + " -> S" + std::to_string(t) + " on " + x + " is lost";
      }
    }
  }
  return {};
}

// Whether some coding without added states exists, by trying every code for every state used.
bool AnyCodingExists(const StateDiagram& d) {
  std::vector<int> used{0};
  for (int s = 1; s < kStateCount; ++s) {
    bool linked = false;
    for (int a = 0; a < kStateCount; ++a) {
      for (int j = 0; j < kSlotCount; ++j) {
        const int t = StateOfTarget(d.Targets[a][j]);
        linked = linked || (t >= 0 && (a == s || t == s));
      }
    }
    if (linked) used.push_back(s);
  }
  std::array<int, kStateCount> code{};
  std::function<bool(size_t, int)> place = [&](size_t i, int taken) {
    if (i == used.size()) {
      for (int a = 0; a < kStateCount; ++a) {
        for (int j = 0; j < kSlotCount; ++j) {
          const int t = StateOfTarget(d.Targets[a][j]);
          if (t >= 0 && __builtin_popcount(code[a] ^ code[t]) != 1) return false;
        }
      }
      return true;
    }
    for (int c = i == 0 ? 0 : 1; c < (i == 0 ? 1 : 16); ++c) {
      if ((taken >> c) & 1) continue;
      code[used[i]] = c;
      if (place(i + 1, taken | (1 << c))) return true;
    }
    return false;
  };
  return place(0, 0);
}

TEST(CodingSearch, FewestTransitStates) {
  struct Case {
    const char* name;
    Arrows arrows;
    size_t transits;
  };
  const std::vector<Case> cases = {
      {"four-state ring", Ring(4), 0},
      {"three-state ring", Ring(3), 1},
      {"five-state ring", Ring(5), 1},
      {"five emergency stops", EmergencyStops(), 3},
  };
  for (const Case& c : cases) {
    const StateDiagram d = Table(c.arrows);
    EXPECT_EQ(FindCoding(d, false).found, c.transits == 0) << c.name;
    const CodingResult coding = FindCoding(d, true);
    ASSERT_TRUE(coding.found) << c.name << ": " << coding.reason;
    EXPECT_EQ(coding.transits.size(), c.transits) << c.name << "\n" << CodingText(d, coding);
    EXPECT_EQ(OracleFault(d, WithCoding(d, coding)), "") << c.name << "\n" << CodingText(d, coding);
  }
}

TEST(CodingSearch, ThreeStateRingGetsOneTransitStateBackToS0) {
  StateDiagram d = Table({{0, 1, "Start"}, {1, 2, "Full"}, {2, 0, "Empty"}});
  d.CoilNames[0] = "Pump";
  d.CoilNames[1] = "Motor";
  for (int s = 0; s < 3; ++s) {
    d.CoilOn[s] = {s != 0, true};
    d.CoilOff[s] = {s == 0, false};
  }
  const CodingResult coding = FindCoding(d, true);
  ASSERT_TRUE(coding.found);
  const StateDiagram coded = WithCoding(d, coding);
  EXPECT_EQ(CodingText(d, coding),
            "Codes:\n  S0 0000\n  S1 0001\n  S2 0011\nTransit states added:\n  S3 0010 \"S2 -> S0 (transit)\"\n"
            "Transitions rerouted:\n  S2 -> S0 on Empty now goes S2 -> S3 -> S0");
  EXPECT_EQ(coded.Targets[2][0], "S3");
  EXPECT_EQ(coded.Targets[3][0], "S0");
  EXPECT_EQ(coded.Triggers[3][0], "Empty");
  EXPECT_EQ(coded.Comments[3], "S2 -> S0 (transit)");
  // ON where ON in the source and the target: Motor only.
  EXPECT_EQ(coded.CoilOn[3], (std::array<bool, kRelayCount>{false, true}));
  EXPECT_EQ(coded.CoilOff[3], (std::array<bool, kRelayCount>{true, false}));
  // The shared transit state of the emergency stops names every source.
  const StateDiagram stops = Table(EmergencyStops());
  const CodingResult shared = FindCoding(stops, true);
  bool named = false;
  for (const TransitState& t : shared.transits) named = named || TransitComment(t).find(", ") != std::string::npos;
  EXPECT_TRUE(named) << CodingText(stops, shared);
}

TEST(CodingSearch, WhenSixteenStatesAreNotEnough) {
  // S0 has transitions with eleven states on eleven triggers: seven would
  // need a transit state of their own, and only four numbers are free.
  Arrows star;
  for (int s = 1; s <= 11; ++s) star.emplace_back(s, 0, "X" + std::to_string(s));
  const CodingResult star11 = FindCoding(Table(star), true);
  EXPECT_FALSE(star11.found);
  EXPECT_EQ(star11.reason,
            "16 states are not enough: the table uses 12 state numbers, and even with transit states in the four "
            "left, no coding changes one digit per transition. S0 has transitions with eleven states (S1, S2, S3, S4, "
            "S5, S6, S7, S8, S9, S10 and S11), but a code of four digits has only four codes one digit away from it: "
            "lead some of these transitions through another state, or use Tools > Assign Codes with Transit States.");

  StateDiagram full = Table(Ring(3));
  for (int s = 3; s < kStateCount; ++s) full.Comments[s] = "spare";
  const CodingResult none = FindCoding(full, true);
  EXPECT_FALSE(none.found);
  EXPECT_EQ(none.reason.rfind("16 states are not enough: the table uses every state number, so none is left for a "
                              "transit state. S0 -> S1 -> S2 -> S0 is a cycle of three",
                              0),
            0u)
      << none.reason;

  const CodingResult self = FindCoding(Table({{0, 1, "X"}, {1, 1, "Y"}}), true);
  EXPECT_FALSE(self.found);
  EXPECT_EQ(self.reason.rfind("S1 -> S1 is a transition of S1 to itself", 0), 0u) << self.reason;
}

TEST(CodingSearch, RandomTablesAgainstAnOracle) {
  const unsigned seed = 2828;
  std::mt19937 rng(seed);
  int withTransits = 0, exhaustive = 0;
  for (int round = 0; round < 300; ++round) {
    const int states = 2 + static_cast<int>(rng() % 9);
    Arrows arrows;
    const int count = 1 + static_cast<int>(rng() % (2 * states));
    for (int k = 0; k < count; ++k) {
      const int from = static_cast<int>(rng() % states), to = static_cast<int>(rng() % states);
      int slots = 0;
      for (const auto& a : arrows) slots += std::get<0>(a) == from;
      if (from != to && slots < kSlotCount) arrows.emplace_back(from, to, rng() % 2 ? "Stop" : "X" + std::to_string(k));
    }
    const StateDiagram d = Table(arrows);
    const std::string where = "seed " + std::to_string(seed) + " round " + std::to_string(round);
    const CodingResult plain = FindCoding(d, false);
    if (states <= 5) {
      EXPECT_EQ(plain.found, AnyCodingExists(d)) << where;
      ++exhaustive;
    }
    if (plain.found) {
      EXPECT_TRUE(plain.transits.empty()) << where;
      EXPECT_EQ(OracleFault(d, WithCoding(d, plain)), "") << where;
    }
    const CodingResult coding = FindCoding(d, true);
    if (plain.found) {
      EXPECT_TRUE(coding.found && coding.transits.empty()) << where;
    }
    if (!coding.found) continue;
    withTransits += !coding.transits.empty();
    EXPECT_EQ(OracleFault(d, WithCoding(d, coding)), "") << where << "\n" << CodingText(d, coding);
  }
  EXPECT_GT(withTransits, 30) << "seed " << seed;
  EXPECT_GT(exhaustive, 50) << "seed " << seed;
  std::cout << "seed " << seed << "\n";
}

}  // namespace
}  // namespace kelvo
