#include "output/ReportPictures.h"

#include <QFontMetrics>

#include "output/CircuitFiles.h"
#include "output/DiagramPicture.h"
#include "output/ImageCanvas.h"
#include "output/ReportText.h"
#include "output/SvgCompaction.h"

namespace kelvo {
namespace {

constexpr int kCropMargin = 8;  // pixels of white around a cropped circuit

std::string Safe(const std::string& text) { return XmlSafeText(QString::fromStdString(text)).toStdString(); }

// The SVG document without its XML declaration, to stand inside the page.
std::string SvgElement(const std::optional<QByteArray>& document) {
  if (!document) return {};
  const qsizetype start = document->indexOf("<svg");
  return start < 0 ? std::string() : document->mid(start).toStdString();
}

QRect DrawnBounds(const PictureRecord& record) {
  const QFontMetrics metrics(DrawingFont());
  QRect bounds;
  for (const PictureOp& op : record.ops) {
    const QPoint at(ImageCanvas::ToPixels(op.x), ImageCanvas::ToPixels(op.y));
    switch (op.kind) {
      case PictureOp::Kind::Tile:
        bounds |= QRect(at, QSize(kTilePixels, kTilePixels));
        break;
      case PictureOp::Kind::Text:
        bounds |= QRect(at, QSize(metrics.horizontalAdvance(op.text), metrics.height()));
        break;
      case PictureOp::Kind::Box:
        bounds |= QRect(at, QPoint(ImageCanvas::ToPixels(op.x2), ImageCanvas::ToPixels(op.y2))).normalized();
        break;
      case PictureOp::Kind::Picture:
        bounds |= QRect(QPoint(0, 0), op.picture.size());
        break;
    }
  }
  const QRect picture(QPoint(0, 0), record.size);
  if (bounds.isEmpty()) return picture;
  return bounds.adjusted(-kCropMargin, -kCropMargin, kCropMargin, kCropMargin).intersected(picture);
}

}  // namespace

std::string DiagramSvg(const DiagramLayout& layout) {
  DiagramLayout safe = layout;
  for (DiagramNode& node : safe.nodes) {
    for (std::string& line : node.lines) line = Safe(line);
  }
  for (DiagramEdge& edge : safe.edges) edge.label = Safe(edge.label);
  return SvgElement(DrawingSvg(
      DiagramPictureSize(safe), [&safe](QPainter& p) { PaintDiagram(p, safe); }, QStringLiteral("State diagram")));
}

std::string CircuitSvg(const PictureRecord& record, const std::array<QImage, kTileCount>& tiles,
                       const std::string& title) {
  PictureRecord safe = record;
  for (PictureOp& op : safe.ops) op.text = XmlSafeText(op.text);
  const QRect crop = DrawnBounds(safe);
  const auto svg = DrawingSvg(
      crop.size(),
      [&](QPainter& p) {
        p.translate(-crop.topLeft());
        PlayPicture(p, safe, tiles, TileStyle::Lines);
      },
      QString::fromStdString(Safe(title)));
  return svg ? CompactSvg(*svg, kTilePixels) : std::string();
}

}  // namespace kelvo
