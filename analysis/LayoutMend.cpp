#include "analysis/LayoutMend.h"

#include "analysis/CircuitCompare.h"
#include "analysis/MachineCheck.h"
#include "equations/SwitchFunction.h"
#include "ladder/GridDrawing.h"
#include "ladder/SumLayout.h"
#include "ladder/TwoPartLayout.h"

namespace kelvo {
namespace {

constexpr int kFirstRelayEquation = kStateVariables;

// One circuit of either family, with what it takes to lay it out again.
struct Circuit {
  GridFamily family;
  int equation;  // 0..3 of its family, or 4..9 for the relays of the sum family
  int slot;
  std::string coilName;
  std::string title;         // "Circuit A (two-part form)", "Relay Lamp"
  std::string formula;       // the equation as the student reads it
  std::string functionText;  // the equation as drawn, "first|second" in the two-part form
};

std::string Formula(const std::string& drawnText, GridFamily family) {
  if (family == GridFamily::Sum) return drawnText;
  const auto bar = drawnText.find('|');
  if (bar == 0) return drawnText.substr(1);
  return "(" + drawnText.substr(0, bar) + ")(" + drawnText.substr(bar + 1) + ")";
}

CircuitReadBack ReadBack(const LadderGrid& grid, const Circuit& c, VariableTable& table) {
  if (c.family == GridFamily::TwoPart) {
    if (grid.ResetWidth[c.slot] < 1) return {};
    return CircuitReadBack(grid.TwoPartTiles[c.slot], grid.TwoPartLabels[c.slot], GridFamily::TwoPart, table);
  }
  if (grid.MainLength[c.slot] == 0) return {};
  return CircuitReadBack(grid.SumTiles[c.slot], grid.SumLabels[c.slot], GridFamily::Sum, table);
}

void LayOut(const EquationSet& equations, LadderGrid& grid, const Circuit& c, Sharing sharing) {
  std::vector<std::string> cuts;  // already reported by the first build
  if (c.family == GridFamily::TwoPart) {
    LayOutTwoPartEquation(equations, grid, c.equation, sharing, cuts);
  } else {
    LayOutSumEquation(equations, grid, c.equation, sharing, cuts);
  }
}

std::string SettingText(const VariableTable& table, const Comparison& comparison) {
  return ValuesText(table, comparison.mask, comparison.difference->values);
}

// A circuit whose every term is a branch of its own conducts as its sum does.
bool SharesContacts(const LadderGrid& grid, const Circuit& c) {
  const TermMatrix& terms = c.family == GridFamily::TwoPart ? grid.TwoPartTerms[c.equation] : grid.SumTerms[c.equation];
  for (const auto& row : terms) {
    for (const std::string& cell : row) {
      if (cell == "*" || cell == "/" || cell == "\\") return true;
    }
  }
  return false;
}

// Lays the circuit out with less sharing until it reads back right. Each
// circuit numbers its own names, so that only a circuit of more than 64
// names goes unchecked.
void MendSharing(const EquationSet& equations, LadderGrid& grid, Circuit& c, std::vector<CircuitMend>& mends) {
  if (!SharesContacts(grid, c)) return;
  VariableTable table;
  const SwitchFunction function = c.family == GridFamily::TwoPart ? SwitchFunction::ParseTwoPart(c.functionText, table)
                                                                  : SwitchFunction::Parse(c.functionText, table);
  const Comparison first = CompareCircuit(ReadBack(grid, c, table), function);
  if (table.Full() || !first.difference) return;
  struct Variant {
    Sharing sharing;
    const char* why;
    const char* without;
  };
  for (const Variant& v : {Variant{Sharing::NoSharedEndings, "shared endings", "shared endings"},
                           Variant{Sharing::None, "shared beginnings", "shared contacts"}}) {
    LayOut(equations, grid, c, v.sharing);
    if (CompareCircuit(ReadBack(grid, c, table), function).difference) continue;
    const bool closes = first.difference->drawnConducts;
    mends.push_back({c.family, c.slot, c.coilName, v.why,
                     c.title + " is drawn without " + v.without + ": sharing them would " +
                         (closes ? "close" : "open") + " the circuit for " + SettingText(table, first) + ", where " +
                         c.coilName + " = " + c.formula + " is " + (closes ? "false" : "true") + "."});
    return;
  }
  LayOut(equations, grid, c, Sharing::Full);  // cut by a grid limit: keep the cut layout and its notice
}

void NoteTall(const LadderGrid& grid, const Circuit& c, std::vector<CircuitMend>& mends) {
  const bool twoPart = c.family == GridFamily::TwoPart;
  const bool drawn = twoPart ? grid.ResetWidth[c.slot] >= 1 : grid.MainLength[c.slot] != 0;
  if (!drawn) return;
  const int depth = ExtraDepth(twoPart ? grid.TwoPartTiles[c.slot] : grid.SumTiles[c.slot], twoPart ? 0 : 1);
  if (depth == 0) return;
  const int steps = depth / kTileTwips;
  mends.push_back({c.family, c.slot, c.coilName, "too tall",
                   c.title + " is taller than the room above the coil line: its coil and the bottom supply line " +
                       "are drawn " + std::to_string(steps) + (steps == 1 ? " step" : " steps") +
                       " lower, with the other coils of the view."});
}

// A state variable missing one kind of transition: its two-part equation has
// an empty side.
void NoteMissingTransitions(const std::string& parallelEquations, const Circuit& c, std::vector<CircuitMend>& mends) {
  if (parallelEquations == "|" || parallelEquations.find('|') == std::string::npos) return;
  const std::string letter = c.coilName;
  if (parallelEquations.front() == '|') {
    const std::string second = c.family == GridFamily::TwoPart
                                   ? "its two-part circuit is that set group alone, from the supply line to the coil."
                                   : "its multiplied-out circuit is drawn from that equation.";
    mends.push_back({c.family, c.slot, c.coilName, "no reset transitions",
                     "State variable " + letter + " has set transitions but no reset transitions: once it picks up " +
                         "it holds for good, so its equation is its set expression with its hold, " + letter + " = " +
                         parallelEquations.substr(1) + ", and " + second});
  } else if (parallelEquations.back() == '|' && c.family == GridFamily::TwoPart) {
    mends.push_back({c.family, c.slot, c.coilName, "no set transitions",
                     "State variable " + letter + " has reset transitions but no set transitions: it can only hold " +
                         "and drop out, so its two-part circuit is its reset group followed by its holding contact " +
                         letter + "."});
  }
}

}  // namespace

const char* FamilyName(GridFamily family) { return family == GridFamily::Sum ? "sum" : "twoPart"; }

std::vector<CircuitMend> MendLayouts(const EquationSet& equations, LadderGrid& grid) {
  std::vector<CircuitMend> mends;
  std::vector<Circuit> circuits;
  for (int x = 0; x < kStateVariables; ++x) {
    const std::string name(1, static_cast<char>('A' + x));
    const std::string drawn = TwoPartDrawnText(equations.parallelEquations[x], x);
    circuits.push_back({GridFamily::TwoPart, x, x, name, "Circuit " + name + " (two-part form)",
                        Formula(drawn, GridFamily::TwoPart), drawn});
  }
  for (int e = 0; e < kSumEquations; ++e) {
    const bool relay = e >= kFirstRelayEquation;
    const std::string name = relay ? equations.relayNames[e - kFirstRelayEquation] : std::string(1, char('A' + e));
    const std::string& text =
        relay ? equations.relayEquations[e - kFirstRelayEquation] : equations.variableEquations[e];
    circuits.push_back({GridFamily::Sum, e, SumSlotOf(e), name,
                        relay ? "Relay " + name : "Circuit " + name + " (multiplied-out form)", text, text});
  }
  for (Circuit& c : circuits) {
    if (c.family == GridFamily::TwoPart || c.equation < kFirstRelayEquation) {
      NoteMissingTransitions(equations.parallelEquations[c.equation], c, mends);
    }
    const std::string& text = c.family == GridFamily::TwoPart ? equations.parallelEquations[c.equation] : c.formula;
    if (!text.empty() && text != "|") MendSharing(equations, grid, c, mends);
    NoteTall(grid, c, mends);
  }
  return mends;
}

}  // namespace kelvo
