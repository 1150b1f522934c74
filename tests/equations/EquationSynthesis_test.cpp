#include "equations/EquationSynthesis.h"

#include <gtest/gtest.h>

#include <bitset>
#include <iostream>
#include <numeric>
#include <random>

#include "equations/EquationView.h"
#include "equations/SwitchFunction.h"

namespace kelvo {
namespace {

struct Transition {
  int from;
  std::string target;
  std::string trigger;
};

EquationSynthesis Synthesize(const std::vector<std::string>& codes, const std::vector<Transition>& transitions,
                             std::vector<std::string>* problems = nullptr) {
  StateDiagram d;
  d.Clear();
  for (size_t s = 0; s < codes.size(); ++s) d.Codes[s] = codes[s];
  std::array<int, kStateCount> used{};
  for (const auto& t : transitions) {
    const int slot = used[t.from]++;
    d.Targets[t.from][slot] = t.target;
    d.Triggers[t.from][slot] = t.trigger;
  }
  EquationSynthesis synthesis;
  auto found = synthesis.CollectTransitions(d);
  if (found.empty()) found = synthesis.SynthesizeStateEquations();
  if (problems) *problems = FaultTexts(found);
  return synthesis;
}

TEST(EquationSynthesis, TwoStateLatch) {
  const auto s = Synthesize({"0000", "0001"}, {{0, "S1", "X1"}, {1, "S0", "x2"}});
  EXPECT_EQ(s.idleCount, 3);
  const VariableEquations& a = s.vars[0];
  EXPECT_EQ(a.set, "X1");
  EXPECT_EQ(a.reset, "x2");
  EXPECT_EQ(a.complementedReset, "X2");
  EXPECT_EQ(a.setWithHold, "X1+A");
  EXPECT_EQ(a.sigma, "\xCE\xA3( x2 )( X1 + A )");
  EXPECT_EQ(a.factored, "( X2 )( X1 + A )");
  EXPECT_EQ(a.final, "X1.X2+A.X2");
  EXPECT_EQ(s.parallelEquations, (std::array<std::string, 4>{"X2|X1+A", "|", "|", "|"}));
  for (int x = 1; x < 4; ++x) {
    EXPECT_EQ(s.vars[x].sigma, "-");
    EXPECT_EQ(s.vars[x].factored, "-");
    EXPECT_EQ(s.vars[x].final, "");
  }

  const auto rows = EquationViewOf(s);
  EXPECT_EQ(rows.On[0], "X1+A");
  EXPECT_EQ(rows.Off[0], "x2");
  EXPECT_EQ(rows.Func[0], "A =  \xCE\xA3( x2 )( X1 + A ) = ( X2 )( X1 + A )");
  EXPECT_EQ(rows.Final[0], "  = X1.X2+A.X2");
  EXPECT_EQ(rows.Func[3], "D =  - = -");
  EXPECT_EQ(rows.On[3], "");
  EXPECT_EQ(rows.Off[3], "");
  EXPECT_EQ(rows.Final[3], "  = ");
}

TEST(EquationSynthesis, FourStateCycleWithRelay) {
  auto s = Synthesize({"0000", "0001", "0011", "0010"},
                      {{0, "S1", "X1"}, {1, "S2", "X2"}, {2, "S3", "X3"}, {3, "S0", "X4"}});
  EXPECT_EQ(s.idleCount, 2);
  const VariableEquations& a = s.vars[0];
  const VariableEquations& b = s.vars[1];
  EXPECT_EQ(a.set, "X1.b");
  EXPECT_EQ(b.set, "X2.A");
  EXPECT_EQ(a.reset, "X3.B");
  EXPECT_EQ(b.reset, "X4.a");
  EXPECT_EQ(a.sigma, "\xCE\xA3( X3.B )( X1.b + A )");
  EXPECT_EQ(b.sigma, "\xCE\xA3( X4.a )( X2.A + B )");
  EXPECT_EQ(a.complementedReset, "x3+b");
  EXPECT_EQ(b.complementedReset, "x4+A");
  EXPECT_EQ(a.factored, "( x3+b )( X1.b + A )");
  EXPECT_EQ(b.factored, "( x4+A )( X2.A + B )");
  EXPECT_EQ(a.setWithHold, "X1.b+A");
  EXPECT_EQ(b.setWithHold, "X2.A+B");
  EXPECT_EQ(s.parallelEquations[0], "x3+b|X1.b+A");
  EXPECT_EQ(s.parallelEquations[1], "x4+A|X2.A+B");
  EXPECT_EQ(a.final, "A.x3+X1.b+A.b");
  EXPECT_EQ(b.final, "B.x4+X2.A+B.A");
  for (int x = 2; x < 4; ++x) {
    EXPECT_EQ(s.vars[x].sigma, "-");
    EXPECT_EQ(s.vars[x].final, "");
    EXPECT_EQ(s.parallelEquations[x], "|");
  }

  StateDiagram d;
  d.Clear();
  d.Codes = {"0000", "0001", "0011", "0010"};
  d.CoilOn[1][0] = d.CoilOn[2][0] = true;
  d.CoilOn[3][1] = true;  // relay 1 has no name
  s.BuildCoilEquations(d, {"Lamp", "", "", "", "", ""});
  EXPECT_EQ(s.coil, (std::array<std::string, 6>{"A.b+A.B", "", "", "", "", ""}));

  // Relay 0 ON nowhere: the minterms keep the idle literals.
  StateDiagram other = d;
  other.CoilOn[1][0] = other.CoilOn[2][0] = false;
  other.CoilOn[3][2] = true;
  s.BuildCoilEquations(other, {"Lamp", "", "Bell", "", "", ""});
  EXPECT_EQ(s.coil[0], "");
  EXPECT_EQ(s.coil[2], "a.B.c.d");
}

TEST(EquationSynthesis, EdgeCases) {
  // A trigger with "+" gets the state suffix on every piece.
  auto plus = Synthesize({"0000", "0010", "0011"}, {{0, "S1", "Q"}, {1, "S2", "X1+Y1"}, {2, "S0", "Z"}});
  EXPECT_EQ(plus.vars[0].set, "X1.B+Y1.B");

  // Set but no reset: the missing reset factor is 1, so the final equation is
  // the set expression with its hold; a self transition contributes nothing.
  auto noReset = Synthesize({"0000", "0001"}, {{0, "S1", "X1"}, {1, "S1", "Y"}});
  EXPECT_EQ(noReset.vars[0].set, "X1");
  EXPECT_EQ(noReset.vars[0].reset, "");
  EXPECT_EQ(noReset.vars[0].final, "X1+A");
  EXPECT_EQ(noReset.parallelEquations[0], "|X1+A");
  // A chain S0 -> S1 -> S2 that never comes back: B is set with A's help and holds.
  auto chain = Synthesize({"0000", "0001", "0011"}, {{0, "S1", "X1"}, {1, "S2", "X2"}});
  EXPECT_EQ(chain.vars[0].final, "X1.b+A");
  EXPECT_EQ(chain.vars[1].final, "X2.A+B");

  // Reset but no set: the relay can only hold, so its own contact is the second part.
  auto noSet = Synthesize({"0001", "0000"}, {{0, "S1", "X1"}});
  EXPECT_EQ(noSet.vars[0].reset, "X1");
  EXPECT_EQ(noSet.parallelEquations[0], "x1|");
  EXPECT_EQ(noSet.vars[0].final, "A.x1");

  // Hand codes with a used leading variable: the left-out positions follow the
  // count, so D is dropped and the constant C stays in the products.
  auto lead = Synthesize({"0000", "1000"}, {{0, "S1", "X"}, {1, "S0", "Y"}});
  EXPECT_EQ(lead.idleCount, 3);
  EXPECT_EQ(lead.vars[3].set, "X.a");
  EXPECT_EQ(lead.vars[3].sigma, "-");  // the display rows follow the count too
  auto mixed = Synthesize({"0000", "1000", "1001"}, {{0, "S1", "X"}, {1, "S2", "Y"}, {2, "S0", "Z"}});
  EXPECT_EQ(mixed.idleCount, 2);
  EXPECT_EQ(mixed.vars[0].set, "Y.b");
  EXPECT_EQ(mixed.vars[3].set, "X.b.a");  // D itself is left out, B (constant 0) stays

  // A relay ON in all 16 states.
  EquationSynthesis all;
  StateDiagram d;
  d.Clear();
  for (int s = 0; s < kStateCount; ++s) {
    d.Codes[s] =
        std::string{char('0' + (s >> 3 & 1)), char('0' + (s >> 2 & 1)), char('0' + (s >> 1 & 1)), char('0' + (s & 1))};
    d.CoilOn[s][0] = true;
  }
  all.BuildCoilEquations(d, {"M", "", "", "", "", ""});
  EXPECT_EQ(all.coil[0], "a+A");  // every variable idle: each minterm is cut to its A literal
}

TEST(EquationSynthesis, IncompleteCodesGiveNoRelayTerm) {
  EquationSynthesis s;
  StateDiagram d;
  d.Clear();
  d.Codes[0] = "0001";
  d.Codes[1] = "01";  // incomplete
  d.Codes[2] = "0011";
  for (int state : {0, 1, 2}) d.CoilOn[state][3] = true;
  s.BuildCoilEquations(d, {"", "", "", "Pump", "", ""});
  EXPECT_EQ(s.coil[3], "A.b.c.d+A.B.c.d");
}

TEST(EquationSynthesis, ProblemsInsteadOfWrongCircuits) {
  std::vector<std::string> problems;
  Synthesize({"0000", "0001"}, {{0, "S1", "X1"}, {1, "S16", "x2"}}, &problems);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(
      problems[0],
      "State S1 (transition 1) goes to \"S16\", which is not one of the states S0 to S15. Correct the target first.");

  // Ten transitions setting A: S0..S9 (A=0) each go to S10 (A=1).
  std::vector<std::string> codes(16, "");
  std::vector<Transition> ten;
  for (int s = 0; s < 10; ++s) {
    codes[s] = "0000";
    ten.push_back({s, "S10", "X" + std::to_string(s)});
  }
  codes[10] = "0001";
  auto over = Synthesize(codes, ten, &problems);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0],
            "State variable A has more than 9 set transitions; its relay circuit can hold at most 9. Give the machine "
            "other state codes or fewer transitions.");
  EXPECT_EQ(over.SetTerms[3][8].trigger, "X8");

