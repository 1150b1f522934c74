#include "ladder/CircuitCheck.h"

#include <algorithm>
#include <bit>
#include <array>
#include <optional>
#include <random>

#include "equations/SwitchFunction.h"
#include "ladder/CircuitReadBack.h"
#include "ladder/RelaySimulation.h"

namespace kelvo {
namespace {

using Kind = CheckFinding::Kind;

constexpr uint32_t kComparisonSeed = 1616;
constexpr int kSampledAssignments = 1 << 16;

struct CheckedCircuit {
  std::string name;
  std::string equationText;
  SwitchFunction equation;
  CircuitReadBack circuit;
};

std::string CodeText(int code) {
  std::string text;
  for (int bit = 3; bit >= 0; --bit) text += ((code >> bit) & 1) ? '1' : '0';
  return text;
}

// "A=1 X1=0 X2=1": the state relays first, then the switches by name.
std::string ValuesText(const VariableTable& table, uint64_t mask, uint64_t values) {
  std::vector<std::pair<bool, std::string>> pieces;
  for (int i = 0; i < table.Size(); ++i) {
    if ((mask >> i) & 1) {
      pieces.emplace_back(i >= kStateRelayVariables, table.Name(i) + '=' + (((values >> i) & 1) ? '1' : '0'));
    }
  }
  std::sort(pieces.begin(), pieces.end());
  std::string text;
  for (const auto& piece : pieces) text += (text.empty() ? "" : " ") + piece.second;
  return text;
}

std::string WithText(const VariableTable& table, uint64_t switchMask, uint64_t values) {
  const std::string text = ValuesText(table, switchMask, values);
  return text.empty() ? "" : " with " + text;
}

// Spreads the low bits of `n` over the set bits of `mask`.
uint64_t Deposit(uint64_t n, uint64_t mask) {
  uint64_t out = 0;
  for (int i = 0; i < kMaxVariables && mask; ++i) {
    if ((mask >> i) & 1) {
      if (n & 1) out |= uint64_t{1} << i;
      n >>= 1;
    }
  }
  return out;
}

CheckFinding CompareReadBack(const CheckedCircuit& c, const VariableTable& table, const std::string& form) {
  const uint64_t mask = c.equation.Variables() | c.circuit.Variables();
  const int n = std::popcount(mask);
  const bool sampled = n > kExhaustiveVariables;
  const uint64_t count = sampled ? kSampledAssignments : uint64_t{1} << n;
  std::mt19937_64 random(kComparisonSeed);
  const std::string head = "read-back " + c.name + " (" + form + ")";
  const std::string note = sampled ? " (" + std::to_string(kSampledAssignments) + " sampled settings)" : "";
  for (uint64_t k = 0; k < count; ++k) {
    const uint64_t values = sampled ? random() & mask : Deposit(k, mask);
    const bool drawn = c.circuit.Conducts(values);
    if (drawn != c.equation.Evaluate(values)) {
      return {Kind::ReadBack, false,
              head + ": the drawing " + (drawn ? "conducts" : "does not conduct") + " with " +
                  ValuesText(table, mask, values) + " but " + c.name + " = " + c.equationText + " is " +
                  (drawn ? "0" : "1") + note};
    }
  }
  return {Kind::ReadBack, true, head + ": matches " + c.name + " = " + c.equationText + note};
}

// Everything the machine checks share: the read-back circuits, the triggers
// and the switch settings to try.
struct Machine {
  const StateDiagram& diagram;
  const VariableTable& table;
  std::array<RelayCircuit, 4> relays;
  std::array<std::array<std::optional<SwitchFunction>, kSlotCount>, kStateCount> triggers;
  std::vector<uint64_t> settings;
  uint64_t switchMask = 0;
  std::string note;

  bool AnyTrigger(int s, uint64_t values, int except = -1) const {
    for (int j = 0; j < kSlotCount; ++j) {
      if (j != except && triggers[s][j] && triggers[s][j]->Evaluate(values)) return true;
    }
    return false;
  }

