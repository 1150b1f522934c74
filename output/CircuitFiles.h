#pragma once
// Export and import of the canvas picture. Export writes the persistent
// picture (with every stamp, erased square and text) as a Windows bitmap
// whatever the chosen extension, through a temporary file, so a failed export
// never destroys a file of that name; it clears ChangesDetected. Import makes
// a BMP, GIF or JPEG picture the canvas background; a file that is no picture
// leaves the canvas as it was. Neither ever leaves the main window disabled.

#include <functional>
#include <string>

#include "common/UserDialogs.h"
#include "ladder/CircuitViews.h"
#include "ui/ImageCanvas.h"

namespace kelvo {

FileDialogOptions PictureFileDialogOptions();

// Writes `image` as a Windows bitmap to `path`, replacing it only when complete.
bool SaveBitmap(const QImage& image, const std::string& path);

class CircuitFiles {
public:
  CircuitFiles(ImageCanvas& canvas, CircuitViews& views, UserDialogs& dialogs,
               std::function<void(bool)> setMainWindowEnabled);

  void ExtrCom_Click();
  void InpCom_Click();

private:
  ImageCanvas& canvas_;
  CircuitViews& views_;
  UserDialogs& dialogs_;
  std::function<void(bool)> setMainWindowEnabled_;
};

}  // namespace kelvo
