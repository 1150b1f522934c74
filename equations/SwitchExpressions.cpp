#include "equations/SwitchExpressions.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "equations/ExpressionText.h"

namespace kelvo {
namespace {

constexpr std::string_view kFactorSeparator = ")(";
constexpr std::string_view kMarker = "?";  // a term deleted during one operation

std::vector<std::string> TermsOf(const std::string& sum) { return Split(sum, "+"); }

std::string ComplementSum(const std::string& expression) {
  std::string result;
  if (Contains(expression, "+")) {
    const auto terms = TermsOf(expression);
    for (size_t t = 0; t < terms.size(); ++t) {
      if (Contains(terms[t], ".")) {
        const auto literals = Split(terms[t], ".");
        for (size_t k = 0; k < literals.size(); ++k) {
          const std::string c = ComplementLiteral(literals[k]);
          if (t == 0 && k == 0) {
            result = c;
          } else if (k == 0) {
            result += std::string(kFactorSeparator) + c;
          } else {
            result += "+" + c;
          }
        }
        if (t + 1 < terms.size()) result += kFactorSeparator;
      } else {
        const std::string c = ComplementLiteral(terms[t]);
        if (t == 0) {
          result = c;
        } else if (result.ends_with(kFactorSeparator)) {
          result += c;
        } else {
          result += "." + c;
        }
      }
    }
  } else if (Contains(expression, ".")) {
    auto literals = Split(expression, ".");
    for (auto& literal : literals) literal = ComplementLiteral(literal);
    result = Join(literals, "+");
  } else {
    result = ComplementLiteral(expression);
  }
  return ReplaceAll(result, ")()(", kFactorSeparator);
}

// Multiplies a product-of-sums text out; nullopt when it grows too large.
std::optional<std::string> ExpandProduct(const std::string& text) {
  auto factors = Split(text, kFactorSeparator);
  for (size_t t = 1; t < factors.size(); ++t) {
    const auto p = Contains(factors[t - 1], "+") ? TermsOf(factors[t - 1]) : std::vector{factors[t - 1]};
    const auto q = TermsOf(factors[t]);
    if (p.size() * q.size() > kMaxExpandedTerms) return std::nullopt;
    std::string product;
    product.reserve(p.size() * q.size() * (factors[t - 1].size() / p.size() + factors[t].size() / q.size() + 2));
    bool first = true;
    for (const auto& pt : p) {
      for (const auto& qt : q) {
        if (!first) product += '+';
        first = false;
        product.append(qt).append(1, '.').append(pt);
      }
    }
    factors[t] = std::move(product);
  }
  return factors.back();
}

template <typename Pass>
void ApplyToSums(WorkEquations& work, Pass pass) {
  for (auto& slot : work) {
    if (Contains(slot, "+")) slot = pass(slot);
  }
}

}  // namespace

std::string ComplementLiteral(const std::string& literal) {
  return IsUpperLiteral(literal) ? ToLower(literal) : ToUpper(literal);
}

void ComplementExpressions(ResetWork& work) {
  for (int s = 0; s < kResetVariables; ++s) {
    if (!work[s].empty()) work[s] = ComplementSum(work[s]);
  }
}

std::array<bool, kResetVariables> ExpandProducts(ResetWork& work) {
  std::array<bool, kResetVariables> tooLarge{};
  for (int s = 0; s < kResetVariables; ++s) {
    if (work[s].empty() || !Contains(work[s], kFactorSeparator)) continue;
    if (auto product = ExpandProduct(work[s])) {
      work[s] = *product;
    } else {
      tooLarge[s] = true;
    }
  }
  return tooLarge;
}

namespace {

struct Literal {
  std::string_view text;
};

std::vector<Literal> LiteralsOf(std::string_view term) {
  std::vector<Literal> literals;
  literals.reserve(static_cast<size_t>(std::count(term.begin(), term.end(), '.')) + 1);
  size_t start = 0;
  for (size_t dot = term.find('.'); dot != std::string_view::npos; dot = term.find('.', start)) {
    literals.push_back({term.substr(start, dot - start)});
    start = dot + 1;
  }
  literals.push_back({term.substr(start)});
  return literals;
}

}  // namespace

std::string MergeAdjacentTermsOnce(const std::string& sum) {
  auto terms = TermsOf(sum);
  const size_t n = terms.size();
  std::vector<std::vector<Literal>> literals(n);
  for (size_t i = 0; i < n; ++i) {
    if (Contains(terms[i], ".")) literals[i] = LiteralsOf(terms[i]);
  }
  std::vector<std::string_view> common;
  for (size_t c = 0; c + 1 < n; ++c) {
    if (!Contains(terms[c], ".")) continue;
    const std::vector<Literal>* a = &literals[c];
    for (size_t m = c + 1; m < n; ++m) {
      if (!Contains(terms[m], ".")) continue;
      const std::vector<Literal>& b = literals[m];
      if (a->size() != b.size()) continue;  // only terms of the same length merge
      common.clear();
      size_t diffCount = 0;
      for (const Literal& ap : *a) {
        for (const Literal& bq : b) {
          if (!MayBeOneSwitch(ap.text, bq.text)) continue;
          if (SameContact(bq.text, ap.text)) common.push_back(ap.text);
          if (ComplementContacts(ap.text, bq.text)) ++diffCount;
        }
      }
      // The two terms merge when they share all contacts but one, which one
      // holds normally open and the other normally closed.
      if (common.empty() || diffCount != 1 || common.size() + 1 != a->size()) continue;
      std::string joinedCommon;
      for (size_t i = 0; i < common.size(); ++i) {
        if (i > 0) joinedCommon += '.';
        joinedCommon += common[i];
      }
      terms[c] = std::move(joinedCommon);
      terms[m].assign(1, kMarker[0]);
      literals[c] = LiteralsOf(terms[c]);
      a = &literals[c];
    }
  }
  std::vector<std::string> kept;
  for (auto& term : terms) {
    if (term != kMarker) kept.push_back(std::move(term));
  }
  return Join(kept, "+");
}

void MergeAdjacentTerms(WorkEquations& work) {
  for (auto& slot : work) {
    if (Contains(slot, "+") && Contains(slot, ".")) slot = MergeAdjacentTermsOnce(slot);
  }
}

// The clean-up passes run on every sum of the synthesis, the largest of them
// hundreds of terms long, so they work on views of the text.
namespace {

bool AnyProduct(const std::vector<std::string_view>& terms) {
  return std::any_of(terms.begin(), terms.end(), [](std::string_view t) { return Contains(t, "."); });
}

void AppendJoined(std::string& out, std::string_view piece, char delimiter, bool& first) {
  if (!first) out += delimiter;
  out += piece;
  first = false;
}

}  // namespace

std::string RemoveRepeatedLiterals(const std::string& sum) {
  const auto terms = SplitViews(sum, '+');
  if (!AnyProduct(terms)) return sum;
  std::string out;
  out.reserve(sum.size());
  bool firstTerm = true;
  std::vector<std::string_view> literals;
  std::vector<char> repeated;
  for (std::string_view term : terms) {
    if (!firstTerm) out += '+';
    firstTerm = false;
    if (!Contains(term, ".")) {
      out += term;
      continue;
    }
    // The last occurrence of each contact survives, in its place and spelling.
    SplitViews(term, '.', literals);
    repeated.assign(literals.size(), false);
    bool anyRepeated = false;
    for (size_t i = 0; i < literals.size(); ++i) {
      repeated[i] = std::any_of(literals.begin() + i + 1, literals.end(), [&](std::string_view later) {
        return MayBeOneSwitch(later, literals[i]) && SameContact(later, literals[i]);
      });
      anyRepeated |= repeated[i];
    }
    if (!anyRepeated) {
      out += term;
      continue;
    }
    bool firstLiteral = true;
    for (size_t i = 0; i < literals.size(); ++i) {
      if (!repeated[i]) AppendJoined(out, literals[i], '.', firstLiteral);
    }
  }
  return out;
}

std::string RemoveContradictoryTerms(const std::string& sum) {
  const auto terms = SplitViews(sum, '+');
  if (!AnyProduct(terms)) return sum;
  std::string out;
  out.reserve(sum.size());
  bool first = true;
  std::vector<std::string_view> literals;
  for (std::string_view term : terms) {
    bool contradictory = false;
    if (Contains(term, ".")) {
      SplitViews(term, '.', literals);
      for (size_t i = 0; i < literals.size() && !contradictory; ++i) {
        for (size_t j = i + 1; j < literals.size() && !contradictory; ++j) {
          contradictory = MayBeOneSwitch(literals[i], literals[j]) && ComplementContacts(literals[i], literals[j]);
        }
      }
    }
    if (!contradictory) AppendJoined(out, term, '+', first);
  }
  return out;
}

namespace {

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
// term's contacts as one mask, the terms compared pair by pair. None for a
// larger sum.
std::optional<std::string> RemoveAbsorbedTermsOfSmallSum(const std::vector<std::string_view>& views, size_t size) {
  const size_t n = views.size();
  if (n > kSmallSumTerms) return std::nullopt;
  std::vector<std::string_view> contacts;  // one spelling of each contact, in order of first sight
  std::vector<uint64_t> masks(n, 0);
  std::vector<std::string_view> literals;
  for (size_t t = 0; t < n; ++t) {
    SplitViews(views[t], '.', literals);
    for (std::string_view literal : literals) {
      size_t id = 0;
      while (id < contacts.size() && !(MayBeOneSwitch(contacts[id], literal) && SameContact(contacts[id], literal)))
        ++id;
      if (id == contacts.size()) {
        if (contacts.size() == 64) return std::nullopt;
        contacts.push_back(literal);
      }
      masks[t] |= uint64_t{1} << id;
    }
  }
  std::vector<size_t> unmarked;
  const auto absorbedBy = [&](size_t t, size_t except) {
    return std::any_of(unmarked.begin(), unmarked.end(),
                       [&](size_t u) { return u != except && (masks[u] & ~masks[t]) == 0; });
  };
  for (size_t c = 0; c < n; ++c) {
    if (!absorbedBy(c, n)) unmarked.push_back(c);
  }
  std::string out;
  out.reserve(size);
  bool first = true;
  for (size_t t = 0; t < n; ++t) {
    if (!absorbedBy(t, t)) AppendJoined(out, views[t], '+', first);
  }
  return out;
}

// The literals of each term as ids, sorted and without repeats: term t holds
// ids[starts[t] .. starts[t + 1]). Spellings of one contact share an id.
struct TermSets {
  std::vector<uint32_t> ids;
  std::vector<size_t> starts;
  size_t literals = 0;
};

// Literals are numbered by the place in a term where each is first seen,
// then by first sight. In a multiplied-out product the literals of one factor
// share a place, so the subset tree branches once per factor, not once per
// subset of a term's literals.
TermSets NumberedTermSets(const std::vector<std::string_view>& views, size_t size) {
  struct Seen {
    size_t place, order;
  };
  ContactSpellings spellings;
  std::vector<Seen> seen;                                   // per spelling, where it was first seen
  std::unordered_map<std::string_view, uint32_t> spelling;  // literal text -> its spelling's place in `seen`
  std::unordered_map<std::string_view, uint32_t> seenAt;    // spelling -> its place in `seen`
  spelling.reserve(256);
  std::vector<uint32_t> occurrences;  // the spellings of term t are occurrences[starts[t] .. starts[t + 1])
  occurrences.reserve(size / 2);
  TermSets sets;
  sets.starts.reserve(views.size() + 1);
  sets.starts.push_back(0);
  std::vector<std::string_view> literals;
  for (std::string_view term : views) {
    SplitViews(term, '.', literals);
    for (size_t k = 0; k < literals.size(); ++k) {
      auto [known, added] = spelling.try_emplace(literals[k], 0);
      if (added) {
        const auto [at, first] = seenAt.try_emplace(spellings.Of(literals[k]), static_cast<uint32_t>(seen.size()));
        if (first) seen.push_back({k, seen.size()});
        known->second = at->second;
      }
      occurrences.push_back(known->second);
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
  for (size_t t = 0; t < views.size(); ++t) {
    const size_t start = sets.ids.size();
    for (size_t i = sets.starts[t]; i < sets.starts[t + 1]; ++i) sets.ids.push_back(idOf[occurrences[i]]);
    std::sort(sets.ids.begin() + start, sets.ids.end());
    sets.ids.erase(std::unique(sets.ids.begin() + start, sets.ids.end()), sets.ids.end());
    sets.starts[t] = start;
  }
  sets.starts[views.size()] = sets.ids.size();
  return sets;
}

// Absorption without markers in the text. Taking the terms in order, a term
// is still unmarked when it comes up exactly when no earlier unmarked term's
// literals are among its own; such a term marks every other term that holds
// all its literals, earlier or later. So a term is dropped exactly when some
// term that was unmarked at its turn, other than itself, has all its literals
// among the term's literals. Of two terms with the same literals the first
// stays unmarked and drops the second.
std::string RemoveAbsorbedTermsWithoutMarkers(const std::string& sum) {
  const auto views = SplitViews(sum, '+');
  if (auto small = RemoveAbsorbedTermsOfSmallSum(views, sum.size())) return *std::move(small);
  const size_t n = views.size();
  const TermSets sets = NumberedTermSets(views, sum.size());
  const auto setOf = [&sets](size_t t) {
    return std::span<const uint32_t>(sets.ids.data() + sets.starts[t], sets.starts[t + 1] - sets.starts[t]);
  };
  SubsetTree unmarked(sets.literals);
  for (size_t c = 0; c < n; ++c) {
    if (!unmarked.HoldsSubsetOf(setOf(c))) unmarked.Insert(setOf(c), static_cast<uint32_t>(c));
  }
  std::string out;
  out.reserve(sum.size());
  bool first = true;
  for (size_t t = 0; t < n; ++t) {
    if (!unmarked.HoldsSubsetOf(setOf(t), static_cast<int64_t>(t))) AppendJoined(out, views[t], '+', first);
  }
  return out;
}

}  // namespace

std::string RemoveAbsorbedTerms(const std::string& sum) {
  if (!Contains(sum, kMarker)) return RemoveAbsorbedTermsWithoutMarkers(sum);
  // A "?" written in the text takes part as a marker would; the steps below
  // follow the marks one by one.
  const auto views = SplitViews(sum, '+');
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
  std::vector<std::string_view> literals;
  for (size_t t = 0; t < n; ++t) {
    SplitViews(views[t], '.', literals);
    for (std::string_view literal : literals) termIds.push_back(idOf(spellings.Of(literal)));
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

void SimplifyExpressions(WorkEquations& work) {
  ApplyToSums(work, RemoveRepeatedLiterals);
  ApplyToSums(work, RemoveContradictoryTerms);
  ApplyToSums(work, RemoveAbsorbedTerms);
}

}  // namespace kelvo
