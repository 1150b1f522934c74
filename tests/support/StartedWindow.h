#pragma once
// The main window started from the source tree's tile images, with scripted
// answers, for the window tests.

#include <gtest/gtest.h>

#include <QStringList>
#include <string>

#include "support/ScriptedDialogs.h"
#include "ui/MainWindow.h"

namespace kelvo::testing {

inline const QStringList kSourceTiles{QStringLiteral(KELVO_SOURCE_DIR "/Bitmaps")};
inline const std::string kExamples = KELVO_SOURCE_DIR "/examples/";

struct Started {
  ScriptedDialogs dialogs;
  MainWindow window{dialogs};
  Started() {
    window.SplashDelay = 0;
    EXPECT_TRUE(window.StartUp(kSourceTiles));
  }
  // "Open State Diagram" with an example chosen in the file dialog.
  void Open(const std::string& example) {
    dialogs.fileNames = {kExamples + example};
    window.fileCommands.OpenWithDialog();
  }
};

}  // namespace kelvo::testing
