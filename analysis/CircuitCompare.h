#pragma once
// Compares a circuit read back from its tile grid with the function it should
// switch. A drawing whose current paths are exactly the function's terms (each
// path holds a term, each term holds a path) is equal at once; otherwise the
// settings are tried 64 at a time: every setting of the variables up to
// kExhaustiveVariables of them, a seeded sample beyond. The first setting
// where the two differ is the answer, in the order the settings are counted.

#include <cstdint>
#include <optional>

#include "analysis/CircuitReadBack.h"
#include "equations/SwitchFunction.h"

namespace kelvo {

inline constexpr int kExhaustiveVariables = 20;  // comparison beyond this is sampled
inline constexpr int kSampledAssignments = 1 << 16;

struct Difference {
  uint64_t values;  // the setting (a mask over the variables of `mask`)
  bool drawnConducts;
};

struct Comparison {
  uint64_t mask = 0;     // the variables of the function and the drawing
  bool sampled = false;  // more than kExhaustiveVariables of them
  std::optional<Difference> difference;
};

Comparison CompareCircuit(const CircuitReadBack& circuit, const SwitchFunction& function);

}  // namespace kelvo
