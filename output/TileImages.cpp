#include "output/TileImages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace kelvo {

QString TileImages::DisplayPath(int slot) {
  return QStringLiteral("Bitmaps\\") + QString::fromLatin1(kFileNames.at(slot));
}

QStringList TileImages::DefaultFolders() {
  const QDir programDir(QCoreApplication::applicationDirPath());
  return {QDir::cleanPath(programDir.filePath(QStringLiteral("Bitmaps"))),
          QDir::cleanPath(programDir.filePath(QStringLiteral("../share/kelvo16s/Bitmaps")))};
}

bool TileImages::LoadSlot(int slot, const QStringList& folders) {
  const QString name = QString::fromLatin1(kFileNames.at(slot));
  QStringList unreadable;
  for (const QString& folder : folders) {
    const QString path = QDir(folder).filePath(name);
    if (!QFileInfo::exists(path)) continue;
    // Qt's own BMP reader first, told the format: a reader left to find the
    // format offers the file to every image-format plugin, loading each, before
    // its own readers. Anything else (a picture of another kind under the
    // name) goes to the reader that finds the format, as before.
    QImageReader bmp(path, "bmp");
    bmp.setAutoDetectImageFormat(false);
    QImage image = bmp.read();
    QImageReader reader(path);
    if (image.isNull()) image = reader.read();
    if (!image.isNull()) {
      images_[slot] = image;
      error_.clear();
      return true;
    }
    unreadable << QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(path), reader.errorString());
  }
  QStringList nativeFolders;
  for (const QString& folder : folders) nativeFolders << QDir::toNativeSeparators(folder);
  error_ = QStringLiteral("The tile image \"%1\" could not be loaded. It was looked for in: %2.")
               .arg(name, nativeFolders.join(QStringLiteral(", ")));
  if (!unreadable.isEmpty())
    error_ += QStringLiteral(" Found but not readable as a picture: %1.").arg(unreadable.join(QStringLiteral(", ")));
  return false;
}

bool TileImages::LoadAll(const QStringList& folders) {
  for (int slot = 0; slot < kTileCount; ++slot)
    if (!LoadSlot(slot, folders)) return false;
  return true;
}

}  // namespace kelvo
