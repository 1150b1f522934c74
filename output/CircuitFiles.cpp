#include "output/CircuitFiles.h"

#include <QBuffer>

#include "common/SafeFiles.h"

namespace kelvo {

FileDialogOptions PictureFileDialogOptions() {
  return {"Picture File", "bmp|*.Bmp|gif|*.gif|jpg|*.jpg|All files|*.*", "bmp", true};
}

bool SaveBitmap(const QImage& image, const std::string& path, std::string* why) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "BMP")) {
    if (why) *why = "the picture could not be encoded";
    return false;
  }
  return WriteFileAtomically(path, std::string_view(bytes.constData(), bytes.size()), why);
}

std::optional<QImage> LoadPicture(const std::string& path, std::string* why) {
  const auto bytes = ReadRegularFile(path, kMaxPictureBytes, why);
  if (!bytes) return std::nullopt;
  QImage picture = QImage::fromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<int>(bytes->size()));
  if (picture.isNull()) {
    if (why) *why = "not a picture this program can read";
    return std::nullopt;
  }
  return picture;
}

CircuitFiles::CircuitFiles(ImageCanvas& canvas, CircuitViews& views, UserDialogs& dialogs,
                           std::function<void(bool)> setMainWindowEnabled)
    : canvas_(canvas), views_(views), dialogs_(dialogs), setMainWindowEnabled_(std::move(setMainWindowEnabled)) {}

void CircuitFiles::ExtrCom_Click() {
  setMainWindowEnabled_(false);
  if (const auto path = dialogs_.AskSaveFileName(PictureFileDialogOptions())) {
    std::string why;
    if (SaveBitmap(canvas_.Image(), *path, &why)) {
      views_.ChangesDetected = false;
    } else {
      dialogs_.Notify("Unknown Error while creating file " + *path + "\n" + why);
    }
  }
  setMainWindowEnabled_(true);
}

void CircuitFiles::InpCom_Click() {
  setMainWindowEnabled_(false);
  if (const auto path = dialogs_.AskOpenFileName(PictureFileDialogOptions())) {
    std::string why;
    if (const auto picture = LoadPicture(*path, &why)) {
      canvas_.SetPicture(*picture);
    } else {
      dialogs_.Notify("Unknown Error while opening file " + *path + (why.empty() ? "" : "\n" + why));
    }
  }
  setMainWindowEnabled_(true);
}

}  // namespace kelvo
