#include "ladder/CircuitReadBack.h"

#include <string>

namespace kelvo {
namespace {

enum Side : unsigned { kN = 1, kS = 2, kW = 4, kE = 8 };

constexpr int kFirstRow = 2;        // the first step of every branch: two tiles below the top line
constexpr int kLastDrawnBranch = kBranches - 2;

// The sides a tile code joins; 0 for a code that draws nothing.
unsigned SidesOf(const std::string& code) {
  if (code.size() != 1) return 0;
  switch (code[0]) {
    case '1':
      return kN | kS;
    case '2':
      return kW | kE;
    case '3':
      return kW | kS;
    case '4':
      return kN | kW;
    case '5':
      return kW | kE | kS;
    case '6':
      return kN | kS | kE;
    case '7':
      return kW | kE | kN;
    case '8':
    case '9':
      return kN | kS;
    default:
      return 0;
  }
}

}  // namespace

CircuitReadBack::CircuitReadBack(const TileGrid& tiles, const TileGrid& labels, GridFamily family,
                                 VariableTable& table) {
  const bool twoPart = family == GridFamily::TwoPart;
  const int firstStep = twoPart ? 0 : 1;
  int x = 0;
  int mainEnd = -1;  // the row below the main column's last cell
  int row = kFirstRow;  // a branch without a first step goes on below the one before, as drawn
  for (int b = 0; b <= kLastDrawnBranch; ++b) {
    for (int k = firstStep; k < kSteps; ++k) {
      const std::string& code = tiles[b][k];
      if (code.empty()) continue;
      if (code == "*" || (twoPart && code == "0")) {
        ++row;
      } else if (SidesOf(code) != 0) {
        Place(x, row, code, labels[b][k], table);
        ++row;
      }
    }
    if (b == 0) mainEnd = row;
    if (!tiles[b + 1][1].empty()) {
      ++x;
      row = kFirstRow;
    }
  }
  Join();
  const int top = CellAt(0, kFirstRow);
  const int bottom = mainEnd < 0 ? -1 : CellAt(0, mainEnd - 1);
  if (top >= 0 && (cells_[top].sides & kN) && bottom >= 0 && (cells_[bottom].sides & kS)) {
    entry_ = top;
    exit_ = bottom;
  }
}

void CircuitReadBack::Place(int x, int row, const std::string& code, const std::string& label, VariableTable& table) {
  Cell cell{x, row, SidesOf(code), -1, code == "8"};
  if (code == "8" || code == "9") {
    cell.variable = table.Index(label.empty() ? "?" : label);
    if (cell.variable >= 0) variables_ |= uint64_t{1} << cell.variable;
  }
  const int existing = CellAt(x, row);
  if (existing >= 0) {
    cells_[existing] = cell;  // painted over
  } else {
    cells_.push_back(cell);
  }
}

int CircuitReadBack::CellAt(int x, int row) const {
  for (size_t i = 0; i < cells_.size(); ++i) {
    if (cells_[i].x == x && cells_[i].row == row) return static_cast<int>(i);
  }
  return -1;
}

void CircuitReadBack::Join() {
  links_.assign(cells_.size(), {});
  for (size_t i = 0; i < cells_.size(); ++i) {
    const Cell& c = cells_[i];
    const int below = (c.sides & kS) ? CellAt(c.x, c.row + 1) : -1;
    if (below >= 0 && (cells_[below].sides & kN)) {
      links_[i].push_back(below);
      links_[below].push_back(static_cast<int>(i));
    }
    const int right = (c.sides & kE) ? CellAt(c.x + 1, c.row) : -1;
    if (right >= 0 && (cells_[right].sides & kW)) {
      links_[i].push_back(right);
      links_[right].push_back(static_cast<int>(i));
    }
  }
}

bool CircuitReadBack::Passes(const Cell& cell, uint64_t values) const {
  if (cell.variable < 0) return cell.variable == -1 && cell.sides != 0;
  return ((values >> cell.variable) & 1) == static_cast<uint64_t>(cell.closedWhenOn);
}

bool CircuitReadBack::Conducts(uint64_t values) const {
  if (entry_ < 0 || !Passes(cells_[entry_], values)) return false;
  std::vector<char> seen(cells_.size(), 0);
  std::vector<int> todo{entry_};
  seen[entry_] = 1;
  while (!todo.empty()) {
    const int i = todo.back();
    todo.pop_back();
    if (i == exit_) return true;
    for (int j : links_[i]) {
      if (!seen[j] && Passes(cells_[j], values)) {
        seen[j] = 1;
        todo.push_back(j);
      }
    }
  }
  return false;
}

uint64_t CircuitReadBack::PassesLanes(const Cell& cell, const Lanes& lanes) const {
  if (cell.variable < 0) return cell.variable == -1 && cell.sides != 0 ? ~uint64_t{0} : 0;
  return cell.closedWhenOn ? lanes[cell.variable] : ~lanes[cell.variable];
}

uint64_t CircuitReadBack::ConductsLanes(const Lanes& lanes) const {
  if (entry_ < 0) return 0;
  std::vector<uint64_t> reached(cells_.size(), 0);
  std::vector<uint64_t> passes(cells_.size());
  for (size_t i = 0; i < cells_.size(); ++i) passes[i] = PassesLanes(cells_[i], lanes);
  reached[entry_] = passes[entry_];
  std::vector<int> todo{entry_};
  while (!todo.empty()) {
    const int i = todo.back();
    todo.pop_back();
    for (int j : links_[i]) {
      const uint64_t more = reached[i] & passes[j] & ~reached[j];
      if (more == 0) continue;
      reached[j] |= more;
      todo.push_back(j);
    }
  }
  return reached[exit_];
}

std::optional<std::vector<Cube>> CircuitReadBack::PathCubes(size_t limit) const {
  std::vector<Cube> paths;
  if (entry_ < 0) return paths;
  const size_t stepBudget = 64 * limit + 4 * cells_.size();
  size_t steps = 0;
  std::vector<char> onPath(cells_.size(), 0);
  // Depth-first over simple paths; each frame is a cell, the cube so far and
  // the next link to try.
  struct Frame {
    int cell;
    Cube cube;
    size_t next;
  };
  auto withCell = [this](Cube cube, int i) {
    const Cell& c = cells_[i];
    if (c.variable >= 0) (c.closedWhenOn ? cube.on : cube.off) |= uint64_t{1} << c.variable;
    return cube;
  };
  if (cells_[entry_].variable < -1 || cells_[entry_].sides == 0) return paths;
  std::vector<Frame> stack{{entry_, withCell(Cube{}, entry_), 0}};
  onPath[entry_] = 1;
  while (!stack.empty()) {
    if (++steps > stepBudget) return std::nullopt;
    Frame& top = stack.back();
    if (top.cell == exit_) {
      if (paths.size() == limit) return std::nullopt;
      paths.push_back(top.cube);
      onPath[top.cell] = 0;
      stack.pop_back();
      continue;
    }
    if (top.next == links_[top.cell].size()) {
      onPath[top.cell] = 0;
      stack.pop_back();
      continue;
    }
    const int j = links_[top.cell][top.next++];
    if (onPath[j] || cells_[j].variable < -1 || cells_[j].sides == 0) continue;
    const Cube cube = withCell(top.cube, j);
    if (cube.Contradictory()) continue;
    onPath[j] = 1;
    stack.push_back({j, cube, 0});
  }
  return paths;
}

}  // namespace kelvo
