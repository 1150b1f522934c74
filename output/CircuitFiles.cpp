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

Result<QByteArray> EncodeBitmap(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "BMP")) {
    return Fault{"the picture could not be encoded"};
  }
  return bytes;
}

Result<Done> WriteBytes(const std::string& path, const Result<QByteArray>& bytes) {
  if (!bytes) return bytes.fault();
  return WriteFileAtomically(path, std::string_view(bytes->constData(), bytes->size()));
}

}  // namespace

Result<Done> SaveBitmap(const QImage& image, const std::string& path) { return WriteBytes(path, EncodeBitmap(image)); }

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

Result<QByteArray> EncodeDrawing(const std::string& path, QSize size, const std::function<void(QPainter&)>& paint) {
  const std::string name = Lower(path);
  const bool png = EndsWith(name, ".png"), svg = EndsWith(name, ".svg"), pdf = EndsWith(name, ".pdf");
  if (!png && !svg && !pdf) {
    return Fault{"choose a name ending in .png, .svg or .pdf"};
  }
  // Twice the resolution when that fits, else the picture's own.
  const double scale = PictureFits(size.width() * kPngScale, size.height() * kPngScale) ? kPngScale : 1.0;
  if (!PictureFits(size.width() * (png ? scale : 1.0), size.height() * (png ? scale : 1.0))) {
    return Fault{PictureTooLarge(size.width(), size.height())};
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
    return Fault{"the picture could not be encoded"};
  }
  return bytes;
}

Result<Done> SaveDrawing(const std::string& path, QSize size, const std::function<void(QPainter&)>& paint) {
  return WriteBytes(path, EncodeDrawing(path, size, paint));
}

Result<QByteArray> EncodePicture(const ImageCanvas& canvas, const std::string& path) {
  if (!IsDrawingFileName(path)) return EncodeBitmap(canvas.Image());
  const QRect area = DrawnArea(canvas.Record());
  return EncodeDrawing(path, area.size(), [&canvas, area](QPainter& p) {
    p.translate(-area.topLeft());
    PlayPicture(p, canvas.Record(), canvas.Tiles(), TileStyle::Lines);
  });
}

Result<Done> SavePicture(const ImageCanvas& canvas, const std::string& path) {
  return WriteBytes(path, EncodePicture(canvas, path));
}

Result<QImage> LoadPicture(const std::string& path) {
  const auto bytes = ReadRegularFile(path, kMaxPictureBytes);
  if (!bytes) return bytes.fault();
  QImage picture = QImage::fromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<int>(bytes->size()));
  if (picture.isNull()) {
    return Fault{"not a picture this program can read"};
  }
  return picture;
}

CircuitFiles::CircuitFiles(ImageCanvas& canvas, CircuitViews& views, UserDialogs& dialogs,
                           std::function<void(bool)> setMainWindowEnabled)
    : canvas_(canvas), views_(views), dialogs_(dialogs), setMainWindowEnabled_(std::move(setMainWindowEnabled)) {}

void CircuitFiles::ExportPicture() {
  setMainWindowEnabled_(false);
  if (const auto path = dialogs_.AskSaveFileName(PictureFileDialogOptions())) {
    if (const auto saved = SaveBitmap(canvas_.Image(), *path)) {
      views_.MarkExported();
    } else {
      dialogs_.Notify("Unknown Error while creating file " + *path + "\n" + saved.why());
    }
  }
  setMainWindowEnabled_(true);
}

void CircuitFiles::ExportAs(const std::string& suggestedName) {
  setMainWindowEnabled_(false);
  if (const auto path = dialogs_.AskSaveFileName(ExportAsDialogOptions(suggestedName))) {
    if (const auto saved = SavePicture(canvas_, *path)) {
      views_.MarkExported();
    } else {
      dialogs_.Notify("Unknown Error while creating file " + *path + "\n" + saved.why());
    }
  }
  setMainWindowEnabled_(true);
}

void CircuitFiles::ImportPicture() {
  setMainWindowEnabled_(false);
  if (const auto path = dialogs_.AskOpenFileName(PictureFileDialogOptions())) {
    if (const auto picture = LoadPicture(*path)) {
      canvas_.SetPicture(*picture);
      views_.PaintShownEdits();
    } else {
      const std::string why = picture.why();
      dialogs_.Notify("Unknown Error while opening file " + *path + (why.empty() ? "" : "\n" + why));
    }
  }
  setMainWindowEnabled_(true);
}

}  // namespace kelvo
