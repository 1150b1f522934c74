#include "output/DiagramPicture.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <cmath>

#include "output/PicturePlayer.h"

namespace kelvo {
namespace {

constexpr double kPixelsPerPoint = 96.0 / 72.0;
constexpr double kMargin = 12;  // pixels
const QColor kRed(200, 0, 0);
const QColor kStrong(0, 110, 220);

QPointF Px(DiagramPoint p) { return {kMargin + p.x * kPixelsPerPoint, kMargin + p.y * kPixelsPerPoint}; }

void ArrowHead(QPainter& p, QPointF from, QPointF tip, const QColor& color) {
  const double dx = tip.x() - from.x(), dy = tip.y() - from.y();
  const double length = std::hypot(dx, dy);
  if (length < 0.01) return;
  const double ux = dx / length, uy = dy / length;
  const double size = 9, half = 4;
  const QPointF base(tip.x() - ux * size, tip.y() - uy * size);
  QPolygonF head{tip, QPointF(base.x() - uy * half, base.y() + ux * half),
                 QPointF(base.x() + uy * half, base.y() - ux * half)};
  p.setBrush(color);
  p.drawPolygon(head);
  p.setBrush(Qt::NoBrush);
}

}  // namespace

QSize DiagramPictureSize(const DiagramLayout& layout) {
  return {static_cast<int>(std::ceil(layout.width * kPixelsPerPoint + 2 * kMargin)),
          static_cast<int>(std::ceil(layout.height * kPixelsPerPoint + 2 * kMargin))};
}

DiagramPoint DiagramPointAt(double x, double y) {
  return {(x - kMargin) / kPixelsPerPoint, (y - kMargin) / kPixelsPerPoint};
}

void PaintDiagram(QPainter& p, const DiagramLayout& layout, const DiagramHighlight& highlight) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(12);
  QFont small = font;
  small.setPixelSize(11);

  for (const DiagramEdge& e : layout.edges) {
    if (e.curve.size() < 4) continue;
    const bool strong = !e.start && e.from == highlight.fromState && e.slot == highlight.slot;
    const QColor color = e.bad ? kRed : strong ? kStrong : QColor(Qt::black);
    p.setPen(QPen(color, strong ? 2.5 : 1.2));
    QPainterPath path(Px(e.curve[0]));
    for (size_t k = 1; k + 2 < e.curve.size(); k += 3) {
      path.cubicTo(Px(e.curve[k]), Px(e.curve[k + 1]), Px(e.curve[k + 2]));
    }
    p.drawPath(path);
    if (e.arrow) {
      p.drawLine(Px(e.curve.back()), Px(e.arrowTip));
      ArrowHead(p, Px(e.curve.back()), Px(e.arrowTip), color);
    }
    if (!e.label.empty()) {
      p.setFont(small);
      p.setPen(e.bad ? kRed : strong ? kStrong : QColor(Qt::black));
      const QString text = DrawableText(QString::fromStdString(e.label));
      const QRectF box = QFontMetricsF(small).boundingRect(text);
      const QPointF c = Px(e.labelCenter);
      p.drawText(QRectF(c.x() - box.width() / 2 - 2, c.y() - box.height() / 2, box.width() + 4, box.height()),
                 Qt::AlignCenter, text);
    }
  }

  p.setFont(font);
  const QFontMetricsF metrics(font);
  for (const DiagramNode& n : layout.nodes) {
    const QPointF c = Px(n.center);
    const double rx = n.width * kPixelsPerPoint / 2, ry = n.height * kPixelsPerPoint / 2;
    const bool current = n.state == highlight.state;
    p.setPen(QPen(current ? kStrong : QColor(Qt::black), current ? 2.5 : 1.2));
    p.setBrush(current ? QColor(220, 235, 255) : QColor(Qt::white));
    p.drawEllipse(c, rx, ry);
    if (n.state == 0) p.drawEllipse(c, rx - 3, ry - 3);  // the start state
    p.setBrush(Qt::NoBrush);
    const double lineHeight = metrics.height();
    double y = c.y() - lineHeight * n.lines.size() / 2;
    for (size_t i = 0; i < n.lines.size(); ++i) {
      QFont lineFont = font;
      lineFont.setBold(i == 0);
      p.setFont(lineFont);
      p.setPen(i == 1 && n.lines[1] == "no code" ? kRed : QColor(Qt::black));
      p.drawText(QRectF(c.x() - rx, y, 2 * rx, lineHeight), Qt::AlignCenter,
                 DrawableText(QString::fromStdString(n.lines[i])));
      y += lineHeight;
    }
  }
  p.restore();
}

}  // namespace kelvo
