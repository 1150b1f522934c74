// Times "Assign Codes with Transit States" (FindCoding with transit states)
// on the hardest tables found: the slowest of 8000 random tables of 6 to 14
// states (no coding exists even with the free numbers as transit states, so
// every budget is searched to the end), a ring of 15 states that needs the
// sixteenth as a transit state, the emergency stops of a six-step ring, and
// the heavy hypercube table of the road benchmark.

#include <benchmark/benchmark.h>

#include <tuple>
#include <vector>

#include "statediagram/CodingSearch.h"
#include "statediagram/StatesFile.h"
#include "tests/support/Tables.h"

namespace kelvo {
namespace {

using testing::Arrows;

StateDiagram Table(const Arrows& arrows) { return testing::TableOf(arrows); }

StateDiagram SlowestRandom() {
  return Table({{1, 12, "X7"},
                {1, 5, "X13"},
                {2, 13, "X1"},
                {3, 12, "X2"},
                {4, 5, "X0"},
                {5, 4, "X0"},
                {6, 3, "X2"},
                {8, 7, "X2"},
                {8, 12, "X8"},
                {8, 6, "X1"},
                {8, 9, "X18"},
                {9, 8, "X10"},
                {10, 12, "X0"},
                {10, 7, "X0"},
                {10, 6, "X11"},
                {13, 5, "X0"}});
}

StateDiagram Ring15() {
  Arrows ring;
  for (int s = 0; s < 15; ++s) ring.emplace_back(s, (s + 1) % 15, "X" + std::to_string(s));
  return Table(ring);
}

StateDiagram EmergencyStops() {
  Arrows arrows;
  for (int s = 0; s < 6; ++s) arrows.emplace_back(s, (s + 1) % 6, "Next");
  for (int s = 1; s < 6; ++s) arrows.emplace_back(s, 0, "Stop");
  return Table(arrows);
}

void Run(benchmark::State& state, const StateDiagram& table) {
  for (auto _ : state) benchmark::DoNotOptimize(FindCoding(table, true));
  state.SetLabel(FindCoding(table, true).found ? "found" : "none");
}

void SlowestRandomTable(benchmark::State& state) { Run(state, SlowestRandom()); }
void FifteenStateRing(benchmark::State& state) { Run(state, Ring15()); }
void SixStepEmergencyStops(benchmark::State& state) { Run(state, EmergencyStops()); }
void HeavyHypercube(benchmark::State& state) {
  Run(state, *ReadStatesFile(std::string(KELVO_SOURCE_DIR) + "/bench/tables/heavy-hypercube.sfi"));
}

BENCHMARK(SlowestRandomTable)->Unit(benchmark::kMillisecond);
BENCHMARK(FifteenStateRing)->Unit(benchmark::kMillisecond);
BENCHMARK(SixStepEmergencyStops)->Unit(benchmark::kMillisecond);
BENCHMARK(HeavyHypercube)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelvo

BENCHMARK_MAIN();
