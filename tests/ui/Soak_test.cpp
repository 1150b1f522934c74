// A long seeded random walk through the program as a user would drive it:
// menus, buttons, typing (junk included), paging, views, editing, export and
// import, printing to PDF. After every step the main window must be enabled
// whenever no secondary window is open, and a saved table must load back equal.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <random>

#include "statediagram/StatesFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "ui/MainWindow.h"

namespace kelvo {
namespace {

using testing::ScriptedDialogs;

class Soak {
public:
  explicit Soak(unsigned seed) : rng_(seed) {
    window_.SplashDelay = 0;
    EXPECT_TRUE(window_.StartUp({QStringLiteral(KELVO_SOURCE_DIR "/Bitmaps")}));
    window_.show();
    testing::WriteBytes(dir_.File("junk.sfi"), "\x01\x02junk\r\n");
  }

  void Step();
  bool SecondaryOpen() const {
    return (window_.formCommands.formWindow && window_.formCommands.formWindow->isVisible()) ||
           window_.canvasTools.componentPicker || window_.fileCommands.printerForm || window_.aboutBox;
  }
  MainWindow& window() { return window_; }
  ScriptedDialogs& dialogs() { return dialogs_; }

private:
  int Pick(int n) { return static_cast<int>(rng_() % n); }
  QString Junk();
  std::string SomeFile();
  void FormStep();
  void MainStep();

