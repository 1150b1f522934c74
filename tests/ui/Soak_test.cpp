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
    return (window_.entryFormWindow && window_.entryFormWindow->isVisible()) || window_.componentPicker ||
           window_.printerForm || window_.aboutBox;
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
  EntryFormWindow& f = *window_.entryFormWindow;
  dialogs_.fallbackAnswer = Pick(3) ? Answer::Yes : Answer::No;
  switch (Pick(14)) {
    case 0:
      Type(f.dcba, Junk());
      break;
    case 1:
      Paste(f.TransVar[Pick(kSlotCount)], Junk());
      break;
    case 2:
      Type(f.TransVar[Pick(kSlotCount)], Junk());
      break;
    case 3:
      Paste(f.ToState[Pick(kSlotCount)]->lineEdit(), Pick(2) ? QStringLiteral("S%1").arg(Pick(17)) : Junk());
      break;
    case 4:
      Paste(f.Coil[Pick(kRelayCount)], Junk());
      break;
    case 5:
      (Pick(2) ? f.ControlOn : f.ControlOff)[Pick(kRelayCount)]->click();
      break;
    case 6:
      f.autoCodes->click();
      break;
    case 7:
      (Pick(2) ? f.NextButton : f.BackButton)->click();
      break;
    case 8:
      f.ClearCom->click();
      break;
    case 9:
      f.FinishButton->click();
      break;
    case 10:
      f.CircExt->click();
      break;
    case 11:
      dialogs_.fileNames = {Pick(4) ? std::optional(SomeFile()) : std::nullopt};
      f.LoadStates->click();
      break;
    case 12:
      dialogs_.fileNames = {dir_.File("saved.sfi")};
      f.SaveStates->click();
      break;
    default:
      Pick(2) ? f.Cancel->click() : (void)f.close();
      break;
  }
}

void Soak::MainStep() {
  MainWindow& w = window_;
  dialogs_.fallbackAnswer = Pick(3) ? Answer::Yes : Answer::No;
  const int x = Pick(kCanvasWidthTwips), y = Pick(kCanvasHeightTwips);
  switch (Pick(17)) {
    case 0:
      w.DataForm_Click();
      break;
    case 1:
      w.DataFormNew_Click();
      break;
    case 2:
      dialogs_.fileNames = {Pick(5) ? std::optional(SomeFile()) : std::nullopt};
      w.FileOpen_Click();
      break;
    case 3:
      dialogs_.fileNames = {dir_.File("saved.sfi")};
      w.FileSave_Click();
      break;
    case 4: {
      auto* b = w.viewButtons[Pick(kViewButtons)];
      if (b->isEnabled()) b->click();
      break;
    }
    case 5:
      w.parallelForm->click();
      break;
    case 6:
      w.Picture1->onMove(Pick(2), x, y);
      break;
    case 7:
      w.Picture1->onRelease(true, x, y);
      break;
    case 8:
      w.RubberOn->click();
      break;
    case 9:
      w.AddCirc_Click();
      if (w.componentPicker) {
        if (Pick(2)) {
          w.componentPicker->PicsCh->setCurrentIndex(Pick(kTileCount));
          if (!Pick(5)) w.componentPicker->PicsCh->setEditText(Junk());
          w.componentPicker->InsOK->click();
        }
        if (w.componentPicker) w.componentPicker->close();
      }
      break;
    case 10:
      w.editor.ColorFr_Click(Pick(kPaletteSize));
      break;
    case 11:
      Paste(w.PicText, Junk());
      w.InsText_Click();
      break;
    case 12:
      dialogs_.fileNames = {Pick(4) ? std::optional(dir_.File("picture.bmp")) : std::nullopt};
      w.FileExtract->trigger();
      break;
    case 13:
      dialogs_.fileNames = {Pick(2) ? dir_.File("picture.bmp") : SomeFile()};
      w.FileImport->trigger();
      break;
    case 14:
      w.FilePrint_Click();
      if (w.printerForm) {
        for (auto* box : w.printerForm->boxes) box->setChecked(Pick(4) == 0);
        w.printerForm->NoCopies->setText(Pick(5) ? QString::number(Pick(3)) : Junk());
        dialogs_.fileNames = {dir_.File("print.pdf")};
        Pick(3) ? w.printerForm->Print->click() : w.printerForm->Cancel->click();
        if (w.printerForm) w.printerForm->close();
      }
      break;
    case 15:
      w.About_Click();
      if (w.aboutBox) w.aboutBox->Command1->click();
      break;
    default:
      w.FilePrint->trigger();
      if (w.printerForm) w.printerForm->close();
      break;
  }
}

void Soak::Step() {
  if ((window_.entryFormWindow && window_.entryFormWindow->isVisible())) {
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
