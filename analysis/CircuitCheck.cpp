#include "analysis/CircuitCheck.h"

#include <algorithm>
#include <array>
#include <optional>

#include "analysis/CircuitReadBack.h"
#include "analysis/MachineCheck.h"
#include "analysis/RelaySimulation.h"
#include "equations/SwitchFunction.h"
#include "ladder/TwoPartLayout.h"

namespace kelvo {
namespace {

using Kind = CheckFinding::Kind;

struct CheckedCircuit {
  std::string name;
  std::string equationText;
  SwitchFunction equation;
  CircuitReadBack circuit;
};

CheckFinding CompareReadBack(const CheckedCircuit& c, const VariableTable& table, const std::string& form) {
  const Comparison comparison = CompareCircuit(c.circuit, c.equation);
  const std::string head = "read-back " + c.name + " (" + form + ")";
  const std::string note = comparison.sampled ? " (" + std::to_string(kSampledAssignments) + " sampled settings)" : "";
  if (const auto& d = comparison.difference) {
    return {Kind::ReadBack, false,
            head + ": the drawing " + (d->drawnConducts ? "conducts" : "does not conduct") + " with " +
                ValuesText(table, comparison.mask, d->values) + " but " + c.name + " = " + c.equationText + " is " +
                (d->drawnConducts ? "0" : "1") + note};
  }
  return {Kind::ReadBack, true, head + ": matches " + c.name + " = " + c.equationText + note};
}

}  // namespace

CheckReport CheckCircuit(const StateDiagram& diagram, const EquationSet& equations, const LadderGrid& grid,
                         bool parallelForm) {
  VariableTable table;
  std::array<CheckedCircuit, kStateVariables> states;
  for (int x = 0; x < kStateVariables; ++x) {
    CheckedCircuit& c = states[x];
    c.name = table.Name(x);
    if (parallelForm) {
      c.equationText = equations.variableEquations[x];
      c.equation = SwitchFunction::Parse(c.equationText, table);
      if (grid.MainLength[x] > 0)
        c.circuit = CircuitReadBack(grid.SumTiles[x], grid.SumLabels[x], GridFamily::Sum, table);
    } else {
      c.equationText = TwoPartDrawnText(equations.parallelEquations[x], x);
      c.equation = SwitchFunction::ParseTwoPart(c.equationText, table);
      if (grid.ResetWidth[x] >= 1)
        c.circuit = CircuitReadBack(grid.TwoPartTiles[x], grid.TwoPartLabels[x], GridFamily::TwoPart, table);
    }
  }
  std::array<CheckedCircuit, kRelayCount> outputs;
  std::array<bool, kRelayCount> named{};
  for (int r = 0; r < kRelayCount; ++r) {
    CheckedCircuit& c = outputs[r];
    c.name = equations.relayNames[r];
    c.equationText = equations.relayEquations[r];
    c.equation = SwitchFunction::Parse(c.equationText, table);
    const int slot = kFirstRelaySlot + r;
    if (grid.MainLength[slot] > 0)
      c.circuit = CircuitReadBack(grid.SumTiles[slot], grid.SumLabels[slot], GridFamily::Sum, table);
    named[r] = !c.name.empty();
  }
  MachineUnderTest m{diagram, table, {}, {}, {}, 0, {}};
  for (int s = 0; s < kStateCount; ++s) {
    for (int j = 0; j < kSlotCount; ++j) {
      if (!diagram.Triggers[s][j].empty()) m.triggers[s][j] = SwitchFunction::Parse(diagram.Triggers[s][j], table);
    }
  }

  CheckReport report;
  if (table.Full()) {
    report.findings.push_back({Kind::ReadBack, false, "more than 64 switch and relay names: cannot check"});
    return report;
  }
  const std::string form = parallelForm ? "parallel" : "two-part";
  for (const CheckedCircuit& c : states) {
    const bool empty = c.equationText.empty() || c.equationText == "|";
    if (c.circuit.Drawn() || !empty) report.findings.push_back(CompareReadBack(c, table, form));
  }
  for (const CheckedCircuit& c : outputs) {
    if (c.circuit.Drawn() || !c.equationText.empty()) report.findings.push_back(CompareReadBack(c, table, "relay"));
  }

  for (int x = 0; x < kStateVariables; ++x) {
    const CircuitReadBack* circuit = &states[x].circuit;
    m.relays[x] = [circuit](uint64_t values) { return circuit->Conducts(values); };
    m.relayLanes[x] = LanesOf(*circuit);
  }
  bool sampled = false;
  m.settings = SwitchSettings(kStateRelayVariables, table.Size(), &sampled);
  for (int i = kStateRelayVariables; i < table.Size(); ++i) m.switchMask |= uint64_t{1} << i;
  if (sampled) m.note = " (" + std::to_string(kSampledSettings) + " sampled switch settings)";
  std::array<const CircuitReadBack*, kRelayCount> outputCircuits{};
  std::array<std::string, kRelayCount> outputNames;
  for (int r = 0; r < kRelayCount; ++r) {
    if (named[r]) outputCircuits[r] = &outputs[r].circuit, outputNames[r] = outputs[r].name;
  }
  RunMachine(m, outputCircuits, outputNames, report);
  return report;
}

int CheckReport::Passed() const {
  return static_cast<int>(std::count_if(findings.begin(), findings.end(), [](const auto& f) { return f.passed; }));
}

int CheckReport::Failed() const { return static_cast<int>(findings.size()) - Passed(); }

int CodeValue(const std::string& code) {
  if (code.size() != kCodeDigits) return -1;
  int value = 0;
  for (char c : code) {
    if (c != '0' && c != '1') return -1;
    value = value * 2 + (c - '0');
  }
  return value;
}

}  // namespace kelvo
