#include "equations/Expression.h"

#include <cctype>

#include "equations/ExpressionText.h"

namespace kelvo {
namespace {

// Only a name has a sense: an ASCII letter first, then no ASCII character
// other than letters and digits (the rule of SameContact).
Sense SenseOf(std::string_view spelling) {
  for (char c : spelling) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x80 && !std::isalnum(u)) return Sense::Verbatim;
  }
  return IsUpperLiteral(spelling)   ? Sense::NormallyOpen
         : IsLowerLiteral(spelling) ? Sense::NormallyClosed
                                    : Sense::Verbatim;
}

}  // namespace

Literal ContactNames::Of(std::string_view spelling) {
  if (const auto found = bySpelling_.find(spelling); found != bySpelling_.end()) return Literal(found->second);
  ContactSpelling& added = spellings_.emplace_back();
  added.text = std::string(spelling);
  added.sense = SenseOf(spelling);
  added.holdsMark = spelling.find('?') != std::string_view::npos;
  anyMarked_ = anyMarked_ || added.holdsMark;
  const bool name = added.sense != Sense::Verbatim;
  std::string key = name ? "+" + ToLower(spelling) : " " + added.text;
  const auto next = static_cast<uint32_t>(switches_.size());
  const uint32_t switchNumber = switches_.try_emplace(std::move(key), next).first->second;
  added.contact = (switchNumber << 1) | (added.sense == Sense::NormallyClosed ? 1u : 0u);
  bySpelling_.emplace(added.text, &added);
  return Literal(&added);
}

Literal ContactNames::Complement(const Literal& literal) {
  const ContactSpelling& spelling = literal.Spelling();
  if (!spelling.complement) {
    spelling.complement = &Of(ComplementLiteral(spelling.text)).Spelling();
  }
  return Literal(spelling.complement);
}

namespace {

Sum ParseNonEmptySum(std::string_view text, ContactNames& names) {
  Sum sum;
  const Pieces terms(text, '+');
  sum.reserve(terms.Count());
  for (std::string_view term : terms) {
    const Pieces literals(term, '.');
    Term& parsed = sum.emplace_back();
    parsed.reserve(literals.Count());
    for (std::string_view literal : literals) parsed.push_back(names.Of(literal));
  }
  return sum;
}

}  // namespace

Sum ParseSum(std::string_view text, ContactNames& names) {
  if (text.empty()) return {};
  return ParseNonEmptySum(text, names);
}

ProductOfSums ParseProduct(std::string_view text, ContactNames& names) {
  ProductOfSums product;
  if (text.empty()) return product;
  constexpr std::string_view kSeparator = ")(";
  size_t start = 0;
  while (true) {
    const size_t at = text.find(kSeparator, start);
    const std::string_view factor = text.substr(start, at == std::string_view::npos ? at : at - start);
    product.push_back(ParseNonEmptySum(factor, names));
    if (at == std::string_view::npos) return product;
    start = at + kSeparator.size();
  }
}

void AppendText(std::string& out, const Term& term) {
  for (size_t k = 0; k < term.size(); ++k) {
    if (k > 0) out += '.';
    out += term[k].Text();
  }
}

void AppendText(std::string& out, const Sum& sum) {
  for (size_t t = 0; t < sum.size(); ++t) {
    if (t > 0) out += '+';
    AppendText(out, sum[t]);
  }
}

std::string Print(const Term& term) {
  std::string text;
  AppendText(text, term);
  return text;
}

std::string Print(const Sum& sum) {
  std::string text;
  AppendText(text, sum);
  return text;
}

std::string Print(const ProductOfSums& product) {
  std::string text;
  for (size_t f = 0; f < product.size(); ++f) {
    if (f > 0) text += ")(";
    AppendText(text, product[f]);
  }
  return text;
}

bool Blank(const Sum& sum) {
  return sum.empty() || (sum.size() == 1 && sum[0].size() == 1 && sum[0][0].Text().empty());
}

}  // namespace kelvo
