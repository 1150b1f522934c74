#include "ui/RoundedLabel.h"

#include <QPainter>

namespace kelvo {
namespace {

constexpr int kRadius = 6;
const QColor kEdgeColour(128, 128, 128);  // "gray"

}  // namespace

RoundedLabel::RoundedLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  // The text keeps inside the edge, as it does inside a style sheet's border.
  setContentsMargins(1, 1, 1, 1);
}

void RoundedLabel::paintEvent(QPaintEvent* event) {
  // The edge first, the text over it.
  {
    QPainter p(this);
    PaintEdge(p);
  }
  QLabel::paintEvent(event);
}

void RoundedLabel::PaintEdge(QPainter& p) const {
  p.setRenderHint(QPainter::Antialiasing);
  const qreal w = width(), h = height(), r = kRadius;
  // The straight runs are one-pixel bars between the corners; each corner is
  // a quarter arc drawn as two eighths, one with each edge it joins, with a
  // one-pixel pen along the middle of the edge's pixels.
  p.setPen(Qt::NoPen);
  p.setBrush(kEdgeColour);
  p.drawRect(QRectF(r, h - 1, w - 2 * r, 1));  // bottom
  p.drawRect(QRectF(w - 1, r, 1, h - 2 * r));  // right
  p.drawRect(QRectF(0, r, 1, h - 2 * r));      // left
  p.drawRect(QRectF(r, 0, w - 2 * r, 1));      // top
  QPen pen(kEdgeColour, 1, Qt::SolidLine, Qt::SquareCap);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  const qreal d = 2 * r - 1;  // the arcs' box, inset half a pixel
  const QRectF topLeft(0.5, 0.5, d, d), topRight(w - 2 * r + 0.5, 0.5, d, d), bottomLeft(0.5, h - 2 * r + 0.5, d, d),
      bottomRight(w - 2 * r + 0.5, h - 2 * r + 0.5, d, d);
  // In the order the edges are painted: bottom, right, left, top.
  p.drawArc(bottomLeft, -90 * 16, -45 * 16);
  p.drawArc(bottomRight, -90 * 16, 45 * 16);
  p.drawArc(topRight, 45 * 16, -45 * 16);
  p.drawArc(bottomRight, 315 * 16, 45 * 16);
  p.drawArc(topLeft, 135 * 16, 45 * 16);
  p.drawArc(bottomLeft, 180 * 16, 45 * 16);
  p.drawArc(topLeft, 135 * 16, -45 * 16);
  p.drawArc(topRight, 45 * 16, 45 * 16);
}

}  // namespace kelvo
