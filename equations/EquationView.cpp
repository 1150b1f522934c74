#include "equations/EquationView.h"

namespace kelvo {

EquationViewTexts EquationViewOf(const EquationSynthesis& synthesis) {
  EquationViewTexts texts;
  for (int x = 0; x < kStateVariables; ++x) {
    const VariableEquations& v = synthesis.vars[x];
    texts.On[x] = v.setWithHold;
    texts.Off[x] = v.reset;
    texts.Func[x] = std::string(1, VariableLetter(x)) + " =  " + v.sigma + " = " + v.factored;
    texts.Final[x] = "  = " + v.final;
  }
  return texts;
}

std::string EquationRowsText(const EquationViewTexts& t) {
  std::string rows;
  for (int x = 0; x < kStateVariables; ++x) {
    const std::string letter(1, VariableLetter(x));
    rows += "  On " + letter + "  = " + t.On[x] + "\n";
    rows += "  Off " + letter + "  = " + t.Off[x] + "\n";
    rows += "  " + t.Func[x] + "\n";
    rows += "  " + t.Final[x] + "\n";
  }
  return rows;
}

}  // namespace kelvo
