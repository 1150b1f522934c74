#pragma once
// Export and import of the canvas picture. Export writes the persistent
// picture (with every stamp, erased square and text) as a Windows bitmap
// whatever the chosen extension, through a temporary file, so a failed export
// never destroys a file of that name; it marks the view's hand edits exported. Import makes
// a BMP, GIF or JPEG picture the canvas background; a file that is no picture
// leaves the canvas as it was. Neither ever leaves the main window disabled.

#include <functional>
#include <optional>
#include <string>

#include "common/Fault.h"
#include "common/UserDialogs.h"
#include "output/ImageCanvas.h"
#include "session/CircuitViews.h"

namespace kelvo {

FileDialogOptions PictureFileDialogOptions();
// "Export As...": PNG, SVG or PDF, chosen by the name's extension.
FileDialogOptions ExportAsDialogOptions(const std::string& suggestedName = {});

inline constexpr size_t kMaxPictureBytes = 64u << 20;

// Writes `image` as a Windows bitmap to `path` (or the target of the link
// there), replacing it only when complete and only when it is a regular file.
Result<Done> SaveBitmap(const QImage& image, const std::string& path);
// Writes the recorded picture's drawn area (DrawnArea) as PNG (twice the
// screen's resolution), SVG or PDF (lines and text, one page the size of the
// area) by the extension of `path`, and as a Windows bitmap (the whole
// canvas's own pixels) for any other.
// Written like SaveBitmap: complete, or not at all.
Result<Done> SavePicture(const ImageCanvas& canvas, const std::string& path);
// The bytes SavePicture writes for a file named `path`.
Result<QByteArray> EncodePicture(const ImageCanvas& canvas, const std::string& path);
// A drawing of `size` picture pixels that `paint` paints, as PNG (twice the
// screen's resolution where that fits the largest picture), SVG or PDF by the
// extension of `path`; any other extension, and a size past the largest
// picture, is refused before anything is painted.
Result<QByteArray> EncodeDrawing(const std::string& path, QSize size, const std::function<void(QPainter&)>& paint);
// Writes EncodeDrawing's bytes to `path`, like SaveBitmap.
Result<Done> SaveDrawing(const std::string& path, QSize size, const std::function<void(QPainter&)>& paint);
// The drawing as an SVG document, on white, with `title`; none when it could not be encoded.
std::optional<QByteArray> DrawingSvg(QSize size, const std::function<void(QPainter&)>& paint,
                                     const QString& title = QStringLiteral("Kelvo 16s"));
// Whether `path` ends in .png, .svg or .pdf.
bool IsDrawingFileName(const std::string& path);
// Reads a BMP, GIF or JPEG picture from a regular file.
Result<QImage> LoadPicture(const std::string& path);

class CircuitFiles {
public:
  CircuitFiles(ImageCanvas& canvas, CircuitViews& views, UserDialogs& dialogs,
               std::function<void(bool)> setMainWindowEnabled);

  void ExportPicture();
  void ExportAs(const std::string& suggestedName = {});
  void ImportPicture();

private:
  ImageCanvas& canvas_;
  CircuitViews& views_;
  UserDialogs& dialogs_;
  std::function<void(bool)> setMainWindowEnabled_;
};

}  // namespace kelvo
