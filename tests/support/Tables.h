#pragma once
// Small hand-made state tables that several tests run.

#include <string>

#include "statediagram/StateDiagram.h"

namespace kelvo::testing {

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

}  // namespace kelvo::testing
