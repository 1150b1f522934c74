#include "ui/MainWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "statediagram/StatesFile.h"
#include "support/ScriptedDialogs.h"
#include "support/StartedWindow.h"
#include "support/Tables.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::ScriptedDialogs;

using testing::kExamples;
using testing::kSourceTiles;
using testing::Started;

TEST(MainWindow, StartUpShowsTheCaptionsAndDisablesWhatNeedsACircuit) {
  Started s;
  MainWindow& w = s.window;
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Kelvo 16s"));
  ASSERT_EQ(w.splashCaptions.size(), 11);
  EXPECT_EQ(w.splashCaptions[0], QStringLiteral("..."));
  EXPECT_EQ(w.splashCaptions[1], QStringLiteral("...Loading Bitmap 'Bitmaps\\Coil.bmp'"));
  EXPECT_EQ(w.splashCaptions.last(), QStringLiteral("...Loading Bitmap 'Bitmaps\\Non.bmp'"));
  EXPECT_TRUE(w.isEnabled());
  EXPECT_TRUE(w.formCommands.newTableAction->isEnabled());
  for (auto* b : w.viewControls.viewButtons) EXPECT_FALSE(b->isEnabled());
  EXPECT_EQ(w.shownState, 0);
  EXPECT_EQ(w.editor.componentSlot, -1);
  EXPECT_FALSE(w.formCommands.formWindow && w.formCommands.formWindow->isVisible());
  EXPECT_EQ(w.fileCommands.openAction->shortcut(), QKeySequence(Qt::Key_F2));
  EXPECT_EQ(w.exportButton->toolTip(), QStringLiteral("Extract Circuit (Save As)"));
}

TEST(MainWindow, MissingTileStopsStartUp) {
  ScriptedDialogs dialogs;
  MainWindow w(dialogs);
  w.SplashDelay = 0;
  testing::TempDir empty;
  EXPECT_FALSE(w.StartUp({QString::fromStdString(empty.Path().string())}));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find("Coil.bmp"), std::string::npos);
  EXPECT_NE(dialogs.messages[0].text.find(empty.Path().string()), std::string::npos);
}

TEST(MainWindow, OpenStateDiagramDrawsTheCircuit) {
  Started s;
  MainWindow& w = s.window;
  s.dialogs.fileNames = {std::nullopt};
  w.fileCommands.OpenWithDialog();  // cancelled: nothing drawn
  EXPECT_FALSE(w.viewControls.viewButtons[0]->isEnabled());
  EXPECT_TRUE(s.dialogs.messages.empty());

  s.Open("four-state-cycle.sfi");
  EXPECT_TRUE(s.dialogs.messages.empty());
  EXPECT_TRUE(w.formCommands.newTableAction->isEnabled());
  EXPECT_EQ(w.equations.variableEquations[0], "A.x3+X1.b+A.b");
  for (auto* b : w.viewControls.viewButtons) EXPECT_TRUE(b->isEnabled());
  EXPECT_TRUE(w.viewControls.viewButtons[static_cast<int>(ViewButton::ShowAll)]->font().underline());
  EXPECT_FALSE(w.viewControls.viewButtons[static_cast<int>(ViewButton::ShowA)]->font().underline());
  QTest::mouseClick(w.viewControls.viewButtons[static_cast<int>(ViewButton::ShowB)], Qt::LeftButton);
  EXPECT_TRUE(w.viewControls.viewButtons[static_cast<int>(ViewButton::ShowB)]->font().underline());
  EXPECT_FALSE(w.viewControls.viewButtons[static_cast<int>(ViewButton::ShowAll)]->font().underline());
}

