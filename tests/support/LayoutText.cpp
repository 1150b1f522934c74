#include "support/LayoutText.h"

namespace kelvo::testing {
namespace {

// Joins `cells` with spaces after dropping trailing cells equal to `blank`.
std::string JoinTrimmed(std::vector<std::string> cells, const std::string& blank) {
  while (!cells.empty() && cells.back() == blank) cells.pop_back();
  std::string line;
  for (const auto& cell : cells) line += (line.empty() ? "" : " ") + cell;
  return line;
}

void DropTrailingEmpty(std::vector<std::string>& lines) {
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
}

}  // namespace

std::vector<std::string> TileText(const TileGrid& tiles, const LabelGrid& labels) {
  std::vector<std::string> lines;
  for (int b = 0; b < kBranches; ++b) {
    std::vector<std::string> cells;
    for (int k = 0; k < kSteps; ++k) {
      std::string cell = tiles[b][k] == Tile::Unused ? "." : std::string(TileCode(tiles[b][k]));
      if (!labels[b][k].empty()) cell += ":" + labels[b][k];
      cells.push_back(cell);
    }
    lines.push_back(JoinTrimmed(cells, "."));
  }
  DropTrailingEmpty(lines);
  return lines;
}

std::vector<std::string> TermText(const TermMatrix& terms) {
  std::vector<std::string> lines;
  for (const auto& row : terms) {
    std::vector<std::string> cells;
    for (const auto& cell : row) cells.push_back(cell.empty() ? "''" : cell);
    lines.push_back(JoinTrimmed(cells, "0"));
  }
  DropTrailingEmpty(lines);
  return lines;
}

std::string Chain(const char* name, int count, char separator) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += (i > 1 ? std::string(1, separator) : "") + name + std::to_string(i);
  return text;
}

}  // namespace kelvo::testing
