#include "statediagram/CodingTrouble.h"

#include <algorithm>
#include <vector>

#include "statediagram/AutoCodes.h"
#include "statediagram/CodingSearch.h"

namespace kelvo {
namespace {

constexpr const char* kTransitTool = "use Tools > Assign Codes with Transit States";

std::string Name(int s) { return "S" + std::to_string(s); }

bool HasTransition(const TransitionGraph& g, int from, int to) {
  return std::any_of(g.transitions.begin(), g.transitions.end(),
                     [&](const Transition& t) { return t.from == from && t.to == to; });
}

// The shortest cycle of an odd number of transitions, taken either way, as its states in order.
std::vector<int> ShortestOddCycle(const TransitionGraph& g) {
  std::vector<int> best;
  for (int root = 0; root < kStateCount; ++root) {
    if (!((g.linked >> root) & 1)) continue;
    std::array<int, kStateCount> depth, parent;
    depth.fill(-1);
    parent.fill(-1);
    depth[root] = 0;
    std::vector<int> queue{root};
    for (size_t q = 0; q < queue.size(); ++q) {
      const int x = queue[q];
      for (int y = 0; y < kStateCount; ++y) {
        if (!((g.neighbours[x] >> y) & 1)) continue;
        if (depth[y] < 0) {
          depth[y] = depth[x] + 1, parent[y] = x, queue.push_back(y);
        } else if (depth[y] == depth[x] && x < y) {
          const size_t length = 2 * depth[x] + 1;
          if (!best.empty() && best.size() <= length) continue;
          std::vector<int> down, up;
          for (int v = x; v != root; v = parent[v]) down.push_back(v);
          for (int v = y; v != root; v = parent[v]) up.push_back(v);
          // Paths that meet before the root belong to a shorter cycle found from another root.
          if (std::find_first_of(down.begin(), down.end(), up.begin(), up.end()) != down.end()) continue;
          std::vector<int> cycle{root};
          cycle.insert(cycle.end(), up.rbegin(), up.rend());
          cycle.insert(cycle.end(), down.begin(), down.end());
          best = cycle;
        }
      }
    }
  }
  return best;
}

std::string OddCycleText(const TransitionGraph& g, std::vector<int> cycle) {
  const size_t n = cycle.size();
  std::rotate(cycle.begin(), std::min_element(cycle.begin(), cycle.end()), cycle.end());
  for (int pass = 0; pass < 2; ++pass) {
    bool directed = true;
    for (size_t i = 0; i < n; ++i) directed = directed && HasTransition(g, cycle[i], cycle[(i + 1) % n]);
    if (directed) {
      std::string walk;
      for (int s : cycle) walk += Name(s) + " -> ";
      return walk + Name(cycle[0]) + " is a cycle of " + NumberWord(static_cast<int>(n)) +
             " transitions. Every relay that picks up on the way round must drop out again, so a cycle needs an "
             "even number of transitions: add a state, or " +
             kTransitTool + ".";
    }
    std::reverse(cycle.begin() + 1, cycle.end());
  }
  std::string list;
  for (size_t i = 0; i < n; ++i) {
    const int a = cycle[i], b = cycle[(i + 1) % n];
    const std::string piece = HasTransition(g, a, b) ? Name(a) + " -> " + Name(b) : Name(b) + " -> " + Name(a);
    list += (i == 0 ? "" : i + 1 == n ? " and " : ", ") + piece;
  }
  return "The transitions " + list + " close a loop of " + NumberWord(static_cast<int>(n)) +
         ". Every relay that changes on the way round must change back, so a loop needs an even number of "
         "transitions: add a state, or " +
         kTransitTool + ".";
}

// The transition of the table the automatic codes stop at for the order of
// the state numbers, as they go: each state is coded along the first
// transition into it from a lower-numbered coded state, and every other
// transition to a higher number is out of order.
std::string SequenceFault(const StateDiagram& table) {
  StateSet coded = 1;
  std::array<int, kStateCount> codedFrom{};
  for (int i = 0; i < kStateCount; ++i) {
    for (int j = 0; j < kSlotCount; ++j) {
      const int t = StateOfTarget(table.Targets[i][j]);
      if (!IsValidState(t) || t <= i) continue;
      const std::string head = Name(i) + " -> " + Name(t) + " runs from a lower to a higher state number, but ";
      if (!((coded >> i) & 1)) {
        return head + "no transition from a lower-numbered state reaches " + Name(i) +
               " first, and the automatic codes give each state its code along such a transition.";
      }
      if ((coded >> t) & 1) {
        return head + Name(t) + " has its code already, from " + Name(codedFrom[t]) + " -> " + Name(t) +
               ", and the automatic codes allow only one such transition into a state.";
      }
      coded |= StateSet{1} << t;
      codedFrom[t] = i;
    }
  }
  return {};
}

StateDiagram Renumbered(const StateDiagram& table, const std::array<int, kStateCount>& newNumber) {
  StateDiagram moved = table;
  for (int s = 0; s < kStateCount; ++s) {
    StatePage page = table.Page(s);
    for (auto& target : page.targets) {
      const int t = StateOfTarget(target);
      if (IsValidState(t)) target = Name(newNumber[t]);
    }
    moved.StorePage(newNumber[s], page);
  }
  return moved;
}

// The states in the order they are first reached from S0 along the
// transitions (breadth first, or depth first), then the rest.
std::array<int, kStateCount> ReachOrder(const StateDiagram& table, bool depthFirst) {
  std::vector<int> order;
  StateSet seen = 0;
  std::vector<int> pending{0};  // a stack depth first, a queue breadth first
  for (size_t next = 0; depthFirst ? !pending.empty() : next < pending.size();) {
    int s = 0;
    if (depthFirst) {
      s = pending.back();
      pending.pop_back();
    } else {
      s = pending[next++];
    }
    if ((seen >> s) & 1) continue;
    seen |= StateSet{1} << s;
    order.push_back(s);
    for (int j = 0; j < kSlotCount; ++j) {
      const int t = StateOfTarget(table.Targets[s][depthFirst ? kSlotCount - 1 - j : j]);
      if (IsValidState(t) && !((seen >> t) & 1)) pending.push_back(t);
    }
  }
  for (int s = 0; s < kStateCount; ++s) {
    if (!((seen >> s) & 1)) order.push_back(s);
  }
  std::array<int, kStateCount> newNumber{};
  for (int k = 0; k < kStateCount; ++k) newNumber[order[k]] = k;
  return newNumber;
}

std::string WorkingNumbering(const StateDiagram& table) {
  const StateSet occupied = TransitionGraph::Of(table).occupied;
  for (bool depthFirst : {false, true}) {
    const auto newNumber = ReachOrder(table, depthFirst);
    StateDiagram trial = Renumbered(table, newNumber);
    if (!AssignStateCodes(trial, nullptr).ok) continue;
    std::string moves;
    for (int s = 0; s < kStateCount; ++s) {
      if (newNumber[s] != s && ((occupied >> s) & 1)) {
        moves += (moves.empty() ? "" : ", ") + Name(s) + " as " + Name(newNumber[s]);
      }
    }
    if (!moves.empty()) return " Numbered in the order they are reached from S0, the states get codes: " + moves + ".";
  }
  return {};
}

}  // namespace

std::string NoCodingReason(const TransitionGraph& g) {
  for (const Transition& t : g.transitions) {
    if (t.from == t.to) {
      return Name(t.from) + " -> " + Name(t.from) + " is a transition of " + Name(t.from) +
             " to itself: no relay can change on it, so no code fits it. Remove it: a state stays as it is while "
             "none of its triggers is true.";
    }
  }
  if (const auto cycle = ShortestOddCycle(g); !cycle.empty()) return OddCycleText(g, cycle);
  for (int s = 0; s < kStateCount; ++s) {
    if (g.Degree(s) > kCodeDigits) {
      return Name(s) + " has transitions with " + NumberWord(g.Degree(s)) + " states (" +
             StateListText(g.neighbours[s]) +
             "), but a code of four digits has only four codes one digit away from it: lead some of these "
             "transitions through another state, or " +
             kTransitTool + ".";
    }
  }
  for (int a = 0; a < kStateCount; ++a) {
    for (int b = a + 1; b < kStateCount; ++b) {
      const StateSet common = g.neighbours[a] & g.neighbours[b];
      if (CountStates(common) > 2) {
        return Name(a) + " and " + Name(b) + " both have transitions with " + StateListText(common) +
               ", but two codes have at most two codes one digit away from both: lead one of these transitions "
               "through another state, or " +
               kTransitTool + ".";
      }
    }
  }
  return {};
}

std::string WhyAutoCodesFailed(const StateDiagram& table) {
  const TransitionGraph graph = TransitionGraph::Of(table);
  if (graph.badFrom >= 0) return {};
  if (std::string reason = NoCodingReason(graph); !reason.empty()) return reason;
  if (!FindCoding(table, false).found) return kNoFittingCodes;
  if (std::string fault = SequenceFault(table); !fault.empty()) {
    const std::string numbering = WorkingNumbering(table);
    return fault + (numbering.empty() ? " Tools > Assign Codes with Transit States needs no order." : numbering);
  }
  return "The automatic codes go through the transitions in state-number order and could not finish here, although "
         "codes exist in which every transition changes one digit: Tools > Assign Codes with Transit States finds "
         "them.";
}

}  // namespace kelvo