  // A reset expression whose complement cannot be multiplied out.
  std::string trigger = "a1.b1.c1.d1";
  for (int i = 2; i <= 11; ++i)  // 4 x 3^10 terms
    trigger += "+e" + std::to_string(i) + ".f" + std::to_string(i) + ".g" + std::to_string(i);
  Synthesize({"0001", "0000"}, {{0, "S1", trigger}, {1, "S0", "Y"}}, &problems);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0],
            "The reset expression of A is too large to multiply out (more than 65536 terms). Simplify the triggers of "
            "its reset transitions.");
}

}  // namespace
}  // namespace kelvo

namespace kelvo {
namespace {

// "start" is the complement of "Start"; complementing "start" gives "START",
// which is "Start" again: (START+x2)(Start+A) is START+A.x2, Start kept.
TEST(EquationSynthesis, MixedCaseNamesKeepTheirSwitch) {
  const auto s = Synthesize({"0000", "0001"}, {{0, "S1", "Start"}, {1, "S0", "start.X2"}});
  EXPECT_EQ(s.vars[0].final, "START+A.x2");
  EXPECT_EQ(s.parallelEquations[0], "START+x2|Start+A");
}

TEST(EquationSynthesis, TriggersThatAreRefused) {
  const std::string nbsp = "T1\xC2\xA0", zwsp = "T1\xE2\x80\x8B",
                    rlo =
                        "T\xE2\x80\xAE"
                        "1";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {nbsp, "the contact \"" + nbsp + "\" holds U+00A0, which is neither a letter nor a digit"},
      {"X1+" + zwsp, "the contact \"" + zwsp + "\" holds U+200B, which is neither a letter nor a digit"},
      {rlo, "the contact \"" + rlo + "\" holds U+202E, which is neither a letter nor a digit"},
      {"X\x01", "the contact \"X\x01\" holds U+0001, which is neither a letter nor a digit"},
      {"X1-", "the contact \"X1-\" holds \"-\", which is neither a letter nor a digit"},
  };
  for (const auto& [trigger, fault] : cases) {
    std::vector<std::string> problems;
    Synthesize({"0000", "0001"}, {{0, "S1", trigger}, {1, "S0", "x2"}}, &problems);
    ASSERT_EQ(problems.size(), 1u) << trigger;
    EXPECT_EQ(problems[0], "State S0 (transition 1) has the trigger \"" + trigger +
                               "\", which is not a switch expression: " + fault + ". Correct the trigger first.");
  }
  std::vector<std::string> problems;
  Synthesize({"0000", "0001"}, {{0, "S1", "X1.b"}, {1, "S0", "x2"}}, &problems);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0],
            "State S0 (transition 1) has the trigger \"X1.b\", whose contact \"b\" is named like the state variable "
            "B and would be its relay's contact. Give the switch another name first.");
  // Letters and digits of any script after an ASCII first letter.
  Synthesize({"0000", "0001"},
             {{0, "S1",
               "T\xD0\x96\xD0\xB0"
               "1"},
              {1, "S0", "X\xD9\xA3"}},
             &problems);
  EXPECT_TRUE(problems.empty()) << problems[0];
}

