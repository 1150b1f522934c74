#include "output/ImageCanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>
#include <cstring>

#include "common/PictureBounds.h"
#include "ladder/GridDrawing.h"

namespace kelvo {

ImageCanvas::ImageCanvas(const std::array<QImage, kTileCount>& tiles)
    : tiles_(AsCanvasFormat(tiles)), font_(DrawingFont()), lineHeight_(QFontMetrics(font_).height()) {
  record_.size = UsualSize();
}

QSize ImageCanvas::UsualSize() { return {ToPixels(kCanvasWidthTwips), ToPixels(kCanvasHeightTwips)}; }

QImage& ImageCanvas::Pixels() const {
  if (image_.isNull()) {
    image_ = QImage(UsualSize(), QImage::Format_RGB32);
    image_.fill(Qt::white);
  }
  return image_;
}

void ImageCanvas::Record(PictureOp op) {
  op.handEdit = handEdit_;
  record_.ops.push_back(std::move(op));
  ++revision_;
}

int ImageCanvas::ToPixels(int twips) { return static_cast<int>(std::lround(twips / double(kTwipsPerPixel))); }

ImageCanvas::~ImageCanvas() = default;

const QImage& ImageCanvas::Image() const {
  EndText();
  return Pixels();
}

void ImageCanvas::EndText() const { textPainter_.reset(); }

void ImageCanvas::Clear() {
  EndText();
  const QSize usual = UsualSize();
  if (image_.size() != usual) image_ = QImage(usual, QImage::Format_RGB32);
  image_.fill(Qt::white);
  textX_ = textY_ = 0;
  record_.size = image_.size();
  record_.ops.clear();  // keeps its room: the next drawing records about as many ops
  ++revision_;
}

void ImageCanvas::ExtendHeight(int twips) {
  Grow(QSize(Size().width(), ToPixels(kCanvasHeightTwips + std::max(twips, 0))));
}

void ImageCanvas::ExtendWidth(int twips) {
  Grow(QSize(ToPixels(kCanvasWidthTwips + std::max(twips, 0)), Size().height()));
}

void ImageCanvas::Grow(QSize size) {
  size = size.expandedTo(Size());
  if (size == Size() || !PictureFits(size.width(), size.height())) return;
  EndText();
  QImage larger(size, QImage::Format_RGB32);
  larger.fill(Qt::white);
  if (!IsBlank()) QPainter(&larger).drawImage(0, 0, image_);
  image_ = std::move(larger);
  record_.size = image_.size();
  ++revision_;
}

std::array<QImage, kTileCount> ImageCanvas::AsCanvasFormat(const std::array<QImage, kTileCount>& tiles) {
  std::array<QImage, kTileCount> converted;
  for (int i = 0; i < kTileCount; ++i) {
    if (!tiles[i].isNull()) converted[i] = tiles[i].convertToFormat(QImage::Format_RGB32);
  }
  return converted;
}

// Tiles are opaque and in the canvas's own pixel format, so painting one is
// copying its rows, clipped at the canvas edges.
void ImageCanvas::PaintTile(int slot, int x, int y) {
  if (slot < 0 || slot >= kTileCount || tiles_[slot].isNull()) return;
  Record(PictureOp::Tile(slot, x, y));
  const QImage& tile = tiles_[slot];
  QImage& image = Pixels();
  const QRect target = QRect(QPoint(ToPixels(x), ToPixels(y)), tile.size()).intersected(image.rect());
  if (target.isEmpty()) return;
  const int sourceX = target.x() - ToPixels(x);
  const int sourceY = target.y() - ToPixels(y);
  // The text painter may stay open: it writes straight into the same pixels.
  uchar* const pixels = image.bits();
  const qsizetype stride = image.bytesPerLine();
  const uchar* const tilePixels = tile.constBits();
  const qsizetype tileStride = tile.bytesPerLine();
  const size_t rowBytes = static_cast<size_t>(target.width()) * sizeof(QRgb);
  const auto copyRows = [&](size_t bytes) {
    for (int row = 0; row < target.height(); ++row) {
      const uchar* from = tilePixels + (sourceY + row) * tileStride + sourceX * sizeof(QRgb);
      uchar* to = pixels + (target.y() + row) * stride + target.x() * sizeof(QRgb);
      std::memcpy(to, from, bytes);
    }
  };
  // A whole row of a tile of the grid's size is a copy of fixed length, which
  // the compiler makes a few moves instead of a call per row.
  constexpr size_t kGridTileRowBytes = kTileTwips / kTwipsPerPixel * sizeof(QRgb);
  if (rowBytes == kGridTileRowBytes) {
    copyRows(kGridTileRowBytes);
  } else {
    copyRows(rowBytes);
  }
}

void ImageCanvas::SetTextColor(Rgb color) { textColor_ = QColor(color.r, color.g, color.b); }

void ImageCanvas::SetTextPosition(int x, int y) {
  textX_ = x;
  textY_ = y;
}

void ImageCanvas::PrintText(const std::string& text) {
  // One painter serves a run of texts (a drawing prints dozens of labels);
  // anything else that touches the pixels ends it first.
  if (!textPainter_) {
    textPainter_ = std::make_unique<QPainter>(&Pixels());
    textPainter_->setFont(font_);
  }
  textPainter_->setPen(textColor_);
  // Labels repeat; their laid-out glyphs are kept.
  auto laidOut = texts_.find(text);
  if (laidOut == texts_.end()) {
    QStaticText staticText(DrawableText(QString::fromStdString(text)));
    staticText.setTextFormat(Qt::PlainText);
    staticText.prepare(QTransform(), font_);
    laidOut = texts_.emplace(text, std::move(staticText)).first;
  }
  textPainter_->drawStaticText(ToPixels(textX_), ToPixels(textY_), laidOut->second);
  Record(PictureOp::Text(textX_, textY_, laidOut->second.text(), textColor_));
  textX_ = 0;
  textY_ += lineHeight_ * kTwipsPerPixel;
}

void ImageCanvas::FillBox(int x1, int y1, int x2, int y2, Rgb color) {
  EndText();
  const QRect box(QPoint(ToPixels(x1), ToPixels(y1)), QPoint(ToPixels(x2), ToPixels(y2)));
  QPainter painter(&Pixels());
  painter.fillRect(box.normalized(), QColor(color.r, color.g, color.b));
  Record(PictureOp::Box(x1, y1, x2, y2, QColor(color.r, color.g, color.b)));
}

void ImageCanvas::SetPicture(const QImage& picture) {
  EndText();
  Pixels().fill(Qt::white);
  QPainter painter(&image_);
  painter.drawImage(0, 0, picture);
  record_.ops.clear();
  Record(PictureOp::Picture(picture));
}

}  // namespace kelvo
