#include "output/PicturePlayer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>

#include "output/CircuitFiles.h"
#include "output/ImageCanvas.h"
#include "output/PrintJob.h"
#include "output/TileShapes.h"
#include "session/Session.h"
#include "statediagram/StatesFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "ui/CanvasEditor.h"

namespace kelvo {
namespace {

const QString kTiles = QStringLiteral(KELVO_SOURCE_DIR "/Bitmaps");
const std::string kExamples = KELVO_SOURCE_DIR "/examples/";

struct DrawnExample {
  TileImages tiles;
  ImageCanvas canvas;
  testing::ScriptedDialogs dialogs;
  Session session{dialogs, canvas};
  explicit DrawnExample(const std::string& file, const std::string& folder = kExamples) {
    EXPECT_TRUE(tiles.LoadAll({kTiles}));
    canvas.SetTiles(tiles.Images());
    EXPECT_TRUE(session.form.LoadStatesFrom(folder + file));
    session.form.autoCodes = true;
    session.form.DrawCircuit();
    EXPECT_TRUE(session.handedOver);
  }
};

// The tile files are the symbols' lines rendered at one pixel.
TEST(PicturePlayer, TileImagesAreTheTileShapes) {
  TileImages tiles;
  ASSERT_TRUE(tiles.LoadAll({kTiles}));
  for (int slot = 0; slot < kTileCount; ++slot) {
    EXPECT_EQ(RenderTileImage(slot), tiles.Image(slot).convertToFormat(QImage::Format_RGB32)) << "slot " << slot;
  }
}

// Played back at scale 1, the recorded ops give the canvas's picture pixel for
// pixel: every view of every example, hand edits included.
TEST(PicturePlayer, ScaleOneIsTheCanvasPixelForPixel) {
  for (const char* file : {"two-state-latch.sfi", "four-state-cycle.sfi", "traffic-light.sfi", "garage-door.sfi"}) {
    DrawnExample e(file);
    for (ViewButton view : kAllViewButtons) {
      if (!e.session.views.Enabled(view)) continue;
      e.session.views.Show(view);
      EXPECT_EQ(RenderPicture(e.canvas.Record(), e.canvas.Tiles(), 1.0), e.canvas.Image())
          << file << " view " << static_cast<int>(view);
    }
    CanvasEditor editor(e.canvas, e.session.views, e.tiles, e.dialogs);
    editor.ChooseColour(4);
    editor.PointerMoved(false, 3000, 3000);
    editor.Clicked();
    editor.InsertText("a note");
    editor.SetRubberMode(true);
    editor.PointerReleased(true, 600, 1000);
    ASSERT_TRUE(e.canvas.Record().ops.back().handEdit);
    EXPECT_EQ(RenderPicture(e.canvas.Record(), e.canvas.Tiles(), 1.0), e.canvas.Image()) << file << " edited";
  }
}

// At other scales the picture is drawn anew, not enlarged: a wire stays one
// stroke as wide as the scale, with no grey pixels.
TEST(PicturePlayer, OtherScalesDrawSharpLines) {
  DrawnExample e("four-state-cycle.sfi");
  const QImage once = RenderPicture(e.canvas.Record(), e.canvas.Tiles(), 1.0);
  const QImage twice = RenderPicture(e.canvas.Record(), e.canvas.Tiles(), 2.0);
  EXPECT_EQ(twice.size(), once.size() * 2);
  EXPECT_EQ(twice.devicePixelRatio(), 2.0);
  // The top supply line: two black rows where the picture has one.
  int blackRowsOnce = 0, blackRowsTwice = 0;
  for (int y = 0; y < 40; ++y) blackRowsOnce += once.pixel(5, y) == qRgb(0, 0, 0);
  for (int y = 0; y < 80; ++y) blackRowsTwice += twice.pixel(10, y) == qRgb(0, 0, 0);
  EXPECT_EQ(blackRowsOnce, 1);
  EXPECT_EQ(blackRowsTwice, 2);
  for (int y = 0; y < 80; ++y) {
    const QRgb c = twice.pixel(10, y);
    EXPECT_TRUE(c == qRgb(0, 0, 0) || c == qRgb(255, 255, 255)) << y;
  }
}

// Every label of a view, as the canvas printed it.
QStringList Labels(const ImageCanvas& canvas) {
  QStringList texts;
  for (const auto& op : canvas.Record().ops) {
    if (op.kind == PictureOp::Kind::Text) texts << op.text;
  }
  return texts;
}

// The bounding box of the pixels that are not white.
QRect ContentBox(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) box |= QRect(x, y, 1, 1);
  return box;
}

// "Export As..." and render -o: SVG and PDF of every view of every example
// parse and hold every label, as text; all three are cropped to the drawing
// and a margin of one tile.
TEST(PictureFiles, SvgAndPdfHoldEveryLabel) {
  testing::TempDir dir;
  const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  for (const char* file : {"two-state-latch.sfi", "four-state-cycle.sfi", "traffic-light.sfi", "garage-door.sfi"}) {
    DrawnExample e(file);
    for (ViewButton view : {ViewButton::ShowAll, ViewButton::MachineState}) {
      e.session.views.Show(view);
      SCOPED_TRACE(std::string(file) + " " + ViewButtonName(view));
      const QStringList labels = Labels(e.canvas);
      const std::string svg = dir.File("c.svg"), pdf = dir.File("c.pdf"), png = dir.File("c.png");
      ASSERT_TRUE(SavePicture(e.canvas, svg));
      ASSERT_TRUE(SavePicture(e.canvas, pdf));
      ASSERT_TRUE(SavePicture(e.canvas, png));
      QSvgRenderer renderer(QString::fromStdString(svg));
      EXPECT_TRUE(renderer.isValid());
      const QSize area = DrawnArea(e.canvas.Record()).size();
      EXPECT_EQ(renderer.viewBox().size(), area);
      QFile svgFile(QString::fromStdString(svg));
      ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
      const QString svgText = QString::fromUtf8(svgFile.readAll());
      for (const QString& label : labels) EXPECT_TRUE(svgText.contains(">" + label + "<")) << label.toStdString();
      const QImage picture(QString::fromStdString(png));
      EXPECT_EQ(picture.size(), area * 2);
      const QRect content = ContentBox(picture.convertToFormat(QImage::Format_RGB32));
      if (!content.isEmpty()) {  // an empty view keeps the whole canvas
        EXPECT_LE(picture.width() - content.width(), 4 * kTilePixels + 2);
        EXPECT_LE(picture.height() - content.height(), 4 * kTilePixels + 2);
      }
      QFile pdfFile(QString::fromStdString(pdf));
      ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
      EXPECT_TRUE(pdfFile.read(5) == "%PDF-");
      if (pdftotext.isEmpty()) continue;  // the text check needs poppler-utils (scripts/test.sh installs it)
      QProcess extract;
      extract.start(pdftotext, {QString::fromStdString(pdf), QStringLiteral("-")});
      ASSERT_TRUE(extract.waitForFinished());
      const QString pdfText = QString::fromUtf8(extract.readAllStandardOutput());
      for (const QString& label : labels) EXPECT_TRUE(pdfText.contains(label)) << label.toStdString();
    }
  }
}

// The heavy table's relay view is drawn whole, wider than the canvas, and
// prints across pages, or on one when asked.
class PageLog : public PagePrinter {
public:
  void SetLandscape() override {}
  void SetQuality(PrintQuality) override {}
  bool PaintPage(const ImageCanvas&, QRect part, const QString& title) override {
    parts.push_back(part);
    titles << title;
    return true;
  }
  void NewPage() override { ++newPages; }
  void EndDoc() override {}
  std::vector<QRect> parts;
  QStringList titles;
  int newPages = 0;
};

TEST(PrintJob, AWideRelayViewPrintsAcrossPagesOrOnOne) {
  DrawnExample e("heavy-hypercube.sfi", KELVO_SOURCE_DIR "/bench/tables/");
  e.session.views.parallelForm = true;
  e.session.views.ShowMachineState();
  EXPECT_EQ(e.session.views.Current(), ViewButton::MachineState);
  const int width = e.canvas.Image().width();
  EXPECT_GT(width, ImageCanvas::ToPixels(kCanvasWidthTwips));
  for (const auto& name : e.session.equations.relayNames) {
    if (!name.empty()) {
      EXPECT_TRUE(Labels(e.canvas).contains(QString::fromStdString(name))) << name;
    }
  }
  PageLog pages;
  PrintJob job(e.session.views, e.canvas, pages);
  job.documentName = QStringLiteral("heavy-hypercube.sfi");
  std::array<bool, kViewButtons> ticked{};
  ticked[5] = true;
  ASSERT_TRUE(job.Print(ticked, 2, PrintQuality::Draft));
  const int perCopy = (width + ImageCanvas::ToPixels(kCanvasWidthTwips) - 1) / ImageCanvas::ToPixels(kCanvasWidthTwips);
  ASSERT_GE(perCopy, 2);
  ASSERT_EQ(pages.parts.size(), size_t(2 * perCopy));
  EXPECT_EQ(pages.newPages, 2 * perCopy - 1);  // none after the last page
  EXPECT_EQ(pages.parts[0].x(), 0);
  EXPECT_EQ(pages.parts[perCopy - 1].right(), width - 1);
  EXPECT_TRUE(
      pages.titles[0].startsWith(QStringLiteral("heavy-hypercube.sfi  \u00b7  Machine State  \u00b7  relay circuits")));
  EXPECT_TRUE(pages.titles[0].endsWith(QStringLiteral("page 1 of %1").arg(perCopy)));

  PageLog one;
  PrintJob scaled(e.session.views, e.canvas, one);
  scaled.wideOnOnePage = true;
  ASSERT_TRUE(scaled.Print(ticked, 1, PrintQuality::Draft));
  ASSERT_EQ(one.parts.size(), 1u);
  EXPECT_EQ(one.parts[0].width(), width);
}

}  // namespace
}  // namespace kelvo
