#pragma once
// Runs a relay machine: the four state relays A..D, each pulled in while its
// circuit conducts, move one at a time, in every possible order, while a
// relay's circuit disagrees with its contact. Settle() explores every order
// from a start code with the switches held fixed and tells whether they all
// end on one code, end on several (a critical race) or can go round for ever
// (an oscillation). Values are masks as in SwitchFunction: bits 0..3 are the
// relay code (bit 0 = A), the higher bits the switches.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace kelvo {

inline constexpr int kRelayCodes = 16;  // codes of A..D

using RelayCircuit = std::function<bool(uint64_t values)>;

struct Settling {
  bool oscillates = false;
  std::vector<int> endCodes;  // the stable codes reached, ascending
};

// `switches` holds the switch bits only (bits 0..3 clear).
Settling Settle(const std::array<RelayCircuit, 4>& circuits, int startCode, uint64_t switches);
// Settle() with the unstable relays of each code given: `unstable(code)` as UnstableRelays().
Settling SettleWith(const std::function<int(int code)>& unstable, int startCode);
// The relays whose circuits disagree with `code`, as a mask of bits 0..3.
int UnstableRelays(const std::array<RelayCircuit, 4>& circuits, int code, uint64_t switches);

// The switch settings to try: every setting of the switch variables
// firstSwitch..count-1 when there are at most kExhaustiveSwitches of them,
// else kSampledSettings settings drawn with a fixed seed.
inline constexpr int kExhaustiveSwitches = 16;
inline constexpr int kSampledSettings = 1 << 16;
std::vector<uint64_t> SwitchSettings(int firstSwitch, int count, bool* sampled);

}  // namespace kelvo
