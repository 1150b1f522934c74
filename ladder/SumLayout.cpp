#include "ladder/SumLayout.h"

#include <algorithm>

#include "ladder/TermPasses.h"
#include "ladder/TilePasses.h"

namespace kelvo {
namespace {

using namespace layout;

// Contacts a branch holds in series: term column 9 is drawn at steps 20 and 21.
constexpr int kMaxSumLiterals = 10;
constexpr int kFirstRelayEquation = kStateVariables;

std::string CircuitName(int equation) {
  if (equation < kFirstRelayEquation) {
    return std::string("Circuit ") + char('A' + equation) + " (multiplied-out form)";
  }
  return "The circuit of relay " + std::to_string(equation - kFirstRelayEquation);
}

// Puts the literals of one term into `row`, at most kMaxSumLiterals of them;
// returns the number of literals the term had.
int PlaceLiterals(const Term& term, TermMatrix& terms, int row) {
  const int kept = std::min<int>(term.size(), kMaxSumLiterals);
  for (int c = 0; c < kept; ++c) terms[row][c] = term[c].Text();
  return term.size();
}

// Breaks one equation into rows of literals and returns its width.
int BreakIntoTerms(const Sum& sum, TermMatrix& terms, const std::string& name, std::vector<std::string>& problems) {
  if (Blank(sum)) return 0;
  int width = 0;
  int longest = 0;
  if (sum.size() > 1) {
    if (sum.size() > kDrawnBranches) {
      problems.push_back(name + " has " + std::to_string(sum.size()) + " terms, more than the " +
                         std::to_string(kDrawnBranches) + " branches a circuit can show; only the first " +
                         std::to_string(kDrawnBranches) + " are drawn.");
    }
    const int rows = std::min<int>(sum.size(), kTermRows);
    for (int r = 0; r < rows; ++r) {
      if (!IsProduct(sum[r])) {
        terms[r][0] = sum[r][0].Text();
        continue;
      }
      const int count = PlaceLiterals(sum[r], terms, r);
      longest = std::max(longest, count);
      width = std::max(width, std::min(count, kMaxSumLiterals) - 1);
    }
  } else if (IsProduct(sum[0])) {
    longest = PlaceLiterals(sum[0], terms, 0);
    width = std::min(longest, kMaxSumLiterals) - 1;
  } else {
    terms[0][0] = sum[0][0].Text();
    width = 1;  // drawn as a wire followed by the contact
  }
  if (longest > kMaxSumLiterals) {
    problems.push_back(name + " has a term of " + std::to_string(longest) + " contacts, more than the " +
                       std::to_string(kMaxSumLiterals) + " a branch can hold; only the first " +
                       std::to_string(kMaxSumLiterals) + " of such a term are drawn.");
  }
  return width;
}

void AlignAndShare(TermMatrix& terms, int width, Sharing sharing) {
  for (int r = 0; r < kTermRows; ++r) {
    if (terms[r][0] == "0") continue;
    const int count = RunEnd(terms, r, 0) + 1;
    if (count < width + 1) ShiftRight(terms, r, 0, kTermColumns - 1, width + 1 - count);
  }
  for (int r = 1; r < kTermRows; ++r) {
    if (terms[r][0] == "0") continue;
    if (sharing != Sharing::None) ShareBeginning(terms, r, 0, true);
    if (sharing == Sharing::Full) ShareEnding(terms, r, width, 0);
  }
}

void BuildCircuit(const TermMatrix& terms, TileGrid& tiles, LabelGrid& labels, int& mainLength, bool& joined) {
  for (int c = 0, k = 2; c < kTermColumns; ++c, k += 2) {
    for (int r = kTermRows - 1; r >= 0; --r) {
      if (terms[r][c] != "0") PlaceTermCell(terms[r][c], tiles, labels, r, k);
    }
  }
  joined = LinkBranchStartsAndEnds(tiles);
  JoinNeighbouringEnds(tiles);
  LinkThroughSharedCells(tiles);
  for (int b = 0; b < kBranches; ++b) {
    const Tile first = tiles[b][2];
    if (first == Tile::Wire || IsContact(first)) tiles[b][1] = Tile::Wire;
    if (first == Tile::Shared) tiles[b][1] = Tile::Shared;
  }
  int m = 1;
  while (m < kSteps && tiles[0][m] != Tile::Unused) ++m;
  mainLength = m - 1;
  if (mainLength != 0) JoinGroupEnds(tiles, 1, mainLength);
}

const Sum& EquationSum(const EquationSums& sums, int e) {
  return e < kFirstRelayEquation ? sums.variables[e] : sums.relays[e - kFirstRelayEquation];
}

void ClearCircuit(TileGrid& tiles, LabelGrid& labels) {
  for (auto& branch : tiles) branch.fill(Tile::Unused);
  for (auto& branch : labels) {
    for (std::string& label : branch) label.clear();
  }
}

void ParseEquation(const EquationSums& sums, LadderGrid& grid, int e, Sharing sharing,
                   std::vector<std::string>& problems) {
  for (auto& row : grid.SumTerms[e]) row.fill("0");
  grid.SumWidth[e] = BreakIntoTerms(EquationSum(sums, e), grid.SumTerms[e], CircuitName(e), problems);
  AlignAndShare(grid.SumTerms[e], grid.SumWidth[e], sharing);
}

void BuildEquation(LadderGrid& grid, int e, std::vector<std::string>& problems) {
  const int slot = SumSlotOf(e);
  TileGrid& tiles = grid.SumTiles[slot];
  LabelGrid& labels = grid.SumLabels[slot];
  ClearCircuit(tiles, labels);
  bool joined = true;
  BuildCircuit(grid.SumTerms[e], tiles, labels, grid.MainLength[slot], joined);
  if (!joined) {
    problems.push_back(CircuitName(e) + " has a branch that finds no wire to join; its drawing is incomplete.");
  }
}

}  // namespace

int SumSlotOf(int equation) { return equation < kFirstRelayEquation ? equation : equation + kStateVariables; }

void ParseSumEquations(const EquationSet& equations, LadderGrid& grid, std::vector<std::string>& problems) {
  const auto sums = equations.Sums();
  for (int e = 0; e < kSumEquations; ++e) ParseEquation(*sums, grid, e, Sharing::Full, problems);
}

void BuildSumTiles(LadderGrid& grid, std::vector<std::string>& problems) {
  for (int slot = 0; slot < kSumSlots; ++slot) ClearCircuit(grid.SumTiles[slot], grid.SumLabels[slot]);
  grid.MainLength.fill(0);
  for (int e = 0; e < kSumEquations; ++e) BuildEquation(grid, e, problems);
}

void LayOutSumEquation(const EquationSet& equations, LadderGrid& grid, int equation, Sharing sharing,
                       std::vector<std::string>& problems) {
  if (equation < 0 || equation >= kSumEquations) return;
  ParseEquation(*equations.Sums(), grid, equation, sharing, problems);
  BuildEquation(grid, equation, problems);
}

}  // namespace kelvo
