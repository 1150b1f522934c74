#pragma once
// The rows of the equation view: per state variable the set part with its
// holding contact, the reset expression, the latching function in sigma and
// factored form, and the final equation.

#include <array>
#include <string>

#include "equations/EquationSynthesis.h"

namespace kelvo {

struct EquationViewTexts {
  // Index 0..3 = A, B, C, D.
  std::array<std::string, kStateVariables> On;     // OnALbl..OnDLbl
  std::array<std::string, kStateVariables> Off;    // OffALbl..OffDLbl
  std::array<std::string, kStateVariables> Func;   // AFunc..DFunc
  std::array<std::string, kStateVariables> Final;  // FinalA..FinalD

  bool operator==(const EquationViewTexts&) const = default;
};

EquationViewTexts EquationViewOf(const EquationSynthesis& synthesis);

// Every row as plain text, one per line, each variable's four rows in turn:
// "  On A  = X1.b+A", "  Off A  = X3.B", the function and the final equation.
std::string EquationRowsText(const EquationViewTexts& texts);

}  // namespace kelvo
