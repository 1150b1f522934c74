#include "statediagram/CodingSearch.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>

#include "statediagram/CodingTrouble.h"

namespace kelvo {
namespace {

constexpr int kCodeCount = 1 << kCodeDigits;
using CodeSet = uint32_t;  // bit c: code c

struct Edge {
  int from = 0, to = 0;  // a transition between two different states
  int key = 0;           // its (target, trigger): the transit state it may share
};

struct Key {
  int target = 0;
  std::string trigger;
};

// A transition two digits apart and the transit state it goes through.
struct Detour {
  int edge = 0;
  int via = -1;  // index into the transit states chosen
};

// One search for codes with at most `budget` transit states.
class Search {
public:
  Search(const TransitionGraph& graph, const std::vector<Edge>& edges, int keyCount, int budget)
      : edges_(edges), keyUses_(keyCount, 0), budget_(budget) {
    Order(graph);
    code_.fill(-1);
  }

  bool Run() { return Place(0); }
  const std::array<int, kStateCount>& Codes() const { return code_; }
  // The transit states as (key, code), and the transitions led through them.
  const std::vector<std::pair<int, int>>& Transits() const { return transits_; }
  const std::vector<Detour>& Detours() const { return detours_; }

private:
  void Order(const TransitionGraph& graph);
  bool Place(size_t i);
  bool Try(size_t i, int s, int c);
  bool Leaf();
  bool Cover(size_t k);
  int Other(int e, int s) const { return edges_[e].from == s ? edges_[e].to : edges_[e].from; }

