// The table and its drawing as one document in the window, tried as a user
// does: checks of what is drawn, cancelled opens, hand edits, saving and the
// codes with transit states.

#include <gtest/gtest.h>

#include <QTest>

#include "statediagram/DiagramLayout.h"
#include "statediagram/StatesFile.h"
#include "support/StartedWindow.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::kExamples;
using testing::Started;

void LeaveForm(MainWindow& w) {
  w.formCommands.formWindow->close();
  QApplication::processEvents();
}

// Equations after an edit, or refused, leave the drawing as it was: the
// check runs what is drawn and says first that the table has moved on.
TEST(DocumentFlows, CheckRunsWhatIsDrawn) {
  Started s;
  MainWindow& w = s.window;
  s.Open("traffic-light.sfi");
  w.machineWindows.CheckCircuit();
  ASSERT_FALSE(w.machineWindows.checkReport.isNull());
  const QString drawn = w.machineWindows.checkReport->summaryLabel->text();
  EXPECT_TRUE(w.machineWindows.checkReport->warningLabel == nullptr);

  for (const char* edit : {"trigger", "target"}) {
    w.formCommands.ShowForm();
    EntryFormWindow& form = *w.formCommands.formWindow;
    if (edit == std::string("trigger")) {
      form.conditionBoxes[0]->setText(QStringLiteral("T1+T9"));
    } else {
      form.targetBoxes[0]->setEditText(QStringLiteral("X1"));
    }
    QTest::mouseClick(form.equationsButton, Qt::LeftButton);
    LeaveForm(w);
    w.machineWindows.CheckCircuit();
    ASSERT_FALSE(w.machineWindows.checkReport.isNull());
    ASSERT_TRUE(w.machineWindows.checkReport->warningLabel != nullptr) << edit;
    EXPECT_EQ(w.machineWindows.checkReport->warningLabel->text(), QString::fromUtf8(kStaleDrawing));
    EXPECT_EQ(w.machineWindows.checkReport->summaryLabel->text(), drawn) << edit;
    EXPECT_TRUE(w.viewControls.drawingNotes->text().startsWith(QString::fromUtf8(kStaleDrawing)));
  }
  // Circuit draws the table again, and the warning goes.
  s.dialogs.answers = {Answer::Yes};
  w.formCommands.ShowForm();
  w.formCommands.formWindow->targetBoxes[0]->setEditText(QStringLiteral("S1"));
  QTest::mouseClick(w.formCommands.formWindow->circuitButton, Qt::LeftButton);
  w.machineWindows.CheckCircuit();
  EXPECT_TRUE(w.machineWindows.checkReport->warningLabel == nullptr);
  EXPECT_FALSE(w.viewControls.drawingNotes->text().startsWith(QString::fromUtf8(kStaleDrawing)));
}

// No to "Possible Data Loss" before an open cancels all of it.
TEST(DocumentFlows, DeclinedOpenLeavesEverythingAsItWas) {
  Started s;
  MainWindow& w = s.window;
  s.Open("traffic-light.sfi");  // a recent file to open from the menu
  s.Open("four-state-cycle.sfi");
  ASSERT_TRUE(w.views.AddHandEdit(HandEdit::Stamp(8, 1500, 1500), "Stamp"));
  const StateDiagram table = w.entryForm->table();
  const QImage picture = w.canvas.Image().copy();
  const QString title = w.windowTitle();
  s.dialogs.messages.clear();
  s.dialogs.fileDialogs.clear();

  s.dialogs.answers = {Answer::No, Answer::No};
  w.fileCommands.OpenWithDialog();
  w.fileCommands.recentMenu->actions()[1]->trigger();
  ASSERT_EQ(s.dialogs.messages.size(), 2u);
  EXPECT_EQ(s.dialogs.messages[1].title, "Possible Data Loss");
  EXPECT_TRUE(s.dialogs.fileDialogs.empty());
  EXPECT_EQ(w.entryForm->table(), table);
  EXPECT_EQ(w.canvas.Image(), picture);
  EXPECT_EQ(w.windowTitle(), title);

  // Yes: the other table opens, its own drawing without the edit.
  s.dialogs.answers = {Answer::Yes};
  w.fileCommands.recentMenu->actions()[1]->trigger();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Kelvo 16s - traffic-light.sfi[*]"));
  EXPECT_FALSE(w.session.document.HasHandEdits());
  EXPECT_FALSE(w.session.DrawingIsStale());
}

