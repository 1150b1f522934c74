#include "ui/Form1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QTest>

#include "statediagram/StatesFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::ScriptedDialogs;

const QStringList kSourceTiles{QStringLiteral(KELVO_SOURCE_DIR "/Bitmaps")};
const std::string kExamples = KELVO_SOURCE_DIR "/examples/";

struct Started {
  ScriptedDialogs dialogs;
  Form1 window{dialogs};
  Started() {
    window.SplashDelay = 0;
    EXPECT_TRUE(window.StartUp(kSourceTiles));
  }
};

TEST(Form1, StartUpShowsTheCaptionsAndDisablesWhatNeedsACircuit) {
  Started s;
  Form1& w = s.window;
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Kelvo 16s"));
  ASSERT_EQ(w.splashCaptions.size(), 11);
  EXPECT_EQ(w.splashCaptions[0], QStringLiteral("..."));
  EXPECT_EQ(w.splashCaptions[1], QStringLiteral("...Loading Bitmap 'Bitmaps\\Coil.bmp'"));
  EXPECT_EQ(w.splashCaptions.last(), QStringLiteral("...Loading Bitmap 'Bitmaps\\Non.bmp'"));
  EXPECT_TRUE(w.isEnabled());
  EXPECT_FALSE(w.DataFormNew->isEnabled());
  for (auto* b : w.viewButtons) EXPECT_FALSE(b->isEnabled());
  EXPECT_EQ(w.f2count, 0);
  EXPECT_EQ(w.editor.AddNo, -1);
  EXPECT_FALSE(w.statesInWindow && w.statesInWindow->isVisible());
  EXPECT_EQ(w.FileOpen->shortcut(), QKeySequence(Qt::Key_F2));
  EXPECT_EQ(w.ExtrCom->toolTip(), QStringLiteral("Extract Circuit (Save As)"));
}

TEST(Form1, MissingTileStopsStartUp) {
  ScriptedDialogs dialogs;
  Form1 w(dialogs);
  w.SplashDelay = 0;
  testing::TempDir empty;
  EXPECT_FALSE(w.StartUp({QString::fromStdString(empty.Path().string())}));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find("Coil.bmp"), std::string::npos);
  EXPECT_NE(dialogs.messages[0].text.find(empty.Path().string()), std::string::npos);
}

TEST(Form1, OpenStateDiagramDrawsTheCircuit) {
  Started s;
  Form1& w = s.window;
  s.dialogs.fileNames = {std::nullopt};
  w.FileOpen_Click();  // cancelled: nothing drawn
  EXPECT_FALSE(w.viewButtons[0]->isEnabled());
  EXPECT_TRUE(s.dialogs.messages.empty());

  s.dialogs.fileNames = {kExamples + "four-state-cycle.sfi"};
  w.FileOpen_Click();
  EXPECT_TRUE(s.dialogs.messages.empty());
  EXPECT_TRUE(w.DataFormNew->isEnabled());
  EXPECT_EQ(w.equations.eq[0], "A.x3+X1.b+A.b");
  for (auto* b : w.viewButtons) EXPECT_TRUE(b->isEnabled());
  EXPECT_TRUE(w.viewButtons[static_cast<int>(ViewButton::ShowAll)]->font().underline());
  EXPECT_FALSE(w.viewButtons[static_cast<int>(ViewButton::ShowA)]->font().underline());
  QTest::mouseClick(w.viewButtons[static_cast<int>(ViewButton::ShowB)], Qt::LeftButton);
  EXPECT_TRUE(w.viewButtons[static_cast<int>(ViewButton::ShowB)]->font().underline());
  EXPECT_FALSE(w.viewButtons[static_cast<int>(ViewButton::ShowAll)]->font().underline());
}

