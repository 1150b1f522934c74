// "Export for PLC...": the dialog it asks, the language the chosen name
// picks, and what it says when there is nothing to export.

#include "session/PlcFile.h"

#include <gtest/gtest.h>

#include "support/DrawnMachine.h"
#include "support/Tables.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

TEST(PlcFile, ExportForPlcWritesTheLanguageTheNameAsksFor) {
  testing::TempDir dir;
  auto m = testing::DrawTable(testing::Latch());
  ASSERT_TRUE(m->session.drawn);
  m->dialogs.fileNames = {dir.File("latch.xml"), dir.File("latch.st"), std::nullopt};
  ExportForPlc(m->session, m->dialogs);
  ExportForPlc(m->session, m->dialogs);
  ExportForPlc(m->session, m->dialogs);
  ASSERT_EQ(m->dialogs.fileDialogs.size(), 3u);
  EXPECT_EQ(m->dialogs.fileDialogs[0].title, "Export for PLC");
  EXPECT_EQ(m->dialogs.fileDialogs[0].startAt, "Untitled.xml");
  EXPECT_EQ(testing::ReadBytes(dir.File("latch.xml")).rfind("<?xml", 0), 0u);
  EXPECT_NE(testing::ReadBytes(dir.File("latch.st")).find("  A := "), std::string::npos);
  EXPECT_TRUE(m->dialogs.messages.empty());
}

TEST(PlcFile, NothingDrawnIsSaidAndNoDialogOpens) {
  testing::DrawnMachine m;
  ExportForPlc(m.session, m.dialogs);
  EXPECT_TRUE(m.dialogs.fileDialogs.empty());
  ASSERT_EQ(m.dialogs.messages.size(), 1u);
  EXPECT_EQ(m.dialogs.messages[0].text, "No circuit is drawn: press Circuit first.");
}

}  // namespace
}  // namespace kelvo
