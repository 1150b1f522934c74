#include "analysis/CircuitReadBack.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace kelvo {
namespace {

enum Side : unsigned { kN = 1, kS = 2, kW = 4, kE = 8 };

constexpr int kFirstRow = 2;  // the first step of every branch: two tiles below the top line
constexpr int kLastDrawnBranch = kBranches - 2;

// The sides a tile joins; 0 for a tile that draws nothing.
unsigned SidesOf(Tile tile) {
  switch (tile) {
    case Tile::Wire:
      return kN | kS;
    case Tile::Link:
      return kW | kE;
    case Tile::BranchStart:
      return kW | kS;
    case Tile::BranchEnd:
      return kN | kW;
    case Tile::TeeDown:
      return kW | kE | kS;
    case Tile::TeeRight:
      return kN | kS | kE;
    case Tile::TeeUp:
      return kW | kE | kN;
    case Tile::NormallyOpen:
    case Tile::NormallyClosed:
      return kN | kS;
    default:
      return 0;
  }
}

}  // namespace

CircuitReadBack::CircuitReadBack(const TileGrid& tiles, const LabelGrid& labels, GridFamily family,
                                 VariableTable& table) {
  const bool twoPart = family == GridFamily::TwoPart;
  const int firstStep = twoPart ? 0 : 1;
  // Every drawn tile in the order read, at its place: column x and row.
  // Walked twice, to size the place table and then to fill it, rather than
  // kept in a list (a read-back runs for every circuit of every drawing).
  int mainEnd = -1;  // the row below the main column's last cell
  const auto forEachSpot = [&](auto&& visit) {
    int x = 0;
    int row = kFirstRow;  // a branch without a first step goes on below the one before, as drawn
    for (int b = 0; b <= kLastDrawnBranch; ++b) {
      for (int k = firstStep; k < kSteps; ++k) {
        const Tile tile = tiles[b][k];
        if (tile == Tile::Unused) continue;
        if (tile == Tile::Shared || (twoPart && tile == Tile::Gap)) {
          ++row;
        } else if (SidesOf(tile) != 0) {
          visit(x, row, b, k);
          ++row;
        }
      }
      if (b == 0) mainEnd = row;
      if (tiles[b + 1][1] != Tile::Unused) {
        ++x;
        row = kFirstRow;
      }
    }
  };
  size_t spots = 0;
  forEachSpot([&](int x, int row, int, int) {
    width_ = std::max(width_, x + 1);
    height_ = std::max(height_, row + 1);
    ++spots;
  });
  where_.assign(static_cast<size_t>(width_) * height_, -1);
  cells_.reserve(spots);
  // Contacts repeat their names; each spelling is looked up in the table once.
  std::vector<std::pair<std::string_view, int>> known;
  auto variableOf = [&](const std::string& label) {
    const std::string_view name = label.empty() ? std::string_view("?") : std::string_view(label);
    for (const auto& [spelling, variable] : known) {
      if (spelling == name) return variable;
    }
    const int variable = table.Index(name);
    known.emplace_back(name, variable);
    return variable;
  };
  forEachSpot([&](int x, int row, int b, int k) {
    const Tile tile = tiles[b][k];
    Place(x, row, tile, IsContact(tile) ? variableOf(labels[b][k]) : -1);
  });
  const int top = CellAt(0, kFirstRow);
  const int bottom = mainEnd < 0 ? -1 : CellAt(0, mainEnd - 1);
  if (bottom >= 0) mainEndRow_ = mainEnd - 1;
  if (top >= 0 && (cells_[top].sides & kN) && bottom >= 0 && (cells_[bottom].sides & kS)) JoinIntoNodes(top, bottom);
}

void CircuitReadBack::Place(int x, int row, Tile tile, int variable) {
  const Cell cell{x, row, tile, SidesOf(tile), variable, tile == Tile::NormallyOpen};
  if (variable >= 0) variables_ |= uint64_t{1} << variable;
  int& here = where_[static_cast<size_t>(x) * height_ + row];
  if (here >= 0) {
    cells_[here] = cell;  // painted over
    return;
  }
  here = static_cast<int>(cells_.size());
  cells_.push_back(cell);
}

int CircuitReadBack::CellAt(int x, int row) const {
  if (x < 0 || row < 0 || x >= width_ || row >= height_) return -1;
  return where_[static_cast<size_t>(x) * height_ + row];
}

