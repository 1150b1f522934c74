// Times the whole road a student's "Circuit" takes, on the heaviest table the
// limits allow (16 states, four transitions each, multi-term triggers, six
// relays; bench/tables) and on the examples: loading the states file, the
// automatic codes, the synthesis, the four layouts, each view drawn on the
// real canvas with the real tiles and font, and the whole road from a loaded
// table to the drawn "Show All". Clearing the canvas once is the baseline:
// every figure reads as a multiple of touching the canvas's pixels.
//
// Also: `kelvo16s-cli render` over every shipped file, in one process and in
// one process per file.

#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QGuiApplication>
#include <filesystem>
#include <sstream>

#include "analysis/CircuitCheck.h"
#include "analysis/LayoutMend.h"
#include "cli/CliApp.h"
#include "ladder/SumLayout.h"
#include "ladder/TwoPartLayout.h"
#include "output/ImageCanvas.h"
#include "output/TileImages.h"
#include "session/CircuitViews.h"
#include "session/EntryForm.h"
#include "session/Session.h"
#include "statediagram/AutoCodes.h"
#include "statediagram/StatesFile.h"

namespace kelvo {
namespace {

const std::string kSource = KELVO_SOURCE_DIR;
const std::string kHeaviest = kSource + "/bench/tables/heavy-hypercube.sfi";

class Quiet : public UserDialogs {
public:
  Answer ShowMessage(const std::string&, const std::string&, MessageButtons b, Answer, const std::string&) override {
    ++messages;
    return b == MessageButtons::Ok ? Answer::Ok : Answer::Yes;
  }
  void Beep() override {}
  std::optional<std::string> AskOpenFileName(const FileDialogOptions&) override { return std::nullopt; }
  std::optional<std::string> AskSaveFileName(const FileDialogOptions&) override { return std::nullopt; }
  int messages = 0;
};

const TileImages& Tiles() {
  static TileImages tiles = [] {
    TileImages t;
    t.LoadAll({QString::fromStdString(kSource + "/Bitmaps")});
    return t;
  }();
  return tiles;
}

// The program's objects without windows, drawing on the real canvas.
struct Road {
  Quiet dialogs;
  ImageCanvas canvas{Tiles().Images()};
  Session session{dialogs, canvas};
  EquationSet& equations = session.equations;
  LadderGrid& grid = session.grid;
  CircuitViews& views = session.views;
  EntryForm& form = session.form;
  explicit Road(const std::string& file) { form.LoadStatesFrom(file); }
};

// The render arguments of a shipped file: "Auto" only for a table without codes.
std::vector<std::string> RenderArgs(const std::string& file, const std::string& out) {
  const auto table = ReadStatesFile(file);
  std::vector<std::string> args{"render", file, "-o", out};
  if (table && table->Codes[0].empty()) args.push_back("--auto");
  return args;
}

std::vector<std::string> ShippedFiles() {
  std::vector<std::string> files;
  for (const auto* dir : {"/examples", "/bench/tables"}) {
    for (const auto& entry : std::filesystem::directory_iterator(kSource + dir)) {
      if (entry.path().extension() == ".sfi") files.push_back(entry.path().string());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

void CanvasClear(benchmark::State& state) {
  ImageCanvas canvas(Tiles().Images());
  for (auto _ : state) {
    canvas.Clear();
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
}
BENCHMARK(CanvasClear);

void LoadStatesFile(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadStatesFile(kHeaviest));
}
BENCHMARK(LoadStatesFile);

void AutomaticCodes(benchmark::State& state) {
  // A ring of 16 states: every state coded, with the backtracking at work.
  StateDiagram ring;
  ring.Clear();
  for (int s = 0; s < kStateCount; ++s) {
    ring.Targets[s][0] = "S" + std::to_string((s + 1) % kStateCount);
    ring.Triggers[s][0] = "X" + std::to_string(s);
  }
  for (auto _ : state) {
    StateDiagram d = ring;
    benchmark::DoNotOptimize(AssignStateCodes(d, nullptr).ok);
  }
}
BENCHMARK(AutomaticCodes);

void Synthesis(benchmark::State& state) {
  const StateDiagram table = *ReadStatesFile(kHeaviest);
  EquationSynthesis synthesis;
  for (auto _ : state) {
    synthesis.EmptyVariableStrings();
    synthesis.CollectTransitions(table);
    synthesis.SynthesizeStateEquations();
    synthesis.BuildCoilEquations(table, table.CoilNames);
    benchmark::DoNotOptimize(synthesis.coil.data());
  }
}
BENCHMARK(Synthesis);

void Layouts(benchmark::State& state) {
  Road road(kHeaviest);
  road.form.DrawCircuit();
  std::vector<std::string> problems;
  for (auto _ : state) {
    ParseTwoPartEquations(road.equations, road.grid, problems);
    BuildTwoPartTiles(road.grid, problems);
    ParseSumEquations(road.equations, road.grid, problems);
    BuildSumTiles(road.grid, problems);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(Layouts);

// The four builds and then the read-back of every circuit, with the circuits
// that differ laid out again: what DrawCircuits does. Minus "Layouts", the cost of
// making sure every circuit conducts as its equation.
void LayoutsAndMend(benchmark::State& state) {
  Road road(kHeaviest);
  road.form.DrawCircuit();
  std::vector<std::string> problems;
  size_t mended = 0;
  for (auto _ : state) {
    ParseTwoPartEquations(road.equations, road.grid, problems);
    BuildTwoPartTiles(road.grid, problems);
    ParseSumEquations(road.equations, road.grid, problems);
    BuildSumTiles(road.grid, problems);
    mended = MendLayouts(road.equations, road.grid).size();
    benchmark::ClobberMemory();
  }
  state.SetLabel(std::to_string(mended) + " circuits mended");
}
BENCHMARK(LayoutsAndMend);

void DrawView(benchmark::State& state) {
  Road road(kHeaviest);
  road.form.DrawCircuit();
  road.views.parallelForm = state.range(1) != 0;
  const auto view = static_cast<ViewButton>(state.range(0));
  for (auto _ : state) road.views.Show(view);
  state.SetLabel(std::string(ViewButtonName(view)) + (road.views.parallelForm ? " parallel" : " two-part"));
}
BENCHMARK(DrawView)->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0, 1}});

// The tables of the road benchmarks: the traffic light, the heaviest table of
// the grid limits, and tables whose largest reset products multiply out to
// 15,552 and to 65,536 terms before the clean-up.
std::string RoadTable(int64_t which) {
  switch (which) {
    case 0:
      return kSource + "/examples/traffic-light.sfi";
    case 1:
      return kHeaviest;
    case 2:
      return kSource + "/bench/tables/product-15552.sfi";
    default:
      return kSource + "/bench/tables/product-65536.sfi";
  }
}

// From a loaded table to the drawn "Show All": the "Circuit" button.
void CircuitRoad(benchmark::State& state) {
  const std::string file = RoadTable(state.range(0));
  Road road(file);
  for (auto _ : state) road.form.DrawCircuit();
  state.SetLabel(std::filesystem::path(file).filename().string());
  // The product tables draw circuits cut to fit, with a notice; the others draw without a word.
  if (state.range(0) < 2 && road.dialogs.messages) state.SkipWithError("the road asked or warned");
  if (road.equations.variableEquations[0].empty()) state.SkipWithError("the table was refused");
}
BENCHMARK(CircuitRoad)->Arg(1)->Arg(0)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// The table that makes the "Circuit" road work hardest within the bounds on
// triggers (200 characters, 20 terms, 10 contacts a term) and products (65,536
// terms): reset triggers of two-contact terms over distinct switches, so that
// the complemented reset multiplies out to 16,384 terms that no clean-up
// shortens and the final equation to 49,152 terms of 15 contacts. It is drawn
// cut to fit, with one notice; the road must stay well under 1 s.
void WorstAcceptedTable(benchmark::State& state) {
  Road road(kSource + "/bench/tables/worst-accepted.sfi");
  for (auto _ : state) road.form.DrawCircuit();
  if (road.equations.variableEquations[0].empty()) state.SkipWithError("the table was refused");
}
BENCHMARK(WorstAcceptedTable)->Unit(benchmark::kMillisecond);

// "Check Circuit" on a drawn table: read-back and the runs of the machine.
void CheckDrawnCircuit(benchmark::State& state) {
  const std::string file = RoadTable(state.range(0));
  Road road(file);
  road.views.parallelForm = state.range(1) != 0;
  road.form.DrawCircuit();
  int findings = 0;
  for (auto _ : state) {
    const CheckReport report = CheckCircuit(road.form.table(), road.equations, road.grid, road.views.parallelForm);
    findings = static_cast<int>(report.findings.size());
  }
  state.counters["findings"] = findings;
  state.SetLabel(std::filesystem::path(file).filename().string() +
                 (road.views.parallelForm ? " parallel" : " two-part"));
}
BENCHMARK(CheckDrawnCircuit)->ArgsProduct({{1, 0, 3}, {0, 1}})->Unit(benchmark::kMillisecond);

void RenderInOneProcess(benchmark::State& state) {
  const auto files = ShippedFiles();
  const std::string out = std::filesystem::temp_directory_path() / "kelvo16s-bench.bmp";
  for (auto _ : state) {
    for (const auto& file : files) {
      std::ostringstream o, e;
      RunCli(RenderArgs(file, out), o, e);
    }
  }
  state.counters["files"] = files.size();
  state.counters["per_file_ms"] =
      benchmark::Counter(files.size(), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(RenderInOneProcess)->Unit(benchmark::kMillisecond);

void RenderProcesses(benchmark::State& state) {
  const auto files = ShippedFiles();
  const std::string cli = KELVO_CLI_PATH;
  const std::string out = std::filesystem::temp_directory_path() / "kelvo16s-bench.bmp";
  for (auto _ : state) {
    for (const auto& file : files) {
      const auto args = RenderArgs(file, out);
      const pid_t pid = fork();
      if (pid == 0) {
        std::vector<char*> argv{const_cast<char*>(cli.c_str())};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execv(cli.c_str(), argv.data());
        _exit(127);
      }
      int status = 0;
      waitpid(pid, &status, 0);
    }
  }
  state.counters["files"] = files.size();
}
BENCHMARK(RenderProcesses)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelvo

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
