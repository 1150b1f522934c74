#include <gtest/gtest.h>

#include <QApplication>

#include "ui/Form1.h"

TEST(Form1, HasTheProgramCaption) {
  kelvo::Form1 window;
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Kelvo 16s"));
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
