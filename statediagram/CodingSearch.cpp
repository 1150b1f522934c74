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

// Per code, the codes one digit away.
constexpr std::array<CodeSet, kCodeCount> kOneDigit = [] {
  std::array<CodeSet, kCodeCount> near{};
  for (int c = 0; c < kCodeCount; ++c) {
    for (int bit = 0; bit < kCodeDigits; ++bit) near[c] |= CodeSet{1} << (c ^ (1 << bit));
  }
  return near;
}();

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

// One search for codes with at most `budget` transit states. The next state
// to place is the one with the fewest codes left (each code must be one digit
// from every placed neighbour, or two with a transit state between), so a
// dead end shows as soon as some state has none.
class Search {
public:
  Search(const TransitionGraph& graph, const std::vector<Edge>& edges, int keyCount, int budget)
      : edges_(edges), keyUses_(keyCount, 0), budget_(budget) {
    code_.fill(-1);
    for (int s = 0; s < kStateCount; ++s) {
      if ((graph.linked >> s) & 1) states_.push_back(s);
    }
    for (size_t e = 0; e < edges_.size(); ++e) {
      edgesOf_[edges_[e].from].push_back(static_cast<int>(e));
      edgesOf_[edges_[e].to].push_back(static_cast<int>(e));
    }
    for (int c = 0; c < kCodeCount; ++c) {
      for (int d = 0; d < kCodeCount; ++d) {
        const int apart = std::popcount(static_cast<unsigned>(c ^ d));
        if (apart == 1 || (apart == 2 && budget_ > 0)) near_[c] |= CodeSet{1} << d;
      }
    }
  }

  bool Run() { return Try(0, 0); }
  const std::array<int, kStateCount>& Codes() const { return code_; }
  // The transit states as (key, code), and the transitions led through them.
  const std::vector<std::pair<int, int>>& Transits() const { return transits_; }
  const std::vector<Detour>& Detours() const { return detours_; }

private:
  bool Place();
  bool Try(int s, int c);
  bool Leaf();
  bool Cover(size_t k);
  int Other(int e, int s) const { return edges_[e].from == s ? edges_[e].to : edges_[e].from; }

  const std::vector<Edge>& edges_;
  std::vector<int> states_;
  std::array<std::vector<int>, kStateCount> edgesOf_;
  std::array<CodeSet, kCodeCount> near_{};
  std::vector<int> keyUses_;
  std::vector<int> openDetours_;  // the edges two digits apart among the placed states
  int keysOpen_ = 0;
  int placed_ = 0;
  const int budget_;
  std::array<int, kStateCount> code_{};
  CodeSet used_ = 0;
  CodeSet usedBits_ = 0;
  std::vector<std::pair<int, int>> transits_;
  std::vector<Detour> detours_;
  CodeSet transitCodes_ = 0;
};

bool Search::Place() {
  if (placed_ == static_cast<int>(states_.size())) return Leaf();
  int best = -1, bestLinks = -1;
  CodeSet bestCodes = 0;
  // States that can only be placed two digits from a placed neighbour each
  // need a transit state of a key not yet open; those with no key in common
  // need one each.
  std::vector<bool> keysClaimed(keyUses_.size(), false);
  int claims = 0;
  for (int s : states_) {
    if (code_[s] >= 0) continue;
    CodeSet codes = ~used_ & ((CodeSet{1} << kCodeCount) - 1);
    CodeSet direct = codes;
    int links = 0;
    for (int e : edgesOf_[s]) {
      const int other = code_[Other(e, s)];
      if (other >= 0) codes &= near_[other], direct &= kOneDigit[other], ++links;
    }
    if (codes == 0) return false;
    if (direct == 0 && budget_ > 0) {
      bool open = false, claimed = false;
      for (int e : edgesOf_[s]) {
        if (code_[Other(e, s)] < 0) continue;
        open = open || keyUses_[edges_[e].key] > 0;
        claimed = claimed || keysClaimed[edges_[e].key];
      }
      if (!open && !claimed) {
        for (int e : edgesOf_[s]) {
          if (code_[Other(e, s)] >= 0) keysClaimed[edges_[e].key] = true;
        }
        if (keysOpen_ + ++claims > budget_) return false;
      }
    }
    const int count = std::popcount(codes);
    if (best < 0 || (links > 0) > (bestLinks > 0) ||
        ((links > 0) == (bestLinks > 0) && count < std::popcount(bestCodes))) {
      best = s, bestLinks = links, bestCodes = codes;
    }
  }
  // Codes one digit from every placed neighbour first; then those whose
  // transit states can be shared, or lead back to a low-numbered state.
  std::array<std::pair<int, int>, kCodeCount> candidates{};  // (cost, code)
  int count = 0;
  for (CodeSet codes = bestCodes; codes != 0; codes &= codes - 1) {
    const int c = std::countr_zero(codes);
    int cost = 0;
    for (int e : edgesOf_[best]) {
      const int other = code_[Other(e, best)];
      if (other < 0 || ((kOneDigit[other] >> c) & 1)) continue;
      cost += kCodeCount * 4 + (keyUses_[edges_[e].key] > 0 ? 0 : kCodeCount + edges_[e].to);
    }
    candidates[count++] = {cost, c};
  }
  std::sort(candidates.begin(), candidates.begin() + count);
  for (int n = 0; n < count; ++n) {
    if (Try(best, candidates[n].second)) return true;
  }
  return false;
}

