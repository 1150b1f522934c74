#include "output/CircuitFiles.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "common/PictureBounds.h"
#include "common/SafeFiles.h"

namespace kelvo {

FileDialogOptions PictureFileDialogOptions() {
  return {"Picture File", "bmp|*.Bmp|gif|*.gif|jpg|*.jpg|All files|*.*", "bmp", true, ""};
}

namespace {

std::optional<QByteArray> EncodeBitmap(const QImage& image, std::string* why) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "BMP")) {
    if (why) *why = "the picture could not be encoded";
    return std::nullopt;
  }
  return bytes;
}

}  // namespace

bool SaveBitmap(const QImage& image, const std::string& path, std::string* why) {
  const auto bytes = EncodeBitmap(image, why);
  return bytes && WriteFileAtomically(path, std::string_view(bytes->constData(), bytes->size()), why);
}

FileDialogOptions ExportAsDialogOptions(const std::string& suggestedName) {
  return {"Export As", "png|*.png|svg|*.svg|pdf|*.pdf", "png", true, suggestedName};
}

namespace {

std::string Lower(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

bool EndsWith(const std::string& text, const char* end) {
  const std::string tail(end);
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

constexpr double kPngScale = 2.0;

}  // namespace

bool IsDrawingFileName(const std::string& path) {
  const std::string name = Lower(path);
  return EndsWith(name, ".png") || EndsWith(name, ".svg") || EndsWith(name, ".pdf");
}

std::optional<QByteArray> DrawingSvg(QSize size, const std::function<void(QPainter&)>& paint, const QString& title) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setResolution(96);
  svg.setTitle(title);
  QPainter p;
  if (!p.begin(&svg)) return std::nullopt;
  p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  paint(p);
  if (!p.end()) return std::nullopt;
  return bytes;
}

std::optional<QByteArray> EncodeDrawing(const std::string& path, QSize size,
                                        const std::function<void(QPainter&)>& paint, std::string* why) {
  const std::string name = Lower(path);
  const bool png = EndsWith(name, ".png"), svg = EndsWith(name, ".svg"), pdf = EndsWith(name, ".pdf");
  if (!png && !svg && !pdf) {
    if (why) *why = "choose a name ending in .png, .svg or .pdf";
    return std::nullopt;
  }
  // Twice the resolution when that fits, else the picture's own.
  const double scale = PictureFits(size.width() * kPngScale, size.height() * kPngScale) ? kPngScale : 1.0;
  if (!PictureFits(size.width() * (png ? scale : 1.0), size.height() * (png ? scale : 1.0))) {
    if (why) *why = PictureTooLarge(size.width(), size.height());
    return std::nullopt;
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  bool encoded = false;
  if (png) {
    QImage image(size * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter p(&image);
      p.scale(scale, scale);
      paint(p);
    }
    encoded = image.save(&buffer, "PNG");
  } else if (svg) {
    const auto drawn = DrawingSvg(size, paint);
    encoded = drawn.has_value();
    if (encoded) bytes = *drawn;
  } else {
    QPdfWriter writer(&buffer);
    writer.setTitle(QStringLiteral("Kelvo 16s"));
    writer.setCreator(QStringLiteral("Kelvo 16s"));
    writer.setResolution(300);
    // One page the size of the picture at 96 pixels per inch.
    writer.setPageSize(QPageSize(QSizeF(size) * 72.0 / 96.0, QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter p;
    encoded = p.begin(&writer);
    if (encoded) {
      p.scale(300.0 / 96.0, 300.0 / 96.0);
      paint(p);
      encoded = p.end();
    }
  }
  if (!encoded) {
    if (why) *why = "the picture could not be encoded";
    return std::nullopt;
  }
  return bytes;
}

bool SaveDrawing(const std::string& path, QSize size, const std::function<void(QPainter&)>& paint, std::string* why) {
  const auto bytes = EncodeDrawing(path, size, paint, why);
  return bytes && WriteFileAtomically(path, std::string_view(bytes->constData(), bytes->size()), why);
}

std::optional<QByteArray> EncodePicture(const ImageCanvas& canvas, const std::string& path, std::string* why) {
  if (!IsDrawingFileName(path)) return EncodeBitmap(canvas.Image(), why);
  const QRect area = DrawnArea(canvas.Record());
  return EncodeDrawing(
      path, area.size(),
      [&canvas, area](QPainter& p) {
        p.translate(-area.topLeft());
        PlayPicture(p, canvas.Record(), canvas.Tiles(), TileStyle::Lines);
      },
      why);
}

bool SavePicture(const ImageCanvas& canvas, const std::string& path, std::string* why) {
  const auto bytes = EncodePicture(canvas, path, why);
  return bytes && WriteFileAtomically(path, std::string_view(bytes->constData(), bytes->size()), why);
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

void CircuitFiles::ExportPicture() {
  setMainWindowEnabled_(false);
  if (const auto path = dialogs_.AskSaveFileName(PictureFileDialogOptions())) {
    std::string why;
    if (SaveBitmap(canvas_.Image(), *path, &why)) {
      views_.MarkExported();
    } else {
      dialogs_.Notify("Unknown Error while creating file " + *path + "\n" + why);
    }
  }
  setMainWindowEnabled_(true);
}

void CircuitFiles::ExportAs(const std::string& suggestedName) {
  setMainWindowEnabled_(false);
  if (const auto path = dialogs_.AskSaveFileName(ExportAsDialogOptions(suggestedName))) {
    std::string why;
    if (SavePicture(canvas_, *path, &why)) {
      views_.MarkExported();
    } else {
      dialogs_.Notify("Unknown Error while creating file " + *path + "\n" + why);
    }
  }
  setMainWindowEnabled_(true);
}

void CircuitFiles::ImportPicture() {
  setMainWindowEnabled_(false);
  if (const auto path = dialogs_.AskOpenFileName(PictureFileDialogOptions())) {
    std::string why;
    if (const auto picture = LoadPicture(*path, &why)) {
      canvas_.SetPicture(*picture);
      views_.PaintShownEdits();
    } else {
      dialogs_.Notify("Unknown Error while opening file " + *path + (why.empty() ? "" : "\n" + why));
    }
  }
  setMainWindowEnabled_(true);
}

}  // namespace kelvo
