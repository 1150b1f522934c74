#pragma once
// Turns the state table into relay equations. CollectTransitions sorts every
// transition into the set and reset tables of the state variables whose bit it
// changes; SynthesizeStateEquations builds, per variable, the set and reset
// expressions, their display forms, the complemented reset, the set-with-hold
// and the two-part equation, then the final multiplied-out equation;
// BuildCoilEquations gives each output relay the sum of the minterms of the
// states in which it is ON. Problems that would otherwise give a silently wrong
// circuit (a target that is no state, a trigger that is no switch expression
// or names a contact like a state variable, a tenth transition, a product too
// large to multiply out) are returned as messages for the user.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/Fault.h"
#include "equations/EquationSet.h"
#include "equations/SwitchExpressions.h"
#include "statediagram/StateDiagram.h"

namespace kelvo {

inline constexpr int kTransitionsPerVariable = 9;  // SetTerms / ResetTerms slots 0..8

struct TransitionTerm {
  std::string trigger;
  std::string targetCode;
};
using TransitionTable = std::array<std::array<TransitionTerm, kTransitionsPerVariable>, kCodeDigits>;

// The strings of one state variable (index 0..3 = A, B, C, D).
struct VariableEquations {
  std::string set;
  std::string reset;
  std::string complementedReset;
  std::string setWithHold;
  std::string sigma;
  std::string factored;
  std::string final;
};

// The same expressions as values, from which the strings above are printed.
struct VariableSums {
  Sum set;
  Sum reset;
  Sum complementedReset;
  Sum setWithHold;
  Sum final;
};

class EquationSynthesis {
public:
  // Index p - 1 for code position p = 1..4 (D, C, B, A).
  TransitionTable SetTerms;
  TransitionTable ResetTerms;
  std::array<VariableEquations, kStateVariables> vars;
  std::array<VariableSums, kStateVariables> sums;
  std::array<std::string, kStateVariables> parallelEquations;
  std::array<std::array<std::string, kStateCount>, kRelayCount> CoilTerms;
  std::array<std::string, kRelayCount> coil;
  std::array<Sum, kRelayCount> coilSums;  // coil as values
  WorkEquations work;
  ResetWork resetWork;
  int idleCount = 0;
  // The spellings of every literal above; shared by copies, whose literals point into it.
  std::shared_ptr<ContactNames> names = std::make_shared<ContactNames>();

  // Empties all working storage (clearing the table does this).
  void Clear();
  // Empties set, reset, complemented reset and factored form of every variable.
  void EmptyVariableStrings();

  std::vector<Fault> CollectTransitions(const StateDiagram& diagram);
  std::vector<Fault> SynthesizeStateEquations();
  std::vector<Fault> BuildFinalEquations();
  void BuildCoilEquations(const StateDiagram& diagram, const std::array<std::string, kRelayCount>& relayNames);

private:
  Sum BuildExpression(const std::array<TransitionTerm, kTransitionsPerVariable>& slots, int ownPosition);
};

// Why the trigger of state `state`, transition `slot` cannot be taken, as the
// fault CollectTransitions gives, or none when it can (an empty one can).
std::optional<Fault> TriggerProblem(const StateDiagram& diagram, int state, int slot);

}  // namespace kelvo