TEST(MainWindow, CheckCircuitWaitsForACircuitAndReportsIt) {
  Started s;
  MainWindow& w = s.window;
  EXPECT_FALSE(w.checkAction->isEnabled());
  EXPECT_EQ(w.checkAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
  w.machineWindows.CheckCircuit();
  EXPECT_TRUE(w.machineWindows.checkReport.isNull());

  s.Open("four-state-cycle.sfi");
  ASSERT_TRUE(w.checkAction->isEnabled());
  w.machineWindows.CheckCircuit();
  ASSERT_FALSE(w.machineWindows.checkReport.isNull());
  EXPECT_EQ(w.machineWindows.checkReport->summaryLabel->text(), QStringLiteral("12 passed, 0 failed"));
  EXPECT_EQ(w.machineWindows.checkReport->lineList->item(0)->text(),
            QStringLiteral("PASS read-back A (two-part): matches A = ") +
                QString::fromStdString(w.equations.parallelEquations[0]));
}

TEST(MainWindow, TallOrMendedCircuitsAreNamedBelowTheDrawingWhichScrolls) {
  Started s;
  MainWindow& w = s.window;
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
  w.fileCommands.OpenWithDialog();
  ASSERT_TRUE(w.checkAction->isEnabled());
  EXPECT_GT(w.canvas.Image().height(), w.canvasScroll->viewport()->height());
  EXPECT_EQ(w.canvasView->size(), w.canvas.Image().size());
  EXPECT_TRUE(w.viewControls.drawingNotes->text().contains(QStringLiteral("taller than the room above the coil line")))
      << w.viewControls.drawingNotes->text().toStdString();
  EXPECT_TRUE(
      w.viewControls.drawingNotes->toolTip().contains(QStringLiteral("Relay M2 is drawn without shared endings")));
  w.machineWindows.CheckCircuit();
  ASSERT_FALSE(w.machineWindows.checkReport.isNull());
  EXPECT_TRUE(w.machineWindows.checkReport->lineList->item(0)->text().startsWith(QStringLiteral("NOTE ")));
  EXPECT_TRUE(w.machineWindows.checkReport->summaryLabel->text().endsWith(QStringLiteral(" 0 failed")));

  // A view that fits is the usual size again.
  s.Open("four-state-cycle.sfi");
  EXPECT_EQ(w.canvasView->height(), ImageCanvas::ToPixels(kCanvasHeightTwips));
  EXPECT_TRUE(w.viewControls.drawingNotes->text().isEmpty());
}

TEST(MainWindow, ATableThatCannotBeDrawnLeavesNoCircuitBehind) {
  Started s;
  MainWindow& w = s.window;
  s.Open("four-state-cycle.sfi");
  ASSERT_TRUE(w.checkAction->isEnabled());
  EXPECT_TRUE(w.views.HasCircuit());

  // "Auto" ticked for one table does not carry over to the next file.
  w.entryForm->autoCodes = true;
  s.dialogs.fileNames = {kExamples + "garage-door.sfi"};  // no codes: "Circuit" stops
  s.dialogs.answers = {Answer::No};                       // not assigned automatically
  w.fileCommands.OpenWithDialog();
  EXPECT_FALSE(w.entryForm->autoCodes);
  ASSERT_EQ(s.dialogs.messages.size(), 2u);
  EXPECT_EQ(s.dialogs.messages[0].text, "This table has no state codes. Assign them automatically?");
  EXPECT_EQ(s.dialogs.messages[1].text, "Check the DCBA 'Auto' Box or complete the DCBA text Box");
  EXPECT_EQ(s.dialogs.messages[1].context, "state S0");
  EXPECT_FALSE(w.checkAction->isEnabled());
  EXPECT_FALSE(w.views.HasCircuit());
  for (auto* b : w.viewControls.viewButtons) EXPECT_FALSE(b->isEnabled());
  QImage blank(w.canvas.Image().size(), w.canvas.Image().format());
  blank.fill(Qt::white);
  EXPECT_EQ(w.canvas.Image(), blank);
  w.machineWindows.CheckCircuit();
  EXPECT_TRUE(w.machineWindows.checkReport.isNull());  // no report on a circuit that is not the open table's

  // New Form withdraws the circuit too.
  s.Open("four-state-cycle.sfi");
  ASSERT_TRUE(w.checkAction->isEnabled());
  w.formCommands.NewTable();
  EXPECT_FALSE(w.checkAction->isEnabled());
  EXPECT_FALSE(w.views.HasCircuit());
}

// Esc closes every secondary window the way its close button does.
void PressEscape(QWidget* window) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
  QApplication::processEvents();
}

