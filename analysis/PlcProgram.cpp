#include "analysis/PlcProgram.h"

#include <algorithm>
#include <array>

#include "analysis/CircuitReadBack.h"
#include "analysis/PlcNames.h"
#include "equations/EquationSynthesis.h"
#include "equations/SwitchFunction.h"
#include "ladder/TwoPartLayout.h"

namespace kelvo {
namespace {

// A drawn circuit before its contacts' variables are the program's.
struct ReadCircuit {
  std::string title;
  std::string equation;
  int slot;
  CircuitReadBack circuit;
};

PlcRung RungOf(const CircuitReadBack& circuit) {
  PlcRung rung;
  rung.source = circuit.Source();
  rung.sink = circuit.Sink();
  rung.lastRow = circuit.MainEndRow();
  for (const CircuitReadBack::Link& l : circuit.Links()) {
    rung.contacts.push_back({l.top, l.bottom, l.variable, !l.closedWhenOn, l.x, l.row});
    rung.nodes = std::max({rung.nodes, l.top + 1, l.bottom + 1});
    rung.columns = std::max(rung.columns, l.x + 1);
    rung.lastRow = std::max(rung.lastRow, l.row);
  }
  rung.nodes = std::max({rung.nodes, rung.source + 1, rung.sink + 1});
  return rung;
}

std::vector<ReadCircuit> ReadDrawnCircuits(const PlcSource& s, VariableTable& table) {
  std::vector<ReadCircuit> read;
  const LadderGrid& g = s.grid;
  for (int x = 0; x < kStateVariables; ++x) {
    const std::string letter(1, VariableLetter(x));
    if (s.parallelForm && g.MainLength[x] > 0) {
      read.push_back({letter + " (parallel)", s.equations.variableEquations[x], x,
                      CircuitReadBack(g.SumTiles[x], g.SumLabels[x], GridFamily::Sum, table)});
    } else if (!s.parallelForm && g.ResetWidth[x] >= 1) {
      read.push_back({letter + " (two-part)", TwoPartDrawnText(s.equations.parallelEquations[x], x), x,
                      CircuitReadBack(g.TwoPartTiles[x], g.TwoPartLabels[x], GridFamily::TwoPart, table)});
    }
  }
  for (int r = 0; r < kRelayCount; ++r) {
    const int slot = kFirstRelaySlot + r;
    if (g.MainLength[slot] <= 0) continue;
    read.push_back({"relay " + s.equations.relayNames[r], s.equations.relayEquations[r], slot,
                    CircuitReadBack(g.SumTiles[slot], g.SumLabels[slot], GridFamily::Sum, table)});
  }
  return read;
}

std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of("/\\") + 1); }

std::string ProgramNameOf(const std::string& file) {
  std::string name = FileNameOf(file);
  if (const size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

}  // namespace

Result<PlcProgram> BuildPlcProgram(const PlcSource& s) {
  PlcProgram program;
  program.sourceFile = FileNameOf(s.sourceFile);
  program.parallelForm = s.parallelForm;
  // The switches in the order the table first names them.
  VariableTable table;
  for (const auto& row : s.table.Triggers) {
    for (const std::string& trigger : row) SwitchFunction::Parse(trigger, table);
  }
  std::vector<ReadCircuit> read = ReadDrawnCircuits(s, table);
  // The table's variable of each output relay, or a variable of its own when
  // its name is a state variable's or another relay's, or empty.
  std::array<int, kRelayCount> relayVariable{};
  std::vector<int> claimedBy(kMaxVariables, -1);
  for (int r = 0; r < kRelayCount; ++r) {
    const std::string& name = s.equations.relayNames[r];
    relayVariable[r] = -1;
    if (name.empty()) continue;
    const int v = table.Index(name);
    if (v >= kStateRelayVariables && claimedBy[v] < 0) relayVariable[r] = v, claimedBy[v] = r;
  }
  if (table.Full()) {
    return Fault{"more than " + std::to_string(kMaxVariables) +
                 " switch and relay names: the program cannot hold them"};
  }

  IecNames names;
  std::vector<int> variableOf(table.Size(), -1);
  const auto add = [&](const std::string& shown, PlcVariableKind kind, const std::string& fallback) {
    program.variables.push_back({names.Give(shown, fallback), shown, kind});
    return static_cast<int>(program.variables.size()) - 1;
  };
  for (int v = 0; v < kStateRelayVariables; ++v) variableOf[v] = add(table.Name(v), PlcVariableKind::Internal, "X");
  for (int v = kStateRelayVariables; v < table.Size(); ++v) {
    if (claimedBy[v] < 0) variableOf[v] = add(table.Name(v), PlcVariableKind::Input, "Switch" + std::to_string(v));
  }
  std::array<int, kRelayCount> relayOutput{};
  for (int r = 0; r < kRelayCount; ++r) {
    const std::string& name = s.equations.relayNames[r];
    relayOutput[r] = -1;
    const bool drawn =
        std::any_of(read.begin(), read.end(), [&](const auto& c) { return c.slot == kFirstRelaySlot + r; });
    if (name.empty() && !drawn) continue;
    relayOutput[r] = add(name, PlcVariableKind::Output, "Relay" + std::to_string(r + 1));
    if (relayVariable[r] >= 0) variableOf[relayVariable[r]] = relayOutput[r];
  }
  program.name = names.Give(ProgramNameOf(s.sourceFile), "Kelvo16s");

  for (int st = 0; st < kStateCount; ++st) {
    if (!s.table.Comments[st].empty())
      program.stateComments.push_back("S" + std::to_string(st) + ": " + s.table.Comments[st]);
  }
  for (ReadCircuit& c : read) {
    PlcRung rung = RungOf(c.circuit);
    rung.title = c.title;
    rung.equation = c.equation;
    rung.slot = c.slot;
    rung.coil = rung.slot < kStateVariables ? variableOf[rung.slot] : relayOutput[rung.slot - kFirstRelaySlot];
    for (PlcContact& contact : rung.contacts) contact.variable = variableOf[contact.variable];
    program.rungs.push_back(std::move(rung));
  }
  return program;
}

}  // namespace kelvo
