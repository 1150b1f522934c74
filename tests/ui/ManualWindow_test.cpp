#include "ui/ManualWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "support/ManualImages.h"
#include "support/StartedWindow.h"

namespace kelvo {
namespace {

// Shift+F1 opens the manual copied beside the program, with every picture loaded.
TEST(ManualWindow, ShiftF1OpensTheManualWithItsPictures) {
  testing::Started s;
  MainWindow& w = s.window;
  w.ManualFolders = {QStringLiteral(KELVO_BINARY_DIR "/manual")};
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  QTest::keyClick(w.windowHandle(), Qt::Key_F1, Qt::ShiftModifier);
  ASSERT_TRUE(w.manualWindow);
  ManualWindow& manual = *w.manualWindow;
  EXPECT_TRUE(manual.isVisible());
  EXPECT_EQ(manual.windowTitle(), QStringLiteral("Kelvo 16s Manual"));
  const QTextDocument& document = *manual.browser->document();
  EXPECT_TRUE(document.toPlainText().startsWith(QStringLiteral("Kelvo 16s Manual")));
  EXPECT_GE(testing::ImageNames(document).size(), 4);
  EXPECT_EQ(testing::UnloadedImages(document), QStringList{});
  EXPECT_FALSE(w.aboutBox);  // F1 alone stays About
}

}  // namespace
}  // namespace kelvo