TEST(MainWindow, EscapeClosesTheSecondaryWindows) {
  Started s;
  MainWindow& w = s.window;
  w.show();
  s.Open("four-state-cycle.sfi");

  w.ShowAbout();
  ASSERT_FALSE(w.aboutBox.isNull());
  PressEscape(w.aboutBox);
  EXPECT_TRUE(w.aboutBox.isNull() || !w.aboutBox->isVisible());
  EXPECT_TRUE(w.isEnabled());

  w.canvasTools.AddComponent();
  ASSERT_FALSE(w.canvasTools.componentPicker.isNull());
  EXPECT_EQ(w.canvasTools.componentPicker->cancelButton->text(), QStringLiteral("&Cancel"));
  PressEscape(w.canvasTools.componentPicker);
  EXPECT_TRUE(w.canvasTools.componentPicker.isNull() || !w.canvasTools.componentPicker->isVisible());
  EXPECT_TRUE(w.isEnabled());

  w.fileCommands.Print();
  ASSERT_FALSE(w.fileCommands.printerForm.isNull());
  PressEscape(w.fileCommands.printerForm);
  EXPECT_TRUE(w.fileCommands.printerForm.isNull() || !w.fileCommands.printerForm->isVisible());
  EXPECT_TRUE(w.isEnabled());

  w.formCommands.ShowForm();
  ASSERT_TRUE(w.formCommands.formWindow && w.formCommands.formWindow->isVisible());
  PressEscape(w.formCommands.formWindow.get());
  EXPECT_FALSE(w.formCommands.formWindow->isVisible());
  EXPECT_TRUE(w.isEnabled());
}

TEST(MainWindow, EntryFormDisablesTheMainWindowUntilItIsLeft) {
  Started s;
  MainWindow& w = s.window;
  w.formCommands.ShowForm();
  EXPECT_FALSE(w.isEnabled());
  EXPECT_FALSE(w.formCommands.menu->menuAction()->isEnabled());
  EXPECT_TRUE(w.formCommands.formWindow->isVisible());
  EXPECT_TRUE(w.formCommands.formWindow->isEnabled());
  EXPECT_TRUE(w.formCommands.newTableAction->isEnabled());
  QTest::mouseClick(w.formCommands.formWindow->cancelButton, Qt::LeftButton);
  EXPECT_TRUE(w.isEnabled());
  EXPECT_TRUE(w.formCommands.menu->menuAction()->isEnabled());

  // Type the latch and press "Circuit": the form hands over and the window draws.
  w.formCommands.ShowForm();
  EntryFormWindow& form = *w.formCommands.formWindow;
  QTest::keyClicks(form.codeBox, "0000");
  form.targetBoxes[0]->setEditText(QStringLiteral("S1"));
  QTest::keyClicks(form.conditionBoxes[0], "X1");
  QTest::mouseClick(form.nextButton, Qt::LeftButton);
  QTest::keyClicks(form.codeBox, "0001");
  form.targetBoxes[0]->setEditText(QStringLiteral("S0"));
  QTest::keyClicks(form.conditionBoxes[0], "x2");
  QTest::mouseClick(form.circuitButton, Qt::LeftButton);
  EXPECT_TRUE(s.dialogs.messages.empty());
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(w.isEnabled());
  EXPECT_EQ(w.equations.parallelEquations[0], "X2|X1+A");
  EXPECT_TRUE(w.viewControls.viewButtons[0]->isEnabled());
}

// Quit asks only when something would be lost, and says what.
TEST(MainWindow, QuitAsksOnlyBeforeALoss) {
  Started s;
  MainWindow& w = s.window;
  s.Open("four-state-cycle.sfi");
  w.show();
  w.viewControls.ShowView(ViewButton::ShowB);
  s.dialogs.messages.clear();
  ASSERT_TRUE(w.views.AddHandEdit(HandEdit::Stamp(8, 1500, 1500), "Stamp"));
  s.dialogs.answers = {Answer::No};
  w.fileCommands.Quit();
  EXPECT_TRUE(w.isVisible());
  ASSERT_EQ(s.dialogs.messages.size(), 1u) << s.dialogs.Texts()[0];
  EXPECT_EQ(s.dialogs.messages[0].title, "Possible Data Loss") << s.dialogs.Texts()[0];
  EXPECT_EQ(s.dialogs.messages[0].context, "hand edits not exported: B");
  w.viewControls.ZoomStep(1);  // an undone stamp leaves nothing to lose
  w.undoAction->trigger();
  EXPECT_TRUE(w.session.document.UnexportedViews().empty());
  w.fileCommands.Quit();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(s.dialogs.messages.size(), 1u);
}

