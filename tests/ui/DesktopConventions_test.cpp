// The main window and its windows as a keyboard user meets them: the View
// menu's shortcuts, one Tab stop per relay, Enter on the default button, a
// click on the disabled main window, and a size that fits a small screen.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "support/StartedWindow.h"

namespace kelvo {
namespace {

using testing::Started;

void Activate(QWidget* window) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

TEST(DesktopConventions, ViewMenuShortcutsAndZoom) {
  Started s;
  MainWindow& w = s.window;
  w.show();
  s.Open("traffic-light.sfi");
  const ViewButton order[] = {ViewButton::ShowA, ViewButton::ShowB,   ViewButton::ShowC,
                              ViewButton::ShowD, ViewButton::ShowAll, ViewButton::MachineState};
  Activate(&w);
  for (int i = 0; i < kViewButtons; ++i) {
    QAction* show = w.viewControls.viewActions[static_cast<int>(order[i])];
    EXPECT_EQ(show->shortcut(), QKeySequence(Qt::CTRL | (Qt::Key_1 + i)));
    QTest::keyClick(w.windowHandle(), static_cast<Qt::Key>(Qt::Key_1 + i), Qt::ControlModifier);
    if (show->isEnabled()) {
      EXPECT_EQ(w.views.Current(), order[i]) << i;
    }
  }
  w.viewControls.parallelFormAction->trigger();
  EXPECT_TRUE(w.viewControls.parallelForm->isChecked());
  w.viewControls.ZoomStep(1);
  EXPECT_EQ(w.viewControls.zoomLevel->text(), QStringLiteral("125%"));
  QTest::keyClick(w.windowHandle(), Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(w.canvasView->Zoom(), 1.0);
  EXPECT_EQ(w.viewControls.zoomLevel->text(), QStringLiteral("100%"));
}

// Tab from the last trigger reaches the relay names, then one stop per relay
// (the option chosen); the arrows choose.
TEST(DesktopConventions, FormTabOrderAndRelayOptions) {
  Started s;
  MainWindow& w = s.window;
  w.formCommands.ShowForm();
  EntryFormWindow& form = *w.formCommands.formWindow;
  Activate(&form);
  form.conditionBoxes[kSlotCount - 1]->setFocus();
  QTest::keyClick(form.windowHandle(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), form.relayNameBoxes[0]);
  form.relayOffButtons[0]->setChecked(true);
  QTest::keyClick(form.windowHandle(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), form.relayOffButtons[0]);
  QTest::keyClick(form.windowHandle(), Qt::Key_Left);
  EXPECT_TRUE(form.relayOnButtons[0]->isChecked());
  EXPECT_TRUE(w.entryForm->shown.on[0]);
  EXPECT_EQ(QApplication::focusWidget(), form.relayOnButtons[0]);
  QTest::keyClick(form.windowHandle(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), form.relayNameBoxes[1]);
  EXPECT_FALSE(form.hintLabel->text().isEmpty());  // the focused field's hint
}

// Enter presses the default button; a click on the disabled main window
// gives the window in charge the keyboard back.
TEST(DesktopConventions, EnterAndTheWindowInCharge) {
  Started s;
  MainWindow& w = s.window;
  w.show();
  s.Open("four-state-cycle.sfi");
  w.canvasTools.AddComponent();
  ASSERT_FALSE(w.canvasTools.componentPicker.isNull());
  Activate(w.canvasTools.componentPicker);
  EXPECT_EQ(w.WindowInCharge(), w.canvasTools.componentPicker.data());
  w.activateWindow();
  QTRY_VERIFY(QApplication::activeWindow() == w.canvasTools.componentPicker.data());
  QTest::keyClick(w.canvasTools.componentPicker->windowHandle(), Qt::Key_Return);
  QTRY_VERIFY(w.canvasTools.componentPicker.isNull() || !w.canvasTools.componentPicker->isVisible());
  EXPECT_TRUE(w.isEnabled());
  EXPECT_EQ(w.WindowInCharge(), nullptr);
}

// At scale 1 the window fits 1280 x 720 with room for the title bar; at 150%
// the same logical size is 1920 x 1080.
TEST(DesktopConventions, TheMainWindowFitsASmallScreen) {
  Started s;
  s.window.show();
  const QSize least = s.window.minimumSizeHint().expandedTo(s.window.minimumSize());
  EXPECT_LE(least.width(), 1280);
  EXPECT_LE(least.height(), 720 - 40);
}

}  // namespace
}  // namespace kelvo
