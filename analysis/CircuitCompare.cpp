#include "analysis/CircuitCompare.h"

#include <bit>
#include <random>

namespace kelvo {
namespace {

constexpr uint32_t kComparisonSeed = 1616;
constexpr size_t kCubeLimit = 4096;

// Lane patterns of the six lowest counter bits: lane j holds bit i of j.
constexpr uint64_t kCounterBits[6] = {0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull, 0xF0F0F0F0F0F0F0F0ull,
                                      0xFF00FF00FF00FF00ull, 0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull};

// Each path holds a term and each term holds a path: the two sums are equal.
bool SamePaths(const CircuitReadBack& circuit, const SwitchFunction& function) {
  const auto terms = function.Cubes(kCubeLimit);
  if (!terms) return false;
  const auto paths = circuit.PathCubes(kCubeLimit);
  if (!paths) return false;
  auto coveredBy = [](const Cube& c, const std::vector<Cube>& by) {
    for (const Cube& b : by) {
      if (b.Covers(c)) return true;
    }
    return false;
  };
  for (const Cube& p : *paths) {
    if (!coveredBy(p, *terms)) return false;
  }
  for (const Cube& t : *terms) {
    if (!coveredBy(t, *paths)) return false;
  }
  return true;
}

std::optional<Difference> FirstInWord(const CircuitReadBack& circuit, const SwitchFunction& function,
                                      const Lanes& lanes, uint64_t valid) {
  const uint64_t drawn = circuit.ConductsLanes(lanes);
  const uint64_t differ = (drawn ^ function.EvaluateLanes(lanes)) & valid;
  if (differ == 0) return std::nullopt;
  const int lane = std::countr_zero(differ);
  uint64_t values = 0;
  for (int v = 0; v < kMaxVariables; ++v) values |= ((lanes[v] >> lane) & 1) << v;
  return Difference{values, ((drawn >> lane) & 1) != 0};
}

}  // namespace

Comparison CompareCircuit(const CircuitReadBack& circuit, const SwitchFunction& function) {
  Comparison result;
  result.mask = function.Variables() | circuit.Variables();
  const int n = std::popcount(result.mask);
  result.sampled = n > kExhaustiveVariables;
  if (SamePaths(circuit, function)) return result;

  int positions[kMaxVariables];  // the variables of the mask, lowest first
  for (int v = 0, i = 0; v < kMaxVariables; ++v) {
    if ((result.mask >> v) & 1) positions[i++] = v;
  }
  Lanes lanes{};
  if (result.sampled) {
    std::mt19937_64 random(kComparisonSeed);
    for (int word = 0; word < kSampledAssignments / 64; ++word) {
      lanes.fill(0);
      for (int j = 0; j < 64; ++j) {
        const uint64_t values = random() & result.mask;
        for (int i = 0; i < n; ++i) lanes[positions[i]] |= ((values >> positions[i]) & 1) << j;
      }
      if ((result.difference = FirstInWord(circuit, function, lanes, ~uint64_t{0}))) return result;
    }
    return result;
  }
  const uint64_t count = uint64_t{1} << n;
  const uint64_t valid = count >= 64 ? ~uint64_t{0} : (uint64_t{1} << count) - 1;
  for (uint64_t word = 0; word * 64 < count; ++word) {
    for (int i = 0; i < n; ++i) {
      lanes[positions[i]] = i < 6 ? kCounterBits[i] : (((word >> (i - 6)) & 1) ? ~uint64_t{0} : 0);
    }
    if ((result.difference = FirstInWord(circuit, function, lanes, valid))) {
      result.difference->values &= result.mask;
      return result;
    }
  }
  return result;
}

}  // namespace kelvo