// A name holding Latin-1 "é" (no UTF-8) opens from its bytes; the recent
// files, kept as text, leave out a name that would not open again.
TEST(MainWindow, AFileNameThatIsNotUtf8Opens) {
  QSettings().clear();
  Started s;
  MainWindow& w = s.window;
  testing::TempDir dir;
  const std::string latin1 = dir.File("caf\xE9.sfi");
  testing::WriteBytes(latin1, testing::ReadBytes(kExamples + "four-state-cycle.sfi"));
  w.OpenFile(latin1);
  EXPECT_EQ(w.entryForm->documentPath(), latin1);
  EXPECT_TRUE(w.views.HasCircuit());
  for (const auto& m : s.dialogs.messages) EXPECT_EQ(m.text.find("Error"), std::string::npos) << m.text;
  EXPECT_TRUE(w.fileCommands.RecentFiles().isEmpty());
}

TEST(MainWindow, TheTableIsADocument) {
  QSettings().clear();  // no recent files of the tests before
  Started s;
  MainWindow& w = s.window;
  testing::TempDir dir;
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Kelvo 16s"));
  EXPECT_FALSE(w.fileCommands.recentMenu->isEnabled());

  // Opened: the title names the file, which heads the recent files.
  const std::string saved = dir.File("cycle.sfi");
  testing::WriteBytes(saved, testing::ReadBytes(kExamples + "four-state-cycle.sfi"));
  s.dialogs.fileNames = {saved};
  w.fileCommands.OpenWithDialog();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Kelvo 16s - cycle.sfi[*]"));
  EXPECT_FALSE(w.isWindowModified());
  ASSERT_EQ(w.fileCommands.RecentFiles().size(), 1);
  EXPECT_TRUE(w.fileCommands.RecentFiles()[0].endsWith(QStringLiteral("/cycle.sfi")));
  EXPECT_TRUE(w.fileCommands.recentMenu->isEnabled());

  // A comment edited and the form cancelled: the table is changed.
  w.formCommands.ShowForm();
  QTest::keyClicks(w.formCommands.formWindow->comment, "idle");
  EXPECT_TRUE(w.isWindowModified());
  QTest::mouseClick(w.formCommands.formWindow->cancelButton, Qt::LeftButton);
  EXPECT_TRUE(w.isWindowModified());

  // Quit asks to save it, and Cancel keeps the program and the edit.
  w.show();
  s.dialogs.messages.clear();
  s.dialogs.answers = {Answer::Cancel};
  w.fileCommands.Quit();
  EXPECT_TRUE(w.isVisible());
  ASSERT_EQ(s.dialogs.messages.size(), 1u);
  EXPECT_EQ(s.dialogs.messages[0].text, "Save changes to cycle.sfi?");
  EXPECT_EQ(s.dialogs.messages[0].buttons, MessageButtons::SaveDiscardCancel);
  const std::string comment = ReadStatesFile(kExamples + "four-state-cycle.sfi")->Comments[0] + "idle";
  EXPECT_EQ(w.entryForm->shown.comment, comment);

  // Undo back to the table as opened takes the "*" away; Redo brings it back.
  w.undoAction->trigger();
  EXPECT_FALSE(w.isWindowModified());
  EXPECT_EQ(w.entryForm->shown.comment, ReadStatesFile(saved)->Comments[0]);
  w.redoAction->trigger();
  EXPECT_TRUE(w.isWindowModified());
  EXPECT_EQ(w.undoAction->text(), QStringLiteral("&Undo Edit S0"));

  // New Form: Save writes the table to its own file first.
  s.dialogs.answers = {Answer::Save};
  w.formCommands.NewTable();
  EXPECT_TRUE(s.dialogs.fileDialogs.size() == 1u);  // the open dialog only
  EXPECT_EQ(ReadStatesFile(saved)->Comments[0], comment);
  EXPECT_EQ(w.entryForm->table().Comments[0], "");
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Kelvo 16s"));
  EXPECT_FALSE(w.views.HasCircuit());
  EXPECT_FALSE(w.undoAction->isEnabled());
  ASSERT_EQ(w.fileCommands.RecentFiles().size(), 1);
  QTest::mouseClick(w.formCommands.formWindow->cancelButton, Qt::LeftButton);

  // A recent file opens from the menu; an edit then Discard loses it on purpose.
  w.fileCommands.recentMenu->actions()[0]->trigger();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Kelvo 16s - cycle.sfi[*]"));
  EXPECT_TRUE(w.views.HasCircuit());
  w.entryForm->shown.comment = "changed";
  EXPECT_TRUE(w.entryForm->Modified());
  s.dialogs.messages.clear();
  s.dialogs.answers = {Answer::Discard};
  s.Open("traffic-light.sfi");
  EXPECT_EQ(s.dialogs.Texts().front(), "Save changes to cycle.sfi?");
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Kelvo 16s - traffic-light.sfi[*]"));
  EXPECT_EQ(ReadStatesFile(saved)->Comments[0], comment);

  // Nothing to lose: no question.
  s.dialogs.messages.clear();
  w.fileCommands.Quit();
  EXPECT_TRUE(s.dialogs.messages.empty());
  EXPECT_FALSE(w.isVisible());
}