// A hand edit is a change of the document: "*", kept across views, undone.
TEST(DocumentFlows, HandEditsArePartOfTheDocument) {
  Started s;
  MainWindow& w = s.window;
  s.Open("traffic-light.sfi");
  w.viewControls.ShowView(ViewButton::ShowA);
  EXPECT_FALSE(w.isWindowModified());
  w.editor.PointerMoved(false, 3000, 3000);
  w.editor.Clicked();  // the insertion point
  w.canvasTools.textBox->setText(QStringLiteral("pump"));
  w.canvasTools.InsertText();
  EXPECT_TRUE(w.isWindowModified());
  const QImage edited = w.canvas.Image().copy();

  w.viewControls.ShowView(ViewButton::ShowB);
  EXPECT_NE(w.canvas.Image(), edited);
  w.viewControls.ShowView(ViewButton::ShowA);
  EXPECT_EQ(w.canvas.Image(), edited);
  EXPECT_TRUE(s.dialogs.messages.empty());

  w.undoAction->trigger();
  EXPECT_FALSE(w.isWindowModified());
  EXPECT_FALSE(w.undoAction->isEnabled());
  EXPECT_NE(w.canvas.Image(), edited);
  w.redoAction->trigger();
  EXPECT_EQ(w.canvas.Image(), edited);
  EXPECT_EQ(w.undoAction->text(), QStringLiteral("&Undo Add Text"));

  // Circuit with the same table keeps the edit; a changed table asks first,
  // and No keeps the table, the drawing and the edit.
  w.formCommands.ShowForm();
  QTest::mouseClick(w.formCommands.formWindow->circuitButton, Qt::LeftButton);
  EXPECT_EQ(w.canvas.Image().size(), edited.size());
  w.viewControls.ShowView(ViewButton::ShowA);
  EXPECT_EQ(w.canvas.Image(), edited);
  w.formCommands.ShowForm();
  w.formCommands.formWindow->comment->setText(QStringLiteral("changed"));
  s.dialogs.answers = {Answer::No};
  QTest::mouseClick(w.formCommands.formWindow->circuitButton, Qt::LeftButton);
  ASSERT_EQ(s.dialogs.messages.size(), 1u);
  EXPECT_EQ(s.dialogs.messages[0].title, "Possible Data Loss");
  EXPECT_EQ(w.canvas.Image(), edited);
  EXPECT_TRUE(w.formCommands.formWindow->isVisible());
}

// Save writes to the table's own file, Save As always asks, Ctrl+O opens.
TEST(DocumentFlows, SavingAsPeopleExpect) {
  Started s;
  MainWindow& w = s.window;
  testing::TempDir dir;
  EXPECT_TRUE(w.fileCommands.openAction->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_O)));
  EXPECT_EQ(w.fileCommands.saveAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
  EXPECT_EQ(w.fileCommands.saveAsAction->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));

  // A new table asks where; then it has a file and Save asks no more.
  w.formCommands.ShowForm();
  w.formCommands.formWindow->comment->setText(QStringLiteral("first"));
  LeaveForm(w);
  s.dialogs.fileNames = {dir.File("new.sfi")};
  w.fileCommands.saveAction->trigger();
  EXPECT_EQ(s.dialogs.fileDialogs.size(), 1u);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Kelvo 16s - new.sfi[*]"));
  EXPECT_FALSE(w.isWindowModified());
  w.formCommands.ShowForm();
  w.formCommands.formWindow->comment->setText(QStringLiteral("second"));
  LeaveForm(w);
  EXPECT_TRUE(w.isWindowModified());
  w.fileCommands.saveAction->trigger();
  EXPECT_EQ(s.dialogs.fileDialogs.size(), 1u);
  EXPECT_EQ(ReadStatesFile(dir.File("new.sfi"))->Comments[0], "second");
  EXPECT_FALSE(w.isWindowModified());

  s.dialogs.fileNames = {dir.File("copy.sfi")};
  w.fileCommands.saveAsAction->trigger();
  EXPECT_EQ(s.dialogs.fileDialogs.size(), 2u);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Kelvo 16s - copy.sfi[*]"));
  EXPECT_EQ(ReadStatesFile(dir.File("copy.sfi"))->Comments[0], "second");
}

// Tools > Assign Codes with Transit States on a ring of three: Yes types in
// the codes with one transit state and unticks Auto; one Undo takes it back.
TEST(DocumentFlows, TransitCodesAreOneStep) {
  StateDiagram ring;
  for (int s = 0; s < 3; ++s) {
    ring.Targets[s][0] = "S" + std::to_string((s + 1) % 3);
    ring.Triggers[s][0] = "X" + std::to_string(s + 1);
  }
  testing::TempDir dir;
  ASSERT_TRUE(WriteStatesFile(dir.File("ring.sfi"), ring));
  Started s;
  MainWindow& w = s.window;
  s.dialogs.fallbackAnswer = Answer::No;  // no automatic codes on opening
  s.dialogs.fileNames = {dir.File("ring.sfi")};
  w.fileCommands.OpenWithDialog();
  w.formCommands.ShowForm();
  w.formCommands.formWindow->autoCodes->setChecked(true);
  const StateDiagram before = w.entryForm->table();
  ASSERT_EQ(StatesInUse(before).size(), 3u);

  s.dialogs.answers = {Answer::Yes};
  w.transitCodesAction->trigger();
  const StateDiagram coded = w.entryForm->table();
  EXPECT_EQ(StatesInUse(coded).size(), 4u);
  EXPECT_EQ(coded.Comments[3], "S2 -> S0 (transit)");
  EXPECT_EQ(coded.Codes[3], "0010");
  EXPECT_FALSE(w.entryForm->autoCodes);
  EXPECT_FALSE(w.formCommands.formWindow->autoCodes->isChecked());

  w.undoAction->trigger();
  EXPECT_EQ(w.entryForm->table(), before);
}

}  // namespace
}  // namespace kelvo
