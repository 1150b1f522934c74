#include "equations/SwitchExpressions.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "equations/ExpressionText.h"

namespace kelvo {
namespace {

constexpr std::string_view kMarker = "?";

bool AnyProduct(const Sum& sum) { return std::any_of(sum.begin(), sum.end(), IsProduct); }

bool IsMarker(const Term& term) { return term.size() == 1 && term[0].Text() == kMarker; }

// False when no two literals of `term` have the same number under `key`
// (Contact or Switch): a quick test before comparing them pair by pair.
template <typename Key>
bool MayRepeat(const Term& term, Key key) {
  uint64_t seen = 0;
  for (const Literal& l : term) {
    const uint64_t bit = uint64_t{1} << (key(l) & 63);
    if (seen & bit) return true;
    seen |= bit;
  }
  return false;
}

}  // namespace

ProductOfSums ComplementSum(const Sum& sum, ContactNames& names) {
  ProductOfSums result;
  if (sum.empty()) return result;
  const auto complement = [&names](const Literal& l) { return names.Complement(l); };
  if (sum.size() == 1) {
    // One term: x.y.z -> x+y+z, one literal -> its complement.
    Sum& factor = result.emplace_back();
    for (const Literal& l : sum[0]) factor.push_back(Term{complement(l)});
    return result;
  }
  // A term of several literals opens a factor of its complements and closes it
  // with an empty factor that the next one-literal term fills; a one-literal
  // term joins the last product term. An empty factor met by the next factor
  // is dropped, and so is an empty complement appended to an empty factor.
  const Literal empty = names.Of("");
  bool open = false;  // the last factor is the empty one after a closed factor
  for (size_t t = 0; t < sum.size(); ++t) {
    const Term& term = sum[t];
    if (IsProduct(term)) {
      for (size_t k = 0; k < term.size(); ++k) {
        const Literal c = complement(term[k]);
        if (k > 0) {
          result.back().push_back(Term{c});
          continue;
        }
        if (open) result.pop_back();
        open = false;
        result.push_back(Sum{Term{c}});
      }
      if (t + 1 < sum.size()) {
        result.push_back(Sum{Term{empty}});
        open = true;
      }
      continue;
    }
    const Literal c = complement(term[0]);
    if (t == 0) {
      result.push_back(Sum{Term{c}});
    } else if (open) {
      if (!c.Text().empty()) {
        result.back()[0][0] = c;
        open = false;
      }
    } else {
      result.back().back().push_back(c);
    }
  }
  return result;
}

std::optional<Sum> ExpandProduct(const ProductOfSums& product) {
  if (product.empty()) return Sum{};
  // Multiplied out factor by factor, each new factor's term before the terms
  // so far; built here in one pass, each term once: the terms come in the
  // order of their choices, the last factor's choice turning fastest.
  size_t count = product[0].size();
  for (size_t f = 1; f < product.size(); ++f) {
    if (count * product[f].size() > kMaxExpandedTerms) return std::nullopt;
    count *= product[f].size();
  }
  Sum expanded;
  expanded.reserve(count);
  std::vector<size_t> choice(product.size(), 0);
  size_t length = 0;  // of the term the choices make
  if (count > 0) {
    for (const Sum& factor : product) length += factor[0].size();
  }
  for (size_t n = 0; n < count; ++n) {
    Term& term = expanded.emplace_back();
    term.reserve(length);
    for (size_t f = product.size(); f-- > 0;) {
      const Term& taken = product[f][choice[f]];
      if (taken.size() == 1) {
        term.push_back(taken[0]);  // a complemented term gives factors of single contacts
      } else {
        term.insert(term.end(), taken.begin(), taken.end());
      }
    }
    for (size_t f = product.size(); f-- > 0;) {
      length -= product[f][choice[f]].size();
      if (++choice[f] == product[f].size()) choice[f] = 0;
      length += product[f][choice[f]].size();
      if (choice[f] != 0) break;
    }
  }
  return expanded;
}

void ComplementExpressions(ResetWork& work, ContactNames& names) {
  for (int s = 0; s < kResetVariables; ++s) {
    if (work[s].size() == 1 && !Blank(work[s][0])) work[s] = ComplementSum(work[s][0], names);
  }
}

std::array<bool, kResetVariables> ExpandProducts(ResetWork& work) {
  std::array<bool, kResetVariables> tooLarge{};
  for (int s = 0; s < kResetVariables; ++s) {
    if (work[s].size() < 2) continue;
    if (auto expanded = ExpandProduct(work[s])) {
      work[s].clear();
      work[s].push_back(std::move(*expanded));
    } else {
      tooLarge[s] = true;
    }
  }
  return tooLarge;
}

void MergeAdjacentTermsOnce(Sum& sum) {
  const size_t n = sum.size();
  std::vector<char> merged(n, 0);  // absorbed into an earlier term
  Term common;
  for (size_t c = 0; c + 1 < n; ++c) {
    if (merged[c] || !IsProduct(sum[c])) continue;
    for (size_t m = c + 1; m < n; ++m) {
      if (merged[m] || !IsProduct(sum[m])) continue;
      const Term& a = sum[c];
      const Term& b = sum[m];
      if (a.size() != b.size()) continue;  // only terms of the same length merge
      common.clear();
      size_t diffCount = 0;
      for (const Literal& ap : a) {
        for (const Literal& bq : b) {
          if (bq.SameContact(ap)) common.push_back(ap);
          if (ap.Complements(bq)) ++diffCount;
        }
      }
      // The two terms merge when they share all contacts but one, which one
      // holds normally open and the other normally closed.
      if (common.empty() || diffCount != 1 || common.size() + 1 != a.size()) continue;
      sum[c] = common;
      merged[m] = 1;
    }
  }
  // A written "?" term goes too, as the marker of a merged term did.
  size_t kept = 0;
  for (size_t t = 0; t < n; ++t) {
    if (merged[t] || IsMarker(sum[t])) continue;
    if (kept != t) sum[kept] = std::move(sum[t]);
    ++kept;
  }
  sum.resize(kept);
}

void MergeAdjacentTerms(WorkEquations& work) {
  for (Sum& slot : work) {
    if (slot.size() > 1 && AnyProduct(slot)) MergeAdjacentTermsOnce(slot);
  }
}

void RemoveRepeatedLiterals(Sum& sum) {
  if (!AnyProduct(sum)) return;
  for (Term& term : sum) {
    if (!IsProduct(term) || !MayRepeat(term, [](const Literal& l) { return l.Contact(); })) continue;
    // The last occurrence of each contact survives, in its place and spelling.
    size_t kept = 0;
    for (size_t i = 0; i < term.size(); ++i) {
      const bool repeated = std::any_of(term.begin() + static_cast<std::ptrdiff_t>(i) + 1, term.end(),
                                        [&](const Literal& later) { return later.SameContact(term[i]); });
      if (!repeated) term[kept++] = term[i];
    }
    term.resize(kept);
  }
}

namespace {

bool Contradictory(const Term& term) {
  if (!MayRepeat(term, [](const Literal& l) { return l.Switch(); })) return false;
  for (size_t i = 0; i < term.size(); ++i) {
    for (size_t j = i + 1; j < term.size(); ++j) {
      if (term[i].Complements(term[j])) return true;
    }
  }
  return false;
}

template <typename Drop>
void EraseTerms(Sum& sum, Drop drop) {
  size_t kept = 0;
  for (size_t t = 0; t < sum.size(); ++t) {
    if (drop(t)) continue;
    if (kept != t) sum[kept] = std::move(sum[t]);
    ++kept;
  }
  sum.resize(kept);
}

}  // namespace

void RemoveContradictoryTerms(Sum& sum) {
  if (!AnyProduct(sum)) return;
  EraseTerms(sum, [&sum](size_t t) { return IsProduct(sum[t]) && Contradictory(sum[t]); });
}

// Absorption runs on every sum of the synthesis, the largest of them tens of
// thousands of terms long, so it works on the contacts' numbers.
namespace {

// Sets of literal ids kept as sorted id paths in a tree, so that "does the
// tree hold a subset of S?" follows only the children whose literal is in S.
// Nodes live in one array; a node's children form a list of siblings.
class SubsetTree {
public:
  explicit SubsetTree(size_t literals) : inQuery_(literals, 0) { nodes_.push_back({}); }