TEST(MainWindow, AFileOpensWithItsOwnCodesOrAsksForThem) {
  Started s;
  MainWindow& w = s.window;
  // Auto ticked for the garage door (which has no codes) ...
  s.dialogs.fileNames = {kExamples + "garage-door.sfi"};
  s.dialogs.answers = {Answer::Yes};
  w.fileCommands.OpenWithDialog();
  EXPECT_EQ(s.dialogs.Texts(), std::vector<std::string>{"This table has no state codes. Assign them automatically?"});
  EXPECT_TRUE(w.entryForm->autoCodes);
  EXPECT_TRUE(w.views.HasCircuit());
  // ... does not touch the typed codes of the next file.
  const auto heavy = ReadStatesFile(KELVO_SOURCE_DIR "/bench/tables/heavy-hypercube.sfi");
  ASSERT_TRUE(heavy);
  s.dialogs.messages.clear();
  s.dialogs.answers = {Answer::Discard};  // the garage door's new codes are not kept
  w.OpenFile(QStringLiteral(KELVO_SOURCE_DIR "/bench/tables/heavy-hypercube.sfi"));
  EXPECT_FALSE(w.entryForm->autoCodes);
  EXPECT_TRUE(s.dialogs.messages.empty()) << s.dialogs.Texts().front();
  EXPECT_EQ(w.entryForm->table().Codes, heavy->Codes);
  EXPECT_EQ(w.entryForm->table().Targets, heavy->Targets);
  EXPECT_TRUE(w.views.HasCircuit());
}

TEST(MainWindow, KeyboardReachesTheSwatchesAndEscGivesUpAPlacement) {
  Started s;
  MainWindow& w = s.window;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  w.canvasTools.colourSwatches[0]->setFocus();
  QTest::keyClick(w.windowHandle(), Qt::Key_Right);
  EXPECT_EQ(QApplication::focusWidget(), w.canvasTools.colourSwatches[1]);
  // The swatch with the focus has a black two-pixel edge, the others a grey one.
  const QImage focused = w.canvasTools.colourSwatches[1]->grab().toImage(),
               other = w.canvasTools.colourSwatches[2]->grab().toImage();
  EXPECT_EQ(focused.pixel(1, 1), qRgb(0, 0, 0));
  EXPECT_EQ(focused.pixel(2, 2), qRgb(kTextPalette[1].r, kTextPalette[1].g, kTextPalette[1].b));
  EXPECT_EQ(other.pixel(0, 0), qRgb(128, 128, 128));
  EXPECT_EQ(other.pixel(1, 1), qRgb(kTextPalette[2].r, kTextPalette[2].g, kTextPalette[2].b));
  QTest::keyClick(w.windowHandle(), Qt::Key_Space);
  EXPECT_EQ(w.editor.textColour, kTextPalette[1]);
  QTest::keyClick(w.windowHandle(), Qt::Key_Left);
  QTest::keyClick(w.windowHandle(), Qt::Key_Left);
  EXPECT_EQ(QApplication::focusWidget(), w.canvasTools.colourSwatches[kPaletteSize - 1]);
  QTest::keyClick(w.windowHandle(), Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), w.canvasTools.colourSwatches[kPaletteSize - 1]);

  s.Open("four-state-cycle.sfi");
  w.canvasTools.AddComponent();
  ASSERT_FALSE(w.canvasTools.componentPicker.isNull());
  QTest::mouseClick(w.canvasTools.componentPicker->okButton, Qt::LeftButton);
  ASSERT_TRUE(w.editor.placing);
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  QTest::keyClick(w.windowHandle(), Qt::Key_Escape);
  EXPECT_FALSE(w.editor.placing);
  EXPECT_EQ(w.editor.ScreenImage(), w.canvas.Image());
}

