// The class report over 200 textbook-size tables in one process, as a
// teacher's folder gives them: a ring of three to eight states on Gray codes,
// one or two triggers per state, up to three output relays. Counters: the
// time per file, and the memory the process holds after the first 50 files
// and after all 200 (flat: the growth is the page being built).

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QGuiApplication>
#include <filesystem>
#include <fstream>
#include <random>

#include "cli/ClassReport.h"
#include "statediagram/StatesFile.h"

namespace {

constexpr int kTables = 200;
constexpr unsigned kSeed = 31;
const char* const kGray[] = {"0000", "0001", "0011", "0010", "0110", "0111", "0101", "0100"};
const char* const kTriggers[] = {"X1", "x1", "X2", "X1.X2", "X3", "x2.X3", "X4"};

kelvo::StateDiagram TextbookTable(std::mt19937& random) {
  kelvo::StateDiagram table;
  const int states = std::uniform_int_distribution<int>(3, 8)(random);
  std::uniform_int_distribution<int> trigger(0, std::size(kTriggers) - 1);
  for (int s = 0; s < states; ++s) {
    table.Codes[s] = kGray[s];
    table.Comments[s] = "Step " + std::to_string(s);
    table.Targets[s][0] = "S" + std::to_string((s + 1) % states);
    table.Triggers[s][0] = kTriggers[trigger(random)];
    if (s > 0 && random() % 3 == 0) {
      table.Targets[s][1] = "S" + std::to_string(s - 1);
      table.Triggers[s][1] = "X5";
    }
  }
  const int relays = std::uniform_int_distribution<int>(0, 3)(random);
  for (int r = 0; r < relays; ++r) {
    table.CoilNames[r] = "Lamp" + std::to_string(r + 1);
    for (int s = 0; s < states; ++s) table.CoilOn[s][r] = random() % 2 == 0;
  }
  return table;
}

long ResidentKilobytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void ClassReportOf200Tables(benchmark::State& state) {
  const auto folder = std::filesystem::temp_directory_path() / "kelvo16s-report-bench";
  std::filesystem::create_directories(folder);
  std::mt19937 random(kSeed);
  std::vector<std::string> files;
  for (int i = 0; i < kTables; ++i) {
    files.push_back((folder / ("student-" + std::to_string(i + 1000) + ".sfi")).string());
    (void)kelvo::WriteStatesFile(files.back(), TextbookTable(random));
  }
  kelvo::TileImages tiles;
  if (!tiles.LoadAll()) state.SkipWithError(tiles.Error().toStdString().c_str());
  long afterFifty = 0, afterAll = 0;
  size_t pageBytes = 0;
  for (auto _ : state) {
    kelvo::ClassReport report({}, tiles.Images());
    for (int i = 0; i < kTables; ++i) {
      report.AddFile(files[i], std::filesystem::path(files[i]).filename().string());
      if (i + 1 == 50) afterFifty = ResidentKilobytes();
    }
    const std::string page = report.Page().Html();
    afterAll = ResidentKilobytes();
    pageBytes = page.size();
    benchmark::DoNotOptimize(page.data());
  }
  std::filesystem::remove_all(folder);
  state.counters["files"] = benchmark::Counter(kTables, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["rss_kb_after_50"] = afterFifty;
  state.counters["rss_kb_after_200"] = afterAll;
  state.counters["page_kb"] = pageBytes / 1024.0;
}
BENCHMARK(ClassReportOf200Tables)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // the fonts need it
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