  std::string Name(int s) const { return "S" + std::to_string(s); }
};

std::string SettlingText(const Settling& r, int target) {
  if (r.oscillates) return "oscillation";
  if (r.endCodes.size() > 1) {
    std::string text = "critical race, ends on";
    for (size_t i = 0; i < r.endCodes.size(); ++i) text += (i ? " or " : " ") + CodeText(r.endCodes[i]);
    return text;
  }
  if (r.endCodes.empty()) return "no stable code";
  return "settles on " + CodeText(r.endCodes[0]) + " instead of " + CodeText(target);
}

CheckFinding CheckTransition(const Machine& m, int s, int j, int t) {
  const SwitchFunction& trigger = *m.triggers[s][j];
  const std::string head = m.Name(s) + " -> " + m.Name(t) + " on " + m.diagram.Triggers[s][j];
  const int from = CodeValue(m.diagram.Codes[s]);
  const int to = CodeValue(m.diagram.Codes[t]);
  bool triggered = false, alone = false, tried = false;
  for (uint64_t sw : m.settings) {
    if (!trigger.Evaluate(sw | from)) continue;
    triggered = true;
    if (m.AnyTrigger(s, sw | from, j)) continue;
    alone = true;
    if (m.AnyTrigger(t, sw | to)) continue;
    tried = true;
    const Settling r = Settle(m.relays, from, sw);
    if (r.oscillates || r.endCodes != std::vector<int>{to}) {
      return {Kind::Transition, false, head + ": " + SettlingText(r, to) + WithText(m.table, m.switchMask, sw)};
    }
  }
  if (!triggered) return {Kind::Transition, false, head + ": the trigger is never true"};
  if (!alone) return {Kind::Transition, false, head + ": overlapping triggers of " + m.Name(s)};
  if (!tried) return {Kind::Transition, false, head + ": run-through, a trigger of " + m.Name(t) + " is always true"};
  return {Kind::Transition, true, head + m.note};
}

CheckFinding CheckHold(const Machine& m, int s) {
  const int code = CodeValue(m.diagram.Codes[s]);
  const std::string head = "hold " + m.Name(s) + " (" + m.diagram.Codes[s] + ")";
  for (uint64_t sw : m.settings) {
    if (m.AnyTrigger(s, sw | code)) continue;
    const int moving = UnstableRelays(m.relays, code, sw);
    if (moving != 0) {
      std::string relays;
      for (int r = 0; r < 4; ++r) {
        if ((moving >> r) & 1) relays += m.table.Name(r);
      }
      return {Kind::Hold, false, head + ": relay " + relays + " moves" + WithText(m.table, m.switchMask, sw)};
    }
  }
  return {Kind::Hold, true, head + m.note};
}

CheckFinding CheckOutput(const Machine& m, const CircuitReadBack& circuit, int relay, const std::string& name) {
  const std::string head = "output " + name;
  for (int s = 0; s < kStateCount; ++s) {
    const int code = CodeValue(m.diagram.Codes[s]);
    if (code < 0) continue;
    const bool wanted = m.diagram.CoilOn[s][relay];
    for (uint64_t sw : m.settings) {
      if (circuit.Conducts(sw | code) != wanted) {
        return {Kind::Output, false,
                head + ": " + (wanted ? "off" : "on") + " in " + m.Name(s) + " (" + m.diagram.Codes[s] +
                    ") where the table has it " + (wanted ? "ON" : "OFF") + WithText(m.table, m.switchMask, sw)};
      }
    }
  }
  return {Kind::Output, true, head + m.note};
}

void RunMachine(Machine& m, const std::array<CheckedCircuit, kRelayCount>& outputs,
                const std::array<bool, kRelayCount>& named, CheckReport& report) {
  for (int s = 0; s < kStateCount; ++s) {
    if (CodeValue(m.diagram.Codes[s]) < 0) continue;
    for (int j = 0; j < kSlotCount; ++j) {
      if (!m.triggers[s][j] || m.diagram.Targets[s][j].empty()) continue;
      const int t = TargetNumber(m.diagram.Targets[s][j]);
      if (!IsValidState(t) || t == s || CodeValue(m.diagram.Codes[t]) < 0) continue;
      report.findings.push_back(CheckTransition(m, s, j, t));
    }
  }
  for (int s = 0; s < kStateCount; ++s) {
    if (CodeValue(m.diagram.Codes[s]) >= 0) report.findings.push_back(CheckHold(m, s));
  }
  for (int r = 0; r < kRelayCount; ++r) {
    if (named[r]) report.findings.push_back(CheckOutput(m, outputs[r].circuit, r, outputs[r].name));
  }
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
      c.equationText = equations.eq[x];
      c.equation = SwitchFunction::Parse(c.equationText, table);
      if (grid.MainLength[x] > 0)
        c.circuit = CircuitReadBack(grid.SumTiles[x], grid.SumTiles[x + kStateVariables], GridFamily::Sum, table);
    } else {
      c.equationText = equations.eqPar[x];
      c.equation = SwitchFunction::ParseTwoPart(c.equationText, table);
      if (grid.ResetWidth[x] >= 1)
        c.circuit = CircuitReadBack(grid.TwoPartTiles[x], grid.TwoPartTiles[x + kTwoPartEquations],
                                    GridFamily::TwoPart, table);
    }
  }
  std::array<CheckedCircuit, kRelayCount> outputs;
  std::array<bool, kRelayCount> named{};
  for (int r = 0; r < kRelayCount; ++r) {
    CheckedCircuit& c = outputs[r];
    c.name = equations.NmCoil[r];
    c.equationText = equations.eqCoil[r];
    c.equation = SwitchFunction::Parse(c.equationText, table);
    const int slot = kFirstRelaySlot + r;
    if (grid.MainLength[slot] > 0)
      c.circuit = CircuitReadBack(grid.SumTiles[slot], grid.SumTiles[slot + kRelayCount], GridFamily::Sum, table);
    named[r] = !c.name.empty();
  }
  Machine m{diagram, table, {}, {}, {}, 0, {}};
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
  }
  bool sampled = false;
  m.settings = SwitchSettings(kStateRelayVariables, table.Size(), &sampled);
  for (int i = kStateRelayVariables; i < table.Size(); ++i) m.switchMask |= uint64_t{1} << i;
  if (sampled) m.note = " (" + std::to_string(kSampledSettings) + " sampled switch settings)";
  RunMachine(m, outputs, named, report);
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
