#include "ui/RecentFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <filesystem>
#include <fstream>

#include "support/TempDir.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;

QString Q(const std::string& path) { return QString::fromStdString(path); }

// One file named three ways is one entry; a long list read back is cut to the newest eight.
TEST(RecentFiles, OneEntryPerFileAndAtMostEight) {
  QSettings().clear();  // none of the other tests' files
  testing::TempDir dir;
  std::ofstream(dir.File("a.sfi")) << "a";
  fs::create_symlink(dir.File("a.sfi"), dir.File("link.sfi"));
  RecentFiles recent;
  recent.Remember(Q(dir.File("a.sfi")), true);
  recent.Remember(Q(dir.File("link.sfi")), true);
  recent.Remember(Q(dir.Path().string() + "/./a.sfi"), true);
  ASSERT_EQ(recent.List(), QStringList{QFileInfo(Q(dir.File("a.sfi"))).canonicalFilePath()});

  QStringList many;
  for (int i = 0; i < 1000; ++i) many << Q(dir.File("f" + std::to_string(i % 20) + ".sfi"));
  QSettings().setValue(QStringLiteral("recentFiles"), many);
  QStringList read = recent.List();
  ASSERT_EQ(read.size(), kMaxRecentFiles);
  EXPECT_EQ(read.front(), many.front());
  EXPECT_EQ(read.removeDuplicates(), 0);
  recent.Remember(Q(dir.File("f3.sfi")), false);
  EXPECT_FALSE(recent.List().contains(Q(dir.File("f3.sfi"))));
}

// A settings file that is no regular file or is oversized is left alone, said once.
TEST(RecentFiles, OnlyASaneSettingsFileIsRead) {
  testing::TempDir config;
  const QByteArray before = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.Path().string()));
  const std::string name = SettingsFileName().toStdString();
  fs::create_directories(fs::path(name).parent_path());
  EXPECT_EQ(UseSettingsFileIfSane(), "");  // none yet
  std::ofstream(name) << "[General]\nlastFolder=/tmp\n";
  EXPECT_EQ(UseSettingsFileIfSane(), "");
  fs::remove(name);
  ASSERT_EQ(::mkfifo(name.c_str(), 0644), 0);
  EXPECT_EQ(UseSettingsFileIfSane(), "The settings file " + name +
                                         " is not a regular file; Kelvo 16s starts with its default settings and "
                                         "leaves that file alone.");
  EXPECT_FALSE(QSettings().contains(QStringLiteral("recentFiles")));  // read apart, without waiting on the FIFO
  fs::remove(name);
  std::ofstream(name) << std::string(kMaxSettingsBytes + 1, '#');
  EXPECT_NE(UseSettingsFileIfSane().find(" is larger than 1 MiB;"), std::string::npos);
  qputenv("XDG_CONFIG_HOME", before);
}

}  // namespace
}  // namespace kelvo
