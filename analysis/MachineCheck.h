#pragma once
// Runs the read-back circuits of the state relays as a machine and checks it
// against the state table. The switches are set as each check needs (every
// setting, or a seeded sample past kExhaustiveSwitches switches), the relays
// move as RelaySimulation lets them, and each check gives one finding:
// a transition settles on its target's code in every order, a state holds
// while none of its triggers is true, an output relay's circuit is on in
// exactly the states where the table has it ON.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/CircuitCheck.h"
#include "analysis/CircuitReadBack.h"
#include "analysis/MachineLanes.h"
#include "analysis/RelaySimulation.h"
#include "equations/SwitchFunction.h"

namespace kelvo {

// The read-back circuits, the triggers and the switch settings to try. A
// relay with `relayLanes` is evaluated through them, else through `relays`.
struct MachineUnderTest {
  const StateDiagram& diagram;
  const VariableTable& table;
  std::array<RelayCircuit, 4> relays;
  std::array<std::array<std::optional<SwitchFunction>, kSlotCount>, kStateCount> triggers;
  std::vector<uint64_t> settings;
  uint64_t switchMask = 0;
  std::string note;
  std::array<RelayLanes, 4> relayLanes = {};

  std::string Name(int s) const { return "S" + std::to_string(s); }
};

CheckFinding CheckTransition(const MachineUnderTest& m, int s, int j, int t);
CheckFinding CheckHold(const MachineUnderTest& m, int s);
// The same with the machine worked out over m's settings beforehand.
CheckFinding CheckTransition(const MachineUnderTest& m, const MachineLanes& lanes, int s, int j, int t);
CheckFinding CheckHold(const MachineUnderTest& m, const MachineLanes& lanes, int s);
CheckFinding CheckOutput(const MachineUnderTest& m, const CircuitReadBack& circuit, int relay, const std::string& name);
// Every transition between states with complete codes, every hold, and the
// output of each relay given a circuit.
void RunMachine(MachineUnderTest& m, const std::array<const CircuitReadBack*, kRelayCount>& outputs,
                const std::array<std::string, kRelayCount>& names, CheckReport& report);

// "0011" for relay code 3.
std::string CodeText(int code);
// "A=1 X1=0": the variables of `mask` with their values, the state relays
// first, then the switches by name.
std::string ValuesText(const VariableTable& table, uint64_t mask, uint64_t values);
// " with X1=0 X2=1", or "" when there are no switches.
std::string WithText(const VariableTable& table, uint64_t switchMask, uint64_t values);

}  // namespace kelvo