TEST(MainWindow, SecondaryWindowsAreTransientForTheMainWindow) {
  Started s;
  MainWindow& w = s.window;
  w.show();
  s.Open("four-state-cycle.sfi");
  w.ShowAbout();
  w.aboutBox->close();
  w.fileCommands.Print();
  EXPECT_EQ(w.fileCommands.printerForm->windowHandle()->transientParent(), w.windowHandle());
  w.fileCommands.printerForm->close();
  w.formCommands.ShowForm();
  EXPECT_EQ(w.formCommands.formWindow->windowHandle()->transientParent(), w.windowHandle());
  EXPECT_EQ(w.formCommands.formWindow->parent(), nullptr);  // not disabled with the main window
  EXPECT_TRUE(w.formCommands.formWindow->isEnabled());
}

// Every caption of every window gets the width its text needs.
void ExpectNoCaptionCut(QWidget* window) {
  for (auto* label : window->findChildren<QLabel*>()) {
    if (!label->isVisibleTo(window) || label->wordWrap() || label->text().isEmpty()) continue;
    EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
  }
  for (auto* button : window->findChildren<QAbstractButton*>()) {
    if (!button->isVisibleTo(window) || button->text().isEmpty()) continue;
    // A push button's size hint has a style minimum beyond its text; its text needs a margin.
    QString text = button->text();
    text.remove(QLatin1Char('&'));
    const int needed = qobject_cast<QPushButton*>(button) ? button->fontMetrics().horizontalAdvance(text) + 6
                                                          : button->sizeHint().width();
    EXPECT_GE(button->width(), needed) << text.toStdString();
  }
}

TEST(MainWindow, NoCaptionIsCutAndTheCanvasAreaGrowsWithTheWindow) {
  Started s;
  MainWindow& w = s.window;
  w.show();
  s.Open("four-state-cycle.sfi");
  ExpectNoCaptionCut(&w);
  w.fileCommands.Print();
  ExpectNoCaptionCut(w.fileCommands.printerForm);
  w.fileCommands.printerForm->close();
  w.canvasTools.AddComponent();
  ExpectNoCaptionCut(w.canvasTools.componentPicker);
  w.canvasTools.componentPicker->close();
  w.ShowAbout();
  ExpectNoCaptionCut(w.aboutBox);
  w.aboutBox->close();
  w.formCommands.ShowForm();
  ExpectNoCaptionCut(w.formCommands.formWindow.get());
  w.formCommands.formWindow->close();

  const QSize canvasArea = w.canvasScroll->size();
  const QPoint tools = w.canvasTools.frame->pos();
  w.resize(w.size() + QSize(200, 150));
  QApplication::processEvents();
  EXPECT_EQ(w.canvasScroll->size(), canvasArea + QSize(200, 150));
  EXPECT_EQ(w.canvasTools.frame->pos(), tools + QPoint(0, 150));
}

TEST(MainWindow, ZoomKeepsHandEditsAtTheClickedTwips) {
  Started s;
  MainWindow& w = s.window;
  w.show();
  s.Open("four-state-cycle.sfi");
  const QSize natural = w.canvas.Image().size();
  w.viewControls.ZoomStep(1);
  w.viewControls.ZoomStep(1);
  w.viewControls.ZoomStep(1);
  EXPECT_EQ(w.canvasView->Zoom(), 2.0);
  EXPECT_EQ(w.canvasView->size(), natural * 2);
  // The zoomed view is the picture drawn anew at twice the size.
  const QImage shown = w.canvasView->grab().toImage();
  EXPECT_EQ(shown.size(), natural * 2);

  w.canvasTools.AddComponent();
  QTest::mouseClick(w.canvasTools.componentPicker->okButton, Qt::LeftButton);
  QTest::mouseMove(w.canvasView, QPoint(300, 200));
  QTest::mouseClick(w.canvasView, Qt::LeftButton, {}, QPoint(300, 200));
  const PictureOp& stamp = w.canvas.Record().ops.back();
  EXPECT_TRUE(stamp.handEdit);
  EXPECT_EQ(stamp.kind, PictureOp::Kind::Tile);
  EXPECT_EQ(stamp.x, 150 * kTwipsPerPixel);
  EXPECT_EQ(stamp.y, 100 * kTwipsPerPixel);

  w.viewControls.ZoomToFit();
  EXPECT_LE(w.canvasView->width(), w.canvasScroll->viewport()->width());
  EXPECT_LE(w.canvasView->height(), w.canvasScroll->viewport()->height());
  w.canvasView->SetZoom(1.0);

  w.viewControls.CopyPicture();
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
            w.canvas.Image().copy(DrawnArea(w.canvas.Record())));
}

