#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QPrinter>
#include <QRegularExpression>

#include "ladder/SumLayout.h"
#include "output/CircuitFiles.h"
#include "output/TileImages.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "ui/PrinterForm.h"
#include "ui/QtPagePrinter.h"

namespace kelvo {
namespace {

using testing::ScriptedDialogs;
using testing::TempDir;

struct Picture {
  TileImages tiles;
  ImageCanvas canvas;
  LadderGrid grid;
  EquationSet equations;
  ScriptedDialogs dialogs;
  Document document;
  CircuitViews views{grid, equations, canvas, dialogs, document};
  int disables = 0, enables = 0;
  CircuitFiles files{canvas, views, dialogs, [this](bool on) { ++(on ? enables : disables); }};
  Picture() {
    EXPECT_TRUE(tiles.LoadAll({QStringLiteral(KELVO_SOURCE_DIR "/Bitmaps")}));
    canvas.SetTiles(tiles.Images());
    canvas.PaintTile(8, 375, 750);
  }
};

int PdfPages(const std::string& path) {
  QFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::ReadOnly)) return -1;
  return static_cast<int>(
      QString::fromLatin1(f.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

TEST(CircuitFiles, ExportWritesABitmapWhateverTheName) {
  Picture p;
  TempDir dir;
  ASSERT_TRUE(p.views.AddHandEdit(HandEdit::Stamp(9, 3000, 3000), "Stamp"));
  p.dialogs.fileNames = {dir.File("circuit.jpg")};
  p.files.ExportPicture();
  EXPECT_EQ(testing::ReadBytes(dir.File("circuit.jpg")).substr(0, 2), "BM");
  QImageReader reader(QString::fromStdString(dir.File("circuit.jpg")));
  reader.setDecideFormatFromContent(true);
  EXPECT_EQ(reader.read().convertToFormat(QImage::Format_RGB32), p.canvas.Image());
  EXPECT_TRUE(p.document.UnexportedViews().empty());
  EXPECT_EQ(p.dialogs.fileDialogs[0].title, "Picture File");
  EXPECT_EQ(p.dialogs.fileDialogs[0].filter, "bmp|*.Bmp|gif|*.gif|jpg|*.jpg|All files|*.*");
  EXPECT_EQ(p.disables, 1);
  EXPECT_EQ(p.enables, 1);

  // Cancel and a failing export change nothing; the main window comes back every time.
  ASSERT_TRUE(p.views.AddHandEdit(HandEdit::Stamp(9, 3000, 3000), "Stamp"));
  p.dialogs.fileNames = {std::nullopt, dir.Path().string()};
  p.files.ExportPicture();
  p.files.ExportPicture();
  EXPECT_FALSE(p.document.UnexportedViews().empty());
  EXPECT_EQ(p.dialogs.Texts(), std::vector<std::string>{"Unknown Error while creating file " + dir.Path().string() +
                                                        "\nnot a regular file"});
  EXPECT_EQ(p.enables, 3);
}

TEST(CircuitFiles, ImportReplacesThePictureOnlyWithAPicture) {
  Picture p;
  TempDir dir;
  testing::WriteBytes(dir.File("notes.bmp"), "not a picture at all");
  const QImage before = p.canvas.Image().copy();
  p.dialogs.fileNames = {dir.File("notes.bmp"), std::nullopt};
  p.files.ImportPicture();
  p.files.ImportPicture();
  EXPECT_EQ(p.canvas.Image(), before);
  EXPECT_EQ(p.dialogs.Texts(), std::vector<std::string>{"Unknown Error while opening file " + dir.File("notes.bmp") +
                                                        "\nnot a picture this program can read"});

  QImage small(40, 30, QImage::Format_RGB32);
  small.fill(Qt::red);
  ASSERT_TRUE(small.save(QString::fromStdString(dir.File("red.gif.png")), "PNG"));
  ASSERT_TRUE(p.views.AddHandEdit(HandEdit::Stamp(9, 3000, 3000), "Stamp"));
  p.dialogs.fileNames = {dir.File("red.gif.png")};
  p.files.ImportPicture();
  EXPECT_EQ(p.canvas.Image().size(), before.size());
  EXPECT_EQ(p.canvas.Image().pixel(39, 29), qRgb(255, 0, 0));
  EXPECT_EQ(p.canvas.Image().pixel(40, 30), qRgb(255, 255, 255));
  EXPECT_FALSE(p.document.UnexportedViews().empty());
  EXPECT_EQ(p.enables, 3);
}

class RecordingPrinter : public PagePrinter {
public:
  explicit RecordingPrinter(const CircuitViews& views) : views_(views) {}
  void SetLandscape() override { log.push_back("landscape"); }
  void SetQuality(PrintQuality q) override { log.push_back("quality " + std::to_string(static_cast<int>(q))); }
  bool PaintPage(const ImageCanvas&, QRect part, const QString& title) override {
    log.push_back(std::string("page ") + ViewButtonName(*views_.Current()) + " x " + std::to_string(part.x()));
    titles.push_back(title);
    return true;
  }
  void NewPage() override { log.push_back("new page"); }
  void EndDoc() override { log.push_back("end"); }
  std::vector<std::string> log;
  QStringList titles;

private:
  const CircuitViews& views_;
};

struct Printing : Picture {
  QPrinter printer;
  Printing() {
    equations.variableEquations[0] = "X1";
    equations.relayEquations[0] = "A";
    equations.relayNames[0] = "M";
    views.parallelForm = true;
    views.DrawCircuits();
  }
};

TEST(PrintJob, PagesInOrderWithoutATrailingBreak) {
  Printing p;
  RecordingPrinter recorder(p.views);
  PrintJob job(p.views, p.canvas, recorder);
  std::array<bool, kViewButtons> ticked{false, true, false, false, false, true};  // A and state control
  EXPECT_TRUE(job.Print(ticked, 2, PrintQuality::Draft));
  EXPECT_EQ(recorder.log,
            (std::vector<std::string>{"landscape", "quality -1", "page ShowA x 0", "new page", "page ShowA x 0",
                                      "new page", "page ShowSC x 0", "new page", "page ShowSC x 0", "end"}));
  EXPECT_EQ(job.NextPage, -1);

  recorder.log.clear();
  EXPECT_TRUE(job.Print({true, true, false, false, false, false}, 0, PrintQuality::Best));
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"landscape", "quality -4", "end"}));
  EXPECT_EQ(p.views.Current(), ViewButton::ShowA);  // each ticked view was still drawn
}

