// Start-up of the program, with the splash pauses taken out, next to a bare Qt
// main window measured the same way: each run starts a fresh process of this
// program, which builds the window, shows it and leaves as soon as it is
// exposed. Reported: wall time from the fork to the process's end and the peak
// resident memory of the process; and, with the two started in turn, the
// median ratio of the program's time to that of the window with one label.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "ui/MainWindow.h"
#include "ui/QtUserDialogs.h"

namespace {

std::string self;

void WaitExposed(QWidget& window) {
  window.show();
  while (!window.windowHandle() || !window.windowHandle()->isExposed()) QApplication::processEvents();
}

int Child(const std::string& which, int argc, char** argv) {
  QApplication app(argc, argv);
  if (which == "bare" || which == "text") {
    QMainWindow window;
    window.resize(1014, 707);
    // The same window with one line of text: the font system's share.
    if (which == "text") window.setCentralWidget(new QLabel(QStringLiteral("Kelvo 16s")));
    WaitExposed(window);
  } else {
    kelvo::QtUserDialogs dialogs;
    kelvo::MainWindow window(dialogs);
    window.SplashDelay = 0;
    if (!window.StartUp({QStringLiteral(KELVO_SOURCE_DIR "/Bitmaps")})) return 1;
    WaitExposed(window);
  }
  _exit(0);  // shown: the part measured ends here, for both windows alike
}

// Runs one child to its end: its wall time in seconds, its peak memory kept.
double RunChild(const char* which, long& peakKb, bool& failed) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    execl(self.c_str(), self.c_str(), "--child", which, static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  peakKb = std::max(peakKb, usage.ru_maxrss);
  failed = failed || !WIFEXITED(status) || WEXITSTATUS(status) != 0;
  return elapsed.count();
}

void StartUp(benchmark::State& state, const char* which) {
  long peakKb = 0;
  bool failed = false;
  for (auto _ : state) state.SetIterationTime(RunChild(which, peakKb, failed));
  if (failed) state.SkipWithError("the child failed");
  state.counters["peak_rss_MB"] = peakKb / 1024.0;
}
BENCHMARK_CAPTURE(StartUp, bare_qt_window, "bare")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartUp, bare_qt_window_with_text, "text")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartUp, kelvo16s, "kelvo")->UseManualTime()->Unit(benchmark::kMillisecond);

// The program and the window with one label started in turn: the time is the
// program's, and the ratio of the two, pair by pair, does not drift with the
// machine's speed as the ratio of two separate runs can.
void StartUpBesideLabelWindow(benchmark::State& state) {
  long peakKb = 0;
  bool failed = false;
  std::vector<double> ratios;
  for (auto _ : state) {
    const double seconds = RunChild("kelvo", peakKb, failed);
    state.SetIterationTime(seconds);
    ratios.push_back(seconds / RunChild("text", peakKb, failed));
  }
  if (failed) state.SkipWithError("the child failed");
  std::nth_element(ratios.begin(), ratios.begin() + ratios.size() / 2, ratios.end());
  state.counters["times_label_window"] = ratios[ratios.size() / 2];
}
BENCHMARK(StartUpBesideLabelWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  self = argv[0];
  if (argc == 3 && std::strcmp(argv[1], "--child") == 0) return Child(argv[2], argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