TEST(Form1, CheckCircuitWaitsForACircuitAndReportsIt) {
  Started s;
  Form1& w = s.window;
  EXPECT_FALSE(w.ToolsCheck->isEnabled());
  EXPECT_EQ(w.ToolsCheck->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
  w.ToolsCheck_Click();
  EXPECT_TRUE(w.checkReport.isNull());

  s.dialogs.fileNames = {kExamples + "four-state-cycle.sfi"};
  w.FileOpen_Click();
  ASSERT_TRUE(w.ToolsCheck->isEnabled());
  w.ToolsCheck_Click();
  ASSERT_FALSE(w.checkReport.isNull());
  EXPECT_EQ(w.checkReport->Summary->text(), QStringLiteral("12 passed, 0 failed"));
  EXPECT_EQ(w.checkReport->Lines->item(0)->text(),
            QStringLiteral("PASS read-back A (two-part): matches A = ") + QString::fromStdString(w.equations.eqPar[0]));
}

TEST(Form1, TallOrMendedCircuitsAreNamedBelowTheDrawingWhichScrolls) {
  Started s;
  Form1& w = s.window;
  testing::TempDir dir;
  // Ten contacts in series in the two-part form, and M2 = a.b+A.b+A.B.
  StateDiagram d;
  d.Clear();
  const char* codes[] = {"0000", "0001", "0011", "0010"};
  const char* triggers[] = {"P1.P2.P3.P4.P5.P6.P7", "X2", "Q1.Q2+Q3.Q4", "X4"};
  for (int st = 0; st < 4; ++st) {
    d.Codes[st] = codes[st];
    d.Targets[st][0] = "S" + std::to_string((st + 1) % 4);
    d.Triggers[st][0] = triggers[st];
  }
  d.CoilNames[0] = "M2";
  for (int st : {0, 1, 2}) d.CoilOn[st][0] = true, d.CoilOff[st][0] = false;
  const std::string file = (dir.Path() / "tall.sfi").string();
  ASSERT_TRUE(WriteStatesFile(file, d));
  s.dialogs.fileNames = {file};
  w.FileOpen_Click();
  ASSERT_TRUE(w.ToolsCheck->isEnabled());
  EXPECT_GT(w.canvas.Image().height(), w.CanvasScroll->viewport()->height());
  EXPECT_EQ(w.Picture1->size(), w.canvas.Image().size());
  EXPECT_TRUE(w.DrawingNotes->text().contains(QStringLiteral("taller than the room above the coil line")))
      << w.DrawingNotes->text().toStdString();
  EXPECT_TRUE(w.DrawingNotes->toolTip().contains(QStringLiteral("Relay M2 is drawn without shared endings")));
  w.ToolsCheck_Click();
  ASSERT_FALSE(w.checkReport.isNull());
  EXPECT_TRUE(w.checkReport->Lines->item(0)->text().startsWith(QStringLiteral("NOTE ")));
  EXPECT_TRUE(w.checkReport->Summary->text().endsWith(QStringLiteral(" 0 failed")));

  // A view that fits is the usual size again.
  s.dialogs.fileNames = {kExamples + "four-state-cycle.sfi"};
  w.FileOpen_Click();
  EXPECT_EQ(w.Picture1->height(), ImageCanvas::ToPixels(kCanvasHeightTwips));
  EXPECT_TRUE(w.DrawingNotes->text().isEmpty());
}

TEST(Form1, ATableThatCannotBeDrawnLeavesNoCircuitBehind) {
  Started s;
  Form1& w = s.window;
  s.dialogs.fileNames = {kExamples + "four-state-cycle.sfi"};
  w.FileOpen_Click();
  ASSERT_TRUE(w.ToolsCheck->isEnabled());
  EXPECT_TRUE(w.views.HasCircuit());

  // "Auto" ticked for one table does not carry over to the next file.
  w.statesIn->dcbaAuto = true;
  s.dialogs.fileNames = {kExamples + "garage-door.sfi"};  // no codes: "Circuit" stops
  w.FileOpen_Click();
  EXPECT_FALSE(w.statesIn->dcbaAuto);
  ASSERT_FALSE(s.dialogs.messages.empty());
  EXPECT_EQ(s.dialogs.messages.back().text, "Check the DCBA 'Auto' Box or complete the DCBA text Box");
  EXPECT_FALSE(w.ToolsCheck->isEnabled());
  EXPECT_FALSE(w.views.HasCircuit());
  for (auto* b : w.viewButtons) EXPECT_FALSE(b->isEnabled());
  QImage blank(w.canvas.Image().size(), w.canvas.Image().format());
  blank.fill(Qt::white);
  EXPECT_EQ(w.canvas.Image(), blank);
  w.ToolsCheck_Click();
  EXPECT_TRUE(w.checkReport.isNull());  // no report on a circuit that is not the open table's

  // New Form withdraws the circuit too.
  s.dialogs.fileNames = {kExamples + "four-state-cycle.sfi"};
  w.FileOpen_Click();
  ASSERT_TRUE(w.ToolsCheck->isEnabled());
  w.DataFormNew_Click();
  EXPECT_FALSE(w.ToolsCheck->isEnabled());
  EXPECT_FALSE(w.views.HasCircuit());
}

// Esc closes every secondary window the way its close button does.
void PressEscape(QWidget* window) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
  QApplication::processEvents();
}

