#include "ui/RecentFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace kelvo {
namespace {

constexpr const char* kRecentKey = "recentFiles";

// One file, however it was named.
QString FileKey(const QString& path) {
  const QFileInfo info(path);
  const QString canonical = info.canonicalFilePath();
  return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

QStringList Unique(const QStringList& paths) {
  QStringList unique;
  for (const QString& path : paths) {
    if (unique.size() == kMaxRecentFiles) break;
    const QString key = FileKey(path);
    if (!path.isEmpty() && !unique.contains(key)) unique << key;
  }
  return unique;
}

}  // namespace

QString SettingsFileName() {
  // Where QSettings() keeps a user's settings on this system, found without
  // opening them.
  QString folder = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (folder.isEmpty()) folder = QDir::homePath() + QStringLiteral("/.config");
  return folder + QLatin1Char('/') + QCoreApplication::organizationName() + QLatin1Char('/') +
         QCoreApplication::applicationName() + QStringLiteral(".conf");
}

std::string UseSettingsFileIfSane() {
  const QString name = SettingsFileName();
  const QFileInfo info(name);
  if (!info.exists() && !info.isSymLink()) return "";
  std::string why;
  if (!info.isFile()) {
    why = "is not a regular file";
  } else if (info.size() > kMaxSettingsBytes) {
    why = "is larger than " + std::to_string(kMaxSettingsBytes >> 20) + " MiB";
  } else {
    return "";
  }
  // A folder of this run stands in for the user's settings until the program ends.
  static QTemporaryDir* const apart = new QTemporaryDir;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, apart->path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, apart->path());
  return "The settings file " + name.toStdString() + " " + why +
         "; Kelvo 16s starts with its default settings and leaves that file alone.";
}

QStringList RecentFiles::List() const {
  return Unique(QSettings().value(QString::fromUtf8(kRecentKey)).toStringList());
}

void RecentFiles::Remember(const QString& path, bool keep) {
  if (path.isEmpty()) return;
  const QString key = FileKey(path);
  QStringList recent = List();
  recent.removeAll(key);
  if (keep) recent.prepend(key);
  QSettings().setValue(QString::fromUtf8(kRecentKey), Unique(recent));
}

void RecentFiles::Remember(const std::string& path, bool keep) {
  const QString name = QFile::decodeName(QByteArray::fromStdString(path));
  if (QFile::encodeName(name).toStdString() == path) Remember(name, keep);
}

void RecentFiles::Clear() { QSettings().remove(QString::fromUtf8(kRecentKey)); }

}  // namespace kelvo