  ScriptedDialogs dialogs_;
  MainWindow window_{dialogs_};
  testing::TempDir dir_;
  std::mt19937 rng_;
};

// Types text key by key; characters without a key of their own arrive as text.
void Type(QWidget* widget, const QString& text) {
  for (const QChar ch : text) {
    if (ch.unicode() >= 0x20 && ch.unicode() < 0x7F) {
      QTest::keyClick(widget, static_cast<char>(ch.unicode()));
    } else {
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
  }
}

// Pastes text as a user would, through the clipboard.
void Paste(QLineEdit* edit, const QString& text) {
  QApplication::clipboard()->setText(text);
  edit->paste();
}

QString Soak::Junk() {
  static const char* pieces[] = {"A1", ".", "+", "b",        "X",  "0",  "1",        "S3", "S99",  "S", "|",
                                 ")(", "?", " ", "\xC3\xA9", "dt", "DT", "\xCE\xA3", "\n", "0101", "01"};
  QString text;
  const int n = Pick(6);
  for (int i = 0; i < n; ++i) text += QString::fromUtf8(pieces[Pick(std::size(pieces))]);
  return text;
}

std::string Soak::SomeFile() {
  static const char* names[] = {"two-state-latch.sfi", "four-state-cycle.sfi", "traffic-light.sfi", "garage-door.sfi"};
  switch (Pick(4)) {
    case 0:
      return dir_.File("saved.sfi");
    case 1:
      return dir_.File("junk.sfi");
    default:
      return std::string(KELVO_SOURCE_DIR "/examples/") + names[Pick(4)];
  }
}

void Soak::FormStep() {
  EntryFormWindow& f = *window_.formCommands.formWindow;
  dialogs_.fallbackAnswer = Pick(3) ? Answer::Yes : Answer::No;
  switch (Pick(14)) {
    case 0:
      Type(f.codeBox, Junk());
      break;
    case 1:
      Paste(f.conditionBoxes[Pick(kSlotCount)], Junk());
      break;
    case 2:
      Type(f.conditionBoxes[Pick(kSlotCount)], Junk());
      break;
    case 3:
      Paste(f.targetBoxes[Pick(kSlotCount)]->lineEdit(), Pick(2) ? QStringLiteral("S%1").arg(Pick(17)) : Junk());
      break;
    case 4:
      Paste(f.relayNameBoxes[Pick(kRelayCount)], Junk());
      break;
    case 5:
      (Pick(2) ? f.relayOnButtons : f.relayOffButtons)[Pick(kRelayCount)]->click();
      break;
    case 6:
      f.autoCodes->click();
      break;
    case 7:
      (Pick(2) ? f.nextButton : f.backButton)->click();
      break;
    case 8:
      f.clearFormButton->click();
      break;
    case 9:
      f.equationsButton->click();
      break;
    case 10:
      f.circuitButton->click();
      break;
    case 11:
      dialogs_.fileNames = {Pick(4) ? std::optional(SomeFile()) : std::nullopt};
      f.loadButton->click();
      break;
    case 12:
      dialogs_.fileNames = {dir_.File("saved.sfi")};
      f.saveButton->click();
      break;
    default:
      Pick(2) ? f.cancelButton->click() : (void)f.close();
      break;
  }
}

void Soak::MainStep() {
  MainWindow& w = window_;
  dialogs_.fallbackAnswer = Pick(3) ? Answer::Yes : Answer::No;
  const int x = Pick(kCanvasWidthTwips), y = Pick(kCanvasHeightTwips);
  switch (Pick(17)) {
    case 0:
      w.formCommands.ShowForm();
      break;
    case 1:
      w.formCommands.NewTable();
      break;
    case 2:
      dialogs_.fileNames = {Pick(5) ? std::optional(SomeFile()) : std::nullopt};
      w.fileCommands.OpenWithDialog();
      break;
    case 3:
      dialogs_.fileNames = {dir_.File("saved.sfi")};
      w.fileCommands.SaveAs();
      break;
    case 4: {
      auto* b = w.viewControls.viewButtons[Pick(kViewButtons)];
      if (b->isEnabled()) b->click();
      break;
    }
    case 5:
      w.viewControls.parallelForm->click();
      break;
    case 6:
      w.canvasView->onMove(Pick(2), x, y);
      break;
    case 7:
      w.canvasView->onRelease(true, x, y);
      break;
    case 8:
      w.canvasTools.rubberMode->click();
      break;
    case 9:
      w.canvasTools.AddComponent();
      if (w.canvasTools.componentPicker) {
        if (Pick(2)) {
          w.canvasTools.componentPicker->componentList->setCurrentIndex(Pick(kTileCount));
          if (!Pick(5)) w.canvasTools.componentPicker->componentList->setEditText(Junk());
          w.canvasTools.componentPicker->okButton->click();
        }
        if (w.canvasTools.componentPicker) w.canvasTools.componentPicker->close();
      }
      break;
    case 10:
      w.editor.ChooseColour(Pick(kPaletteSize));
      break;
    case 11:
      Paste(w.canvasTools.textBox, Junk());
      w.canvasTools.InsertText();
      break;
    case 12:
      dialogs_.fileNames = {Pick(4) ? std::optional(dir_.File("picture.bmp")) : std::nullopt};
      w.fileCommands.exportAction->trigger();
      break;
    case 13:
      dialogs_.fileNames = {Pick(2) ? dir_.File("picture.bmp") : SomeFile()};
      w.fileCommands.importAction->trigger();
      break;
    case 14:
      w.fileCommands.Print();
      if (w.fileCommands.printerForm) {
        for (auto* box : w.fileCommands.printerForm->viewBoxes) box->setChecked(Pick(4) == 0);
        w.fileCommands.printerForm->copiesBox->setText(Pick(5) ? QString::number(Pick(3)) : Junk());
        dialogs_.fileNames = {dir_.File("print.pdf")};
        Pick(3) ? w.fileCommands.printerForm->printButton->click() : w.fileCommands.printerForm->cancelButton->click();
        if (w.fileCommands.printerForm) w.fileCommands.printerForm->close();
      }
      break;
    case 15:
      w.ShowAbout();
      if (w.aboutBox) w.aboutBox->okButton->click();
      break;
    default:
      w.fileCommands.printAction->trigger();
      if (w.fileCommands.printerForm) w.fileCommands.printerForm->close();
      break;
  }
}

void Soak::Step() {
  if ((window_.formCommands.formWindow && window_.formCommands.formWindow->isVisible())) {
    FormStep();
  } else {
    MainStep();
  }
  QApplication::processEvents();
}

TEST(Soak, ThousandsOfRandomUserActions) {
  const unsigned seed = 20261207;
  Soak soak(seed);
  for (int step = 0; step < 4000; ++step) {
    soak.Step();
    ASSERT_TRUE(soak.window().isVisible()) << "seed " << seed << " step " << step;
    if (!soak.SecondaryOpen()) {
      ASSERT_TRUE(soak.window().isEnabled()) << "seed " << seed << " step " << step;
    }
    if (step % 500 == 499) {
      // What is in the table now survives a save and a load.
      EntryForm& form = *soak.window().entryForm;
      testing::TempDir dir;
      ASSERT_TRUE(form.SaveStatesTo(dir.File("check.sfi")));
      const auto back = ReadStatesFile(dir.File("check.sfi"));
      ASSERT_TRUE(back) << "seed " << seed << " step " << step;
      EXPECT_EQ(FormatStatesText(*back), FormatStatesText(form.table())) << "seed " << seed << " step " << step;
      EXPECT_TRUE(*back == form.table()) << "seed " << seed << " step " << step;
    }
  }
}

}  // namespace
}  // namespace kelvo