TEST(PrintJob, PdfPageCounts) {
  Printing p;
  TempDir dir;
  const auto print = [&](const std::string& name, std::array<bool, kViewButtons> ticked, int copies) {
    p.printer.setOutputFormat(QPrinter::PdfFormat);
    p.printer.setOutputFileName(QString::fromStdString(dir.File(name)));
    QtPagePrinter pages(p.printer);
    PrintJob(p.views, p.canvas, pages).Print(ticked, copies, PrintQuality::Normal);
  };
  print("four.pdf", {false, true, false, false, false, true}, 2);
  EXPECT_EQ(PdfPages(dir.File("four.pdf")), 4);
  EXPECT_EQ(p.printer.pageLayout().orientation(), QPageLayout::Landscape);
  print("none.pdf", {}, 3);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.File("none.pdf"))));
}

TEST(PrinterForm, LoadingTicksTheShownViewAndFiltersCopies) {
  Printing p;
  p.views.ShowB();
  PrinterForm form(p.views, p.canvas, p.printer, p.dialogs);
  EXPECT_EQ(form.copiesBox->text(), QStringLiteral("1"));
  EXPECT_TRUE(form.normalQuality->isChecked());
  EXPECT_TRUE(form.viewBoxes[2]->isChecked());
  EXPECT_FALSE(form.viewBoxes[1]->isChecked());
  EXPECT_TRUE(form.viewBoxes[0]->isEnabled());

  EXPECT_TRUE(PrinterForm::AcceptsCopiesKey(U"1", 1, U'2'));
  EXPECT_FALSE(PrinterForm::AcceptsCopiesKey(U"12", 2, U'3'));
  EXPECT_FALSE(PrinterForm::AcceptsCopiesKey(U"1", 1, U'x'));
  EXPECT_FALSE(PrinterForm::AcceptsCopiesKey(U"1", 0, U'\b'));
  EXPECT_TRUE(PrinterForm::AcceptsCopiesKey(U"1", 1, U'\b'));

  // Pasted junk asks for a number and prints nothing.
  RecordingPrinter recorder(p.views);
  form.pagePrinter = &recorder;
  form.copiesBox->setText(QStringLiteral("x7"));
  form.Print();
  EXPECT_TRUE(recorder.log.empty());
  EXPECT_EQ(p.dialogs.Texts().back(), "Enter a number of copies from 0 to 99.");
  int closed = 0;
  form.onClosed = [&] { ++closed; };
  form.copiesBox->setText(QStringLiteral("1"));
  form.Print();
  EXPECT_EQ(recorder.log.size(), 4u);  // landscape, quality, one page of B, end
  EXPECT_EQ(closed, 1);
}

}  // namespace
}  // namespace kelvo
