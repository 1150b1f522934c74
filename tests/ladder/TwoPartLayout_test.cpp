#include "ladder/TwoPartLayout.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/LayoutText.h"

namespace kelvo {
namespace {

using Lines = std::vector<std::string>;
using testing::Chain;
using testing::TermText;
using testing::TileText;

void Build(const EquationSet& equations, LadderGrid& grid, std::vector<std::string>& problems) {
  ParseTwoPartEquations(equations, grid, problems);
  BuildTwoPartTiles(grid, problems);
}

TEST(TwoPartLayout, WorkedExampleGivesTermsGridAndGroupEnds) {
  EquationSet equations;
  equations.parallelEquations[2] = "a1.B+c|X1.b+A";
  auto grid = std::make_unique<LadderGrid>();
  std::vector<std::string> problems;
  ParseTwoPartEquations(equations, *grid, problems);
  EXPECT_EQ(TermText(grid->TwoPartTerms[2]), (Lines{"a1 B 0 0 X1 b", "1 c 0 0 1 A"}));
  EXPECT_EQ(grid->ResetWidth[2], 1);
  EXPECT_EQ(grid->SetEnd[2], 5);

  BuildTwoPartTiles(*grid, problems);
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(TileText(grid->TwoPartTiles[2], grid->TwoPartLabels[2]),
            (Lines{"6 9:a1 1 8:B 6 1 6 8:X1 1 9:b 6", "3 1 1 9:c 4 0 3 1 1 8:A 4"}));
  EXPECT_EQ(grid->ResetWidth, (std::array<int, 4>{-1, -1, 4, -1}));
  EXPECT_EQ(grid->SetEnd, (std::array<int, 4>{0, 0, 10, 0}));
  for (int s : {0, 1, 3}) EXPECT_EQ(TileText(grid->TwoPartTiles[s], grid->TwoPartLabels[s]), Lines{}) << s;
}

TEST(TwoPartLayout, EdgeCasesGiveWholeGrids) {
  struct Case {
    const char* equation;
    Lines terms;
    int parsedResetWidth, parsedSetEnd;
    Lines tiles;
    int resetWidth, setEnd;
  };
  // clang-format off
  const Case cases[] = {
      {"|", {}, 0, 0, {}, -1, 0},
      {"", {}, 0, 0, {}, -1, 0},
      {"A.B", {}, 0, 0, {}, -1, 0},
      // No reset transitions: a plain wire, then the set group. No set transitions: the hold follows.
      {"|X1", {"1 0 0 X1"}, 0, 3, {"1 1 1 1 1 8:X1 1"}, 2, 6},
      {"x1|", {"x1 0 0 A"}, 0, 3, {"1 9:x1 1 1 1 8:A 1"}, 2, 6},
      {"a+b|X", {"a 0 0 X", "b"}, 0, 3, {"6 9:a 6 1 1 8:X 1", "3 9:b 4 0"}, 2, 6},
      {"A.B+A.C|X+A", {"A B 0 0 X", "/ C 0 0 A"}, 1, 4, {"1 8:A 6 8:B 6 1 6 8:X 6", "* * 3 8:C 4 0 3 8:A 4"}, 4, 8},
      {"b|X.c+X.d+A", {"b 0 0 X c", "0 0 0 X d", "0 0 0 1 A"}, 0, 4,
       {"1 9:b 1 1 6 8:X 1 9:c 6", "0 0 0 0 5 8:X 1 9:d 7", "0 0 0 0 3 1 1 8:A 4"}, 2, 8},
      {"X2|X1+A", {"X2 0 0 X1", "0 0 0 A"}, 0, 3, {"1 8:X2 1 1 6 8:X1 6", "0 0 0 0 3 8:A 4"}, 2, 6},
      {"A.B.C.D.E|P.Q.R.S.T+A", {"A B C D E 0 0 P Q R S T", "0 0 0 0 0 0 0 1 1 1 1 A"}, 4, 11,
       {"1 8:A 1 8:B 1 8:C 1 8:D 1 8:E 1 1 6 8:P 1 8:Q 1 8:R 1 8:S 1 8:T 6",
        "0 0 0 0 0 0 0 0 0 0 0 0 3 1 1 1 1 1 1 1 1 8:A 4"}, 10, 22},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.equation);
    EquationSet equations;
    equations.parallelEquations[0] = c.equation;
    auto grid = std::make_unique<LadderGrid>();
    std::vector<std::string> problems;
    ParseTwoPartEquations(equations, *grid, problems);
    EXPECT_EQ(TermText(grid->TwoPartTerms[0]), c.terms);
    EXPECT_EQ(grid->ResetWidth[0], c.parsedResetWidth);
    EXPECT_EQ(grid->SetEnd[0], c.parsedSetEnd);
    BuildTwoPartTiles(*grid, problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(TileText(grid->TwoPartTiles[0], grid->TwoPartLabels[0]), c.tiles);
    EXPECT_EQ(grid->ResetWidth[0], c.resetWidth);
    EXPECT_EQ(grid->SetEnd[0], c.setEnd);
  }
}

// The cut equation gives the grid of the equation that fits. That grid is built
// over a full earlier build, so it also shows that every build starts afresh.
TEST(TwoPartLayout, OversizedEquationsAreCutToFitAndReported) {
  struct Case {
    int equation;
    std::string text, fitting, message;
  };
  const Case cases[] = {
      {0, Chain("a", 22, '+') + "|X+A", Chain("a", 21, '+') + "|X+A",
       "Circuit A (two-part form) has 22 terms left of the \"|\", more than the 20 branches a circuit can show; "
       "only the first 20 are drawn."},
      {1, "a|" + Chain("X", 22, '+'), "a|" + Chain("X", 21, '+'), "Circuit B (two-part form) has 22 terms right"},
      {2, "A.B.C.D.E.F|P.Q.R.S.T.U+A", "A.B.C.D.E|P.Q.R.S.T+A",
       "Circuit C (two-part form) puts 12 contacts in series, more than the 10 that fit"},
      {3, "A.B+c|" + Chain("X", 17, '.'), "A.B+c|" + Chain("X", 8, '.'), "Circuit D (two-part form) puts 19 contacts"},
      {3, Chain("a", 9, '.') + "|" + Chain("X", 16, '.') + "+A", Chain("a", 5, '.') + "|" + Chain("X", 5, '.') + "+A",
       "Circuit D (two-part form) puts 25 contacts"},
      {0, "a|X+A|Y", "a|X+A", "Circuit A (two-part form) has more than one \"|\""},
  };
  EquationSet full;
  full.parallelEquations = {"A.B.C.D+a|X.Y.Z+A", "b|Y+B", "c.D|Z+C", "d+a.B|X+D"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EquationSet oversized, fitting;
    oversized.parallelEquations[c.equation] = c.text;
    fitting.parallelEquations[c.equation] = c.fitting;
    auto grid = std::make_unique<LadderGrid>(), expected = std::make_unique<LadderGrid>();
    std::vector<std::string> problems, none;
    Build(oversized, *grid, problems);
    Build(full, *expected, none);
    Build(fitting, *expected, none);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].rfind(c.message, 0), 0u) << problems[0];
    // The grid holds a 21st term, but only 20 branches are drawn: that is said too.
    for (const auto& message : none) EXPECT_NE(message.find(" has 21 terms"), std::string::npos) << message;
    for (int e = 0; e < kTwoPartEquations; ++e) {
      EXPECT_EQ(TermText(grid->TwoPartTerms[e]), TermText(expected->TwoPartTerms[e]));
    }
    for (int s = 0; s < kTwoPartEquations; ++s) {
      EXPECT_EQ(TileText(grid->TwoPartTiles[s], grid->TwoPartLabels[s]),
                TileText(expected->TwoPartTiles[s], expected->TwoPartLabels[s]));
    }
    EXPECT_EQ(grid->ResetWidth, expected->ResetWidth);
    EXPECT_EQ(grid->SetEnd, expected->SetEnd);
  }
}

}  // namespace
}  // namespace kelvo
