#pragma once
// "Assign Codes with Transit States": codes for the states of a table in
// which every transition changes exactly one digit, S0 keeping 0000, found by
// a search over all codings (pruned by the transitions already placed, and
// by the symmetry of the four digits). When there is none, the search adds
// the fewest transit states that make one: a transition S -> T on X becomes
// S -> N on X and N -> T on X, one N shared by the transitions into the same
// target on the same trigger, N a state number the table leaves unused.
//
// FindCoding gives the codes (or why there are none), WithCoding the table
// they make, CodingText the proposal as the user reads it.

#include <array>
#include <string>
#include <vector>

#include "statediagram/StateDiagram.h"
#include "statediagram/TransitionGraph.h"

namespace kelvo {

struct TransitState {
  int state = 0;  // the state number it takes
  int code = 0;
  int target = 0;
  std::string trigger;
  StateSet sources = 0;
};

struct CodingResult {
  bool found = false;
  std::array<int, kStateCount> codes{};  // 0..15, or -1 for a state left without a code
  std::vector<TransitState> transits;
  std::string reason;  // why no coding was found
};

// `transitStates`: whether transit states may be added when no coding exists.
CodingResult FindCoding(const StateDiagram& table, bool transitStates);
// The table with the codes typed in and the transit states added.
StateDiagram WithCoding(const StateDiagram& table, const CodingResult& coding);
// The codes, the added states and the transitions rerouted, one line each.
std::string CodingText(const StateDiagram& table, const CodingResult& coding);
// "S2 -> S0 (transit)", "S2, S3 -> S0 (transit)".
std::string TransitComment(const TransitState& transit);

}  // namespace kelvo
