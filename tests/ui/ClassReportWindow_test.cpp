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
  std::string why;
  ASSERT_EQ(WriteClassReport(dialog.folderBox->text().toStdString(), dialog.Options(),
                             dialog.pageBox->text().toStdString(), tiles.Images(), nullptr, &why),
            ReportWritten::Written)
      << why;
  EXPECT_EQ(testing::ReadBytes(dir.File("window.html")), ToolPage(dir, KELVO_SOURCE_DIR "/examples", true));

  EXPECT_EQ(WriteClassReport(dir.Path().string(), {}, dir.File("r.html"), tiles.Images(), nullptr, &why),
            ReportWritten::Failed);
  EXPECT_NE(why.find("no states files"), std::string::npos) << why;
}

}  // namespace
}  // namespace kelvo
