#include "ladder/SumLayout.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/GridText.h"

namespace kelvo {
namespace {

using Lines = std::vector<std::string>;
using testing::TermText;
using testing::TileText;

std::unique_ptr<LadderGrid> BuildSum(const EquationSet& equations, std::vector<std::string>& problems) {
  auto grid = std::make_unique<LadderGrid>();
  ParseSumEquations(equations, *grid, problems);
  BuildSumTiles(*grid, problems);
  return grid;
}

std::string& EquationAt(EquationSet& equations, int e) {
  return e < kStateVariables ? equations.eq[e] : equations.eqCoil[e - kStateVariables];
}

const Lines kWorkedTerms = {"A1 B1 c", "* / D", "1 X Y"};
const Lines kWorkedTiles = {
    ". 6 8:A1 1 8:B1 6 9:c 6",
    ". 2 * * * 3 8:D 7",
    ". 3 1 1 8:X 1 8:Y 4",
};

TEST(SumLayout, WorkedExampleFillsOnlyItsCircuitAndLabelSlot) {
  struct Placement {
    int equation, slot, labelSlot;
  };
  for (const Placement p : {Placement{0, 0, 4}, {3, 3, 7}, {4, 8, 14}, {6, 10, 16}, {9, 13, 19}}) {
    SCOPED_TRACE(p.equation);
    EquationSet equations;
    EquationAt(equations, p.equation) = "A1.B1.c+A1.B1.D+X.Y";
    std::vector<std::string> problems;
    const auto grid = BuildSum(equations, problems);
    EXPECT_TRUE(problems.empty());
    for (int e = 0; e < kSumEquations; ++e) {
      EXPECT_EQ(TermText(grid->SumTerms[e]), e == p.equation ? kWorkedTerms : Lines{}) << e;
      EXPECT_EQ(grid->SumWidth[e], e == p.equation ? 2 : 0) << e;
    }
    EXPECT_EQ(TileText(grid->SumTiles[p.slot], grid->SumTiles[p.labelSlot]), kWorkedTiles);
    for (int s = 0; s < kSumSlots; ++s) {
      if (s == p.slot || s == p.labelSlot) continue;
      EXPECT_EQ(TileText(grid->SumTiles[s], {}), Lines{}) << s;
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
      {"A.B+C.D+E.F",
       {"A B", "C D", "E F"},
       1,
       {". 6 8:A 1 8:B 6", ". 5 8:C 1 8:D 7", ". 3 8:E 1 8:F 4"},
       5},
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
    equations.eq[0] = c.equation;
    std::vector<std::string> problems;
    const auto grid = BuildSum(equations, problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(TermText(grid->SumTerms[0]), c.terms);
    EXPECT_EQ(grid->SumWidth[0], c.width);
    EXPECT_EQ(TileText(grid->SumTiles[0], grid->SumTiles[4]), c.tiles);
    EXPECT_EQ(grid->MainLength[0], c.mainLength);
  }
}

std::string Chain(const char* name, int count, char separator) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += (i > 1 ? std::string(1, separator) : "") + name + std::to_string(i);
  return text;
}

TEST(SumLayout, OversizedEquationsAreCutToFitAndReported) {
  struct Case {
    int equation;
    std::string text, fitting, message;
  };
  const Case cases[] = {
      {0, Chain("A", 22, '+'), Chain("A", 21, '+'),
       "Circuit A (multiplied-out form) has more than 21 terms; only the first 21 are drawn."},
      {6, Chain("X", 17, '.'), Chain("X", 10, '.'), "The circuit of relay 2 has a term of 17 contacts"},
      {1, "a.b+" + Chain("Y", 11, '.') + "+c", "a.b+" + Chain("Y", 10, '.') + "+c",
       "Circuit B (multiplied-out form) has a term of 11 contacts"},
      {9, Chain("Z", 22, '+') + "." + Chain("W", 12, '.'), Chain("Z", 21, '+'), "The circuit of relay 5 has more"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EquationSet oversized, fitting;
    EquationAt(oversized, c.equation) = c.text;
    EquationAt(fitting, c.equation) = c.fitting;
    std::vector<std::string> problems, none;
    const auto grid = BuildSum(oversized, problems);
    const auto expected = BuildSum(fitting, none);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].rfind(c.message, 0), 0u) << problems[0];
    EXPECT_TRUE(none.empty());
    const int slot = c.equation < kStateVariables ? c.equation : c.equation + 4;
    const int labelSlot = slot + (c.equation < kStateVariables ? 4 : 6);
    EXPECT_EQ(TermText(grid->SumTerms[c.equation]), TermText(expected->SumTerms[c.equation]));
    EXPECT_EQ(TileText(grid->SumTiles[slot], grid->SumTiles[labelSlot]),
              TileText(expected->SumTiles[slot], expected->SumTiles[labelSlot]));
    EXPECT_EQ(grid->MainLength, expected->MainLength);
  }
}

TEST(SumLayout, RebuildForgetsThePreviousEquations) {
  EquationSet first, second;
  for (int e = 0; e < kSumEquations; ++e) EquationAt(first, e) = "A.B.C.D.E.F.G.H.I.J+A.B+" + Chain("K", 19, '+');
  EquationAt(second, 2) = "x+Y";
  std::vector<std::string> problems;
  auto grid = BuildSum(first, problems);
  ParseSumEquations(second, *grid, problems);
  BuildSumTiles(*grid, problems);
  const auto fresh = BuildSum(second, problems);
  EXPECT_TRUE(problems.empty());
  for (int e = 0; e < kSumEquations; ++e) EXPECT_EQ(TermText(grid->SumTerms[e]), TermText(fresh->SumTerms[e])) << e;
  for (int s = 0; s < kSumSlots; ++s) EXPECT_EQ(TileText(grid->SumTiles[s], {}), TileText(fresh->SumTiles[s], {})) << s;
  EXPECT_EQ(grid->SumWidth, fresh->SumWidth);
  EXPECT_EQ(grid->MainLength, fresh->MainLength);
}

}  // namespace
}  // namespace kelvo
