#include "ui/EntryFormWindow.h"

#include <gtest/gtest.h>

#include <QTest>

#include "support/ScriptedDialogs.h"

namespace kelvo {
namespace {

using testing::ScriptedDialogs;

class NullHost : public EntryFormHost {
public:
  void ShowEquationView(const EquationViewTexts& t) override { views.push_back(t); }
  void HandOverCircuit() override { ++handOvers; }
  std::vector<EquationViewTexts> views;
  int handOvers = 0;
};

struct Fixture {
  ScriptedDialogs dialogs;
  NullHost host;
  int shownState = 0;
  EquationSet equations;
  Document document;
  EntryForm logic{dialogs, host, document, shownState, equations};
  EntryFormWindow window{logic, dialogs};
};

TEST(EntryFormWindow, TypingKeyByKeyThroughTheFilters) {
  Fixture f;
  f.window.ShowForm();
  QTest::keyClicks(f.window.codeBox, "012011");
  EXPECT_EQ(f.window.codeBox->text(), QStringLiteral("0101"));
  EXPECT_EQ(f.dialogs.beeps, 2);
  EXPECT_EQ(f.logic.shown.code, "0101");

  QTest::keyClicks(f.window.conditionBoxes[0], "1A1.2B1 ");
  EXPECT_EQ(f.window.conditionBoxes[0]->text(), QStringLiteral("A1.B1"));
  EXPECT_EQ(f.dialogs.beeps, 5);
  f.window.conditionBoxes[0]->setCursorPosition(0);
  QTest::keyClick(f.window.conditionBoxes[0], Qt::Key_Backspace);
  EXPECT_EQ(f.dialogs.beeps, 6);
  f.window.conditionBoxes[0]->selectAll();  // typing over a selection: the caret is its start
  QTest::keyClick(f.window.conditionBoxes[0], '1');
  EXPECT_EQ(f.window.conditionBoxes[0]->text(), QStringLiteral("A1.B1"));
  EXPECT_EQ(f.dialogs.beeps, 7);

  f.window.targetBoxes[0]->setEditText(QStringLiteral("S1"));
  f.window.relayNameBoxes[2]->setText(QStringLiteral("Pump"));
  QTest::mouseClick(f.window.relayOnButtons[2], Qt::LeftButton);
  EXPECT_TRUE(f.logic.shown.on[2]);
  QTest::mouseClick(f.window.nextButton, Qt::LeftButton);
  EXPECT_EQ(f.window.stateLabel->text(), QStringLiteral("S1"));
  EXPECT_EQ(f.window.transitionsFrame->title(), QStringLiteral("S1 To:"));
  EXPECT_EQ(f.window.focusWidget(), f.window.codeBox);  // the first field of the new page
  EXPECT_EQ(f.window.codeBox->text(), QString());
  EXPECT_EQ(f.window.relayNameBoxes[2]->text(), QStringLiteral("Pump"));
  EXPECT_FALSE(f.window.relayOnButtons[2]->isChecked());
  EXPECT_FALSE(f.window.relayOffButtons[2]->isChecked());
  EXPECT_EQ(f.window.targetBoxes[0]->itemText(0), QStringLiteral("S0"));
  EXPECT_EQ(f.window.targetBoxes[0]->count(), 15);
  QTest::mouseClick(f.window.backButton, Qt::LeftButton);
  EXPECT_EQ(f.window.codeBox->text(), QStringLiteral("0101"));
  EXPECT_EQ(f.window.conditionBoxes[0]->text(), QStringLiteral("A1.B1"));
  EXPECT_EQ(f.window.targetBoxes[0]->currentText(), QStringLiteral("S1"));
  EXPECT_TRUE(f.window.relayOnButtons[2]->isChecked());
  EXPECT_FALSE(f.window.backButton->isEnabled());
  EXPECT_EQ(f.window.focusWidget(), f.window.codeBox);
}

// Esc, the close button and Cancel keep the shown page, each as one step.
TEST(EntryFormWindow, ClosingKeepsTheShownPage) {
  Fixture f;
  int left = 0;
  f.window.onLeave = [&] { ++left; };
  f.window.ShowForm();
  f.window.autoCodes->setChecked(true);
  f.window.comment->setText(QStringLiteral("stored"));
  QTest::mouseClick(f.window.nextButton, Qt::LeftButton);
  f.window.comment->setText(QStringLiteral("closed"));
  f.window.close();
  EXPECT_EQ(left, 1);
  f.window.ShowForm();
  EXPECT_EQ(f.window.comment->text(), QStringLiteral("closed"));
  EXPECT_FALSE(f.window.autoCodes->isChecked());
  EXPECT_EQ(f.logic.table().Comments[0], "stored");
  f.window.comment->setText(QStringLiteral("escaped"));
  f.window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
  QTest::keyClick(f.window.windowHandle(), Qt::Key_Escape);
  EXPECT_EQ(f.logic.table().Comments[1], "escaped");
  f.window.ShowForm();
  f.window.comment->setText(QStringLiteral("cancelled"));
  QTest::mouseClick(f.window.cancelButton, Qt::LeftButton);
  EXPECT_EQ(left, 3);
  EXPECT_FALSE(f.window.isVisible());
  EXPECT_EQ(f.logic.table().Comments[1], "cancelled");
  EXPECT_EQ(f.document.UndoText(), "Edit S1");
  f.document.Undo();
  EXPECT_EQ(f.logic.table().Comments[1], "escaped");
}

TEST(EntryFormWindow, HintsFollowThePointer) {
  Fixture f;
  f.window.ShowForm();
  QTest::mouseMove(f.window.relaysFrame, QPoint(2, 2));
  QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(f.window.relaysFrame, &move);
  EXPECT_TRUE(f.window.hintLabel->text().startsWith(QStringLiteral("    Complete all the necessary")))
      << f.window.hintLabel->text().toStdString();
  QApplication::sendEvent(&f.window, &move);
  EXPECT_EQ(f.window.hintLabel->text(), QString());
}

}  // namespace
}  // namespace kelvo
