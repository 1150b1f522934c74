#pragma once
// Checks the circuits that were drawn against the state table. Every drawn
// state-variable circuit of the chosen form and every relay circuit is read
// back from its tile grid (CircuitReadBack) and compared with its equation
// over every setting of its variables. The read-back circuits then run the
// machine (RelaySimulation): each transition must settle on its target's code
// in every order the relays can move in, each state must hold while none of
// its triggers is true, and each named output relay must be on in exactly the
// states where the table has it ON. The result is a list of findings, one
// line each.

#include <string>
#include <vector>

#include "analysis/CircuitCompare.h"
#include "equations/EquationSet.h"
#include "ladder/LadderGrid.h"
#include "statediagram/StateDiagram.h"

namespace kelvo {

struct CheckFinding {
  enum class Kind { ReadBack, Transition, Hold, Output };
  Kind kind;
  bool passed;
  std::string text;
};

struct CheckReport {
  std::vector<CheckFinding> findings;
  int Passed() const;
  int Failed() const;
};

// `parallelForm`: the state-variable circuits of SumTiles (eqA..eqD) instead
// of the two-part circuits of TwoPartTiles (eqParA..eqParD).
CheckReport CheckCircuit(const StateDiagram& diagram, const EquationSet& equations, const LadderGrid& grid,
                         bool parallelForm);

// "0101" -> 5 (D C B A, A the lowest bit); -1 for anything but four 0/1 digits.
int CodeValue(const std::string& code);

}  // namespace kelvo
