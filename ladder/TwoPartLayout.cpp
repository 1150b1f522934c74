#include "ladder/TwoPartLayout.h"

#include <algorithm>

#include "ladder/TermPasses.h"
#include "ladder/TilePasses.h"

namespace kelvo {
namespace {

using namespace layout;

// Both groups together hold at most 10 contacts in series: with the junction
// at step 0 and the two gap steps they fill steps 0 to 22.
constexpr int kMaxSeriesLiterals = 10;
constexpr int kGroups = 2;
constexpr int kGapColumns = 2;
constexpr int kLastGroupStart = kSteps - 2;  // a group needs at least one step pair

using Group = std::vector<std::vector<std::string_view>>;  // terms of literals

std::string CircuitName(int equation) { return std::string("Circuit ") + char('A' + equation) + " (two-part form)"; }

int LongestTerm(const Group& group) {
  int longest = 0;
  for (const auto& term : group) longest = std::max<int>(longest, term.size());
  return longest;
}

// The two groups of one equation, the pieces between its "|"s, as terms of
// literals, cut to fit the grid. A piece whose text is empty is one empty literal.
std::array<Group, kGroups> SplitGroups(const std::vector<Sum>& parts, const std::string& name,
                                       std::vector<std::string>& problems) {
  if (parts.size() > kGroups) {
    problems.push_back(name + " has more than one \"|\"; only the first two parts are drawn.");
  }
  std::array<Group, kGroups> groups;
  for (int g = 0; g < kGroups && g < int(parts.size()); ++g) {
    const Sum& sum = parts[g];
    if (Blank(sum)) {
      groups[g] = {{""}};
      continue;
    }
    if (sum.size() > kDrawnBranches) {
      problems.push_back(name + " has " + std::to_string(sum.size()) + " terms " + (g == 0 ? "left" : "right") +
                         " of the \"|\", more than the " + std::to_string(kDrawnBranches) +
                         " branches a circuit can show; only the first " + std::to_string(kDrawnBranches) +
                         " are drawn.");
    }
    const int rows = std::min<int>(sum.size(), kTermRows);
    for (int r = 0; r < rows; ++r) {
      auto& literals = groups[g].emplace_back();
      for (const Literal& literal : sum[r]) literals.push_back(literal.Text());
    }
  }
  const int first = LongestTerm(groups[0]);
  const int second = LongestTerm(groups[1]);
  if (first + second > kMaxSeriesLiterals) {
    const int keepFirst = std::min(first, std::max(kMaxSeriesLiterals - second, kMaxSeriesLiterals / 2));
    const int keep[kGroups] = {keepFirst, std::min(second, kMaxSeriesLiterals - keepFirst)};
    for (int g = 0; g < kGroups; ++g) {
      for (auto& term : groups[g]) term.resize(std::min<int>(term.size(), keep[g]));
    }
    problems.push_back(name + " puts " + std::to_string(first + second) + " contacts in series, more than the " +
                       std::to_string(kMaxSeriesLiterals) + " that fit; terms left of the \"|\" are cut to " +
                       std::to_string(keep[0]) + " contacts and terms right of it to " + std::to_string(keep[1]) + ".");
  }
  return groups;
}

// Measures, right-aligns and shares the two groups placed in `terms`.
void AlignAndShare(TermMatrix& terms, int& resetWidth, int& setEnd, Sharing sharing) {
  resetWidth = 0;
  for (int r = 0; r < kTermRows; ++r) resetWidth = std::max(resetWidth, RunEnd(terms, r, 0));
  const int setStart = resetWidth + 1 + kGapColumns;
  setEnd = 0;
  for (int r = 0; r < kTermRows; ++r) setEnd = std::max(setEnd, RunEnd(terms, r, setStart));

  for (int r = 0; r < kTermRows; ++r) {
    const int setCount = RunEnd(terms, r, setStart) - setStart + 1;
    if (setCount > 0) ShiftRight(terms, r, setStart, setEnd, setEnd - setStart + 1 - setCount);
    const int resetCount = RunEnd(terms, r, 0) + 1;
    if (resetCount > 0) ShiftRight(terms, r, 0, resetWidth, resetWidth + 1 - resetCount);
  }
  if (sharing == Sharing::None) return;
  const bool endings = sharing == Sharing::Full;
  for (int r = 1; r < kTermRows; ++r) {
    if (terms[r][0] == "0") continue;
    ShareBeginning(terms, r, 0, true);
    if (endings) ShareEnding(terms, r, resetWidth, 0);
  }
  for (int r = 1; r < kTermRows; ++r) {
    if (setStart >= kTermColumns || terms[r][setStart] == "0") continue;
    ShareBeginning(terms, r, setStart, false);
    if (endings) ShareEnding(terms, r, setEnd, resetWidth);
  }
}

void ParseEquation(const std::vector<Sum>& parts, int variable, TermMatrix& terms, int& resetWidth, int& setEnd,
                   Sharing sharing, const std::string& name, std::vector<std::string>& problems) {
  auto groups = SplitGroups(parts, name, problems);
  // As TwoPartDrawnText: a reset group without a set group holds through the variable's own contact.
  static constexpr std::string_view kVariables = "ABCD";
  if (parts.size() == kGroups && !Blank(parts[0]) && Blank(parts[1])) {
    groups[1] = {{kVariables.substr(variable, 1)}};
  }
  // Without a reset group the set group follows a plain wire from the supply line.
  if (groups[0] == Group{{""}} && groups[1] != Group{{""}}) groups[0] = {{"1"}};
  int offset = 0;
  int widest = 0;
  for (const Group& group : groups) {
    for (int r = 0; r < int(group.size()); ++r) {
      const auto& literals = group[r];
      for (int c = 0; c < int(literals.size()) && offset + c < kTermColumns; ++c) terms[r][offset + c] = literals[c];
      widest = std::max(widest, int(literals.size()) - 1);
    }
    offset += widest + 1 + kGapColumns;
  }
  AlignAndShare(terms, resetWidth, setEnd, sharing);
}

// Gives the step before the start of a group the wire or shared cell that
// leads into it.
void LeadInto(TileGrid& tiles, int branch, int groupStart) {
  const Tile start = TileAt(tiles, branch, groupStart);
  if (start == Tile::Wire || IsContact(start)) SetTile(tiles, branch, groupStart - 1, Tile::Wire);
  if (start == Tile::Shared) SetTile(tiles, branch, groupStart - 1, Tile::Shared);
}

void MarkGroupStarts(TileGrid& tiles) {
  for (int b = 0; b < kBranches; ++b) {
    if (tiles[b][1] != Tile::Unused) LeadInto(tiles, b, 1);
    int k = 0;
    while (k < kSteps && tiles[b][k] != Tile::Unused) ++k;
    while (k < kLastGroupStart && tiles[b][k] == Tile::Unused) ++k;
    if (TileAt(tiles, b, k) != Tile::Unused) LeadInto(tiles, b, k);
  }
}

// A lower branch that holds only a second-group term gets gap cells down to
// the second group, so that it is drawn in a column of its own.
void FillMissingFirstGroups(TileGrid& tiles, int resetWidth) {
  for (int b = 1; b < kBranches; ++b) {
    const auto& steps = tiles[b];
    const auto groupEnd = steps.begin() + std::clamp(resetWidth + 1, 0, kSteps);
    const bool firstEmpty = std::all_of(steps.begin(), groupEnd, [](Tile t) { return t == Tile::Unused; });
    const bool holdsMore = std::any_of(groupEnd, steps.end(), [](Tile t) { return t != Tile::Unused; });
    if (!firstEmpty || !holdsMore) continue;
    for (int k = 0; k <= resetWidth + 1 && k < kSteps; ++k) {
      if (tiles[b][k] == Tile::Unused) tiles[b][k] = Tile::Gap;
    }
  }
}

bool BuildCircuit(const TermMatrix& terms, TileGrid& tiles, LabelGrid& labels, int& resetWidth, int& setEnd) {
  for (int c = 0, k = 1; c < kTermColumns; ++c) {
    for (int r = kTermRows - 1; r >= 0; --r) {
      if (terms[r][c] != "0") PlaceTermCell(terms[r][c], tiles, labels, r, k);
    }
    k += terms[0][c] != "0" ? 2 : 1;
  }
  const bool joined = LinkBranchStartsAndEnds(tiles);
  JoinNeighbouringEnds(tiles);
  LinkThroughSharedCells(tiles);
  MarkGroupStarts(tiles);

  int gap = 0;
  while (gap < kSteps && tiles[0][gap] != Tile::Unused) ++gap;
  int next = std::min(gap + 1, kSteps);
  while (next < kSteps && tiles[0][next] != Tile::Unused) ++next;
  resetWidth = gap - 1;
  setEnd = next - 1;

  if (resetWidth > 0) JoinGroupEnds(tiles, 0, resetWidth, -1, resetWidth + 1);
  if (setEnd > 0) {
    SetTile(tiles, 0, resetWidth + 1, Tile::Wire);
    JoinGroupEnds(tiles, resetWidth + 2, setEnd, resetWidth + 1, -1);
  }
  FillMissingFirstGroups(tiles, resetWidth);
  return joined;
}

}  // namespace

std::string TwoPartDrawnText(const std::string& equation, int variable) {
  const auto bar = equation.find('|');
  if (bar == std::string::npos || bar == 0 || bar + 1 != equation.size()) return equation;
  return equation + static_cast<char>('A' + variable);
}

namespace {

void ParseOne(const EquationSums& sums, LadderGrid& grid, int e, Sharing sharing, std::vector<std::string>& problems) {
  for (auto& row : grid.TwoPartTerms[e]) row.fill("0");
  grid.ResetWidth[e] = 0;
  grid.SetEnd[e] = 0;
  const std::vector<Sum>& parts = sums.parallelParts[e];
  if (parts.size() < kGroups || (parts.size() == kGroups && Blank(parts[0]) && Blank(parts[1]))) return;
  ParseEquation(parts, e, grid.TwoPartTerms[e], grid.ResetWidth[e], grid.SetEnd[e], sharing, CircuitName(e), problems);
}

void BuildOne(LadderGrid& grid, int e, std::vector<std::string>& problems) {
  TileGrid& tiles = grid.TwoPartTiles[e];
  LabelGrid& labels = grid.TwoPartLabels[e];
  for (auto& branch : tiles) branch.fill(Tile::Unused);
  for (auto& branch : labels) {
    for (std::string& label : branch) label.clear();
  }
  if (!BuildCircuit(grid.TwoPartTerms[e], tiles, labels, grid.ResetWidth[e], grid.SetEnd[e])) {
    problems.push_back(CircuitName(e) + " has a branch that finds no wire to join; its drawing is incomplete.");
  }
}

}  // namespace

void ParseTwoPartEquations(const EquationSet& equations, LadderGrid& grid, std::vector<std::string>& problems) {
  const auto sums = equations.Sums();
  for (int e = 0; e < kTwoPartEquations; ++e) ParseOne(*sums, grid, e, Sharing::Full, problems);
}

void BuildTwoPartTiles(LadderGrid& grid, std::vector<std::string>& problems) {
  for (int e = 0; e < kTwoPartEquations; ++e) BuildOne(grid, e, problems);
}

void LayOutTwoPartEquation(const EquationSet& equations, LadderGrid& grid, int equation, Sharing sharing,
                           std::vector<std::string>& problems) {
  if (equation < 0 || equation >= kTwoPartEquations) return;
  ParseOne(*equations.Sums(), grid, equation, sharing, problems);
  BuildOne(grid, equation, problems);
}

}  // namespace kelvo
