#pragma once
// The relay machine of a check worked out over every switch setting to try,
// 64 settings at a time. The settings are laid out as lanes (bit j of word v:
// variable v in setting j of the word); each relay circuit is evaluated once
// per word and state code, each trigger once per word at its own state's code.
// What the checks then ask per setting (is this trigger true, which relays are
// unstable at this code, where does the machine settle) are bit lookups.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "analysis/CircuitReadBack.h"
#include "analysis/RelaySimulation.h"
#include "equations/SwitchFunction.h"
#include "statediagram/StateDiagram.h"

namespace kelvo {

// A relay circuit over 64 settings at once, the state relays at `code` in
// every lane of `lanes`: bit j conducts in setting j.
using RelayLanes = std::function<uint64_t(const Lanes& lanes, int code)>;

// The read-back circuit as the sum of its current paths when it has few of
// them, else the circuit itself: the same answers as Conducts().
RelayLanes LanesOf(const CircuitReadBack& circuit);

struct MachineUnderTest;

class MachineLanes {
public:
  explicit MachineLanes(const MachineUnderTest& m);

  size_t Words() const { return valid_.size(); }
  // The lanes of `word` that hold a setting.
  uint64_t Valid(size_t word) const { return valid_[word]; }
  // Lanes of `word` where trigger j of state s is true with s's code.
  uint64_t Trigger(int s, int j, size_t word) const { return triggers_[word][s * kSlotCount + j]; }
  // Lanes of `word` where any trigger of s is true with s's code.
  uint64_t AnyTrigger(int s, size_t word) const;
  // Lanes of `word` where a relay is unstable at `code`.
  uint64_t Moving(int code, size_t word) const { return moving_[word][code]; }
  // The relays unstable at `code` in setting i, as UnstableRelays() gives them.
  int Unstable(size_t setting, int code) const { return static_cast<int>((unstable_[setting] >> (4 * code)) & 15); }
  // Whether every order of moving the relays from `from` in setting i ends on
  // `to` alone, with no way round for ever.
  bool SettlesOn(size_t setting, int from, int to) const;

private:
  void FillWord(const MachineUnderTest& m, size_t word, const Lanes& switches);

  std::vector<uint64_t> valid_;
  std::vector<std::array<uint64_t, kStateCount * kSlotCount>> triggers_;
  std::vector<std::array<uint64_t, kRelayCodes>> moving_;
  std::vector<uint64_t> unstable_;  // per setting: 4 bits per code, code c at bits 4c..4c+3
};

}  // namespace kelvo
