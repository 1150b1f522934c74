#pragma once
// The equations the synthesis hands to the main window: read by the ladder
// layouts and the drawing. Index 0..3 of the four-element arrays is the state
// variable A, B, C, D.

#include <array>
#include <string>

#include "statediagram/StateDiagram.h"

namespace kelvo {

inline constexpr int kStateVariables = 4;  // A, B, C, D

struct EquationSet {
  // The final multiplied-out equations of A..D; empty when the variable has no reset.
  std::array<std::string, kStateVariables> variableEquations;
  // The two-part equations of A..D: complemented reset, "|", set with hold.
  std::array<std::string, kStateVariables> parallelEquations;
  // The output relays' equations and their names.
  std::array<std::string, kRelayCount> relayEquations;
  std::array<std::string, kRelayCount> relayNames;

  bool operator==(const EquationSet&) const = default;
};

}  // namespace kelvo
