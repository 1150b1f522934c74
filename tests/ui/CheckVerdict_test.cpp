// The verdict line of the status bar after "Circuit", set when the check on
// the worker thread is done: for an example that passes and for a ring whose
// last transition changes two digits.

#include "ui/CheckVerdict.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>

#include "statediagram/StatesFile.h"
#include "support/StartedWindow.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::Started;

// The verdict line once the worker has set it; empty if it never does within a minute.
std::string VerdictOf(MainWindow& w) {
  const QDeadlineTimer deadline(60000);
  while (w.viewControls.checkLine->text().isEmpty() && !deadline.hasExpired()) {
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  return w.viewControls.checkLine->text().toStdString();
}

TEST(CheckVerdict, ShownAfterCircuit) {
  Started passing;
  passing.Open("traffic-light.sfi");
  EXPECT_EQ(VerdictOf(passing.window), "Check: 16 passed");

  // S2 -> S0 changes A and B together (0011 -> 0000).
  StateDiagram ring;
  const char* codes[] = {"0000", "0001", "0011"};
  for (int s = 0; s < 3; ++s) {
    ring.Codes[s] = codes[s];
    ring.Targets[s][0] = "S" + std::to_string((s + 1) % 3);
    ring.Triggers[s][0] = "X" + std::to_string(s + 1);
  }
  testing::TempDir dir;
  ASSERT_TRUE(WriteStatesFile(dir.File("ring.sfi"), ring));
  Started failing;
  failing.dialogs.fileNames = {dir.File("ring.sfi")};
  failing.window.fileCommands.OpenWithDialog();
  EXPECT_EQ(VerdictOf(failing.window), "Check: 3 of 8 failed (Ctrl+K shows why)");
}

}  // namespace
}  // namespace kelvo
