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

namespace {

// Standard output gets the bytes alone; a file (or a device or FIFO) is
// written and then named on standard output.
Result<Done> WriteOutput(const std::string& output, const Result<QByteArray>& bytes, std::ostream& out) {
  if (!bytes) return bytes.fault();
  if (IsStandardOutput(output)) {
    out.write(bytes->constData(), bytes->size());
    out.flush();
    if (!out) return Fault{"standard output could not be written"};
    return Done{};
  }
  if (auto written = WriteOutputFile(output, std::string_view(bytes->constData(), bytes->size())); !written) {
    return written;
  }
  out << output << "\n";
  return Done{};
}

}  // namespace

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
  if (const auto stopped = DrawForOutput(session, *o, err)) return *stopped;
  // Standard output has no extension to choose by: it gets a Windows bitmap.
  const auto bytes = EncodePicture(canvas, IsStandardOutput(o->output) ? "" : o->output);
  if (const auto written = WriteOutput(o->output, bytes, out); !written) {
    err << "Unknown Error while creating file " << o->output << "\n" << written.why() << "\n";
    return 2;
  }
  return 0;
}

int Diagram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto o = ParseCliOptions(args, {.output = true}, err);
  if (!o) return 2;
  // Standard output has no extension to choose by: it gets SVG.
  const std::string formatName = IsStandardOutput(o->output) ? ".svg" : o->output;
  if (!IsDrawingFileName(formatName)) {
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
  const auto bytes =
      EncodeDrawing(formatName, DiagramPictureSize(layout), [&layout](QPainter& p) { PaintDiagram(p, layout); });
  if (const auto written = WriteOutput(o->output, bytes, out); !written) {
    err << "Unknown Error while creating file " << o->output << "\n" << written.why() << "\n";
    return 2;
  }
  return 0;
}

}  // namespace kelvo