bool Search::Try(int s, int c) {
  if ((used_ >> c) & 1) return false;
  // The four digits are alike until used: a digit used first is the lowest unused one.
  const int k = std::popcount(usedBits_);
  const CodeSet fresh = static_cast<CodeSet>(c) & ~usedBits_;
  const int m = std::popcount(fresh);
  if (fresh != (((CodeSet{1} << (k + m)) - 1) & ~((CodeSet{1} << k) - 1))) return false;
  const CodeSet usedWith = used_ | (CodeSet{1} << c);
  // A detour placed before keeps a code for its transit state.
  for (int e : openDetours_) {
    const unsigned diff = static_cast<unsigned>(code_[edges_[e].from] ^ code_[edges_[e].to]);
    const unsigned low = diff & (0u - diff);
    const CodeSet via =
        (CodeSet{1} << (code_[edges_[e].from] ^ low)) | (CodeSet{1} << (code_[edges_[e].from] ^ (diff ^ low)));
    if ((via & ~usedWith) == 0) return false;
  }
  std::array<int, kStateCount * kSlotCount> keys{};
  std::array<int, kStateCount * kSlotCount> detours{};
  int keyCount = 0, newKeys = 0;
  for (int e : edgesOf_[s]) {
    const int other = code_[Other(e, s)];
    if (other < 0) continue;
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
    detours[keyCount] = e;
    keys[keyCount++] = key;
  }
  if (keysOpen_ + newKeys > budget_ || static_cast<int>(states_.size()) + keysOpen_ + newKeys > kCodeCount) {
    return false;
  }
  for (int n = 0; n < keyCount; ++n) {
    keysOpen_ += keyUses_[keys[n]]++ == 0;
    openDetours_.push_back(detours[n]);
  }
  const CodeSet bitsBefore = usedBits_;
  code_[s] = c;
  used_ = usedWith;
  usedBits_ |= static_cast<CodeSet>(c);
  ++placed_;
  if (Place()) return true;
  --placed_;
  usedBits_ = bitsBefore;
  used_ &= ~(CodeSet{1} << c);
  code_[s] = -1;
  for (int n = 0; n < keyCount; ++n) keysOpen_ -= --keyUses_[keys[n]] == 0;
  openDetours_.resize(openDetours_.size() - keyCount);
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

// Whether some state keeps more than four neighbours however transit states
// are added: a transit state in a transition out of it stands in for the
// target, and one into it stands in for at most three sources on one trigger.
bool NeighboursBeyondHelp(const TransitionGraph& graph) {
  for (int v = 0; v < kStateCount; ++v) {
    int kept = 0, shareable = 0;
    for (int u = 0; u < kStateCount; ++u) {
      if (!((graph.neighbours[v] >> u) & 1)) continue;
      bool out = false, shared = false;
      for (const Transition& t : graph.transitions) {
        if (t.from == v && t.to == u) out = true;
        if (t.from != u || t.to != v) continue;
        for (const Transition& other : graph.transitions) {
          shared = shared || (other.to == v && other.from != u && other.from != v && other.trigger == t.trigger);
        }
      }
      if (out || !shared) {
        ++kept;
      } else {
        ++shareable;
      }
    }
    if (kept + (shareable + 2) / 3 > kCodeDigits) return true;
  }
  return false;
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
    auto key = std::find_if(keys.begin(), keys.end(),
                            [&](const Key& k) { return k.target == t.to && k.trigger == t.trigger; });
    if (key == keys.end()) key = keys.insert(keys.end(), Key{t.to, t.trigger});
    edges.push_back({t.from, t.to, static_cast<int>(key - keys.begin())});
  }
  const int freeNumbers = kStateCount - CountStates(graph.occupied);
  const int budgetLimit = transitStates && !NeighboursBeyondHelp(graph) ? freeNumbers : 0;
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
    none.reason +=
        "the table uses " + std::to_string(CountStates(graph.occupied)) + " state numbers, and even with " +
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
    if (!table.Codes[s].empty() && table.Codes[s] != CodeText4(coding.codes[s]))
      text += " (was " + table.Codes[s] + ")";
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
