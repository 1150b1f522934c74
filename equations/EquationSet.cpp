#include "equations/EquationSet.h"

#include <algorithm>

#include "equations/ExpressionText.h"

namespace kelvo {
namespace {

void KeepTexts(EquationSums& sums, const EquationSet& equations) {
  sums.variableTexts = equations.variableEquations;
  sums.parallelTexts = equations.parallelEquations;
  sums.relayTexts = equations.relayEquations;
}

std::vector<Sum> ParseParts(const std::string& text, ContactNames& names) {
  std::vector<Sum> parts;
  for (std::string_view part : Pieces(text, '|')) parts.push_back(ParseSum(part, names));
  return parts;
}

}  // namespace

EquationSums ParseEquationSums(const EquationSet& equations) {
  auto names = std::make_shared<ContactNames>();
  EquationSums sums;
  for (int x = 0; x < kStateVariables; ++x) {
    sums.variables[x] = ParseSum(equations.variableEquations[x], *names);
    sums.parallelParts[x] = ParseParts(equations.parallelEquations[x], *names);
  }
  for (int r = 0; r < kRelayCount; ++r) sums.relays[r] = ParseSum(equations.relayEquations[r], *names);
  sums.names = std::move(names);
  KeepTexts(sums, equations);
  return sums;
}

EquationSums SumsOfSynthesis(const EquationSet& equations, std::shared_ptr<const ContactNames> names,
                             const std::array<Sum, kStateVariables>& variables,
                             const std::array<Sum, kStateVariables>& complementedResets,
                             const std::array<Sum, kStateVariables>& setsWithHold,
                             const std::array<Sum, kRelayCount>& relays) {
  for (const std::string& text : equations.parallelEquations) {
    if (std::count(text.begin(), text.end(), '|') != 1) return ParseEquationSums(equations);
  }
  EquationSums sums;
  sums.names = std::move(names);
  sums.variables = variables;
  sums.relays = relays;
  for (int x = 0; x < kStateVariables; ++x) sums.parallelParts[x] = {complementedResets[x], setsWithHold[x]};
  KeepTexts(sums, equations);
  return sums;
}

std::shared_ptr<const EquationSums> EquationSet::Sums() const {
  if (sums && sums->Of(*this)) return sums;
  return std::make_shared<const EquationSums>(ParseEquationSums(*this));
}

}  // namespace kelvo
