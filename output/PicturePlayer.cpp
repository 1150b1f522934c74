#include "output/PicturePlayer.h"

#include <QFontMetricsF>
#include <QStaticText>
#include <cmath>

#include "common/PictureBounds.h"
#include "ladder/Canvas.h"
#include "output/TileShapes.h"

namespace kelvo {
namespace {

int Px(int twips) { return static_cast<int>(std::lround(twips / double(kTwipsPerPixel))); }

void PlayTile(QPainter& p, const PictureOp& op, const std::array<QImage, kTileCount>& tiles, TileStyle style) {
  if (op.slot < 0 || op.slot >= kTileCount) return;
  const QPoint at(Px(op.x), Px(op.y));
  if (style == TileStyle::Images) {
    if (!tiles[op.slot].isNull()) p.drawImage(at, tiles[op.slot]);
    return;
  }
  // Tiles are opaque: white under the lines, as under the image.
  p.fillRect(QRect(at, QSize(kTilePixels, kTilePixels)), Qt::white);
  p.save();
  // Through the middle of the pixels the image's lines cover.
  p.translate(at.x() + 0.5, at.y() + 0.5);
  p.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.setBrush(Qt::NoBrush);
  DrawTileShape(p, op.slot);
  p.restore();
}

void PlayText(QPainter& p, const PictureOp& op, TileStyle style) {
  p.setPen(op.color);
  const QPoint at(Px(op.x), Px(op.y));
  if (style == TileStyle::Images) {
    // As the canvas printed it, glyph for glyph.
    QStaticText text(op.text);
    text.setTextFormat(Qt::PlainText);
    text.prepare(QTransform(), p.font());
    p.drawStaticText(at, text);
  } else {
    p.drawText(QPointF(at.x(), at.y() + QFontMetricsF(p.font()).ascent()), op.text);
  }
}

}  // namespace

QFont DrawingFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(12);
  return font;
}

QString DrawableText(const QString& text) {
  QString drawable = text;
  for (QChar& c : drawable) {
    const char16_t u = c.unicode();
    if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0xFFFE || u == 0xFFFF) c = QChar(0xFFFD);
  }
  return drawable;
}

QRect DrawnArea(const PictureRecord& record) {
  const QFontMetrics metrics(DrawingFont());
  QRect painted;
  for (const PictureOp& op : record.ops) {
    const QPoint at(Px(op.x), Px(op.y));
    switch (op.kind) {
      case PictureOp::Kind::Tile:
        painted |= QRect(at, QSize(kTilePixels, kTilePixels));
        break;
      case PictureOp::Kind::Text:
        painted |= QRect(at, QSize(metrics.horizontalAdvance(op.text), metrics.height()));
        break;
      case PictureOp::Kind::Box:
        painted |= QRect(at, QPoint(Px(op.x2), Px(op.y2))).normalized();
        break;
      case PictureOp::Kind::Picture:
        painted |= QRect(QPoint(0, 0), op.picture.size());
        break;
    }
  }
  const QRect whole(QPoint(0, 0), record.size);
  if (painted.isEmpty()) return whole;
  return painted.adjusted(-kTilePixels, -kTilePixels, kTilePixels, kTilePixels) & whole;
}

void PlayPicture(QPainter& p, const PictureRecord& record, const std::array<QImage, kTileCount>& tiles,
                 TileStyle style) {
  p.save();
  p.setFont(DrawingFont());
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setClipRect(QRect(QPoint(0, 0), record.size), Qt::IntersectClip);
  for (const PictureOp& op : record.ops) {
    switch (op.kind) {
      case PictureOp::Kind::Tile:
        PlayTile(p, op, tiles, style);
        break;
      case PictureOp::Kind::Text:
        PlayText(p, op, style);
        break;
      case PictureOp::Kind::Box:
        p.fillRect(QRect(QPoint(Px(op.x), Px(op.y)), QPoint(Px(op.x2), Px(op.y2))).normalized(), op.color);
        break;
      case PictureOp::Kind::Picture:
        p.drawImage(QPoint(0, 0), op.picture);
        break;
    }
  }
  p.restore();
}

QImage RenderPicture(const PictureRecord& record, const std::array<QImage, kTileCount>& tiles, double scale) {
  const double width = std::ceil(record.size.width() * scale), height = std::ceil(record.size.height() * scale);
  if (!PictureFits(width, height)) return {};
  QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter p(&image);
    p.scale(scale, scale);
    PlayPicture(p, record, tiles, scale == 1.0 ? TileStyle::Images : TileStyle::Lines);
  }
  image.setDevicePixelRatio(scale);
  return image;
}

}  // namespace kelvo
