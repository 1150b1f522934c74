#include "cli/CliRender.h"

#include <QGuiApplication>

#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "common/SafeFiles.h"
#include "ladder/RecordingCanvas.h"
#include "output/CircuitFiles.h"
#include "output/DiagramPicture.h"
#include "output/ImageCanvas.h"
#include "output/TileImages.h"
#include "statediagram/DiagramLayout.h"

namespace kelvo {

// It lives until the process ends: destroying it among the exit handlers crashes.
void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "kelvo16s-cli";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
}

int Render(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto o = ParseCliOptions(args, {.view = true, .parallel = true, .output = true}, err);
  if (!o) return 2;
  if (SameFile(o->file, o->output)) {
    err << "kelvo16s-cli: the output " << o->output << " is the states file itself; choose another name\n";
    return 2;
  }
  EnsureGuiApplication();
  TileImages tiles;
  if (!tiles.LoadAll()) {
    err << tiles.Error().toStdString() << "\n";
    return 2;
  }
  ImageCanvas canvas(tiles.Images());
  CliSession session(Answer::Yes, canvas);
  const DrawnFrom drawn = DrawFromFile(session, *o, err);
  if (drawn == DrawnFrom::LoadFailed) return 2;
  if (drawn == DrawnFrom::Stopped) {
    err << "kelvo16s-cli: no circuit was drawn for " << o->file << "; " << o->output << " is left as it was\n";
    return 1;
  }
  std::string why;
  if (!SavePicture(canvas, o->output, &why)) {
    err << "Unknown Error while creating file " << o->output << "\n" << why << "\n";
    return 2;
  }
  out << o->output << "\n";
  return 0;
}

int Diagram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto o = ParseCliOptions(args, {.output = true}, err);
  if (!o) return 2;
  if (!IsDrawingFileName(o->output)) {
    err << "kelvo16s-cli: the diagram is written as PNG, SVG or PDF; name " << o->output << " .png, .svg or .pdf\n";
    return 2;
  }
  if (SameFile(o->file, o->output)) {
    err << "kelvo16s-cli: the output " << o->output << " is the states file itself; choose another name\n";
    return 2;
  }
  EnsureGuiApplication();
  RecordingCanvas canvas;
  CliSession session(Answer::Yes, canvas);
  // With --auto the codes are those "Circuit" assigns.
  if (o->autoCodes ? DrawFromFile(session, *o, err) == DrawnFrom::LoadFailed : !Load(session, *o, err)) return 2;
  const DiagramLayout layout = LayOutDiagram(session.form.table());
  if (!layout.error.empty()) {
    err << "kelvo16s-cli: " << layout.error << "\n";
    return 1;
  }
  std::string why;
  if (!SaveDrawing(
          o->output, DiagramPictureSize(layout), [&layout](QPainter& p) { PaintDiagram(p, layout); }, &why)) {
    err << "Unknown Error while creating file " << o->output << "\n" << why << "\n";
    return 2;
  }
  out << o->output << "\n";
  return 0;
}

}  // namespace kelvo
