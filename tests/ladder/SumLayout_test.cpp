#include "ladder/SumLayout.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/LayoutText.h"

namespace kelvo {
namespace {

using Lines = std::vector<std::string>;
using testing::Chain;
using testing::TermText;
using testing::TileText;

std::string& EquationAt(EquationSet& equations, int e) {
  return e < kStateVariables ? equations.variableEquations[e] : equations.relayEquations[e - kStateVariables];
}

void Build(const EquationSet& equations, LadderGrid& grid, std::vector<std::string>& problems) {
  ParseSumEquations(equations, grid, problems);
  BuildSumTiles(grid, problems);
}

const Lines kWorkedTerms = {"A1 B1 c", "* / D", "1 X Y"};

TEST(SumLayout, WorkedExampleFillsOnlyItsCircuitAndLabelSlot) {
  struct Placement {
    int equation, slot;
  };
  for (const Placement p : {Placement{0, 0}, {3, 3}, {4, 8}, {6, 10}, {9, 13}}) {
    SCOPED_TRACE(p.equation);
    EquationSet equations;
    EquationAt(equations, p.equation) = "A1.B1.c+A1.B1.D+X.Y";
    auto grid = std::make_unique<LadderGrid>();
    std::vector<std::string> problems;
    Build(equations, *grid, problems);
    EXPECT_TRUE(problems.empty());
    for (int e = 0; e < kSumEquations; ++e) {
      EXPECT_EQ(TermText(grid->SumTerms[e]), e == p.equation ? kWorkedTerms : Lines{}) << e;
      EXPECT_EQ(grid->SumWidth[e], e == p.equation ? 2 : 0) << e;
    }
    EXPECT_EQ(TileText(grid->SumTiles[p.slot], grid->SumLabels[p.slot]),
              (Lines{". 6 8:A1 1 8:B1 6 9:c 6", ". 2 * * * 3 8:D 7", ". 3 1 1 8:X 1 8:Y 4"}));
    for (int s = 0; s < kSumSlots; ++s) {
      if (s == p.slot) continue;
      EXPECT_EQ(TileText(grid->SumTiles[s], grid->SumLabels[s]), Lines{}) << s;
    }
    for (int s = 0; s < kMainLengthSlots; ++s) EXPECT_EQ(grid->MainLength[s], s == p.slot ? 7 : 0) << s;
  }
}

TEST(SumLayout, EdgeCasesGiveWholeGrids) {
  struct Case {
    const char* equation;
    Lines terms;
    int width;
    Lines tiles;
    int mainLength;
  };
  const Case cases[] = {
      {"A+B", {"A", "B"}, 0, {". 6 8:A 6", ". 3 8:B 4"}, 3},
      {"A.B+C.D+E.F", {"A B", "C D", "E F"}, 1, {". 6 8:A 1 8:B 6", ". 5 8:C 1 8:D 7", ". 3 8:E 1 8:F 4"}, 5},
      {"A.B+A.C+A.D", {"A B", "/ C", "/ D"}, 1, {". 1 8:A 6 8:B 6", ". * * 5 8:C 7", ". * * 3 8:D 4"}, 5},
      {"A.B.C+D.B.C", {"A B C", "D \\ *"}, 2, {". 6 8:A 6 8:B 1 8:C 1", ". 3 8:D 4 * * * *"}, 7},
      {"X1", {"1 X1"}, 1, {". 1 1 1 8:X1 1"}, 5},
      {"", {}, 0, {}, 0},
      {"A.B+C.4d", {"A B", "C 4d"}, 1, {". 6 8:A 1 8:B 1", ". 3 8:C 1"}, 5},
      {"DT.dt", {"DT dt"}, 1, {". 1 8:DT 1 9:dt 1"}, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.equation);
    EquationSet equations;
    equations.variableEquations[0] = c.equation;
    auto grid = std::make_unique<LadderGrid>();
    std::vector<std::string> problems;
    Build(equations, *grid, problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(TermText(grid->SumTerms[0]), c.terms);
    EXPECT_EQ(grid->SumWidth[0], c.width);
    EXPECT_EQ(TileText(grid->SumTiles[0], grid->SumLabels[0]), c.tiles);
    EXPECT_EQ(grid->MainLength[0], c.mainLength);
  }
}

// The cut equation gives the grid of the equation that fits. That grid is built
// over a full earlier build, so it also shows that every build starts afresh.
TEST(SumLayout, OversizedEquationsAreCutToFitAndReported) {
  struct Case {
    int equation;
    std::string text, fitting, message;
  };
  const Case cases[] = {
      {0, Chain("A", 22, '+'), Chain("A", 21, '+'),
       "Circuit A (multiplied-out form) has 22 terms, more than the 20 branches a circuit can show; only the first 20 "
       "are drawn."},
      {6, Chain("X", 17, '.'), Chain("X", 10, '.'), "The circuit of relay 2 has a term of 17 contacts"},
      {1, "a.b+" + Chain("Y", 11, '.') + "+c", "a.b+" + Chain("Y", 10, '.') + "+c",
       "Circuit B (multiplied-out form) has a term of 11 contacts"},
      {9, Chain("Z", 22, '+') + "." + Chain("W", 12, '.'), Chain("Z", 21, '+'), "The circuit of relay 5 has 22 terms"},
  };
  EquationSet full;
  for (int e = 0; e < kSumEquations; ++e) EquationAt(full, e) = Chain("F", 10, '.') + "+A.B+" + Chain("K", 19, '+');
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EquationSet oversized, fitting;
    EquationAt(oversized, c.equation) = c.text;
    EquationAt(fitting, c.equation) = c.fitting;
    auto grid = std::make_unique<LadderGrid>(), expected = std::make_unique<LadderGrid>();
    std::vector<std::string> problems, none;
    Build(oversized, *grid, problems);
    Build(full, *expected, none);
    Build(fitting, *expected, none);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].rfind(c.message, 0), 0u) << problems[0];
    // The grid holds a 21st term, but only 20 branches are drawn: that is said too.
    for (const auto& message : none) EXPECT_NE(message.find(" has 21 terms"), std::string::npos) << message;
    for (int e = 0; e < kSumEquations; ++e) EXPECT_EQ(TermText(grid->SumTerms[e]), TermText(expected->SumTerms[e]));
    for (int s = 0; s < kSumSlots; ++s) {
      EXPECT_EQ(TileText(grid->SumTiles[s], grid->SumLabels[s]),
                TileText(expected->SumTiles[s], expected->SumLabels[s]));
    }
    EXPECT_EQ(grid->SumWidth, expected->SumWidth);
    EXPECT_EQ(grid->MainLength, expected->MainLength);
  }
}

}  // namespace
}  // namespace kelvo
