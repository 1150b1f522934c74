#pragma once
// Runs the machine on its drawing: the circuits of the form shown and the
// relay circuits are read back from their tile grids (as "Check Circuit" reads
// them), the switches named in the triggers are set by hand, and the state
// relays A..D move as their circuits say, one at a time. After a switch
// changes, every relay whose circuit disagrees with it is due; a step moves
// one of them (the first in the order A, B, C, D unless another is chosen).
// Settling moves them until none is due, names a critical race (when the
// order of the moves changes where the machine ends) and stops when it never
// settles (an oscillation). A transit state (its comment ends in
// "(transit)") is passed through on purpose: a move into one that the relays
// go on from says so, and resting in one is a fault of its own. Bits 0..3 of
// the values are A..D, the switches follow in the order of the variable table.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/CircuitReadBack.h"
#include "analysis/RelaySimulation.h"
#include "equations/EquationSet.h"
#include "equations/SwitchFunction.h"
#include "ladder/GridDrawing.h"
#include "ladder/LadderGrid.h"
#include "statediagram/StateDiagram.h"

namespace kelvo {

struct SimulationMove {
  int relay = 0;  // 0..3 = A..D
  bool pickUp = false;
  std::string why;  // "A picks up: X1 closed the path X1.b"
  // The transit state the relays show after the move while they go on, or -1,
  // and "passes S5 (transit) on the way to S0".
  int transit = -1;
  std::string passes;
};

struct SettleResult {
  std::vector<SimulationMove> moves;
  bool settled = true;
  bool oscillates = false;    // the moves never end (stopped after kMaxMoves)
  std::vector<int> raceEnds;  // more than one: a critical race, the codes each order ends on
};

class MachineSimulation {
public:
  static constexpr int kMaxMoves = 32;

  MachineSimulation(const StateDiagram& diagram, const EquationSet& equations, const LadderGrid& grid,
                    bool parallelForm);

  // The switch names, as the triggers and contacts write them.
  const std::vector<std::string>& Switches() const { return switches_; }
  // The switch of that name (any case), or -1.
  int SwitchIndex(const std::string& name) const;
  bool SwitchOn(int i) const;
  // Sets a switch; the relays do not move until stepped or settled.
  void SetSwitch(int i, bool on);
  // The relays take the code of `state` (0 when it has none), every switch off.
  void Reset(int state);

  int Code() const { return code_; }
  uint64_t Values() const { return values_ | static_cast<uint64_t>(code_); }
  // The state whose code the relays show, or -1.
  int State() const;
  // "S2: doors opening", "S2", or "between states (0110)".
  std::string StateText() const;
  bool IsTransit(int state) const;
  // Where the machine is, for its state label: StateText(), but for a transit
  // state "passing S5 (transit) on the way to S0" while the relays move on,
  // and StuckText() when they rest in it.
  std::string PlaceText() const;
  // "stuck in S5 (transit): ..." when the relays rest in a transit state, else "".
  std::string StuckText() const;
  // A mask of the state relays whose circuits disagree with them.
  int Due() const;
  bool OutputOn(int relay) const;
  const std::string& OutputName(int relay) const { return outputNames_[relay]; }

  // Moves `relay` when it is due, else the first due relay; none when nothing is due.
  std::optional<SimulationMove> Step(int relay = -1);
  // Moves the due relays in the order A, B, C, D until none is due.
  SettleResult Settle();

  // The read-back circuits: the state relays' of the form, and the output relays'.
  const CircuitReadBack& StateCircuit(int x) const { return states_[x]; }
  const CircuitReadBack& OutputCircuit(int r) const { return outputs_[r]; }
  bool Parallel() const { return parallel_; }

private:
  SimulationMove Move(int relay);
  std::array<RelayCircuit, 4> Circuits() const;
  int StateOfCode(int code) const;
  // "on the way to S0": where every order of the due moves ends; "" when they never end.
  std::string WayText() const;

  const StateDiagram& diagram_;
  VariableTable table_;
  std::array<CircuitReadBack, kStateVariables> states_;
  std::array<CircuitReadBack, kRelayCount> outputs_;
  std::array<std::string, kRelayCount> outputNames_;
  std::vector<std::string> switches_;
  int code_ = 0;
  uint64_t values_ = 0;      // the switch bits
  std::string lastChanged_;  // the switch set last, for the moves' reasons
  bool lastOn_ = false;
  bool parallel_ = false;
};

// What the simulation shows on the drawing: each drawn cell of the circuits
// of a view at its place in twips, whether current flows through it now (a
// wire or closed contact on a conducting path), whether it is an open
// contact, and each coil and whether it is energised.
struct LitCell {
  int x = 0, y = 0;  // twips, the tile's top-left
  int tile = 0;      // 0 coil, 1..7 wires, 8 and 9 contacts
  bool live = false;
  bool open = false;  // a contact that does not pass current now
  int linkTo = 0;     // a live wire joined to the next column: x where that column starts
};
std::vector<LitCell> LitCells(const MachineSimulation& sim, const std::vector<CircuitPlace>& places);

// "0110" for relay code 6 (D C B A).
std::string RelayCodeText(int code);

}  // namespace kelvo
