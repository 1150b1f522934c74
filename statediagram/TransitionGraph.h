#pragma once
// The transitions of a state table as a graph, for the code searches and the
// explanations of why codes cannot be found. A transition is a slot whose
// target names one of S0..S15; the code of its two ends must differ in one
// digit, so the searches read the graph undirected: each state's neighbours
// are the states it has a transition with, either way.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "statediagram/StateDiagram.h"

namespace kelvo {

struct Transition {
  int from = 0;
  int slot = 0;
  int to = 0;
  std::string trigger;
};

using StateSet = uint32_t;  // bit s: state Ss

struct TransitionGraph {
  std::vector<Transition> transitions;
  // States with a transition either way; S0 always.
  StateSet linked = 1;
  // States that hold anything: a comment, a transition either way or a relay ON.
  StateSet occupied = 1;
  std::array<StateSet, kStateCount> neighbours{};
  // The first slot whose target names no state, or -1.
  int badFrom = -1, badSlot = -1;

  static TransitionGraph Of(const StateDiagram& table);
  int Degree(int state) const;
};

int CountStates(StateSet states);
// "S1, S2 and S5".
std::string StateListText(StateSet states);
// "three" for 3, up to sixteen; digits beyond.
std::string NumberWord(int n);
// A comment ending in "(transit)" marks a state the machine passes through on purpose.
bool IsTransitComment(const std::string& comment);

}  // namespace kelvo