  void Insert(std::span<const uint32_t> ids, uint32_t term) {
    uint32_t node = 0;
    for (uint32_t id : ids) node = Child(node, id);
    nodes_[node].term = static_cast<int64_t>(term);
  }

  // True when a stored set, other than the one stored for `except`, is a subset of `ids`.
  bool HoldsSubsetOf(std::span<const uint32_t> ids, int64_t except = -1) {
    for (uint32_t id : ids) inQuery_[id] = 1;
    const bool found = Search(0, except);
    for (uint32_t id : ids) inQuery_[id] = 0;
    return found;
  }

private:
  static constexpr uint32_t kNone = 0;  // node 0 is the root, never a child

  struct Node {
    uint32_t id = 0;
    uint32_t firstChild = kNone;
    uint32_t nextSibling = kNone;
    int64_t term = -1;  // the set ending here
  };

  uint32_t Child(uint32_t node, uint32_t id) {
    for (uint32_t c = nodes_[node].firstChild; c != kNone; c = nodes_[c].nextSibling) {
      if (nodes_[c].id == id) return c;
    }
    const auto index = static_cast<uint32_t>(nodes_.size());
    nodes_.push_back({id, kNone, nodes_[node].firstChild, -1});
    nodes_[node].firstChild = index;
    return index;
  }

