#include "equations/SwitchExpressions.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "equations/ExpressionText.h"

namespace kelvo {
namespace {

constexpr std::string_view kFactorSeparator = ")(";
const std::string kMarker = "?";  // a term deleted during one operation

std::vector<std::string> TermsOf(const std::string& sum) { return Split(sum, "+"); }

bool AnyProduct(const std::vector<std::string>& terms) {
  return std::any_of(terms.begin(), terms.end(), [](const std::string& t) { return Contains(t, "."); });
}

bool IsComplementPair(const std::string& a, const std::string& b) {
  return a == ToUpper(b) || a == ToLower(b) || b == ToUpper(a) || b == ToLower(a);
}

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
    std::vector<std::string> product;
    product.reserve(p.size() * q.size());
    for (const auto& pt : p) {
      for (const auto& qt : q) product.push_back(qt + "." + pt);
    }
    factors[t] = Join(product, "+");
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

// A literal with its case forms, worked out once per merging pass.
struct Literal {
  std::string text, upper, lower;
  bool isUpper = false, isLower = false;
};

std::vector<Literal> LiteralsOf(const std::string& term) {
  std::vector<Literal> literals;
  for (auto& text : Split(term, ".")) {
    Literal l{text, ToUpper(text), ToLower(text), IsUpperLiteral(text), IsLowerLiteral(text)};
    literals.push_back(std::move(l));
  }
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
  for (size_t c = 0; c + 1 < n; ++c) {
    if (!Contains(terms[c], ".")) continue;
    const std::vector<Literal>* a = &literals[c];
    for (size_t m = c + 1; m < n; ++m) {
      if (!Contains(terms[m], ".")) continue;
      const std::vector<Literal>& b = literals[m];
      if (a->size() != b.size()) continue;  // only terms of the same length merge
      std::vector<std::string> common;
      size_t diffCount = 0;
      for (const Literal& ap : *a) {
        for (const Literal& bq : b) {
          if (bq.text == ap.text) common.push_back(ap.text);
          if (ap.isUpper && bq.isLower && bq.upper == ap.text) ++diffCount;
          if (ap.isLower && bq.isUpper && bq.lower == ap.text) ++diffCount;
        }
      }
      // The two terms merge when they share all literals but one, which one
      // holds in upper and the other in lower case.
      if (common.empty() || diffCount != 1) continue;
      const std::string joinedCommon = Join(common, ".");
      if (Split(joinedCommon, ".").size() + 1 != a->size()) continue;
      terms[c] = joinedCommon;
      terms[m] = kMarker;
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

std::string RemoveRepeatedLiterals(const std::string& sum) {
  auto terms = TermsOf(sum);
  if (!AnyProduct(terms)) return sum;
  for (auto& term : terms) {
    if (!Contains(term, ".")) continue;
    const auto literals = Split(term, ".");
    std::vector<std::string> kept;
    for (size_t i = 0; i < literals.size(); ++i) {
      if (std::find(literals.begin() + i + 1, literals.end(), literals[i]) == literals.end()) {
        kept.push_back(literals[i]);
      }
    }
    term = Join(kept, ".");
  }
  return Join(terms, "+");
}

std::string RemoveContradictoryTerms(const std::string& sum) {
  const auto terms = TermsOf(sum);
  if (!AnyProduct(terms)) return sum;
  std::vector<std::string> kept;
  for (const auto& term : terms) {
    bool contradictory = false;
    if (Contains(term, ".")) {
      const auto literals = Split(term, ".");
      for (size_t i = 0; i < literals.size() && !contradictory; ++i) {
        for (size_t j = i + 1; j < literals.size() && !contradictory; ++j) {
          contradictory = IsComplementPair(literals[i], literals[j]);
        }
      }
    }
    if (!contradictory) kept.push_back(term);
  }
  return Join(kept, "+");
}

std::string RemoveAbsorbedTerms(const std::string& sum) {
  auto terms = TermsOf(sum);
  // Each term's literals as a set of bits, one bit per distinct literal text,
  // so that "every literal of c is among the literals of o" is a mask test.
  std::map<std::string, size_t> ids;
  for (const auto& term : terms) {
    for (const auto& literal : Split(term, ".")) ids.emplace(literal, ids.size());
  }
  ids.emplace(kMarker, ids.size());
  const size_t words = (ids.size() + 63) / 64;
  const auto maskOf = [&](const std::string& term) {
    std::vector<uint64_t> mask(words);
    for (const auto& literal : Split(term, ".")) {
      const size_t id = ids.at(literal);
      mask[id / 64] |= uint64_t{1} << (id % 64);
    }
    return mask;
  };
  std::vector<std::vector<uint64_t>> masks;
  masks.reserve(terms.size());
  for (const auto& term : terms) masks.push_back(maskOf(term));
  const std::vector<uint64_t> markerMask = maskOf(kMarker);

  for (size_t c = 0; c < terms.size(); ++c) {
    // A term without "." is one literal: its set is that literal alone.
    const std::vector<uint64_t> needles = masks[c];
    for (size_t o = 0; o < terms.size(); ++o) {
      if (o == c || terms[o] == kMarker) continue;
      bool all = true;
      for (size_t w = 0; w < words && all; ++w) all = (needles[w] & ~masks[o][w]) == 0;
      if (all) {
        terms[o] = kMarker;
        masks[o] = markerMask;
      }
    }
  }
  std::string joined = Join(terms, "+");
  joined = ReplaceAll(joined, "+?", "");
  return ReplaceAll(joined, "?+", "");
}

void SimplifyExpressions(WorkEquations& work) {
  ApplyToSums(work, RemoveRepeatedLiterals);
  ApplyToSums(work, RemoveContradictoryTerms);
  ApplyToSums(work, RemoveAbsorbedTerms);
}

}  // namespace kelvo
