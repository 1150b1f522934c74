#pragma once
// The pictures of the manual as its window shows them: every image a
// document names, and which of them the document cannot load.

#include <QImage>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>
#include <QVariant>

namespace kelvo::testing {

inline QStringList ImageNames(const QTextDocument& document) {
  QStringList names;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (format.isImageFormat()) names << format.toImageFormat().name();
    }
  }
  return names;
}

// The names whose resource is missing or is no picture.
inline QStringList UnloadedImages(const QTextDocument& document) {
  QStringList missing;
  for (const QString& name : ImageNames(document)) {
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(name));
    QImage image;
    if (resource.canConvert<QImage>()) image = resource.value<QImage>();
    if (image.isNull() && resource.canConvert<QByteArray>()) image = QImage::fromData(resource.toByteArray());
    if (image.isNull()) missing << name;
  }
  return missing;
}

}  // namespace kelvo::testing
