// Names of any bytes drawn into pictures: the relay view and the whole
// circuit on the window's canvas, then the state diagram. Every picture stays
// within the largest picture (or is refused before it is painted), and every
// SVG written is well-formed XML.
//
// Input: one byte of switches, then the table's fields one a line in the
// order of a states file (flag lines: an odd length is true).
#include <QGuiApplication>
#include <QXmlStreamReader>
#include <string_view>

#include "common/PictureBounds.h"
#include "fuzz/FuzzTable.h"
#include "output/CircuitFiles.h"
#include "output/DiagramPicture.h"
#include "output/ImageCanvas.h"
#include "statediagram/DiagramLayout.h"

namespace {

void ExpectWellFormedSvg(const std::string& name, QSize size, const std::function<void(QPainter&)>& paint) {
  const auto svg = kelvo::EncodeDrawing(name, size, paint);
  if (!kelvo::PictureFits(size.width(), size.height())) {
    if (svg) __builtin_trap();
    return;
  }
  if (!svg) __builtin_trap();
  QXmlStreamReader reader(*svg);
  while (!reader.atEnd()) reader.readNext();
  if (reader.hasError()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication* const app = new QGuiApplication(*argc, *argv);
  (void)app;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  if (size == 0) return 0;
  kelvo::FuzzAnswers dialogs(data[0] & 2);
  kelvo::ImageCanvas canvas;
  kelvo::Session session(dialogs, canvas, (data[0] >> 4) & 15);
  session.form.OpenTable(
      kelvo::TableFromFuzzInput(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1)));
  session.form.autoCodes = data[0] & 1;
  session.form.DrawCircuit();
  for (kelvo::ViewButton view : {kelvo::ViewButton::ShowAll, kelvo::ViewButton::MachineState}) {
    session.views.Show(view);
    const QSize picture = canvas.Image().size();
    if (!kelvo::PictureFits(picture.width(), picture.height())) __builtin_trap();
    ExpectWellFormedSvg("c.svg", canvas.Record().size, [&canvas](QPainter& p) {
      kelvo::PlayPicture(p, canvas.Record(), canvas.Tiles(), kelvo::TileStyle::Lines);
    });
  }
  const kelvo::DiagramLayout layout = kelvo::LayOutDiagram(session.form.table());
  ExpectWellFormedSvg("d.svg", kelvo::DiagramPictureSize(layout),
                      [&layout](QPainter& p) { kelvo::PaintDiagram(p, layout); });
  return 0;
}