  const std::vector<Edge>& edges_;
  std::vector<int> order_;
  std::vector<std::vector<int>> earlier_;  // per position: the edges to states placed before it
  std::vector<int> keyUses_;
  int keysOpen_ = 0;
  const int budget_;
  std::array<int, kStateCount> code_{};
  CodeSet used_ = 0;
  CodeSet usedBits_ = 0;
  std::vector<std::pair<int, int>> transits_;
  std::vector<Detour> detours_;
  CodeSet transitCodes_ = 0;
};

void Search::Order(const TransitionGraph& graph) {
  StateSet placed = 0;
  for (int root = 0; root < kStateCount; ++root) {
    if (!((graph.linked >> root) & 1) || ((placed >> root) & 1)) continue;
    std::vector<int> queue{root};
    placed |= StateSet{1} << root;
    for (size_t q = 0; q < queue.size(); ++q) {
      for (int t = 0; t < kStateCount; ++t) {
        if (((graph.neighbours[queue[q]] >> t) & 1) && !((placed >> t) & 1)) {
          placed |= StateSet{1} << t;
          queue.push_back(t);
        }
      }
    }
    order_.insert(order_.end(), queue.begin(), queue.end());
  }
  std::array<int, kStateCount> position{};
  for (size_t i = 0; i < order_.size(); ++i) position[order_[i]] = static_cast<int>(i);
  earlier_.resize(order_.size());
  for (size_t e = 0; e < edges_.size(); ++e) {
    earlier_[std::max(position[edges_[e].from], position[edges_[e].to])].push_back(static_cast<int>(e));
  }
}

bool Search::Place(size_t i) {
  if (i == order_.size()) return Leaf();
  const int s = order_[i];
  if (s == 0) return Try(i, s, 0);
  // Codes one digit from a placed neighbour first, then two (a transit state between).
  const int anchor = earlier_[i].empty() ? -1 : code_[Other(earlier_[i].front(), s)];
  if (anchor < 0) {
    for (int c = 0; c < kCodeCount; ++c) {
      if (Try(i, s, c)) return true;
    }
    return false;
  }
  for (int distance = 1; distance <= (budget_ > 0 ? 2 : 1); ++distance) {
    for (int c = 0; c < kCodeCount; ++c) {
      if (std::popcount(static_cast<unsigned>(c ^ anchor)) == distance && Try(i, s, c)) return true;
    }
  }
  return false;
}

bool Search::Try(size_t i, int s, int c) {
  if ((used_ >> c) & 1) return false;
  // The four digits are alike until used: a digit used first is the lowest unused one.
  const int k = std::popcount(usedBits_);
  const CodeSet fresh = static_cast<CodeSet>(c) & ~usedBits_;
  const int m = std::popcount(fresh);
  if (fresh != (((CodeSet{1} << (k + m)) - 1) & ~((CodeSet{1} << k) - 1))) return false;
  const CodeSet usedWith = used_ | (CodeSet{1} << c);
  std::array<int, kStateCount * kSlotCount> keys{};
  int keyCount = 0, newKeys = 0;
  for (int e : earlier_[i]) {
    const int other = code_[Other(e, s)];
    const unsigned diff = static_cast<unsigned>(c ^ other);
    const int d = std::popcount(diff);
    if (d == 1) continue;
    if (d != 2 || budget_ == 0) return false;
    // A transit state takes one of the two codes one digit from both ends.
    const unsigned low = diff & (0u - diff);
    if (((usedWith >> (c ^ low)) & 1) && ((usedWith >> (c ^ (diff ^ low))) & 1)) return false;
    const int key = edges_[e].key;
    if (keyUses_[key] == 0 && std::find(keys.begin(), keys.begin() + keyCount, key) == keys.begin() + keyCount) {
      ++newKeys;
    }
    keys[keyCount++] = key;
  }
  if (keysOpen_ + newKeys > budget_ || static_cast<int>(order_.size()) + keysOpen_ + newKeys > kCodeCount) return false;
  for (int n = 0; n < keyCount; ++n) keysOpen_ += keyUses_[keys[n]]++ == 0;
  const CodeSet bitsBefore = usedBits_;
  code_[s] = c;
  used_ = usedWith;
  usedBits_ |= static_cast<CodeSet>(c);
  if (Place(i + 1)) return true;
  usedBits_ = bitsBefore;
  used_ &= ~(CodeSet{1} << c);
  code_[s] = -1;
  for (int n = 0; n < keyCount; ++n) keysOpen_ -= --keyUses_[keys[n]] == 0;
  return false;
}

bool Search::Leaf() {
  detours_.clear();
  for (size_t e = 0; e < edges_.size(); ++e) {
    if (std::popcount(static_cast<unsigned>(code_[edges_[e].from] ^ code_[edges_[e].to])) == 2) {
      detours_.push_back({static_cast<int>(e), -1});
    }
  }
  transits_.clear();
  transitCodes_ = 0;
  return Cover(0);
}

// Gives detour k and the ones after it a transit state: one already chosen for
// its key where it fits, else a new one while the budget lasts.
bool Search::Cover(size_t k) {
  if (k == detours_.size()) return true;
  const Edge& edge = edges_[detours_[k].edge];
  const int a = code_[edge.from], b = code_[edge.to];
  const unsigned diff = static_cast<unsigned>(a ^ b);
  const unsigned low = diff & (0u - diff);
  const std::array<int, 2> via{static_cast<int>(a ^ low), static_cast<int>(a ^ (diff ^ low))};
  for (size_t t = 0; t < transits_.size(); ++t) {
    if (transits_[t].first != edge.key || std::find(via.begin(), via.end(), transits_[t].second) == via.end()) continue;
    detours_[k].via = static_cast<int>(t);
    if (Cover(k + 1)) return true;
  }
  if (static_cast<int>(transits_.size()) >= budget_) return false;
  for (int c : via) {
    if (((used_ | transitCodes_) >> c) & 1) continue;
    transits_.push_back({edge.key, c});
    transitCodes_ |= CodeSet{1} << c;
    detours_[k].via = static_cast<int>(transits_.size()) - 1;
    if (Cover(k + 1)) return true;
    transitCodes_ &= ~(CodeSet{1} << c);
    transits_.pop_back();
  }
  return false;
}

std::string CodeText4(int code) {
  std::string text;
  for (int bit = kCodeDigits - 1; bit >= 0; --bit) text += ((code >> bit) & 1) ? '1' : '0';
  return text;
}

CodingResult Found(const TransitionGraph& graph, const Search& search, const std::vector<Edge>& edges,
                   const std::vector<Key>& keys) {
  CodingResult result;
  result.found = true;
  result.codes = search.Codes();
  StateSet taken = graph.occupied;
  CodeSet codesTaken = 0;
  for (int s = 0; s < kStateCount; ++s) {
    if (result.codes[s] >= 0) codesTaken |= CodeSet{1} << result.codes[s];
  }
  for (const auto& [key, code] : search.Transits()) {
    TransitState transit;
    transit.state = std::countr_one(taken);
    taken |= StateSet{1} << transit.state;
    transit.code = code;
    transit.target = keys[key].target;
    transit.trigger = keys[key].trigger;
    codesTaken |= CodeSet{1} << code;
    result.transits.push_back(transit);
  }
  for (const Detour& d : search.Detours()) result.transits[d.via].sources |= StateSet{1} << edges[d.edge].from;
  for (TransitState& t : result.transits) result.codes[t.state] = t.code;
  // States that hold something but take part in no transition get the codes left, in order.
  for (int s = 0; s < kStateCount; ++s) {
    if (!((graph.occupied >> s) & 1) || result.codes[s] >= 0 || codesTaken == (CodeSet{1} << kCodeCount) - 1) continue;
    result.codes[s] = std::countr_one(codesTaken);
    codesTaken |= CodeSet{1} << result.codes[s];
  }
  return result;
}

}  // namespace

CodingResult FindCoding(const StateDiagram& table, bool transitStates) {
  const TransitionGraph graph = TransitionGraph::Of(table);
  CodingResult none;
  if (graph.badFrom >= 0) {
    none.reason = "S" + std::to_string(graph.badFrom) + " goes to \"" + table.Targets[graph.badFrom][graph.badSlot] +
                  "\", which is not one of the states S0 to S15.";
    return none;
  }
  std::vector<Key> keys;
  std::vector<Edge> edges;
  for (const Transition& t : graph.transitions) {
    if (t.from == t.to) {
      none.reason = NoCodingReason(graph);
      return none;
    }
    auto key = std::find_if(keys.begin(), keys.end(), [&](const Key& k) { return k.target == t.to && k.trigger == t.trigger; });
    if (key == keys.end()) key = keys.insert(keys.end(), Key{t.to, t.trigger});
    edges.push_back({t.from, t.to, static_cast<int>(key - keys.begin())});
  }
  const int freeNumbers = kStateCount - CountStates(graph.occupied);
  const int budgetLimit = transitStates ? freeNumbers : 0;
  for (int budget = 0; budget <= budgetLimit; ++budget) {
    Search search(graph, edges, static_cast<int>(keys.size()), budget);
    if (search.Run()) return Found(graph, search, edges, keys);
  }
  const std::string why = NoCodingReason(graph);
  if (!transitStates) {
    none.reason = why.empty() ? kNoFittingCodes : why;
    return none;
  }
  none.reason = "16 states are not enough: ";
  if (freeNumbers == 0) {
    none.reason += "the table uses every state number, so none is left for a transit state.";
  } else {
    none.reason += "the table uses " + std::to_string(CountStates(graph.occupied)) + " state numbers, and even with " +
                   (freeNumbers == 1 ? "a transit state in the one" : "transit states in the " + NumberWord(freeNumbers)) +
                   " left, no coding changes one digit per transition.";
  }
  none.reason += " " + (why.empty() ? std::string(kNoFittingCodes) : why);
  return none;
}

std::string TransitComment(const TransitState& transit) {
  std::string sources;
  for (int s = 0; s < kStateCount; ++s) {
    if ((transit.sources >> s) & 1) sources += (sources.empty() ? "S" : ", S") + std::to_string(s);
  }
  return sources + " -> S" + std::to_string(transit.target) + " (transit)";
}

StateDiagram WithCoding(const StateDiagram& table, const CodingResult& coding) {
  StateDiagram coded = table;
  for (int s = 0; s < kStateCount; ++s) coded.Codes[s] = coding.codes[s] >= 0 ? CodeText4(coding.codes[s]) : "";
  for (const TransitState& transit : coding.transits) {
    const int n = transit.state;
    const std::string via = "S" + std::to_string(n);
    for (int s = 0; s < kStateCount; ++s) {
      if (!((transit.sources >> s) & 1)) continue;
      for (int j = 0; j < kSlotCount; ++j) {
        if (StateOfTarget(table.Targets[s][j]) == transit.target && table.Triggers[s][j] == transit.trigger) {
          coded.Targets[s][j] = via;
        }
      }
    }
    coded.Comments[n] = TransitComment(transit);
    coded.Targets[n] = {"S" + std::to_string(transit.target), "", "", ""};
    coded.Triggers[n] = {transit.trigger, "", "", ""};
    for (int r = 0; r < kRelayCount; ++r) {
      const auto on = [&](int s) { return table.CoilOn[s][r] && !table.CoilOff[s][r]; };
      bool everywhere = on(transit.target);
      for (int s = 0; s < kStateCount; ++s) everywhere = everywhere && (!((transit.sources >> s) & 1) || on(s));
      const bool named = !table.CoilNames[r].empty();
      coded.CoilOn[n][r] = named && everywhere;
      coded.CoilOff[n][r] = named && !everywhere;
    }
  }
  return coded;
}

std::string CodingText(const StateDiagram& table, const CodingResult& coding) {
  if (!coding.found) return coding.reason;
  std::string text = "Codes:";
  StateSet transitStates = 0;
  for (const TransitState& t : coding.transits) transitStates |= StateSet{1} << t.state;
  for (int s = 0; s < kStateCount; ++s) {
    if (coding.codes[s] < 0 || ((transitStates >> s) & 1)) continue;
    text += "\n  S" + std::to_string(s) + " " + CodeText4(coding.codes[s]);
    if (!table.Codes[s].empty() && table.Codes[s] != CodeText4(coding.codes[s])) text += " (was " + table.Codes[s] + ")";
  }
  if (coding.transits.empty()) return text + "\nNo transit state is needed.";
  text += "\nTransit states added:";
  for (const TransitState& t : coding.transits) {
    text += "\n  S" + std::to_string(t.state) + " " + CodeText4(t.code) + " \"" + TransitComment(t) + "\"";
  }
  text += "\nTransitions rerouted:";
  for (const TransitState& t : coding.transits) {
    for (int s = 0; s < kStateCount; ++s) {
      if (!((t.sources >> s) & 1)) continue;
      text += "\n  S" + std::to_string(s) + " -> S" + std::to_string(t.target) + " on " + t.trigger + " now goes S" +
              std::to_string(s) + " -> S" + std::to_string(t.state) + " -> S" + std::to_string(t.target);
    }
  }
  return text;
}

}  // namespace kelvo