TEST(MainWindow, EmptyViewsSayWhyAndEquationsCanBeCopied) {
  Started s;
  MainWindow& w = s.window;
  s.Open("two-state-latch.sfi");
  QTest::mouseClick(w.viewControls.viewButtons[static_cast<int>(ViewButton::ShowC)], Qt::LeftButton);
  EXPECT_EQ(w.canvasView->Note(), QStringLiteral("No transition changes C: it needs no circuit."));
  QTest::mouseClick(w.viewControls.viewButtons[static_cast<int>(ViewButton::ShowA)], Qt::LeftButton);
  EXPECT_TRUE(w.canvasView->Note().isEmpty());

  w.formCommands.ShowForm();
  QTest::mouseClick(w.formCommands.formWindow->equationsButton, Qt::LeftButton);
  ASSERT_TRUE(w.formCommands.equationWindow && w.session.eqView);
  QTest::mouseClick(w.formCommands.equationWindow->copyAllButton, Qt::LeftButton);
  const QString copied = QGuiApplication::clipboard()->text();
  EXPECT_EQ(copied.toStdString(), EquationRowsText(*w.session.eqView));
  EXPECT_TRUE(copied.startsWith(QStringLiteral("  On A  = ")));
  EXPECT_TRUE(w.formCommands.equationWindow->finalLabels[0]->textInteractionFlags() & Qt::TextSelectableByKeyboard);
}

TEST(MainWindow, TheStateDiagramFollowsTheTableAndOpensTheForm) {
  Started s;
  MainWindow& w = s.window;
  w.show();
  s.Open("traffic-light.sfi");
  w.machineWindows.ShowDiagram();
  ASSERT_TRUE(w.machineWindows.diagramWindow && w.machineWindows.diagramWindow->isVisible());
  EXPECT_EQ(w.machineWindows.diagramWindow->windowHandle()->transientParent(), w.windowHandle());
  const DiagramLayout& layout = w.machineWindows.diagramWindow->view->Layout();
  ASSERT_EQ(layout.nodes.size(), StatesInUse(w.entryForm->table()).size());

  // A click on the bubble of S2 opens the form at S2.
  const DiagramNode* s2 = nullptr;
  for (const auto& n : layout.nodes) {
    if (n.state == 2) s2 = &n;
  }
  ASSERT_NE(s2, nullptr);
  const QSize size = DiagramPictureSize(layout);
  const QSize shown = w.machineWindows.diagramWindow->view->size();
  const QPointF scale(double(shown.width()) / size.width(), double(shown.height()) / size.height());
  const QPoint at((12 + s2->center.x * 96.0 / 72.0) * scale.x(), (12 + s2->center.y * 96.0 / 72.0) * scale.y());
  QTest::mouseClick(w.machineWindows.diagramWindow->view, Qt::LeftButton, {}, at);
  EXPECT_EQ(w.shownState, 2);
  ASSERT_TRUE(w.formCommands.formWindow && w.formCommands.formWindow->isVisible());
  EXPECT_EQ(w.formCommands.formWindow->stateLabel->text(), QStringLiteral("S2"));
  QTest::mouseClick(w.formCommands.formWindow->cancelButton, Qt::LeftButton);

  // Export As writes the picture; New Form leaves an empty diagram.
  testing::TempDir dir;
  s.dialogs.fileNames = {dir.File("diagram.svg")};
  w.machineWindows.diagramWindow->ExportAs();
  EXPECT_TRUE(QFile::exists(QString::fromStdString(dir.File("diagram.svg"))));
  s.dialogs.answers = {Answer::Discard};
  w.formCommands.NewTable();
  EXPECT_TRUE(w.machineWindows.diagramWindow->view->Layout().nodes.empty());
}

