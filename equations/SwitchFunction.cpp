#include "equations/SwitchFunction.h"

#include <algorithm>
#include <cctype>

#include "equations/ExpressionText.h"

namespace kelvo {

VariableTable::VariableTable() : names_{"A", "B", "C", "D"}, shown_(names_) {}

int VariableTable::Index(std::string_view literal) {
  const bool upperFirst = !literal.empty() && std::isupper(static_cast<unsigned char>(literal[0]));
  for (int i = 0; i < Size(); ++i) {
    if (!EqualsUpper(names_[i], literal)) continue;
    if (upperFirst && !std::isupper(static_cast<unsigned char>(shown_[i][0]))) shown_[i] = literal;
    return i;
  }
  if (Size() >= kMaxVariables) {
    full_ = true;
    return -1;
  }
  names_.push_back(ToUpper(literal));
  shown_.emplace_back(literal);
  return Size() - 1;
}

bool ClosedWhenOn(std::string_view literal) {
  return literal.empty() || !std::islower(static_cast<unsigned char>(literal[0]));
}

SwitchFunction::Sum SwitchFunction::ReadSum(std::string_view text, VariableTable& table, uint64_t& variables) {
  Sum sum;
  if (text.empty()) return sum;
  const Pieces terms(text, '+');
  sum.reserve(terms.Count());
  for (std::string_view term : terms) {
    Product& product = sum.emplace_back();
    const Pieces literals(term, '.');
    product.reserve(literals.Count());
    for (std::string_view literal : literals) {
      if (literal.empty()) continue;
      const int index = table.Index(literal);
      if (index < 0) continue;
      product.push_back({index, ClosedWhenOn(literal)});
      variables |= uint64_t{1} << index;
    }
  }
  return sum;
}

SwitchFunction SwitchFunction::Parse(const std::string& sum, VariableTable& table) {
  SwitchFunction f;
  f.factors_.push_back(ReadSum(sum, table, f.variables_));
  return f;
}

SwitchFunction SwitchFunction::ParseTwoPart(const std::string& equation, VariableTable& table) {
  const size_t bar = equation.find('|');
  if (bar == std::string::npos) return Parse(equation, table);
  SwitchFunction f;
  const std::string_view text(equation);
  const std::string_view first = text.substr(0, bar);
  if (!first.empty()) f.factors_.push_back(ReadSum(first, table, f.variables_));
  f.factors_.push_back(ReadSum(text.substr(bar + 1), table, f.variables_));
  return f;
}

bool SwitchFunction::Evaluate(uint64_t values) const {
  for (const Sum& sum : factors_) {
    bool any = false;
    for (const Product& product : sum) {
      bool all = true;
      for (const Literal& l : product) {
        if (((values >> l.variable) & 1) != static_cast<uint64_t>(l.closedWhenOn)) {
          all = false;
          break;
        }
      }
      if (all) {
        any = true;
        break;
      }
    }
    if (!any) return false;
  }
  return true;
}

uint64_t SwitchFunction::EvaluateLanes(const Lanes& lanes) const {
  uint64_t all = ~uint64_t{0};
  for (const Sum& sum : factors_) {
    uint64_t any = 0;
    for (const Product& product : sum) {
      uint64_t each = ~uint64_t{0};
      for (const Literal& l : product) each &= l.closedWhenOn ? lanes[l.variable] : ~lanes[l.variable];
      any |= each;
    }
    all &= any;
  }
  return all;
}

std::optional<std::vector<Cube>> SwitchFunction::Cubes(size_t limit) const {
  std::vector<Cube> cubes{Cube{}};
  for (const Sum& sum : factors_) {
    std::vector<Cube> next;
    for (const Cube& c : cubes) {
      for (const Product& product : sum) {
        Cube d = c;
        for (const Literal& l : product) (l.closedWhenOn ? d.on : d.off) |= uint64_t{1} << l.variable;
        if (d.Contradictory()) continue;
        if (next.size() == limit) return std::nullopt;
        next.push_back(d);
      }
    }
    cubes = std::move(next);
  }
  return cubes;
}

}  // namespace kelvo
