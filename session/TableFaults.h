#pragma once
// What the flows say about the table itself before the synthesis takes it.
// Faults refuse it: a comment or relay name holding a control character or
// longer than its limit. Notes go on: two states sharing a code, a transition
// given twice in one state. Every text names its state (and transition) as the
// synthesis's own messages do; the window, the companion tool and `inspect`
// all get them through the flows.

#include <string>
#include <vector>

#include "common/Fault.h"
#include "statediagram/StateDiagram.h"

namespace kelvo {

inline constexpr size_t kMaxRelayNameCharacters = 64;
inline constexpr size_t kMaxCommentCharacters = 200;

std::vector<Fault> TextFaults(const StateDiagram& table);
std::vector<Fault> DuplicateNotes(const StateDiagram& table);

}  // namespace kelvo
