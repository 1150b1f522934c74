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
  w.entryFormWindow->close();
  QApplication::processEvents();
}

// Equations after an edit, or refused, leave the drawing as it was: the
// check runs what is drawn and says first that the table has moved on.
TEST(DocumentFlows, CheckRunsWhatIsDrawn) {
  Started s;
  MainWindow& w = s.window;
  s.Open("traffic-light.sfi");
  w.ToolsCheck_Click();
  ASSERT_FALSE(w.checkReport.isNull());
  const QString drawn = w.checkReport->Summary->text();
  EXPECT_TRUE(w.checkReport->Warning == nullptr);

  for (const char* edit : {"trigger", "target"}) {
    w.DataForm_Click();
    EntryFormWindow& form = *w.entryFormWindow;
    if (edit == std::string("trigger")) {
      form.TransVar[0]->setText(QStringLiteral("T1+T9"));
    } else {
      form.ToState[0]->setEditText(QStringLiteral("X1"));
    }
    QTest::mouseClick(form.FinishButton, Qt::LeftButton);
    LeaveForm(w);
    w.ToolsCheck_Click();
    ASSERT_FALSE(w.checkReport.isNull());
    ASSERT_TRUE(w.checkReport->Warning != nullptr) << edit;
    EXPECT_EQ(w.checkReport->Warning->text(), QString::fromUtf8(kStaleDrawing));
    EXPECT_EQ(w.checkReport->Summary->text(), drawn) << edit;
    EXPECT_TRUE(w.DrawingNotes->text().startsWith(QString::fromUtf8(kStaleDrawing)));
  }
  // Circuit draws the table again, and the warning goes.
  s.dialogs.answers = {Answer::Yes};
  w.DataForm_Click();
  w.entryFormWindow->ToState[0]->setEditText(QStringLiteral("S1"));
  QTest::mouseClick(w.entryFormWindow->CircExt, Qt::LeftButton);
  w.ToolsCheck_Click();
  EXPECT_TRUE(w.checkReport->Warning == nullptr);
  EXPECT_FALSE(w.DrawingNotes->text().startsWith(QString::fromUtf8(kStaleDrawing)));
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
  w.FileOpen_Click();
  w.RecentMenu->actions()[1]->trigger();
  ASSERT_EQ(s.dialogs.messages.size(), 2u);
  EXPECT_EQ(s.dialogs.messages[1].title, "Possible Data Loss");
  EXPECT_TRUE(s.dialogs.fileDialogs.empty());
  EXPECT_EQ(w.entryForm->table(), table);
  EXPECT_EQ(w.canvas.Image(), picture);
  EXPECT_EQ(w.windowTitle(), title);

  // Yes: the other table opens, its own drawing without the edit.
  s.dialogs.answers = {Answer::Yes};
  w.RecentMenu->actions()[1]->trigger();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Kelvo 16s - traffic-light.sfi[*]"));
  EXPECT_FALSE(w.session.document.HasHandEdits());
  EXPECT_FALSE(w.session.DrawingIsStale());
}

