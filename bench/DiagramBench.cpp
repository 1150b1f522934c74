// The state diagram of sixteen states with four transitions each (65 arrows
// with the start arrow): Graphviz's layout alone, and the layout with the
// painting onto a picture of the size shown on screen, as "Show Diagram"
// does for every change of the table.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include "output/DiagramPicture.h"
#include "statediagram/DiagramLayout.h"
#include "statediagram/StatesFile.h"

namespace {

const kelvo::StateDiagram& Table() {
  static const kelvo::StateDiagram table = *kelvo::ReadStatesFile(KELVO_SOURCE_DIR "/bench/tables/diagram-16x4.sfi");
  return table;
}

void DiagramLayout16x4(benchmark::State& state) {
  for (auto _ : state) {
    auto layout = kelvo::LayOutDiagram(Table());
    benchmark::DoNotOptimize(layout.nodes.data());
  }
}
BENCHMARK(DiagramLayout16x4)->Unit(benchmark::kMillisecond);

void DiagramLayoutAndPaint16x4(benchmark::State& state) {
  for (auto _ : state) {
    const auto layout = kelvo::LayOutDiagram(Table());
    QImage picture(kelvo::DiagramPictureSize(layout), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter p(&picture);
    kelvo::PaintDiagram(p, layout);
    p.end();
    benchmark::DoNotOptimize(picture.bits());
  }
}
BENCHMARK(DiagramLayoutAndPaint16x4)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // the fonts need it
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
