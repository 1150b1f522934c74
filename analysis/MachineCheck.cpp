#include "analysis/MachineCheck.h"

#include <algorithm>
#include <bit>
#include <unordered_set>

#include "statediagram/DesignNotes.h"

namespace kelvo {
namespace {

using Kind = CheckFinding::Kind;

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

// What to change when the two codes of a transition are not one digit apart.
std::string ApartHint(const std::string& from, const std::string& to) {
  int differences = 0;
  for (size_t p = 0; p < from.size() && p < to.size(); ++p) differences += from[p] != to[p];
  return differences == 1 ? "" : ": give the two states codes one digit apart";
}

}  // namespace

std::string CodeText(int code) {
  std::string text;
  for (int bit = 3; bit >= 0; --bit) text += ((code >> bit) & 1) ? '1' : '0';
  return text;
}

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

CheckFinding CheckTransition(const MachineUnderTest& m, int s, int j, int t) {
  return CheckTransition(m, MachineLanes(m), s, j, t);
}

CheckFinding CheckHold(const MachineUnderTest& m, int s) { return CheckHold(m, MachineLanes(m), s); }

CheckFinding CheckTransition(const MachineUnderTest& m, const MachineLanes& lanes, int s, int j, int t) {
  // A transit state is passed through on purpose: the transition ends where it leads.
  const int rest = PassThroughTarget(m.diagram, t, m.diagram.Triggers[s][j]);
  const std::string head =
      m.Name(s) + " -> " + m.Name(t) + (rest != t ? " -> " + m.Name(rest) : "") + " on " + m.diagram.Triggers[s][j];
  const int from = CodeValue(m.diagram.Codes[s]);
  const int to = CodeValue(m.diagram.Codes[rest]);
  // Two transitions to one state lead the same way whichever closes.
  std::array<bool, kSlotCount> away{};
  for (int k = 0; k < kSlotCount; ++k) away[k] = StateOfTarget(m.diagram.Targets[s][k]) != t;
  bool triggered = false, alone = false, tried = false;
  for (size_t word = 0; word < lanes.Words(); ++word) {
    const uint64_t trigger = lanes.Trigger(s, j, word);
    uint64_t awayTrigger = 0;
    for (int k = 0; k < kSlotCount; ++k) awayTrigger |= away[k] ? lanes.Trigger(s, k, word) : 0;
    const uint64_t single = trigger & ~awayTrigger;
    const uint64_t run = single & ~lanes.AnyTrigger(rest, word);
    triggered = triggered || trigger != 0;
    alone = alone || single != 0;
    tried = tried || run != 0;
    for (uint64_t lane = run; lane != 0; lane &= lane - 1) {
      const size_t setting = word * 64 + std::countr_zero(lane);
      if (lanes.SettlesOn(setting, from, to)) continue;
      const Settling r = SettleWith([&lanes, setting](int c) { return lanes.Unstable(setting, c); }, from);
      return {Kind::Transition, false,
              head + ": " + SettlingText(r, to) + WithText(m.table, m.switchMask, m.settings[setting]) +
                  ApartHint(m.diagram.Codes[s], m.diagram.Codes[t])};
    }
  }
  if (!triggered) return {Kind::Transition, false, head + ": the trigger is never true"};
  if (!alone) return {Kind::Transition, false, head + ": overlapping triggers of " + m.Name(s)};
  if (!tried) {
    return {
        Kind::Transition, false,
        head + ": run-through, a trigger of " + m.Name(rest) + " is true whenever this one is: make them exclusive"};
  }
  return {Kind::Transition, true, head + m.note};
}

CheckFinding CheckHold(const MachineUnderTest& m, const MachineLanes& lanes, int s) {
  const int code = CodeValue(m.diagram.Codes[s]);
  const std::string head = "hold " + m.Name(s) + " (" + m.diagram.Codes[s] + ")";
  for (size_t word = 0; word < lanes.Words(); ++word) {
    const uint64_t moves = lanes.Moving(code, word) & ~lanes.AnyTrigger(s, word);
    if (moves == 0) continue;
    const size_t setting = word * 64 + std::countr_zero(moves);
    const int moving = lanes.Unstable(setting, code);
    std::string relays;
    for (int r = 0; r < 4; ++r) {
      if ((moving >> r) & 1) relays += m.table.Name(r);
    }
    return {Kind::Hold, false,
            head + ": relay " + relays + " moves" + WithText(m.table, m.switchMask, m.settings[setting])};
  }
  return {Kind::Hold, true, head + m.note};
}

CheckFinding CheckOutput(const MachineUnderTest& m, const CircuitReadBack& circuit, int relay,
                         const std::string& name) {
  const std::string head = "output " + name;
  // Only the switches the circuit holds can change it: one setting of each
  // combination of those is enough (the first, so a finding names it).
  std::vector<uint64_t> distinct;
  std::unordered_set<uint64_t> seen;
  for (uint64_t sw : m.settings) {
    if (seen.insert(sw & circuit.Variables()).second) distinct.push_back(sw);
  }
  for (int s = 0; s < kStateCount; ++s) {
    const int code = CodeValue(m.diagram.Codes[s]);
    if (code < 0) continue;
    const bool wanted = m.diagram.CoilOn[s][relay];
    for (uint64_t sw : distinct) {
      if (circuit.Conducts(sw | code) != wanted) {
        return {Kind::Output, false,
                head + ": " + (wanted ? "off" : "on") + " in " + m.Name(s) + " (" + m.diagram.Codes[s] +
                    ") where the table has it " + (wanted ? "ON" : "OFF") + WithText(m.table, m.switchMask, sw)};
      }
    }
  }
  return {Kind::Output, true, head + m.note};
}

void RunMachine(MachineUnderTest& m, const std::array<const CircuitReadBack*, kRelayCount>& outputs,
                const std::array<std::string, kRelayCount>& names, CheckReport& report) {
  // A state the machine uses but whose code is not four 0/1 digits cannot be
  // run: what it would take part in is reported as not checked, never as passed.
  std::array<bool, kStateCount> used{};
  for (int s = 0; s < kStateCount; ++s) {
    for (int j = 0; j < kSlotCount; ++j) {
      const int t = StateOfTarget(m.diagram.Targets[s][j]);
      if (!m.triggers[s][j] || !IsValidState(t)) continue;
      used[s] = used[t] = true;
    }
    for (int r = 0; r < kRelayCount; ++r) used[s] = used[s] || (outputs[r] && m.diagram.CoilOn[s][r]);
  }
  const MachineLanes lanes(m);
  auto notChecked = [&m](int s) { return ": not checked: " + m.Name(s) + " has no complete code"; };
  for (int s = 0; s < kStateCount; ++s) {
    for (int j = 0; j < kSlotCount; ++j) {
      if (!m.triggers[s][j] || m.diagram.Targets[s][j].empty()) continue;
      const int t = StateOfTarget(m.diagram.Targets[s][j]);
      if (!IsValidState(t) || t == s) continue;
      const int rest = PassThroughTarget(m.diagram, t, m.diagram.Triggers[s][j]);
      const int missing = CodeValue(m.diagram.Codes[s]) < 0      ? s
                          : CodeValue(m.diagram.Codes[t]) < 0    ? t
                          : CodeValue(m.diagram.Codes[rest]) < 0 ? rest
                                                                 : -1;
      if (missing < 0) {
        report.findings.push_back(CheckTransition(m, lanes, s, j, t));
      } else {
        report.findings.push_back(
            {CheckFinding::Kind::Transition, false,
             m.Name(s) + " -> " + m.Name(t) + " on " + m.diagram.Triggers[s][j] + notChecked(missing)});
      }
    }
  }
  for (int s = 0; s < kStateCount; ++s) {
    if (CodeValue(m.diagram.Codes[s]) >= 0) {
      report.findings.push_back(CheckHold(m, lanes, s));
    } else if (used[s]) {
      report.findings.push_back({CheckFinding::Kind::Hold, false, "hold " + m.Name(s) + notChecked(s)});
    }
  }
  for (int r = 0; r < kRelayCount; ++r) {
    if (!outputs[r]) continue;
    for (int s = 0; s < kStateCount; ++s) {
      if (m.diagram.CoilOn[s][r] && CodeValue(m.diagram.Codes[s]) < 0) {
        report.findings.push_back({CheckFinding::Kind::Output, false, "output " + names[r] + notChecked(s)});
      }
    }
  }
  for (int r = 0; r < kRelayCount; ++r) {
    if (outputs[r]) report.findings.push_back(CheckOutput(m, *outputs[r], r, names[r]));
  }
}

}  // namespace kelvo