// A hand edit is a change of the document: "*", kept across views, undone.
TEST(DocumentFlows, HandEditsArePartOfTheDocument) {
  Started s;
  MainWindow& w = s.window;
  s.Open("traffic-light.sfi");
  w.ShowView(ViewButton::ShowA);
  EXPECT_FALSE(w.isWindowModified());
  w.editor.Picture1_MouseMove(false, 3000, 3000);
  w.editor.Picture1_Click();  // the insertion point
  w.PicText->setText(QStringLiteral("pump"));
  w.InsText_Click();
  EXPECT_TRUE(w.isWindowModified());
  const QImage edited = w.canvas.Image().copy();

  w.ShowView(ViewButton::ShowB);
  EXPECT_NE(w.canvas.Image(), edited);
  w.ShowView(ViewButton::ShowA);
  EXPECT_EQ(w.canvas.Image(), edited);
  EXPECT_TRUE(s.dialogs.messages.empty());

  w.EditUndo->trigger();
  EXPECT_FALSE(w.isWindowModified());
  EXPECT_FALSE(w.EditUndo->isEnabled());
  EXPECT_NE(w.canvas.Image(), edited);
  w.EditRedo->trigger();
  EXPECT_EQ(w.canvas.Image(), edited);
  EXPECT_EQ(w.EditUndo->text(), QStringLiteral("&Undo Add Text"));

  // Circuit with the same table keeps the edit; a changed table asks first,
  // and No keeps the table, the drawing and the edit.
  w.DataForm_Click();
  QTest::mouseClick(w.entryFormWindow->CircExt, Qt::LeftButton);
  EXPECT_EQ(w.canvas.Image().size(), edited.size());
  w.ShowView(ViewButton::ShowA);
  EXPECT_EQ(w.canvas.Image(), edited);
  w.DataForm_Click();
  w.entryFormWindow->comment->setText(QStringLiteral("changed"));
  s.dialogs.answers = {Answer::No};
  QTest::mouseClick(w.entryFormWindow->CircExt, Qt::LeftButton);
  ASSERT_EQ(s.dialogs.messages.size(), 1u);
  EXPECT_EQ(s.dialogs.messages[0].title, "Possible Data Loss");
  EXPECT_EQ(w.canvas.Image(), edited);
  EXPECT_TRUE(w.entryFormWindow->isVisible());
}

// Save writes to the table's own file, Save As always asks, Ctrl+O opens.
TEST(DocumentFlows, SavingAsPeopleExpect) {
  Started s;
  MainWindow& w = s.window;
  testing::TempDir dir;
  EXPECT_TRUE(w.FileOpen->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_O)));
  EXPECT_EQ(w.FileSaveInPlace->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
  EXPECT_EQ(w.FileSaveAs->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));

  // A new table asks where; then it has a file and Save asks no more.
  w.DataForm_Click();
  w.entryFormWindow->comment->setText(QStringLiteral("first"));
  LeaveForm(w);
  s.dialogs.fileNames = {dir.File("new.sfi")};
  w.FileSaveInPlace->trigger();
  EXPECT_EQ(s.dialogs.fileDialogs.size(), 1u);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Kelvo 16s - new.sfi[*]"));
  EXPECT_FALSE(w.isWindowModified());
  w.DataForm_Click();
  w.entryFormWindow->comment->setText(QStringLiteral("second"));
  LeaveForm(w);
  EXPECT_TRUE(w.isWindowModified());
  w.FileSaveInPlace->trigger();
  EXPECT_EQ(s.dialogs.fileDialogs.size(), 1u);
  EXPECT_EQ(ReadStatesFile(dir.File("new.sfi"))->Comments[0], "second");
  EXPECT_FALSE(w.isWindowModified());

  s.dialogs.fileNames = {dir.File("copy.sfi")};
  w.FileSaveAs->trigger();
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
  w.FileOpen_Click();
  w.DataForm_Click();
  w.entryFormWindow->autoCodes->setChecked(true);
  const StateDiagram before = w.entryForm->table();
  ASSERT_EQ(StatesInUse(before).size(), 3u);

  s.dialogs.answers = {Answer::Yes};
  w.ToolsTransitCodes->trigger();
  const StateDiagram coded = w.entryForm->table();
  EXPECT_EQ(StatesInUse(coded).size(), 4u);
  EXPECT_EQ(coded.Comments[3], "S2 -> S0 (transit)");
  EXPECT_EQ(coded.Codes[3], "0010");
  EXPECT_FALSE(w.entryForm->autoCodes);
  EXPECT_FALSE(w.entryFormWindow->autoCodes->isChecked());

  w.EditUndo->trigger();
  EXPECT_EQ(w.entryForm->table(), before);
}

}  // namespace
}  // namespace kelvo
