#include "ui/ClassReportWindow.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "support/TempDir.h"

namespace kelvo {
namespace {

// The page the companion tool writes for the same folder and form.
std::string ToolPage(const testing::TempDir& dir, const std::string& folder, bool parallel) {
  const std::string page = dir.File("tool.html");
  const std::string command = std::string("'") + KELVO_CLI_PATH + "' report '" + folder + "' -o '" + page + "'" +
                              (parallel ? " --parallel" : "") + " >/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return testing::ReadBytes(page);
}

TEST(ClassReportWindow, WritesThePageTheToolWrites) {
  testing::TempDir dir;
  ClassReportDialog dialog;
  dialog.folderBox->setText(QStringLiteral(KELVO_SOURCE_DIR "/examples"));
  EXPECT_EQ(dialog.pageBox->text(), QStringLiteral(KELVO_SOURCE_DIR "/examples/report.html"));
  dialog.pageBox->setText(QString::fromStdString(dir.File("window.html")));
  dialog.pageBox->setModified(true);
  dialog.parallelFormBox->setChecked(true);
  dialog.folderBox->setText(QStringLiteral(KELVO_SOURCE_DIR "/examples/"));
  EXPECT_EQ(dialog.pageBox->text().toStdString(), dir.File("window.html")) << "a page named by hand stays";

  TileImages tiles;
  ASSERT_TRUE(tiles.LoadAll({QStringLiteral(KELVO_SOURCE_DIR "/Bitmaps")}));
  const auto written = WriteClassReport(dialog.folderBox->text().toStdString(), dialog.Options(),
                                        dialog.pageBox->text().toStdString(), tiles.Images(), nullptr);
  ASSERT_TRUE(written) << written.why();
  ASSERT_EQ(*written, ReportWritten::Written);
  EXPECT_EQ(testing::ReadBytes(dir.File("window.html")), ToolPage(dir, KELVO_SOURCE_DIR "/examples", true));

  const auto failed = WriteClassReport(dir.Path().string(), {}, dir.File("r.html"), tiles.Images(), nullptr);
  EXPECT_FALSE(failed);
  EXPECT_NE(failed.why().find("no states files"), std::string::npos) << failed.why();
}

}  // namespace
}  // namespace kelvo