  bool Search(uint32_t node, int64_t except) const {
    if (nodes_[node].term >= 0 && nodes_[node].term != except) return true;
    for (uint32_t c = nodes_[node].firstChild; c != kNone; c = nodes_[c].nextSibling) {
      if (inQuery_[nodes_[c].id] && Search(c, except)) return true;
    }
    return false;
  }

  std::vector<Node> nodes_;
  std::vector<char> inQuery_;  // the literals of the set being asked about
};

constexpr size_t kSmallSumTerms = 64;

// Absorption as below for a sum of few terms over at most 64 contacts: each
// term's contacts as one mask, the terms compared pair by pair. False for a
// larger sum, which is left as it was.
bool RemoveAbsorbedTermsOfSmallSum(Sum& sum) {
  const size_t n = sum.size();
  if (n > kSmallSumTerms) return false;
  // Fixed room on the stack: this runs for most sums of a synthesis.
  std::array<uint32_t, 64> contacts;  // the contacts in order of first sight
  size_t contactCount = 0;
  std::array<uint64_t, kSmallSumTerms> masks{};
  for (size_t t = 0; t < n; ++t) {
    for (const Literal& literal : sum[t]) {
      const auto seen = contacts.begin() + static_cast<std::ptrdiff_t>(contactCount);
      const auto id = static_cast<size_t>(std::find(contacts.begin(), seen, literal.Contact()) - contacts.begin());
      if (id == contactCount) {
        if (contactCount == contacts.size()) return false;
        contacts[contactCount++] = literal.Contact();
      }
      masks[t] |= uint64_t{1} << id;
    }
  }
  std::array<size_t, kSmallSumTerms> unmarked;
  size_t unmarkedCount = 0;
  const auto absorbedBy = [&](size_t t, size_t except) {
    return std::any_of(unmarked.begin(), unmarked.begin() + static_cast<std::ptrdiff_t>(unmarkedCount),
                       [&](size_t u) { return u != except && (masks[u] & ~masks[t]) == 0; });
  };
  for (size_t c = 0; c < n; ++c) {
    if (!absorbedBy(c, n)) unmarked[unmarkedCount++] = c;
  }
  uint64_t absorbed = 0;
  for (size_t t = 0; t < n; ++t) absorbed |= uint64_t{absorbedBy(t, t)} << t;
  EraseTerms(sum, [absorbed](size_t t) { return ((absorbed >> t) & 1) != 0; });
  return true;
}

// The contacts of each term as ids, sorted and without repeats: term t holds
// ids[starts[t] .. starts[t + 1]).
struct TermSets {
  std::vector<uint32_t> ids;
  std::vector<size_t> starts;
  size_t literals = 0;
};

// Contacts are numbered by the place in a term where each is first seen,
// then by first sight. In a multiplied-out product the literals of one factor
// share a place, so the subset tree branches once per factor, not once per
// subset of a term's literals.
TermSets NumberedTermSets(const Sum& sum, size_t contacts) {
  struct Seen {
    size_t place, order;
  };
  constexpr uint32_t kUnseen = UINT32_MAX;
  std::vector<uint32_t> seenAt(contacts, kUnseen);  // contact -> its place in `seen`
  std::vector<Seen> seen;
  TermSets sets;
  sets.starts.reserve(sum.size() + 1);
  sets.starts.push_back(0);
  std::vector<uint32_t> occurrences;  // the contacts of term t as places in `seen`
  for (const Term& term : sum) {
    for (size_t k = 0; k < term.size(); ++k) {
      uint32_t& at = seenAt[term[k].Contact()];
      if (at == kUnseen) {
        at = static_cast<uint32_t>(seen.size());
        seen.push_back({k, seen.size()});
      }
      occurrences.push_back(at);
    }
    sets.starts.push_back(occurrences.size());
  }
  std::vector<uint32_t> byPlace(seen.size());
  for (uint32_t i = 0; i < byPlace.size(); ++i) byPlace[i] = i;
  std::sort(byPlace.begin(), byPlace.end(), [&seen](uint32_t a, uint32_t b) {
    return std::tie(seen[a].place, seen[a].order) < std::tie(seen[b].place, seen[b].order);
  });
  std::vector<uint32_t> idOf(seen.size());
  for (uint32_t id = 0; id < byPlace.size(); ++id) idOf[byPlace[id]] = id;
  sets.literals = seen.size();
  sets.ids.reserve(occurrences.size());
  for (size_t t = 0; t < sum.size(); ++t) {
    const size_t start = sets.ids.size();
    for (size_t i = sets.starts[t]; i < sets.starts[t + 1]; ++i) sets.ids.push_back(idOf[occurrences[i]]);
    std::sort(sets.ids.begin() + static_cast<std::ptrdiff_t>(start), sets.ids.end());
    sets.ids.erase(std::unique(sets.ids.begin() + static_cast<std::ptrdiff_t>(start), sets.ids.end()), sets.ids.end());
    sets.starts[t] = start;
  }
  sets.starts[sum.size()] = sets.ids.size();
  return sets;
}

// Taking the terms in order, a term is still unmarked when it comes up
// exactly when no earlier unmarked term's contacts are among its own; such a
// term marks every other term that holds all its contacts, earlier or later.
// So a term is dropped exactly when some term that was unmarked at its turn,
// other than itself, has all its contacts among the term's contacts. Of two
// terms with the same contacts the first stays unmarked and drops the second.
void RemoveAbsorbedTermsByContacts(Sum& sum, size_t contacts) {
  if (RemoveAbsorbedTermsOfSmallSum(sum)) return;
  const size_t n = sum.size();
  const TermSets sets = NumberedTermSets(sum, contacts);
  const auto setOf = [&sets](size_t t) {
    return std::span<const uint32_t>(sets.ids.data() + sets.starts[t], sets.starts[t + 1] - sets.starts[t]);
  };
  SubsetTree unmarked(sets.literals);
  for (size_t c = 0; c < n; ++c) {
    if (!unmarked.HoldsSubsetOf(setOf(c))) unmarked.Insert(setOf(c), static_cast<uint32_t>(c));
  }
  std::vector<char> absorbed(n);
  for (size_t t = 0; t < n; ++t) absorbed[t] = unmarked.HoldsSubsetOf(setOf(t), static_cast<int64_t>(t));
  EraseTerms(sum, [&absorbed](size_t t) { return absorbed[t] != 0; });
}

// The first spelling seen of each contact, so that the spellings of one
// contact get one literal id.
class ContactSpellings {
public:
  std::string_view Of(std::string_view literal) {
    if (const auto found = byText_.find(literal); found != byText_.end()) return found->second;
    const std::string_view first = byKey_.emplace(ContactKey(literal), literal).first->second;
    byText_.emplace(literal, first);
    return first;
  }

private:
  std::unordered_map<std::string_view, std::string_view> byText_;
  std::unordered_map<std::string, std::string_view> byKey_;
};

// Absorption of a text holding "?": a "?" written in the text takes part as
// the old marker of a dropped term would, so the steps below follow the marks
// one by one on the text. No table holds such a text; it keeps odd input
// giving what it always gave.
std::string RemoveAbsorbedTermsOfMarkedText(const std::string& sum) {
  const Pieces terms(sum, '+');
  const std::vector<std::string_view> views(terms.begin(), terms.end());
  const size_t n = views.size();
  // Each term's literals as a set of bits, one bit per distinct literal text,
  // so that "every literal of c is among the literals of o" is a mask test.
  std::vector<std::string_view> ids{kMarker};  // a literal's id is its place here
  const auto idOf = [&](std::string_view literal) {
    const auto found = std::find(ids.begin(), ids.end(), literal);
    if (found != ids.end()) return static_cast<size_t>(found - ids.begin());
    ids.push_back(literal);
    return ids.size() - 1;
  };
  ContactSpellings spellings;
  std::vector<size_t> termIds;  // the ids of term t are termIds[starts[t] .. starts[t + 1])
  std::vector<size_t> starts{0};
  for (size_t t = 0; t < n; ++t) {
    for (std::string_view literal : Pieces(views[t], '.')) termIds.push_back(idOf(spellings.Of(literal)));
    starts.push_back(termIds.size());
  }
  const size_t words = (ids.size() + 63) / 64;
  std::vector<uint64_t> masks(n * words);
  const auto mask = [&](size_t t) { return masks.data() + t * words; };
  for (size_t t = 0; t < n; ++t) {
    for (size_t i = starts[t]; i < starts[t + 1]; ++i) mask(t)[termIds[i] / 64] |= uint64_t{1} << (termIds[i] % 64);
  }
  const auto markTerm = [&](size_t t) {
    std::fill(mask(t), mask(t) + words, 0);
    mask(t)[0] = 1;  // the marker's own literal "?" has id 0
  };
  // The terms still in the game, in no particular order: whether a term is
  // absorbed by c depends on c and that term alone. A "?" written in the text
  // itself counts as a marker from the start.
  std::vector<char> marked(n);
  std::vector<size_t> alive;
  alive.reserve(n);
  for (size_t t = 0; t < n; ++t) {
    if (views[t] != kMarker) alive.push_back(t);
  }
  // A marked c holds the marker's literal alone and absorbs only terms that
  // hold "?" as one of their literals, which no synthesised term does.
  const auto holdsMarker = [&](size_t t) { return (mask(t)[0] & 1) != 0; };
  size_t markerHolders = 0;
  for (size_t t : alive) markerHolders += holdsMarker(t);
  std::vector<uint64_t> needles(words);
  for (size_t c = 0; c < n; ++c) {
    // A term without "." is one literal: its set is that literal alone.
    if ((marked[c] || views[c] == kMarker) && markerHolders == 0) continue;
    std::copy(mask(c), mask(c) + words, needles.begin());
    size_t kept = 0;
    for (size_t o : alive) {
      bool absorbed = o != c;
      if (absorbed && words == 1) {
        absorbed = (needles[0] & ~masks[o]) == 0;
      } else {
        for (size_t w = 0; w < words && absorbed; ++w) absorbed = (needles[w] & ~mask(o)[w]) == 0;
      }
      if (absorbed) {
        markerHolders -= holdsMarker(o);
        marked[o] = true;
        markTerm(o);
      } else {
        alive[kept++] = o;
      }
    }
    alive.resize(kept);
  }
  std::string joined;
  joined.reserve(sum.size());
  for (size_t i = 0; i < n; ++i) {
    if (i > 0) joined += '+';
    joined += marked[i] ? kMarker : views[i];
  }
  joined = ReplaceAll(joined, "+?", "");
  return ReplaceAll(joined, "?+", "");
}

}  // namespace

void RemoveAbsorbedTerms(Sum& sum, ContactNames& names) {
  const bool marked =
      names.AnyMarked() && std::any_of(sum.begin(), sum.end(), [](const Term& term) {
        return std::any_of(term.begin(), term.end(), [](const Literal& l) { return l.Spelling().holdsMark; });
      });
  if (!marked) return RemoveAbsorbedTermsByContacts(sum, names.Contacts());
  sum = ParseSum(RemoveAbsorbedTermsOfMarkedText(Print(sum)), names);
}

void SimplifyExpressions(WorkEquations& work, ContactNames& names) {
  for (Sum& slot : work) {
    if (slot.size() > 1) RemoveRepeatedLiterals(slot);
    if (slot.size() > 1) RemoveContradictoryTerms(slot);
    if (slot.size() > 1) RemoveAbsorbedTerms(slot, names);
  }
}

}  // namespace kelvo