// Random tables whose switches are written in several spellings: every final
// and two-part equation is not(reset) and (set or hold) in every setting.
TEST(EquationSynthesis, EquationsLatchOnRandomTablesWithMixedCaseNames) {
  const unsigned seed = 16180;
  std::mt19937 rng(seed);
  const std::vector<std::string> spellings = {"Start", "start", "START", "Stop", "stop",
                                              "STOP",  "Door",  "door",  "X1",   "x1"};
  int checked = 0;
  for (int round = 0; round < 300; ++round) {
    const int states = 2 + static_cast<int>(rng() % 5);
    std::vector<std::string> codes;
    std::vector<int> pool(16);
    std::iota(pool.begin(), pool.end(), 0);
    std::shuffle(pool.begin(), pool.end(), rng);
    for (int s = 0; s < states; ++s) codes.push_back(std::bitset<4>(pool[s]).to_string());
    std::vector<Transition> transitions;
    for (int s = 0; s < states; ++s) {
      for (int k = 0, n = 1 + static_cast<int>(rng() % 2); k < n; ++k) {
        std::string trigger;
        for (int t = 0, terms = 1 + static_cast<int>(rng() % 3); t < terms; ++t) {
          trigger += t ? "+" : "";
          for (int l = 0, lits = 1 + static_cast<int>(rng() % 3); l < lits; ++l)
            trigger += (l ? "." : "") + spellings[rng() % spellings.size()];
        }
        transitions.push_back({s, "S" + std::to_string((s + 1 + rng() % (states - 1)) % states), trigger});
      }
    }
    std::vector<std::string> problems;
    const auto s = Synthesize(codes, transitions, &problems);
    if (!problems.empty()) continue;
    for (int x = 0; x < kStateVariables; ++x) {
      const VariableEquations& v = s.vars[x];
      if (v.set.empty() && v.reset.empty()) continue;
      VariableTable table;
      const auto set = SwitchFunction::Parse(v.set, table);
      const auto reset = SwitchFunction::Parse(v.reset, table);
      const auto final = SwitchFunction::Parse(v.final, table);
      const auto twoPart = SwitchFunction::ParseTwoPart(s.parallelEquations[x], table);
      ASSERT_LE(table.Size(), 16);
      for (uint64_t values = 0; values < (uint64_t{1} << table.Size()); ++values) {
        const bool latched = !reset.Evaluate(values) && (set.Evaluate(values) || ((values >> x) & 1));
        ASSERT_EQ(final.Evaluate(values), latched)
            << "seed " << seed << " round " << round << " " << VariableLetter(x) << " = " << v.final;
        // A variable that is never set has no two-part hold to check.
        if (!v.setWithHold.empty()) {
          ASSERT_EQ(twoPart.Evaluate(values), latched)
              << "seed " << seed << " round " << round << " " << VariableLetter(x) << " = " << s.parallelEquations[x];
        }
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 100) << "seed " << seed;
  std::cout << "seed " << seed << "\n";
}

}  // namespace
}  // namespace kelvo