TEST(Form1, EscapeClosesTheSecondaryWindows) {
  Started s;
  Form1& w = s.window;
  w.show();
  s.dialogs.fileNames = {kExamples + "four-state-cycle.sfi"};
  w.FileOpen_Click();

  w.About_Click();
  ASSERT_FALSE(w.aboutBox.isNull());
  PressEscape(w.aboutBox);
  EXPECT_TRUE(w.aboutBox.isNull() || !w.aboutBox->isVisible());
  EXPECT_TRUE(w.isEnabled());

  w.AddCirc_Click();
  ASSERT_FALSE(w.picIns.isNull());
  EXPECT_EQ(w.picIns->InsCancel->text(), QStringLiteral("Cancel"));
  PressEscape(w.picIns);
  EXPECT_TRUE(w.picIns.isNull() || !w.picIns->isVisible());
  EXPECT_TRUE(w.isEnabled());

  w.FilePrint_Click();
  ASSERT_FALSE(w.printerForm.isNull());
  PressEscape(w.printerForm);
  EXPECT_TRUE(w.printerForm.isNull() || !w.printerForm->isVisible());
  EXPECT_TRUE(w.isEnabled());

  w.DataForm_Click();
  ASSERT_TRUE(w.statesInWindow && w.statesInWindow->isVisible());
  PressEscape(w.statesInWindow.get());
  EXPECT_FALSE(w.statesInWindow->isVisible());
  EXPECT_TRUE(w.isEnabled());
}

TEST(Form1, EntryFormDisablesTheMainWindowUntilItIsLeft) {
  Started s;
  Form1& w = s.window;
  w.DataForm_Click();
  EXPECT_FALSE(w.isEnabled());
  EXPECT_FALSE(w.DataFormMenu->menuAction()->isEnabled());
  EXPECT_TRUE(w.statesInWindow->isVisible());
  EXPECT_TRUE(w.statesInWindow->isEnabled());
  EXPECT_TRUE(w.DataFormNew->isEnabled());
  QTest::mouseClick(w.statesInWindow->Cancel, Qt::LeftButton);
  EXPECT_TRUE(w.isEnabled());
  EXPECT_TRUE(w.DataFormMenu->menuAction()->isEnabled());

  // Type the latch and press "Circuit": the form hands over and the window draws.
  w.DataForm_Click();
  StatesInWindow& form = *w.statesInWindow;
  QTest::keyClicks(form.dcba, "0000");
  form.ToState[0]->setEditText(QStringLiteral("S1"));
  QTest::keyClicks(form.TransVar[0], "X1");
  QTest::mouseClick(form.NextButton, Qt::LeftButton);
  QTest::keyClicks(form.dcba, "0001");
  form.ToState[0]->setEditText(QStringLiteral("S0"));
  QTest::keyClicks(form.TransVar[0], "x2");
  QTest::mouseClick(form.CircExt, Qt::LeftButton);
  EXPECT_TRUE(s.dialogs.messages.empty());
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(w.isEnabled());
  EXPECT_EQ(w.equations.eqPar[0], "X2|X1+A");
  EXPECT_TRUE(w.viewButtons[0]->isEnabled());
}

TEST(Form1, QuitAsksFirst) {
  Started s;
  Form1& w = s.window;
  w.show();
  s.dialogs.answers = {Answer::No};
  w.FileExit_Click();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(s.dialogs.Texts(), std::vector<std::string>{"Are you sure, you want to quit?"});
  EXPECT_EQ(s.dialogs.messages[0].title, "Confirm");
  s.dialogs.answers = {Answer::Yes};
  w.FileExit_Click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(s.dialogs.messages.size(), 2u);
}

}  // namespace
}  // namespace kelvo

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
