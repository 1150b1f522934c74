#include "ui/QtPagePrinter.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPrinterInfo>

#include "ladder/Canvas.h"

namespace kelvo {

bool QtPagePrinter::ChooseOutput(QPrinter& printer, UserDialogs& dialogs) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) {
    printer.setOutputFormat(QPrinter::NativeFormat);
    return true;
  }
  const auto path = dialogs.AskSaveFileName({"Print to PDF File", "pdf|*.pdf|All files|*.*", "pdf", true, ""});
  if (!path) return false;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QFile::decodeName(QByteArray::fromStdString(*path)));
  return true;
}

void QtPagePrinter::SetDocumentTitle(const QString& title) {
  if (!painter_.isActive()) printer_.setDocName(title);
}

void QtPagePrinter::SetLandscape() {
  printer_.setPageOrientation(QPageLayout::Landscape);
  // At least 10 mm of paper round the page, whatever the printer could reach.
  const QMarginsF least(10, 10, 10, 10);
  const QMarginsF now = printer_.pageLayout().margins(QPageLayout::Millimeter);
  printer_.setPageMargins(QMarginsF(std::max(now.left(), least.left()), std::max(now.top(), least.top()),
                                    std::max(now.right(), least.right()), std::max(now.bottom(), least.bottom())),
                          QPageLayout::Millimeter);
}

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

bool QtPagePrinter::PaintPage(const ImageCanvas& canvas, QRect part, const QString& title) {
  if (!painter_.isActive() && !painter_.begin(&printer_)) return false;
  // Device pixels of the printable area; the title line at its top.
  const QRectF area(QPointF(0, 0), printer_.pageLayout().paintRectPixels(printer_.resolution()).size());
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(9);
  painter_.setFont(QFont(font, &printer_));
  painter_.setPen(Qt::black);
  const QFontMetricsF metrics(painter_.font());
  painter_.drawText(QPointF(area.left(), area.top() + metrics.ascent()), title);
  const double gap = metrics.height() * 1.5;
  const QRectF room = area.adjusted(0, gap, 0, 0);
  if (part.isEmpty() || room.height() <= 0) return true;
  // The picture fills the room, keeping its proportions, drawn anew at the
  // printer's resolution.
  const double scale = std::min(room.width() / part.width(), room.height() / part.height());
  painter_.save();
  painter_.translate(room.topLeft() +
                     QPointF(room.width() - part.width() * scale, room.height() - part.height() * scale) / 2);
  painter_.scale(scale, scale);
  painter_.setClipRect(QRect(QPoint(0, 0), part.size()));
  painter_.translate(-part.topLeft());
  PlayPicture(painter_, canvas.Record(), canvas.Tiles(), TileStyle::Lines);
  painter_.restore();
  return true;
}

void QtPagePrinter::NewPage() {
  if (painter_.isActive()) printer_.newPage();
}

void QtPagePrinter::EndDoc() {
  if (painter_.isActive()) painter_.end();
}

}  // namespace kelvo