// Every cell has a top and a bottom terminal; a wire piece joins its two, and
// touching sides join the terminals they meet. The groups of joined terminals
// are the circuit's nodes, and each contact links the node of its top with the
// node of its bottom.
void CircuitReadBack::JoinIntoNodes(int entry, int exit) {
  std::vector<int> parent(2 * cells_.size());
  for (size_t i = 0; i < parent.size(); ++i) parent[i] = static_cast<int>(i);
  auto find = [&parent](int i) {
    while (parent[i] != i) i = parent[i] = parent[parent[i]];
    return i;
  };
  // The lower terminal becomes the root: cells come column by column, top
  // down, so each terminal joins straight to the root of the run above it.
  auto join = [&](int a, int b) {
    a = find(a);
    b = find(b);
    if (a < b) {
      parent[b] = a;
    } else {
      parent[a] = b;
    }
  };
  auto isContact = [this](int i) { return cells_[i].variable >= 0; };
  for (size_t i = 0; i < cells_.size(); ++i) {
    const Cell& c = cells_[i];
    const int top = 2 * static_cast<int>(i), bottom = top + 1;
    if (!isContact(i)) join(top, bottom);
    const int below = (c.sides & kS) ? CellAt(c.x, c.row + 1) : -1;
    if (below >= 0 && (cells_[below].sides & kN)) join(bottom, 2 * below);
    const int right = (c.sides & kE) ? CellAt(c.x + 1, c.row) : -1;
    if (right >= 0 && (cells_[right].sides & kW)) join(top, 2 * right);  // only wire pieces join sideways
  }
  std::vector<int> node(parent.size(), -1);
  int nodes = 0;
  auto nodeOf = [&](int terminal) {
    int& n = node[find(terminal)];
    if (n < 0) n = nodes++;
    return n;
  };
  source_ = nodeOf(2 * entry);
  sink_ = nodeOf(2 * exit + 1);
  cellTop_.resize(cells_.size());
  cellBottom_.resize(cells_.size());
  for (size_t i = 0; i < cells_.size(); ++i) {
    cellTop_[i] = nodeOf(2 * static_cast<int>(i));
    cellBottom_[i] = nodeOf(2 * static_cast<int>(i) + 1);
  }
  for (size_t i = 0; i < cells_.size(); ++i) {
    if (!isContact(i)) continue;
    const int a = nodeOf(2 * static_cast<int>(i)), b = nodeOf(2 * static_cast<int>(i) + 1);
    if (a != b) contacts_.push_back({a, b, cells_[i].variable, cells_[i].closedWhenOn, static_cast<int>(i)});
  }
  // The contacts of node n are touching_[firstTouching_[n] .. firstTouching_[n + 1] - 1].
  firstTouching_.assign(nodes + 1, 0);
  for (const Contact& c : contacts_) ++firstTouching_[c.a + 1], ++firstTouching_[c.b + 1];
  for (int n = 0; n < nodes; ++n) firstTouching_[n + 1] += firstTouching_[n];
  touching_.resize(2 * contacts_.size());
  std::vector<int> next(firstTouching_.begin(), firstTouching_.end() - 1);
  for (size_t k = 0; k < contacts_.size(); ++k) {
    touching_[next[contacts_[k].a]++] = static_cast<int>(k);
    touching_[next[contacts_[k].b]++] = static_cast<int>(k);
  }
}

bool CircuitReadBack::Conducts(uint64_t values) const {
  Lanes lanes{};
  for (int v = 0; v < kMaxVariables; ++v) lanes[v] = ((values >> v) & 1) ? ~uint64_t{0} : 0;
  return (ConductsLanes(lanes) & 1) != 0;
}

uint64_t CircuitReadBack::ConductsLanes(const Lanes& lanes) const {
  if (source_ < 0) return 0;
  std::vector<uint64_t> reached(firstTouching_.size() - 1, 0);
  reached[source_] = ~uint64_t{0};
  std::vector<int> todo{source_};
  while (!todo.empty()) {
    const int n = todo.back();
    todo.pop_back();
    for (int t = firstTouching_[n]; t < firstTouching_[n + 1]; ++t) {
      const Contact& c = contacts_[touching_[t]];
      const int other = c.a == n ? c.b : c.a;
      const uint64_t passes = c.closedWhenOn ? lanes[c.variable] : ~lanes[c.variable];
      const uint64_t more = reached[n] & passes & ~reached[other];
      if (more == 0) continue;
      reached[other] |= more;
      todo.push_back(other);
    }
  }
  return reached[sink_];
}

std::optional<std::vector<Cube>> CircuitReadBack::PathCubes(size_t limit) const {
  std::vector<Cube> paths;
  if (source_ < 0) return paths;
  if (source_ == sink_) return std::vector<Cube>{Cube{}};  // a plain wire
  const size_t stepBudget = 64 * limit + 4 * contacts_.size();
  size_t steps = 0;
  std::vector<char> onPath(firstTouching_.size() - 1, 0);
  // Depth-first over simple paths between nodes; each frame holds a node, the
  // contacts passed so far and the next contact to try.
  struct Frame {
    int node;
    Cube cube;
    int next;
  };
  std::vector<Frame> stack{{source_, Cube{}, firstTouching_[source_]}};
  onPath[source_] = 1;
  while (!stack.empty()) {
    if (++steps > stepBudget) return std::nullopt;
    Frame& top = stack.back();
    if (top.node == sink_ || top.next == firstTouching_[top.node + 1]) {
      if (top.node == sink_) {
        if (paths.size() == limit) return std::nullopt;
        paths.push_back(top.cube);
      }
      onPath[top.node] = 0;
      stack.pop_back();
      continue;
    }
    const Contact& c = contacts_[touching_[top.next++]];
    const int other = c.a == top.node ? c.b : c.a;
    if (onPath[other]) continue;
    Cube cube = top.cube;
    (c.closedWhenOn ? cube.on : cube.off) |= uint64_t{1} << c.variable;
    if (cube.Contradictory()) continue;
    onPath[other] = 1;
    stack.push_back({other, cube, firstTouching_[other]});
  }
  return paths;
}

