#pragma once
// Why a table has no codes in which every transition changes one digit, told
// from its transition graph: a transition of a state to itself, a cycle of an
// odd number of transitions, a state with more than four neighbours, two
// states with more than two neighbours in common. And why the automatic codes
// gave up on a table: one of those, or the order of the state numbers they
// follow ("Error State Sequence"), with a numbering that would work.

#include <string>

#include "statediagram/StateDiagram.h"
#include "statediagram/TransitionGraph.h"

namespace kelvo {

inline constexpr const char* kNoFittingCodes =
    "No choice of codes gives every transition a one-digit change: the transitions do not fit on the sixteen codes "
    "of four digits. Use Tools > Assign Codes with Transit States.";

// The first of the causes above the graph shows; "" when it shows none.
std::string NoCodingReason(const TransitionGraph& graph);
// Why AssignStateCodes cannot code this table, for the user; "" when it can, or
// when its own message says it all (a target that names no state).
std::string WhyAutoCodesFailed(const StateDiagram& table);

}  // namespace kelvo
