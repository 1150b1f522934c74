#pragma once
// Automatic state codes: S0 gets "0000" and every other state a code along the
// forward transitions (lower to higher state number) so that each transition
// changes exactly one digit. Candidates come from a pool in ascending binary
// order; when a state's successor finds no code, the grant that coded the
// state is undone once and the state is coded again with the next candidate.

#include <functional>
#include <string>

#include "statediagram/StateDiagram.h"

namespace kelvo {

inline constexpr const char* kExtraStateNeeded = "Extra State needed. Aborting Automatic calculation!";
inline constexpr const char* kErrorStateSequence = "Error State Sequence. Aborting Automatic calculation!";

// Two complete codes that differ in exactly one of their four digits.
bool CodesAdjacent(const std::string& a, const std::string& b);

// How an assignment ended: the message for the user when it was aborted.
struct CodeAssignmentResult {
  bool ok = true;
  std::string message;  // empty when ok
};

// Rewrites every code of `diagram`. `showCode(state, code)` is called whenever a
// state receives a code, so the entry form can refresh its code box. On failure
// the codes given so far stay, all others are empty, and the result carries the
// one message the user is to see.
CodeAssignmentResult AssignStateCodes(StateDiagram& diagram,
                                      const std::function<void(int state, const std::string& code)>& showCode);

}  // namespace kelvo
