// Times the ladder layouts on the largest equations the grids hold: 21 terms of
// 10 contacts in every multiplied-out circuit, and 21 terms of 5 contacts on
// each side of the "|" in every two-part circuit. The terms share beginnings
// and endings in a changing pattern, so that every pass has work to do.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "ladder/SumLayout.h"
#include "ladder/TwoPartLayout.h"

namespace kelvo {
namespace {

// Term `row` of a sum of `terms` terms of `length` literals: a shared head of
// row % 4 literals, its own middle, and a shared tail of row % 3 literals.
std::string Term(int row, int length, char name) {
  std::string term;
  for (int c = 0; c < length; ++c) {
    const bool shared = c < row % 4 || c >= length - row % 3;
    std::string literal = shared ? std::string(1, name) + std::to_string(c) : "m" + std::to_string(row * 16 + c);
    term += (c > 0 ? "." : "") + literal;
  }
  return term;
}

std::string Sum(int terms, int length, char name) {
  std::string sum;
  for (int r = 0; r < terms; ++r) sum += (r > 0 ? "+" : "") + Term(r, length, name);
  return sum;
}

EquationSet LargestEquations() {
  EquationSet equations;
  for (auto& eq : equations.variableEquations) eq = Sum(kTermRows, 10, 'P');
  for (auto& eq : equations.relayEquations) eq = Sum(kTermRows, 10, 'Q');
  for (auto& eq : equations.parallelEquations) eq = Sum(kTermRows, 5, 'r') + "|" + Sum(kTermRows, 5, 'S');
  return equations;
}

void DrawCircBuilds(benchmark::State& state) {
  const EquationSet equations = LargestEquations();
  auto grid = std::make_unique<LadderGrid>();
  std::vector<std::string> problems;
  for (auto _ : state) {
    ParseTwoPartEquations(equations, *grid, problems);
    BuildTwoPartTiles(*grid, problems);
    ParseSumEquations(equations, *grid, problems);
    BuildSumTiles(*grid, problems);
    benchmark::DoNotOptimize(grid.get());
    benchmark::ClobberMemory();
  }
  if (!problems.empty()) state.SkipWithError(problems.front().c_str());
}
BENCHMARK(DrawCircBuilds);

// One build alone; the builds before it in the DrawCircuits order run once first.
template <int Step>
void SingleBuild(benchmark::State& state) {
  const EquationSet equations = LargestEquations();
  auto grid = std::make_unique<LadderGrid>();
  std::vector<std::string> problems;
  ParseTwoPartEquations(equations, *grid, problems);
  ParseSumEquations(equations, *grid, problems);
  for (auto _ : state) {
    if (Step == 0) ParseTwoPartEquations(equations, *grid, problems);
    if (Step == 1) BuildTwoPartTiles(*grid, problems);
    if (Step == 2) ParseSumEquations(equations, *grid, problems);
    if (Step == 3) BuildSumTiles(*grid, problems);
    benchmark::DoNotOptimize(grid.get());
    benchmark::ClobberMemory();
  }
  if (!problems.empty()) state.SkipWithError(problems.front().c_str());
}
BENCHMARK(SingleBuild<0>)->Name("ParseTwoPartEquations");
BENCHMARK(SingleBuild<1>)->Name("BuildTwoPartTiles");
BENCHMARK(SingleBuild<2>)->Name("ParseSumEquations");
BENCHMARK(SingleBuild<3>)->Name("BuildSumTiles");

}  // namespace
}  // namespace kelvo

BENCHMARK_MAIN();
