#include "analysis/MachineSimulation.h"

#include <algorithm>
#include <cctype>

#include "analysis/CircuitCheck.h"
#include "analysis/RelaySimulation.h"
#include "ladder/TwoPartLayout.h"
#include "statediagram/TransitionGraph.h"

namespace kelvo {
namespace {

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Whether the path text "X1.b.C" holds the contact `literal` as written.
bool PathHas(const std::string& path, const std::string& literal) {
  size_t start = 0;
  while (start <= path.size()) {
    const size_t end = std::min(path.find('.', start), path.size());
    if (path.compare(start, end - start, literal) == 0) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

std::string RelayCodeText(int code) {
  std::string text;
  for (int bit = 3; bit >= 0; --bit) text += ((code >> bit) & 1) ? '1' : '0';
  return text;
}

MachineSimulation::MachineSimulation(const StateDiagram& diagram, const EquationSet& equations, const LadderGrid& grid,
                                     bool parallelForm)
    : diagram_(diagram), parallel_(parallelForm) {
  for (int x = 0; x < kStateVariables; ++x) {
    if (parallelForm && grid.MainLength[x] > 0) {
      states_[x] = CircuitReadBack(grid.SumTiles[x], grid.SumLabels[x], GridFamily::Sum, table_);
    } else if (!parallelForm && grid.ResetWidth[x] >= 1) {
      states_[x] = CircuitReadBack(grid.TwoPartTiles[x], grid.TwoPartLabels[x], GridFamily::TwoPart, table_);
    }
  }
  for (int r = 0; r < kRelayCount; ++r) {
    outputNames_[r] = equations.relayNames[r];
    const int slot = kFirstRelaySlot + r;
    if (grid.MainLength[slot] > 0) {
      outputs_[r] = CircuitReadBack(grid.SumTiles[slot], grid.SumLabels[slot], GridFamily::Sum, table_);
    }
  }
  // Every switch of the triggers, also those no drawn circuit uses.
  for (int s = 0; s < kStateCount; ++s) {
    for (int j = 0; j < kSlotCount; ++j) {
      if (!diagram.Triggers[s][j].empty()) SwitchFunction::Parse(diagram.Triggers[s][j], table_);
    }
  }
  for (int i = kStateRelayVariables; i < table_.Size() && i < 64; ++i) switches_.push_back(table_.Name(i));
}

int MachineSimulation::SwitchIndex(const std::string& name) const {
  for (size_t i = 0; i < switches_.size(); ++i) {
    if (Upper(switches_[i]) == Upper(name)) return static_cast<int>(i);
  }
  return -1;
}

bool MachineSimulation::SwitchOn(int i) const {
  return i >= 0 && i < static_cast<int>(switches_.size()) && ((values_ >> (kStateRelayVariables + i)) & 1);
}

void MachineSimulation::SetSwitch(int i, bool on) {
  if (i < 0 || i >= static_cast<int>(switches_.size())) return;
  const uint64_t bit = uint64_t{1} << (kStateRelayVariables + i);
  if (on == ((values_ & bit) != 0)) return;
  values_ = on ? values_ | bit : values_ & ~bit;
  lastChanged_ = switches_[i];
  lastOn_ = on;
}

void MachineSimulation::Reset(int state) {
  values_ = 0;
  lastChanged_.clear();
  const int code = IsValidState(state) ? CodeValue(diagram_.Codes[state]) : -1;
  code_ = code < 0 ? 0 : code;
}

int MachineSimulation::State() const { return StateOfCode(code_); }

int MachineSimulation::StateOfCode(int code) const {
  for (int s = 0; s < kStateCount; ++s) {
    if (CodeValue(diagram_.Codes[s]) == code) return s;
  }
  return -1;
}

std::string MachineSimulation::StateText() const {
  const int s = State();
  if (s < 0) return "between states (" + RelayCodeText(code_) + ")";
  const std::string name = "S" + std::to_string(s);
  return diagram_.Comments[s].empty() ? name : name + ": " + diagram_.Comments[s];
}

bool MachineSimulation::IsTransit(int state) const {
  return IsValidState(state) && IsTransitComment(diagram_.Comments[state]);
}

std::string MachineSimulation::PlaceText() const {
  const int s = State();
  if (!IsTransit(s)) return StateText();
  if (Due() == 0) return StuckText();
  return "passing S" + std::to_string(s) + " (transit)" + WayText();
}

std::string MachineSimulation::StuckText() const {
  const int s = State();
  if (!IsTransit(s) || Due() != 0) return {};
  const std::string head = "stuck in S" + std::to_string(s) + " (transit): it is meant to be passed through";
  int ways = 0, out = -1;
  for (int j = 0; j < kSlotCount; ++j) {
    if (!diagram_.Targets[s][j].empty()) ++ways, out = j;
  }
  if (ways == 0) return head + ", but it has no way out";
  if (ways > 1) return head + ", but none of its " + NumberWord(ways) + " ways out is taken";
  const std::string& trigger = diagram_.Triggers[s][out];
  const std::string way = head + " to " + diagram_.Targets[s][out] + " on " + trigger;
  VariableTable names = table_;
  if (!SwitchFunction::Parse(trigger, names).Evaluate(Values())) return way + ", but " + trigger + " is not true now";
  return way + ", but its circuits hold it";
}

std::string MachineSimulation::WayText() const {
  const Settling ends = kelvo::Settle(Circuits(), code_, values_);
  if (ends.oscillates || ends.endCodes.empty()) return {};
  std::string text = " on the way to";
  for (size_t i = 0; i < ends.endCodes.size(); ++i) {
    const int s = StateOfCode(ends.endCodes[i]);
    text += (i ? " or " : " ") + (s >= 0 ? "S" + std::to_string(s) : RelayCodeText(ends.endCodes[i]));
  }
  return text;
}

std::array<RelayCircuit, 4> MachineSimulation::Circuits() const {
  std::array<RelayCircuit, 4> circuits;
  for (int x = 0; x < kStateVariables; ++x) {
    const CircuitReadBack* c = &states_[x];
    circuits[x] = [c](uint64_t v) { return c->Conducts(v); };
  }
  return circuits;
}

int MachineSimulation::Due() const { return UnstableRelays(Circuits(), code_, values_); }

bool MachineSimulation::OutputOn(int relay) const {
  return relay >= 0 && relay < kRelayCount && outputs_[relay].Conducts(Values());
}

SimulationMove MachineSimulation::Move(int relay) {
  const std::string name(1, static_cast<char>('A' + relay));
  SimulationMove move;
  move.relay = relay;
  move.pickUp = ((code_ >> relay) & 1) == 0;
  if (move.pickUp) {
    const std::string path = states_[relay].ClosedPath(Values(), table_);
    // The switch set last, as its contact is written: "X1" closes when on, "x1" when off.
    std::string literal = lastChanged_;
    if (!lastOn_ && !literal.empty())
      literal[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(literal[0])));
    if (!literal.empty() && PathHas(path, literal)) {
      move.why = name + " picks up: " + literal + " closed the path " + path;
    } else {
      move.why = name + " picks up: the path " + path + " conducts";
    }
  } else {
    move.why = name + " drops out: no path to its coil conducts";
  }
  code_ ^= 1 << relay;
  return move;
}

std::optional<SimulationMove> MachineSimulation::Step(int relay) {
  const int due = Due();
  if (due == 0) return std::nullopt;
  if (relay < 0 || relay >= kStateVariables || !((due >> relay) & 1)) {
    relay = 0;
    while (!((due >> relay) & 1)) ++relay;
  }
  SimulationMove move = Move(relay);
  const int shown = State();
  if (IsTransit(shown) && Due() != 0) {
    move.transit = shown;
    move.passes = "passes S" + std::to_string(shown) + " (transit)" + WayText();
  }
  return move;
}

SettleResult MachineSimulation::Settle() {
  SettleResult result;
  const Settling every = kelvo::Settle(Circuits(), code_, values_);
  if (every.endCodes.size() > 1) result.raceEnds = every.endCodes;
  for (int n = 0; n < kMaxMoves; ++n) {
    auto move = Step();
    if (!move) return result;
    result.moves.push_back(std::move(*move));
  }
  result.settled = Due() == 0;
  result.oscillates = !result.settled;
  return result;
}

std::vector<LitCell> LitCells(const MachineSimulation& sim, const std::vector<CircuitPlace>& places) {
  std::vector<LitCell> lit;
  const uint64_t values = sim.Values();
  for (const CircuitPlace& place : places) {
    const CircuitReadBack* circuit = nullptr;
    if (place.slot >= 0 && place.slot < kStateVariables) circuit = &sim.StateCircuit(place.slot);
    if (place.slot >= kFirstRelaySlot && place.slot < kFirstRelaySlot + kRelayCount) {
      circuit = &sim.OutputCircuit(place.slot - kFirstRelaySlot);
    }
    if (!circuit || !circuit->Drawn()) continue;
    std::vector<std::pair<int, int>> live = circuit->LiveCells(values);
    std::sort(live.begin(), live.end());
    for (const auto& cell : circuit->Cells()) {
      LitCell c;
      c.x = place.mainX + cell.x * place.pitch;
      c.y = cell.row * kTileTwips;
      c.tile = TileImageSlot(cell.tile);
      c.live = std::binary_search(live.begin(), live.end(), std::make_pair(cell.x, cell.row));
      const bool contact = cell.variable >= 0;
      c.open = contact && !CircuitReadBack::Closed(cell.closedWhenOn, cell.variable, values);
      const bool linksRight = cell.tile == Tile::Link || cell.tile == Tile::TeeDown || cell.tile == Tile::TeeRight ||
                              cell.tile == Tile::TeeUp;
      if (c.live && linksRight) c.linkTo = c.x + place.pitch;
      lit.push_back(c);
    }
    // The coil, and the wire down to it, carry current when the circuit conducts.
    const bool energised = circuit->Conducts(values);
    LitCell coil;
    coil.x = place.mainX;
    coil.y = place.coilY;
    coil.tile = 0;
    coil.live = energised;
    lit.push_back(coil);
    if (energised) {
      LitCell down;  // from the top line's tee down to the first cell
      down.x = place.mainX;
      down.y = kTileTwips;
      down.tile = 1;
      down.live = true;
      lit.push_back(down);
    }
    if (energised && circuit->MainEndRow() >= 0) {
      for (int y = (circuit->MainEndRow() + 1) * kTileTwips; y < place.coilY; y += kTileTwips) {
        LitCell wire;
        wire.x = place.mainX;
        wire.y = y;
        wire.tile = 1;
        wire.live = true;
        lit.push_back(wire);
      }
    }
  }
  return lit;
}

}  // namespace kelvo
