#pragma once
// Notes on a table the flows take but the drawn machine will not run as
// meant, said at every "Circuit": a transition whose typed codes differ in
// more than one digit or not at all, a coded state whose target has no
// code, and transit states (a comment ending in "(transit)") with more than
// one way out or left on another trigger than the one that led in.

#include <string>
#include <vector>

#include "statediagram/StateDiagram.h"

namespace kelvo {

std::vector<std::string> DesignNotes(const StateDiagram& table);

// Where a transition into `state` on `trigger` comes to rest: through every
// transit state with one way out on the same trigger, to the first other
// state; `state` itself when it is no such transit state.
int PassThroughTarget(const StateDiagram& table, int state, const std::string& trigger);

}  // namespace kelvo
