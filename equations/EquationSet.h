#pragma once
// The equations the synthesis hands to the main window: read by the ladder
// layouts and the drawing. Index 0..3 of the four-element arrays is the state
// variable A, B, C, D.
//
// The texts are what the equations are: inspect, the analysis and the PLC
// export read them, and tests write them. Beside them the set may carry the
// same equations as sums (EquationSums), which the synthesis already has; the
// ladder reads those through Sums(), which parses the texts instead when the
// set carries none or the texts have changed since.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "equations/Expression.h"
#include "statediagram/StateDiagram.h"

namespace kelvo {

inline constexpr int kStateVariables = 4;  // A, B, C, D

struct EquationSums;

struct EquationSet {
  // The final multiplied-out equations of A..D; empty when the variable has no reset.
  std::array<std::string, kStateVariables> variableEquations;
  // The two-part equations of A..D: complemented reset, "|", set with hold.
  std::array<std::string, kStateVariables> parallelEquations;
  // The output relays' equations and their names.
  std::array<std::string, kRelayCount> relayEquations;
  std::array<std::string, kRelayCount> relayNames;
  // The equations above as sums, when the synthesis gave them; see Sums().
  std::shared_ptr<const EquationSums> sums;

  // The carried sums when they are of the texts as they are now, or else the
  // texts parsed.
  std::shared_ptr<const EquationSums> Sums() const;

  // Equal texts; the sums are only another form of them.
  bool operator==(const EquationSet& other) const {
    return variableEquations == other.variableEquations && parallelEquations == other.parallelEquations &&
           relayEquations == other.relayEquations && relayNames == other.relayNames;
  }
};

// The equations of an EquationSet as sums, with the texts they are of.
struct EquationSums {
  std::shared_ptr<const ContactNames> names;  // the literals below point into it
  // variableEquations and relayEquations.
  std::array<Sum, kStateVariables> variables;
  std::array<Sum, kRelayCount> relays;
  // The pieces of each two-part equation between its "|"s, in order: the
  // complemented reset and the set with hold when it holds one "|".
  std::array<std::vector<Sum>, kStateVariables> parallelParts;
  // The texts these are of.
  std::array<std::string, kStateVariables> variableTexts;
  std::array<std::string, kStateVariables> parallelTexts;
  std::array<std::string, kRelayCount> relayTexts;

  bool Of(const EquationSet& equations) const {
    return variableTexts == equations.variableEquations && parallelTexts == equations.parallelEquations &&
           relayTexts == equations.relayEquations;
  }
};

// The equations of `equations` parsed from its texts.
EquationSums ParseEquationSums(const EquationSet& equations);

// The sums of a synthesis, whose texts are what `equations` holds; when a
// two-part equation's text does not hold exactly one "|" all are parsed from the texts.
EquationSums SumsOfSynthesis(const EquationSet& equations, std::shared_ptr<const ContactNames> names,
                             const std::array<Sum, kStateVariables>& variables,
                             const std::array<Sum, kStateVariables>& complementedResets,
                             const std::array<Sum, kStateVariables>& setsWithHold,
                             const std::array<Sum, kRelayCount>& relays);

}  // namespace kelvo
