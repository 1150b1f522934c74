#pragma once
// The state table of the sequential machine being designed: up to 16 states,
// each with a four-digit code over D, C, B, A, a comment, up to four outgoing
// transitions (target "S0".."S15" and a trigger expression) and the ON/OFF
// condition of up to six output relays, plus the relay names. The entry form
// edits it a page at a time, the states file saves and loads it, the automatic
// codes rewrite its codes and the synthesis reads all of it.

#include <array>
#include <string>
#include <string_view>

namespace kelvo {

inline constexpr int kStateCount = 16;  // states S0..S15
inline constexpr int kSlotCount = 4;    // transition slots per state
inline constexpr int kRelayCount = 6;   // output relays
inline constexpr int kCodeDigits = 4;   // code positions 1..4 = D, C, B, A

// One state's page of the entry form: what the form copies in and out.
struct StatePage {
  std::string code;
  std::string comment;
  std::array<std::string, kSlotCount> targets;
  std::array<std::string, kSlotCount> triggers;
  std::array<bool, kRelayCount> on{};
  std::array<bool, kRelayCount> off{};
  std::array<std::string, kRelayCount> coilNames;  // the same on every page

  bool operator==(const StatePage&) const = default;
};

struct StateDiagram {
  std::array<std::string, kStateCount> Codes;
  std::array<std::string, kStateCount> Comments;
  std::array<std::array<std::string, kSlotCount>, kStateCount> Targets;
  std::array<std::array<std::string, kSlotCount>, kStateCount> Triggers;
  std::array<std::array<bool, kRelayCount>, kStateCount> CoilOn{};
  std::array<std::array<bool, kRelayCount>, kStateCount> CoilOff{};
  std::array<std::string, kRelayCount> CoilNames;

  bool operator==(const StateDiagram&) const = default;

  // Every text empty, every relay OFF in every state.
  void Clear();
  StatePage Page(int state) const;
  void StorePage(int state, const StatePage& page);
};

inline bool IsValidState(int state) { return state >= 0 && state < kStateCount; }

// The state number of a target text: the decimal number from the second
// character on, up to the first non-digit ("S12" -> 12); 0 when there is no
// digit there. Very long numbers saturate, so callers can range-check them.
int TargetNumber(std::string_view target);
// The state a target names: "S" or "s" followed by nothing but the digits of
// 0..15 ("S3", "s12", "S03"); -1 for anything else ("S-1", "S 3", "S", "3").
int StateOfTarget(std::string_view target);
// Exactly four characters, each "0" or "1".
bool IsCompleteCode(std::string_view code);
// State variables 0..3 are A, B, C, D; a code holds them as digits 4, 3, 2, 1
// ("DCBA"). VariableAtPosition is -1 for a position outside 1..4.
inline char VariableLetter(int variable) { return static_cast<char>('A' + variable); }
inline int VariablePosition(int variable) { return kCodeDigits - variable; }
inline int VariableAtPosition(int position) {
  return position >= 1 && position <= kCodeDigits ? kCodeDigits - position : -1;
}
// The product term true exactly in the state with this complete code, the
// variables in the order A, B, C, D ("0110" -> "a.B.C.d"); "" for any other text.
std::string CodeToMinterm(std::string_view code);

}  // namespace kelvo
