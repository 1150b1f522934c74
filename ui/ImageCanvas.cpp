#include "ui/ImageCanvas.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace kelvo {

ImageCanvas::ImageCanvas(const std::array<QImage, kTileCount>& tiles)
    : tiles_(tiles),
      image_(ToPixels(kCanvasWidthTwips), ToPixels(kCanvasHeightTwips), QImage::Format_RGB32),
      font_(QStringLiteral("DejaVu Sans")) {
  font_.setPixelSize(12);
  image_.fill(Qt::white);
}

int ImageCanvas::ToPixels(int twips) { return static_cast<int>(std::lround(twips / double(kTwipsPerPixel))); }

void ImageCanvas::Clear() {
  image_.fill(Qt::white);
  textX_ = textY_ = 0;
}

void ImageCanvas::PaintTile(int slot, int x, int y) {
  if (slot < 0 || slot >= kTileCount) return;
  QPainter painter(&image_);
  painter.drawImage(ToPixels(x), ToPixels(y), tiles_[slot]);
}

void ImageCanvas::SetTextColor(Rgb color) { textColor_ = QColor(color.r, color.g, color.b); }

void ImageCanvas::SetTextPosition(int x, int y) {
  textX_ = x;
  textY_ = y;
}

void ImageCanvas::PrintText(const std::string& text) {
  QPainter painter(&image_);
  painter.setFont(font_);
  painter.setPen(textColor_);
  const QFontMetrics metrics(font_);
  painter.drawText(ToPixels(textX_), ToPixels(textY_) + metrics.ascent(), QString::fromStdString(text));
  textX_ = 0;
  textY_ += metrics.height() * kTwipsPerPixel;
}

void ImageCanvas::FillBox(int x1, int y1, int x2, int y2, Rgb color) {
  const QRect box(QPoint(ToPixels(x1), ToPixels(y1)), QPoint(ToPixels(x2), ToPixels(y2)));
  QPainter painter(&image_);
  painter.fillRect(box.normalized(), QColor(color.r, color.g, color.b));
}

void ImageCanvas::SetPicture(const QImage& picture) {
  image_.fill(Qt::white);
  QPainter painter(&image_);
  painter.drawImage(0, 0, picture);
}

}  // namespace kelvo
