#include "output/CircuitFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>

namespace kelvo {

FileDialogOptions PictureFileDialogOptions() {
  return {"Picture File", "bmp|*.Bmp|gif|*.gif|jpg|*.jpg|All files|*.*", "bmp", true};
}

bool SaveBitmap(const QImage& image, const std::string& path) {
  const QString name = QString::fromStdString(path);
  if (name.isEmpty() || QFileInfo(name).isDir()) return false;
  QSaveFile file(name);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (!image.save(&file, "BMP")) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

CircuitFiles::CircuitFiles(ImageCanvas& canvas, CircuitViews& views, UserDialogs& dialogs,
                           std::function<void(bool)> setMainWindowEnabled)
    : canvas_(canvas), views_(views), dialogs_(dialogs), setMainWindowEnabled_(std::move(setMainWindowEnabled)) {}

void CircuitFiles::ExtrCom_Click() {
  setMainWindowEnabled_(false);
  if (const auto path = dialogs_.AskSaveFileName(PictureFileDialogOptions())) {
    if (SaveBitmap(canvas_.Image(), *path)) {
      views_.ChangesDetected = false;
    } else {
      dialogs_.Notify("Unknown Error while creating file " + *path);
    }
  }
  setMainWindowEnabled_(true);
}

void CircuitFiles::InpCom_Click() {
  setMainWindowEnabled_(false);
  if (const auto path = dialogs_.AskOpenFileName(PictureFileDialogOptions())) {
    QImageReader reader(QString::fromStdString(*path));
    const QImage picture = reader.read();
    if (picture.isNull()) {
      dialogs_.Notify("Unknown Error while opening file " + *path);
    } else {
      canvas_.SetPicture(picture);
    }
  }
  setMainWindowEnabled_(true);
}

}  // namespace kelvo
