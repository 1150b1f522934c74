#pragma once
// The program's settings file and the recent files kept in it. Before any
// setting is read, UseSettingsFileIfSane looks at the file: one that is not a
// regular file (a FIFO would hang the start) or is larger than any the program
// writes is left alone, and the run starts with defaults kept in a folder of
// its own. The recent files are at most kMaxRecentFiles, newest first, one per
// file (by canonical path), also when the settings hold more or hold doubles.

#include <QString>
#include <QStringList>
#include <string>

namespace kelvo {

inline constexpr int kMaxRecentFiles = 8;
inline constexpr qint64 kMaxSettingsBytes = 1 << 20;

// The settings file QSettings() reads in this run.
QString SettingsFileName();
// "" when the settings file is usable or absent; else the notice to show once
// (the run then keeps its settings apart and starts with defaults).
std::string UseSettingsFileIfSane();

class RecentFiles {
public:
  QStringList List() const;
  // `path` heads the list (keep) or leaves it.
  void Remember(const QString& path, bool keep);
  // The same for a file name as the file system holds it; a name that the
  // file-name encoding cannot hold as text (bytes that are not UTF-8) is not
  // kept, as it would not open again from the list.
  void Remember(const std::string& path, bool keep);
  void Clear();
};

}  // namespace kelvo