// Simulate: switches move the relays on the drawing, the canvas shows the
// current on the screen only, and leaving restores every pixel.
TEST(MainWindow, SimulateShowsTheCurrentAndLeavesNoTrace) {
  Started s;
  MainWindow& w = s.window;
  w.show();
  s.Open("traffic-light.sfi");
  const QImage before = w.canvasView->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage picture = w.canvas.Image();
  w.machineWindows.Simulate();
  SimulationWindow& sim = *w.machineWindows.simulationWindow;
  EXPECT_EQ(sim.windowHandle()->transientParent(), w.windowHandle());
  ASSERT_NE(sim.Simulation(), nullptr);
  EXPECT_EQ(sim.stateLabel->text(), QStringLiteral("S0: Red   (relays 0000)"));
  EXPECT_FALSE(sim.outputLamps[0]->isHidden());  // "Red"

  sim.stepMode->setChecked(true);  // one move per Step
  const int t1 = sim.Simulation()->SwitchIndex("T1");
  QTest::mouseClick(sim.switchButtons[t1], Qt::LeftButton);
  EXPECT_TRUE(sim.Simulation()->SwitchOn(t1));
  EXPECT_EQ(sim.Simulation()->Due(), 1);  // A is due
  QTest::mouseClick(sim.stepButton, Qt::LeftButton);
  EXPECT_EQ(sim.Simulation()->State(), 1);
  EXPECT_TRUE(sim.logBox->toPlainText().contains(QStringLiteral("A picks up: T1 closed the path")));
  EXPECT_TRUE(sim.logBox->toPlainText().contains(QStringLiteral("Settled in S1: Red and amber (0001).")));

  // The current is drawn over the picture on screen, never into it.
  const QImage lit = w.canvasView->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_NE(lit, before);
  EXPECT_EQ(w.canvas.Image(), picture);
  int green = 0;
  for (int y = 0; y < lit.height(); ++y) {
    for (int x = 0; x < lit.width(); ++x) green += lit.pixel(x, y) == kCurrentColour.rgb();
  }
  EXPECT_GT(green, 100);

  // A held (momentary) switch is on only while pressed.
  const int t2 = sim.Simulation()->SwitchIndex("T2");
  sim.momentaryBoxes[t2]->setChecked(true);
  QTest::mousePress(sim.switchButtons[t2], Qt::LeftButton);
  EXPECT_TRUE(sim.Simulation()->SwitchOn(t2));
  QTest::mouseRelease(sim.switchButtons[t2], Qt::LeftButton);
  EXPECT_FALSE(sim.Simulation()->SwitchOn(t2));

  // Reset goes back to S0; closing removes the colours, pixel for pixel.
  QTest::mouseClick(sim.resetButton, Qt::LeftButton);
  EXPECT_EQ(sim.Simulation()->State(), 0);
  sim.close();
  EXPECT_EQ(w.canvasView->grab().toImage().convertToFormat(QImage::Format_RGB32), before);
}

// S2 -> S0 through the transit state S3: the log and the label say it is
// passed, not reached; X3 let go halfway leaves the machine stuck in it.
TEST(MainWindow, SimulatePassesTransitStates) {
  testing::TempDir dir;
  ASSERT_TRUE(WriteStatesFile(dir.File("ring.sfi"), testing::TransitRing()));
  Started s;
  MainWindow& w = s.window;
  s.dialogs.fileNames = {dir.File("ring.sfi")};
  w.fileCommands.OpenWithDialog();
  w.machineWindows.Simulate();
  SimulationWindow& sim = *w.machineWindows.simulationWindow;
  ASSERT_NE(sim.Simulation(), nullptr);
  sim.stepMode->setChecked(true);
  sim.startState->setCurrentIndex(sim.startState->findData(2));
  sim.ResetMachine();
  const int x3 = sim.Simulation()->SwitchIndex("X3");
  sim.SetSwitch(x3, true);
  sim.Tick();
  EXPECT_EQ(sim.stateLabel->text(), QStringLiteral("passing S3 (transit) on the way to S0   (relays 0010)"));
  EXPECT_TRUE(sim.logBox->toPlainText().endsWith(QStringLiteral("\npasses S3 (transit) on the way to S0")));

  sim.SetSwitch(x3, false);
  const QString stuck =
      QStringLiteral("stuck in S3 (transit): it is meant to be passed through to S0 on X3, but X3 is not true now");
  EXPECT_EQ(sim.stateLabel->text(), stuck + QStringLiteral("   (relays 0010)"));
  EXPECT_TRUE(sim.logBox->toPlainText().endsWith(QStringLiteral("\nS") + stuck.mid(1) + QStringLiteral(" (0010).")));
}

}  // namespace
}  // namespace kelvo

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // Settings (recent files, the last folder) go to a folder of this run, never the user's.
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  QApplication::setOrganizationName(QStringLiteral("kelvo16s-tests"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
