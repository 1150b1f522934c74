#pragma once
// Small hand-made state tables that several tests run.

#include <string>
#include <tuple>
#include <vector>

#include "statediagram/StateDiagram.h"

namespace kelvo::testing {

// Transitions as (from, to, trigger), each in its state's next free slot; no codes.
using Arrows = std::vector<std::tuple<int, int, std::string>>;
inline StateDiagram TableOf(const Arrows& arrows) {
  StateDiagram d;
  for (const auto& [from, to, trigger] : arrows) {
    int slot = 0;
    while (!d.Targets[from][slot].empty()) ++slot;
    d.Targets[from][slot] = "S" + std::to_string(to);
    d.Triggers[from][slot] = trigger;
  }
  return d;
}

// The latch: S0 (0000) goes to S1 (0001) on X1, and back on x2.
inline StateDiagram Latch() {
  StateDiagram d;
  d.Codes[0] = "0000";
  d.Codes[1] = "0001";
  d.Targets[0][0] = "S1";
  d.Triggers[0][0] = "X1";
  d.Targets[1][0] = "S0";
  d.Triggers[1][0] = "x2";
  return d;
}

// Four states in a Gray cycle (0000, 0001, 0011, 0010), each going on to the
// next on X1: held on, X1 drives the relays round and round.
inline StateDiagram GrayRingOnX1() {
  StateDiagram d;
  const char* codes[] = {"0000", "0001", "0011", "0010"};
  for (int s = 0; s < 4; ++s) {
    d.Codes[s] = codes[s];
    d.Targets[s][0] = "S" + std::to_string((s + 1) % 4);
    d.Triggers[s][0] = "X1";
  }
  return d;
}

// Three states in a ring (S0 -> S1 -> S2 -> S0 on X1, X2, X3) coded through
// the transit state S3 that S2 -> S0 passes: 0000, 0001, 0011, then 0010.
inline StateDiagram TransitRing() {
  StateDiagram d;
  const char* codes[] = {"0000", "0001", "0011", "0010"};
  const char* targets[] = {"S1", "S2", "S3", "S0"};
  const char* triggers[] = {"X1", "X2", "X3", "X3"};
  for (int s = 0; s < 4; ++s) {
    d.Codes[s] = codes[s];
    d.Targets[s][0] = targets[s];
    d.Triggers[s][0] = triggers[s];
  }
  d.Comments[3] = "S2 -> S0 (transit)";
  return d;
}

}  // namespace kelvo::testing