std::vector<int> CircuitReadBack::ClosedTree(uint64_t values) const {
  std::vector<int> via(firstTouching_.size() - 1, kUnreached);
  via[source_] = kSourceNode;
  std::vector<int> queue{source_};
  for (size_t q = 0; q < queue.size(); ++q) {
    const int n = queue[q];
    for (int t = firstTouching_[n]; t < firstTouching_[n + 1]; ++t) {
      const Contact& c = contacts_[touching_[t]];
      const int other = c.a == n ? c.b : c.a;
      if (via[other] != kUnreached || !Closed(c.closedWhenOn, c.variable, values)) continue;
      via[other] = touching_[t];
      queue.push_back(other);
    }
  }
  return via;
}

std::vector<std::pair<int, int>> CircuitReadBack::LiveCells(uint64_t values) const {
  std::vector<std::pair<int, int>> live;
  if (source_ < 0) return live;
  const int nodes = static_cast<int>(firstTouching_.size()) - 1;
  const auto closed = [&](const Contact& c) { return Closed(c.closedWhenOn, c.variable, values); };
  // The nodes current can reach from the top line.
  const std::vector<int> via = ClosedTree(values);
  std::vector<char> alive(nodes, 0);
  for (int n = 0; n < nodes; ++n) alive[n] = via[n] != kUnreached;
  if (!alive[sink_]) return live;
  std::vector<int> todo;
  // Dead ends carry no current: nodes with one closed contact left, other
  // than the two ends, drop out until none is left.
  std::vector<int> degree(nodes, 0);
  for (const Contact& c : contacts_) {
    if (closed(c) && alive[c.a] && alive[c.b]) ++degree[c.a], ++degree[c.b];
  }
  for (int n = 0; n < nodes; ++n) {
    if (alive[n] && degree[n] <= 1 && n != source_ && n != sink_) todo.push_back(n);
  }
  while (!todo.empty()) {
    const int n = todo.back();
    todo.pop_back();
    if (!alive[n]) continue;
    alive[n] = 0;
    for (int t = firstTouching_[n]; t < firstTouching_[n + 1]; ++t) {
      const Contact& c = contacts_[touching_[t]];
      const int other = c.a == n ? c.b : c.a;
      if (!closed(c) || !alive[other]) continue;
      if (--degree[other] <= 1 && other != source_ && other != sink_) todo.push_back(other);
    }
  }
  for (size_t i = 0; i < cells_.size(); ++i) {
    const Cell& cell = cells_[i];
    const bool on = cell.variable < 0 ? alive[cellTop_[i]] && alive[cellBottom_[i]]
                                      : Closed(cell.closedWhenOn, cell.variable, values) && alive[cellTop_[i]] &&
                                            alive[cellBottom_[i]] && cellTop_[i] != cellBottom_[i];
    if (on) live.emplace_back(cell.x, cell.row);
  }
  return live;
}

std::string CircuitReadBack::ClosedPath(uint64_t values, const VariableTable& table) const {
  if (source_ < 0) return {};
  if (source_ == sink_) return "1";
  const std::vector<int> via = ClosedTree(values);
  if (via[sink_] == kUnreached) return {};
  std::vector<std::string> names;
  for (int n = sink_; n != source_;) {
    const Contact& c = contacts_[via[n]];
    std::string name = table.Name(c.variable);
    if (!c.closedWhenOn && !name.empty())
      name[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
    names.push_back(name);
    n = c.a == n ? c.b : c.a;
  }
  std::string path;
  for (auto it = names.rbegin(); it != names.rend(); ++it) path += (path.empty() ? "" : ".") + *it;
  return path;
}

std::vector<CircuitReadBack::Link> CircuitReadBack::Links() const {
  std::vector<Link> links;
  for (const Contact& c : contacts_) {
    const Cell& cell = cells_[c.cell];
    links.push_back({c.a, c.b, cell.x, cell.row, c.variable, c.closedWhenOn});
  }
  return links;
}

std::vector<CircuitReadBack::PlacedCell> CircuitReadBack::Cells() const {
  std::vector<PlacedCell> cells;
  for (const Cell& c : cells_) {
    const Tile shown =
        c.variable < 0 && IsContact(c.tile) ? Tile::Wire : c.tile;  // a contact of no name joins as a wire
    cells.push_back({c.x, c.row, shown, c.variable, c.closedWhenOn});
  }
  return cells;
}

}  // namespace kelvo
