#include "ui/QtPagePrinter.h"

#include <QPrinterInfo>

#include "ladder/Canvas.h"

namespace kelvo {

bool QtPagePrinter::ChooseOutput(QPrinter& printer, UserDialogs& dialogs) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) {
    printer.setOutputFormat(QPrinter::NativeFormat);
    return true;
  }
  const auto path = dialogs.AskSaveFileName({"Print to PDF File", "pdf|*.pdf|All files|*.*", "pdf", true});
  if (!path) return false;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(*path));
  return true;
}

void QtPagePrinter::SetLandscape() { printer_.setPageOrientation(QPageLayout::Landscape); }

void QtPagePrinter::SetQuality(PrintQuality quality) {
  if (painter_.isActive()) return;
  switch (quality) {
    case PrintQuality::Draft:
      printer_.setResolution(150);
      break;
    case PrintQuality::Normal:
      printer_.setResolution(300);
      break;
    case PrintQuality::Best:
      printer_.setResolution(600);
      break;
  }
}

bool QtPagePrinter::PaintPicture(const QImage& picture, int x, int y) {
  if (!painter_.isActive() && !painter_.begin(&printer_)) return false;
  // Twips on the page: the picture keeps its natural size of 15 twips a pixel.
  const double scale = printer_.resolution() / 1440.0;
  const QRectF target(x * scale, y * scale, picture.width() * kTwipsPerPixel * scale,
                      picture.height() * kTwipsPerPixel * scale);
  painter_.drawImage(target, picture);
  return true;
}

void QtPagePrinter::NewPage() {
  if (painter_.isActive()) printer_.newPage();
}

void QtPagePrinter::EndDoc() {
  if (painter_.isActive()) painter_.end();
}

}  // namespace kelvo
